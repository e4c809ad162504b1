#pragma once

#include "shell/host/file_dialog.h"
#include "shell/widgets/controls.h"
#include "shell/widgets/form.h"
#include "tools/segment/core/segment_model.h"
#include "tools/segment/core/segment_table.h"

#include <array>

// 七段码: the port bit of each segment letter, the lettering of a green digit, the dialect and
// the display type; single step and convert all write the code table into the output box, and
// convert all saves it to a text file.
class SegmentForm : public Form {
    Q_OBJECT
public:
    explicit SegmentForm(FormHost& host);

    void on_dialect_edited();
    void on_bit_changed(int letter);
    void on_segment_clicked(Position position);
    void on_single_step_clicked();
    void on_convert_all_clicked();
    void on_display_type_clicked();
    void on_clear_clicked();
    void on_help_clicked();

protected:
    void on_load() override;

private:
    BitValues read_bits() const;
    void show_captions();
    void show_table(int last);
    // Empties the output box and starts the single steps again from one entry.
    void reset_shown_table();
    // Runs both checks, each failure emptying the output box with its message; true when both
    // passed.
    bool check_table();

    SegmentModel m_model;
    SegmentTableWriter m_table;
    FileDialogOptions m_save_dialog;

    std::array<TextBox*, kLetterCount> m_bit_boxes;  // A to H
    ComboBox* m_dialect;
    QPushButton* m_display_type_button;
    TextBox* m_display_type;
    QPushButton* m_single_step_button;
    QPushButton* m_convert_all_button;
    QPushButton* m_clear_button;
    QPushButton* m_help_button;
    std::array<QPushButton*, kPositionCount> m_segment_buttons;  // by Position
    TextBox* m_output;
};
