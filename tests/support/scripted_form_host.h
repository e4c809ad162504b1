#pragma once

#include "shell/host/form_host.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <vector>

// A host that plays the user and the machine from a script: it records every message, dialog and
// started program, answers dialogs with the answers it was given, builds serial ports with the
// function it was given, and keeps clocks that the script sets (or the real ones).
class ScriptedFormHost : public FormHost {
public:
    struct DialogCall {
        FileDialogOptions options;
    };

    ScriptedFormHost() { m_real_steady.start(); }

    // The answers of the next dialogs, in order: a file name, or std::nullopt for cancel.
    void answer_dialog(const std::optional<QString>& answer) {
        m_answers.push_back(answer.value_or(QString()));
    }

    void message(const QString& prompt) override { messages.push_back(prompt); }
    std::optional<QString> open_file(const FileDialogOptions& dialog) override {
        return answer(dialog);
    }
    std::optional<QString> save_file(const FileDialogOptions& dialog) override {
        return answer(dialog);
    }
    std::optional<QString> start_program(const QString&) override { return std::nullopt; }
    // Recorded, then run for real.
    void run_program(const ProgramRun& run, ProgramFinished finished) override {
        runs.push_back(run);
        run_program_in_background(run, std::move(finished));
    }
    void beep() override { ++beeps; }
    QTime time_of_day() override { return real_clocks ? QTime::currentTime() : now; }
    qint64 steady_ms() override { return real_clocks ? m_real_steady.elapsed() : steady; }
    std::unique_ptr<SerialDevice> serial_device(const QString& device) override {
        return make_serial_device ? make_serial_device(device) : missing_serial_device(device);
    }
    // "COM1" and so on: the tests' own names.
    QString serial_port_device(int number) override { return QStringLiteral("COM%1").arg(number); }
    std::vector<SerialPortInfo> serial_ports() override { return ports; }
    // An INI file of the host's own, so nothing a test remembers reaches the user's settings.
    std::unique_ptr<QSettings> settings() override {
        return std::make_unique<QSettings>(m_settings_dir.filePath(QStringLiteral("settings.ini")),
                                           QSettings::IniFormat);
    }

    std::vector<QString> messages;
    std::vector<DialogCall> dialogs;
    std::vector<ProgramRun> runs;
    int beeps = 0;
    bool real_clocks = false;
    QTime now{0, 0, 0};
    qint64 steady = 0;
    // The answer to every dialog once the scripted ones are used up; nothing: cancel.
    std::optional<QString> standing_answer;

    // Builds the serial port at a device path.
    std::function<std::unique_ptr<SerialDevice>(const QString&)> make_serial_device;
    // The ports the machine lists.
    std::vector<SerialPortInfo> ports;

protected:
    // A dialog beyond the script, and a serial port without a maker (there is none).
    virtual std::optional<QString> unscripted_dialog(const FileDialogOptions&) {
        return standing_answer;
    }
    virtual std::unique_ptr<SerialDevice> missing_serial_device(const QString&) { return nullptr; }

private:
    std::optional<QString> answer(const FileDialogOptions& dialog) {
        dialogs.push_back({dialog});
        if (m_answers.empty()) {
            return unscripted_dialog(dialog);
        }
        const QString next = m_answers.front();
        m_answers.pop_front();
        return next.isNull() ? std::nullopt : std::optional(next);
    }

    std::deque<QString> m_answers;  // a null text cancels
    QElapsedTimer m_real_steady;
    QTemporaryDir m_settings_dir;
};
