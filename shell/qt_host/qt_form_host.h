#pragma once

#include "shell/host/form_host.h"

#include <QElapsedTimer>

// The host services on Qt: message boxes, file dialogs, processes, the beep, the clock and
// serial ports of this machine.
class QtFormHost : public FormHost {
public:
    // `port1_device`: the device behind serial port 1, or empty for the machine's first port.
    explicit QtFormHost(const QString& port1_device = {}) : m_port1_device(port1_device) {
        m_steady_clock.start();
    }

    void message(const QString& prompt) override;
    std::optional<QString> open_file(const FileDialogOptions& dialog) override;
    std::optional<QString> save_file(const FileDialogOptions& dialog) override;
    std::optional<QString> start_program(const QString& program) override;
    void run_program(const ProgramRun& run, ProgramFinished finished) override;
    void beep() override;
    QTime time_of_day() override;
    qint64 steady_ms() override;
    std::unique_ptr<SerialDevice> serial_device(const QString& device) override;
    QString serial_port_device(int number) override;
    std::vector<SerialPortInfo> serial_ports() override;
    std::unique_ptr<QSettings> settings() override;

private:
    QString m_port1_device;
    QElapsedTimer m_steady_clock;  // monotonic
};

// The prompt as a message box shows it: the carriage returns that join its lines become line
// breaks.
QString displayed_prompt(const QString& prompt);

// Qt's name filters for a "description|pattern|..." filter; "*.*" means every file.
QStringList name_filters(const QString& filter);
