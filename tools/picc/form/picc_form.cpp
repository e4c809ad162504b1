#include "picc_form.h"

#include "base/text_file.h"
#include "shell/host/form_host.h"
#include "shell/widgets/look.h"
#include "tools/picc/core/asm_conversion.h"
#include "tools/picc/core/pic_chips.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QPointer>

namespace {

const QColor kBackground = rgb(255, 255, 192);

#ifndef Q_OS_WIN
// gpasm's messages that are errors, in its order: "main.asm:3:Error[181]   Unknown opcode".
// When it failed without one, all it said.
QString assembler_errors(const QString& output) {
    QStringList errors;
    for (const QString& line : output.split(u'\n', Qt::SkipEmptyParts)) {
        if (line.contains(QStringLiteral("Error"))) {
            errors.append(line.trimmed());
        }
    }
    return errors.isEmpty() ? output.trimmed() : errors.join(u'\r');
}

// Whether `path` holds something other than a listing gpasm wrote, such as the compiler's own
// listing that the source was converted from.
bool holds_foreign_listing(const QString& path) {
    QFile file(path);
    return file.exists() && !(file.open(QIODevice::ReadOnly) && file.read(5) == "gpasm");
}
#endif

}  // namespace

PiccForm::PiccForm(FormHost& host)
    : Form(host, QStringLiteral("PICCASM"), QStringLiteral("PICCASM"), 11910, 8625, kBackground) {
    m_source = add_text_box(this, "Text1", QString(), {1560, 0, 10095, 8415}, "汇编源程序",
                            TextBox::Lines::kMulti, TextBox::ScrollBars::kBoth);

    m_find_button = add_button(this, "Command2", "查找", {120, 600, 1215, 495});
    set_face(m_find_button, rgb(0, 255, 0));
    QLabel* chip_heading = add_label(this, "Label1", "芯片类型", {360, 1320, 735, 255});
    set_background(chip_heading, kBackground);
    m_chip = add_combo_box(this, "Combo1", "16C54", {120, 1680, 1215, 300}, "芯片类型");
    chip_heading->setBuddy(m_chip);

    m_convert_button = add_button(this, "Command1", "转换", {120, 2280, 1215, 495});
    set_face(m_convert_button, rgb(0, 255, 255));
    m_save_button = add_button(this, "Command3", "保存", {120, 3120, 1215, 495});
    set_face(m_save_button, rgb(0, 255, 0));
    m_assemble_button = add_button(this, "Command4", "编译", {120, 3960, 1215, 495});
    set_face(m_assemble_button, rgb(0, 255, 255));
    for (QPushButton* button : {m_convert_button, m_save_button, m_assemble_button}) {
        button->setFont(song_font(14.25));
    }

    // A list box that nothing fills or reads.
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setAccessibleName(QStringLiteral("列表"));
    place(m_list, {120, 4800, 1095, 420});

    connect(m_find_button, &QPushButton::clicked, this, &PiccForm::on_find_clicked);
    connect(m_convert_button, &QPushButton::clicked, this, &PiccForm::on_convert_clicked);
    connect(m_save_button, &QPushButton::clicked, this, &PiccForm::on_save_clicked);
    connect(m_assemble_button, &QPushButton::clicked, this, &PiccForm::on_assemble_clicked);
    connect(m_source, &TextBox::changed, this, [this] { m_saved_file.clear(); });
}

void PiccForm::on_load() {
    m_open_dialog.filter =
        QStringLiteral("文本文件（*.TXT）|*.txt|列表文件（*.lst）|*.lst|所有文件（*.*）|*.*");
    m_open_dialog.default_extension = QStringLiteral(".txt");
    m_save_dialog.filter = QStringLiteral("汇编文件（*.asm）|*.asm|所有文件（*.*）|*.*");
    m_save_dialog.default_extension = QStringLiteral(".asm");
    m_save_dialog.file_name = QStringLiteral("picctoasm");

    m_chip->addItems(pic_chips());
    m_chip->setText(QStringLiteral("16C54"));
    m_convert_button->setEnabled(false);
}

void PiccForm::on_find_clicked() {
    m_open_dialog.file_name = m_file_name;
    m_file_name = host().open_file(m_open_dialog).value_or(QString());
    m_convert_button->setEnabled(true);
}

std::optional<QString> PiccForm::read_listing() {
    if (m_file_name.isEmpty()) {
        host().message(QStringLiteral("没有选择要转换的文件\r请先按“查找”选择一个文件"));
        return std::nullopt;
    }
    QString listing;
    if (const auto error = read_text_file(m_file_name, listing)) {
        host().message(QStringLiteral("无法读取文件：%1\r%2")
                           .arg(QDir::toNativeSeparators(m_file_name), error->reason));
        return std::nullopt;
    }
    return listing;
}

void PiccForm::on_convert_clicked() {
    // The file is read before the text box is touched, so a failure leaves the text as it was.
    QString source;
    {
        const std::optional<QString> listing = read_listing();
        if (!listing) {
            return;
        }
        source = convert_listing(*listing, m_chip->text());
    }  // the listing goes before the text box makes its own copies
    m_source->setText(source);
    m_convert_button->setEnabled(false);
    m_find_button->setEnabled(true);
    m_save_button->setEnabled(true);
}

void PiccForm::on_save_clicked() {
    m_file_name = host().save_file(m_save_dialog).value_or(QString());
    if (!m_file_name.isEmpty() && save_text_file(host(), m_file_name, m_source->text())) {
        m_saved_file = m_file_name;
    }
}

void PiccForm::on_assemble_clicked() {
#ifdef Q_OS_WIN
    const QString assembler = QStringLiteral("Mpasmwin.exe");
    if (const auto reason = host().start_program(assembler)) {
        host().message(QStringLiteral("无法启动汇编程序：%1\r%2").arg(assembler, *reason));
    }
#else
    if (m_assembling) {
        host().message(QStringLiteral("正在编译，请等这次编译结束"));
        return;
    }
    if (m_saved_file.isEmpty()) {
        on_save_clicked();  // the text as it stands is what gets assembled
        if (m_saved_file.isEmpty()) {
            return;
        }
    }
    const QFileInfo source(m_saved_file);
    const QString hex = source.completeBaseName() + QStringLiteral(".hex");
    const QString listing =
        source.dir().filePath(source.completeBaseName() + QStringLiteral(".lst"));
    if (holds_foreign_listing(listing)) {
        host().message(QStringLiteral("编译会覆盖列表文件：%1\r请把源程序换个名字保存")
                           .arg(QDir::toNativeSeparators(listing)));
        return;
    }
    m_assembling = true;
    const QString hex_path = QDir::toNativeSeparators(source.dir().filePath(hex));
    host().run_program({QStringLiteral("gpasm"),
                        {QStringLiteral("-o"), hex, source.fileName()},
                        source.absolutePath()},
                       [self = QPointer(this), hex_path](const ProgramOutcome& outcome) {
                           if (self) {
                               self->m_assembling = false;
                               self->report_assembly(outcome, hex_path);
                           }
                       });
#endif
}

#ifndef Q_OS_WIN
void PiccForm::report_assembly(const ProgramOutcome& outcome, const QString& hex_path) {
    switch (outcome.end) {
        case ProgramOutcome::End::kNotFound:
            host().message(QStringLiteral("找不到汇编程序 gpasm\r请安装软件包 gputils"));
            break;
        case ProgramOutcome::End::kFailed:
            host().message(QStringLiteral("无法运行汇编程序 gpasm：%1").arg(outcome.output));
            break;
        case ProgramOutcome::End::kExited:
            host().message(
                outcome.exit_code == 0
                    ? QStringLiteral("编译成功，已写入 %1").arg(hex_path)
                    : QStringLiteral("编译出错：\r%1").arg(assembler_errors(outcome.output)));
            break;
    }
}
#endif
