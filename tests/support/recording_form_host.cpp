#include "recording_form_host.h"


#include <gtest/gtest.h>

void RecordingFormHost::message(const QString& prompt) {
    messages.push_back(prompt);
    if (on_message) {
        on_message(prompt);
    }
}

std::optional<QString> RecordingFormHost::answer(DialogKind kind, const FileDialogOptions& dialog) {
    dialogs.push_back({kind, dialog});
    if (m_answers.empty()) {
        ADD_FAILURE() << "a dialog was shown that the test did not expect: "
                      << dialog.title.toStdString();
        return std::nullopt;
    }
    const QString next = m_answers.front();
    m_answers.pop_front();
    if (next.isNull()) {
        return std::nullopt;
    }
    return next;
}

std::optional<QString> RecordingFormHost::open_file(const FileDialogOptions& dialog) {
    return answer(DialogKind::kOpen, dialog);
}

std::optional<QString> RecordingFormHost::save_file(const FileDialogOptions& dialog) {
    return answer(DialogKind::kSave, dialog);
}

std::optional<QString> RecordingFormHost::start_program(const QString& program) {
    started_programs.push_back(program);
    return start_failure;
}

std::unique_ptr<SerialDevice> RecordingFormHost::serial_port(int number) {
    if (!make_serial_port) {
        ADD_FAILURE() << "serial port " << number << " was asked for without a test device";
        return nullptr;
    }
    return make_serial_port(number);
}

