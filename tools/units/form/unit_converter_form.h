#pragma once

#include "shell/widgets/controls.h"
#include "shell/widgets/form.h"
#include "tools/units/core/unit_categories.h"

#include <array>

// 单位换算: eight categories, each a value row and a unit row. The value boxes accept numbers
// only; the convert buttons have no action.
class UnitConverterForm : public Form {
    Q_OBJECT
public:
    explicit UnitConverterForm(FormHost& host);

    void Text1_Change(int Index);
    void Text2_Change(int Index);
    void Command2_Click(int Index);

protected:
    void on_load() override;

private:
    void keep_numeric(TextBox* box);

    template <typename Control>
    using Array = std::array<Control*, kUnitCategoryCount>;

    Array<QLabel> Label1;
    Array<QLabel> Label2;
    Array<QLabel> Label3;
    Array<TextBox> Text1;
    Array<TextBox> Text2;
    Array<ComboBox> Combo1;
    Array<ComboBox> Combo2;
    Array<QPushButton> Command2;
    LineShape* Line1;
    std::array<LineShape*, 4> Line2;
    LineShape* Line3;
};
