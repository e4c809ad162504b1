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
public:
    explicit SegmentForm(FormHost& host);

    void Combo1_Change();
    void SEG_A_Change();
    void SEG_B_Change();
    void SEG_C_Change();
    void SEG_D_Change();
    void SEG_E_Change();
    void SEG_F_Change();
    void SEG_G_Change();
    void SEG_H_Change();
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();
    void Command10_Click();
    void Command11_Click();
    void Command12_Click();
    void Command13_Click();
    void 单步转换_Click();
    void 全部转换_Click();
    void 显示方式_Click();
    void 清除_Click();
    void 帮助_Click();

protected:
    void on_load() override;

private:
    std::array<TextBox*, kLetterCount> bit_boxes() const;
    BitValues read_bits() const;
    void bit_entry(int letter);
    void position_click(Position position);
    void show_captions();
    void gen_table(int last);
    // Empties the output box and starts the single steps again from one entry.
    void reset_shown_table();
    // Runs both checks, each failure emptying the output box with its message; true when both
    // passed.
    bool check_table();

    SegmentModel m_model;
    SegmentTableWriter m_table;

    QGroupBox* Frame2;
    LineShape* Line6;
    LineShape* Line7;
    QLabel* Label8;
    QLabel* Label7;
    QLabel* Label6;
    TextBox* SEG_A;
    TextBox* SEG_B;
    TextBox* SEG_C;
    TextBox* SEG_D;
    TextBox* SEG_E;
    TextBox* SEG_F;
    TextBox* SEG_G;
    TextBox* SEG_H;
    QLabel* Label9;
    ComboBox* Combo1;
    QPushButton* 显示方式;
    TextBox* Text5;
    QPushButton* 单步转换;
    QPushButton* 全部转换;
    QPushButton* 清除;
    QPushButton* 帮助;
    QPushButton* Command7;   // top
    QPushButton* Command8;   // upper left
    QPushButton* Command9;   // upper right
    QPushButton* Command10;  // middle
    QPushButton* Command11;  // lower left
    QPushButton* Command12;  // bottom
    QPushButton* Command13;  // lower right
    TextBox* 文本框;
    FileDialogOptions CommonDialog1;
};
