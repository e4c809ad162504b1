#include "tests/support/form_test.h"
#include "tools/units/form/unit_converter_form.h"

using namespace Qt::StringLiterals;

namespace {

class UnitConverterTest : public FormTest<UnitConverterForm> {
protected:
    // A control of a category as a screen reader names it: "长度 第一个值", "温度 转换".
    template <typename Control>
    Control* in(int category, const QString& role) {
        return control<Control>(m_form, unit_categories()[category].title + u' ' + role);
    }
    // The sixteen value boxes: the first then the second of each category.
    TextBox* value_box(int i) { return in<TextBox>(i / 2, i % 2 ? u"第二个值"_s : u"第一个值"_s); }
};

TEST_F(UnitConverterTest, ConvertsTheLeftValueIntoTheRightBoxOrSaysWhyNot) {
    for (int i = 0; i < 2 * kUnitCategoryCount; ++i) {
        // The category's list, standing at its default unit.
        auto* units = in<ComboBox>(i / 2, i % 2 ? u"第二个单位"_s : u"第一个单位"_s);
        EXPECT_EQ(units->count(), unit_categories()[i / 2].units.size());
        EXPECT_EQ(units->itemText(units->currentIndex()), unit_categories()[i / 2].default_unit);
    }

    // 2 英寸 chosen from the list on the left, into the 毫米 the right box opened with.
    auto* inches = in<ComboBox>(0, u"第一个单位"_s);
    inches->setCurrentIndex(inches->findText(u"英寸"_s));
    retype(value_box(0), u"2"_s);
    click(in<QPushButton>(0, u"转换"_s));
    EXPECT_EQ(value_box(1)->text(), u"50.8"_s);
    value_box(14)->setText(u"-300"_s);  // pasted: a lone "-" is refused
    click(in<QPushButton>(7, u"转换"_s));
    retype(in<ComboBox>(0, u"第二个单位"_s), u"mile"_s);
    click(in<QPushButton>(0, u"转换"_s));
    EXPECT_EQ(m_host.messages, (std::vector{u"温度不能低于绝对零度（-273.15 摄氏度）"_s,
                                            u"“mile”不是长度的单位\r请在列表里选择单位"_s}));
    EXPECT_EQ(value_box(1)->text(), u"50.8"_s);
}

// Each box refuses a letter with "输入错误" and goes back to "0"; the others keep their texts.
TEST_F(UnitConverterTest, EveryValueBoxRefusesALetter) {
    for (int i = 0; i < 2 * kUnitCategoryCount; ++i) {
        value_box(i)->setText(QString::number(i + 1));
    }
    for (int i = 0; i < 2 * kUnitCategoryCount; ++i) {
        type(value_box(i), u"x"_s);
        EXPECT_EQ(value_box(i)->text(), u"0"_s);
        if (i + 1 < 2 * kUnitCategoryCount) {
            EXPECT_EQ(value_box(i + 1)->text(), QString::number(i + 2));
        }
    }
    EXPECT_EQ(m_host.messages, std::vector(2 * kUnitCategoryCount, u"输入错误"_s));
}

}  // namespace
