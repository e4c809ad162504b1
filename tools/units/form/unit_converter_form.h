#pragma once

#include "shell/widgets/controls.h"
#include "shell/widgets/form.h"
#include "tools/units/core/unit_categories.h"

#include <array>

// 单位换算: eight categories, each a value row and a unit row. The value boxes accept numbers
// only; a category's "转换" writes its left value, converted from the left unit to the right
// one, into its right value box.
class UnitConverterForm : public Form {
    Q_OBJECT
public:
    explicit UnitConverterForm(FormHost& host);

    // A value box's text changed, by the user or the program.
    void on_value_changed(TextBox* box);
    void on_convert_clicked(int category);

protected:
    void on_load() override;

private:
    template <typename Control>
    using PerCategory = std::array<Control*, kUnitCategoryCount>;

    PerCategory<TextBox> m_first_values;
    PerCategory<TextBox> m_second_values;
    PerCategory<ComboBox> m_first_units;
    PerCategory<ComboBox> m_second_units;
};
