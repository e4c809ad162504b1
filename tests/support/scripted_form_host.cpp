#include "scripted_form_host.h"

void ScriptedFormHost::message(const QString& prompt) {
    messages.push_back(prompt);
    if (on_message) {
        on_message(prompt);
    }
}

std::optional<QString> ScriptedFormHost::answer(DialogKind kind, const FileDialogOptions& dialog) {
    dialogs.push_back({kind, dialog});
    if (m_answers.empty()) {
        return unscripted_dialog(dialog);
    }
    const QString next = m_answers.front();
    m_answers.pop_front();
    if (next.isNull()) {
        return std::nullopt;
    }
    return next;
}

std::optional<QString> ScriptedFormHost::open_file(const FileDialogOptions& dialog) {
    return answer(DialogKind::kOpen, dialog);
}

std::optional<QString> ScriptedFormHost::save_file(const FileDialogOptions& dialog) {
    return answer(DialogKind::kSave, dialog);
}

std::optional<QString> ScriptedFormHost::start_program(const QString& program) {
    started_programs.push_back(program);
    return start_failure;
}

void ScriptedFormHost::run_program(const ProgramRun& run, ProgramFinished finished) {
    runs.push_back(run);
    run_program_in_background(run, std::move(finished));
}

std::unique_ptr<SerialDevice> ScriptedFormHost::serial_device(const QString& device) {
    return make_serial_device ? make_serial_device(device) : missing_serial_device(device);
}

std::unique_ptr<QSettings> ScriptedFormHost::settings() {
    return std::make_unique<QSettings>(m_settings_dir.filePath(QStringLiteral("settings.ini")),
                                       QSettings::IniFormat);
}
