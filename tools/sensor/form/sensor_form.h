#pragma once

#include "shell/host/file_dialog.h"
#include "shell/widgets/controls.h"
#include "shell/widgets/form.h"
#include "tools/sensor/core/ad_table.h"

class CircuitDrawing;

// 真值表: sensor model, dialect, divider wiring and resistance, and converter precision; "输出"
// writes the AD table into the output box and saves a built-in model's table to a text file.
class SensorForm : public Form {
    Q_OBJECT
public:
    explicit SensorForm(FormHost& host);

    void on_output_clicked();
    void on_clear_clicked();
    void on_help_clicked();
    // Enables the boxes and shows the drawing that the chosen model and wiring call for.
    void update_controls();

protected:
    void on_load() override;

private:
    SensorChoices read_choices(SensorModel model) const;
    void set_focus_order();

    SensorTableWriter m_table;
    FileDialogOptions m_save_dialog;
    ComboBox* m_model;
    ComboBox* m_dialect;
    ComboBox* m_orientation;
    TextBox* m_divider;
    QRadioButton* m_eight_bits;
    QRadioButton* m_ten_bits;
    TextBox* m_typed;
    QPushButton* m_output_button;
    QPushButton* m_clear_button;
    QPushButton* m_help_button;
    CircuitDrawing* m_pull_up_drawing;
    CircuitDrawing* m_pull_down_drawing;
    TextBox* m_output;
};
