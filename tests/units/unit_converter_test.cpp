#include "tests/support/form_test.h"
#include "tools/units/form/unit_converter_form.h"

#include <QAccessible>
#include <QLineEdit>

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

// A value set on the box's editor by a screen reader, voice control or automation, rather than
// typed, is the value 转换 converts: the box never shows one number and converts another.
TEST_F(UnitConverterTest, ConvertsTheValueSetThroughAccessibility) {
    struct Row {
        const char* how;
        void (*set)(QWidget* editor);
        QString converted;
    };
    const Row rows[] = {
        {"text interface",
         [](QWidget* editor) {
             QAccessible::queryAccessibleInterface(editor)->setText(QAccessible::Value, u"2"_s);
         },
         u"50.8"_s},
        {"replaceText",
         [](QWidget* editor) {
             QAccessible::queryAccessibleInterface(editor)->editableTextInterface()->replaceText(
                 0, 1, u"3"_s);
         },
         u"76.2"_s},
        {"insertText",
         [](QWidget* editor) {
             QAccessible::queryAccessibleInterface(editor)->editableTextInterface()->insertText(
                 0, u"1"_s);
         },
         u"254"_s},
        {"editor setText",
         [](QWidget* editor) { static_cast<QLineEdit*>(editor)->setText(u"4"_s); }, u"101.6"_s},
        {"letter", [](QWidget* editor) { static_cast<QLineEdit*>(editor)->setText(u"x"_s); },
         u"0"_s},
    };
    auto* inches = in<ComboBox>(0, u"第一个单位"_s);
    inches->setCurrentIndex(inches->findText(u"英寸"_s));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.how);
        value_box(0)->setText(u"0"_s);
        value_box(1)->setText(u"9"_s);
        row.set(value_box(0)->editor());
        EXPECT_EQ(value_box(0)->text(), static_cast<QLineEdit*>(value_box(0)->editor())->text());
        click(in<QPushButton>(0, u"转换"_s));
        EXPECT_EQ(value_box(1)->text(), row.converted);
    }
    // The letter is refused as a typed one is.
    EXPECT_EQ(m_host.messages, std::vector{u"输入错误"_s});
}

}  // namespace
