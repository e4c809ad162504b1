#pragma once

#include "shell/host/file_dialog.h"
#include "shell/host/program_run.h"
#include "shell/widgets/controls.h"
#include "shell/widgets/form.h"

#include <optional>

class QListWidget;

// PICCASM: "查找" chooses a compiler listing, "转换" cuts its columns under a directive for the
// chosen chip into the text box, "保存" saves the (edited) text as assembler source and "编译"
// assembles the saved source with gpasm, saving it first when the text has changed since (on
// Windows it starts the assembler's own window instead). The open and save dialogs share one
// file name.
class PiccForm : public Form {
    Q_OBJECT
public:
    explicit PiccForm(FormHost& host);

    void on_find_clicked();
    void on_convert_clicked();
    void on_save_clicked();
    void on_assemble_clicked();

protected:
    void on_load() override;

private:
    // The text of the chosen listing, or nothing after telling the user why there is none.
    std::optional<QString> read_listing();
    // Tells the user how gpasm's run ended.
    void report_assembly(const ProgramOutcome& outcome, const QString& hex_path);

    FileDialogOptions m_open_dialog;
    FileDialogOptions m_save_dialog;
    QString m_file_name;   // the last dialog's answer; empty when it was cancelled
    QString m_saved_file;  // where the text as it stands was saved; empty once it changes
    bool m_assembling = false;

    TextBox* m_source;
    QPushButton* m_find_button;
    ComboBox* m_chip;
    QPushButton* m_convert_button;
    QPushButton* m_save_button;
    QPushButton* m_assemble_button;
    QListWidget* m_list;
};
