#pragma once

#include "qt_printers.h"
#include "shell/host/form_host.h"

#include <deque>
#include <functional>
#include <vector>

// A host for tests: it records every message, dialog and started program, answers dialogs from
// a script and keeps its own clocks, which the test sets.
class RecordingFormHost : public FormHost {
public:
    enum class DialogKind { kOpen, kSave };
    struct DialogCall {
        DialogKind kind;
        FileDialogOptions options;
    };

    // The answers of the next dialogs, in order: a file name, or std::nullopt for cancel. A
    // dialog without an answer fails the test and is cancelled.
    void answer_dialog(const std::optional<QString>& answer) {
        m_answers.push_back(answer.value_or(QString()));
    }

    void message(const QString& prompt) override;
    std::optional<QString> open_file(const FileDialogOptions& dialog) override;
    std::optional<QString> save_file(const FileDialogOptions& dialog) override;
    std::optional<QString> start_program(const QString& program) override;
    void beep() override { ++beeps; }
    QTime time_of_day() override { return now; }
    qint64 steady_ms() override { return steady; }
    std::unique_ptr<SerialDevice> serial_port(int number) override;

    std::vector<QString> messages;
    std::vector<DialogCall> dialogs;
    std::vector<QString> started_programs;
    int beeps = 0;
    QTime now{0, 0, 0};
    qint64 steady = 0;
    // Why a program does not start; nothing: it starts.
    std::optional<QString> start_failure;

    // Runs while a message box is up, with its prompt.
    std::function<void(const QString&)> on_message;
    // Builds serial port `number`; without it there is no port and the test fails.
    std::function<std::unique_ptr<SerialDevice>(int)> make_serial_port;

private:
    std::optional<QString> answer(DialogKind kind, const FileDialogOptions& dialog);

    std::deque<QString> m_answers;  // a null text cancels
};
