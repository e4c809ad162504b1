#include "qt_form_host.h"

#include "base/text_file.h"
#include "qt_serial_device.h"
#include "serial_port_name.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QProcess>
#include <QSerialPortInfo>

namespace {

const QString kTitle = QStringLiteral("Brevik");

std::optional<QString> run_dialog(const FileDialogOptions& options, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(QApplication::activeWindow(), options.title);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                       : QFileDialog::ExistingFile);
    dialog.setNameFilters(name_filters(options.filter));
    if (mode == QFileDialog::AcceptOpen) {
        // Qt's own dialog hides the names its filter does not match and will not open them when
        // typed: show them greyed instead, so that a typed path of any existing file opens.
        if (auto* files = dialog.findChild<QFileSystemModel*>()) {
            files->setNameFilterDisables(true);
        }
    }
    QString suffix = options.default_extension;
    if (suffix.startsWith(u'.')) {
        suffix.remove(0, 1);
    }
    dialog.setDefaultSuffix(suffix);
    if (!options.file_name.isEmpty()) {
        dialog.selectFile(options.file_name);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

}  // namespace

QString displayed_prompt(const QString& prompt) {
    return with_line_feeds(prompt);
}

QStringList name_filters(const QString& filter) {
    QStringList filters;
    for (const FileFilter& f : parse_file_filter(filter)) {
        QString patterns = f.pattern;
        patterns.replace(u';', u' ');
        if (patterns == QStringLiteral("*.*")) {
            patterns = QStringLiteral("*");
        }
        filters.append(QStringLiteral("%1 (%2)").arg(f.description, patterns));
    }
    return filters;
}

void QtFormHost::message(const QString& prompt) {
    QMessageBox box(QMessageBox::NoIcon, kTitle, displayed_prompt(prompt), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

std::optional<QString> QtFormHost::open_file(const FileDialogOptions& dialog) {
    return run_dialog(dialog, QFileDialog::AcceptOpen);
}

std::optional<QString> QtFormHost::save_file(const FileDialogOptions& dialog) {
    return run_dialog(dialog, QFileDialog::AcceptSave);
}

std::optional<QString> QtFormHost::start_program(const QString& program) {
    QProcess process;
    process.setProgram(program);
    if (!process.startDetached()) {
        return process.errorString();
    }
    return std::nullopt;
}

void QtFormHost::run_program(const ProgramRun& run, ProgramFinished finished) {
    run_program_in_background(run, std::move(finished));
}

void QtFormHost::beep() {
    QApplication::beep();
}

QTime QtFormHost::time_of_day() {
    return QTime::currentTime();
}

qint64 QtFormHost::steady_ms() {
    return m_steady_clock.elapsed();
}

QString QtFormHost::serial_port_device(int number) {
    return serial_port_name(number, m_port1_device);
}

std::unique_ptr<SerialDevice> QtFormHost::serial_device(const QString& device) {
    return std::make_unique<QtSerialDevice>(device);
}

std::vector<SerialPortInfo> QtFormHost::serial_ports() {
    std::vector<SerialPortInfo> ports;
    // The device named on the command line comes first; it need not be one the system lists
    // (a pseudo-terminal).
    if (!m_port1_device.isEmpty()) {
        ports.push_back({m_port1_device, m_port1_device, QStringLiteral("--serial-port")});
    }
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts()) {
        if (port.systemLocation() != m_port1_device) {
            ports.push_back({port.systemLocation(), port.portName(), port.description()});
        }
    }
    return ports;
}

std::unique_ptr<QSettings> QtFormHost::settings() {
    return std::make_unique<QSettings>(QStringLiteral("Brevik"), QStringLiteral("brevik"));
}
