#include "tests/support/form_test.h"
#include "tools/units/form/unit_converter_form.h"

#include <QAccessible>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace {

// Each category's title and the unit both its boxes open at.
const std::pair<const char16_t*, const char16_t*> kCategories[] = {
    {u"长度", u"毫米"}, {u"面积", u"平方厘米"}, {u"体积", u"立方厘米"},    {u"容积", u"毫升"},
    {u"重量", u"克"},   {u"功率", u"马力"},     {u"速度", u"公里/每小时"}, {u"温度", u"摄氏度"}};

class UnitConverterTest : public FormTest<UnitConverterForm> {
protected:
    // A control of a category as a screen reader names it: "长度 第一个值", "温度 转换".
    template <typename Control>
    Control* in(int category, const QString& role) {
        return control<Control>(m_form,
                                QString::fromUtf16(kCategories[category].first) + u' ' + role);
    }
    // The sixteen value boxes: the first then the second of each category.
    TextBox* value_box(int i) { return in<TextBox>(i / 2, i % 2 ? u"第二个值"_s : u"第一个值"_s); }
    ComboBox* unit_box(int i) {
        return in<ComboBox>(i / 2, i % 2 ? u"第二个单位"_s : u"第一个单位"_s);
    }
};

// Both unit boxes of a category open at its default unit; 2 英寸 chosen from the list on the
// left goes into the 毫米 the right box opened with, however the value got into its box: typed,
// or set on the editor by a screen reader, voice control or automation. What cannot be
// converted says why and leaves the right box alone.
TEST_F(UnitConverterTest, ConvertsTheLeftValueIntoTheRightBoxOrSaysWhyNotAndRefusesLetters) {
    for (int i = 0; i < 2 * kUnitCategoryCount; ++i) {
        EXPECT_EQ(unit_box(i)->text(), QString::fromUtf16(kCategories[i / 2].second)) << i;
    }
    unit_box(0)->setCurrentIndex(unit_box(0)->findText(u"英寸"_s));
    auto* editor = static_cast<QLineEdit*>(value_box(0)->editor());
    const std::tuple<char, QString, const char16_t*> rows[] = {
        {'t', u"2"_s, u"50.8"}, {'a', u"4"_s, u"101.6"}, {'e', u"3"_s, u"76.2"}};
    for (const auto& [how, value, converted] : rows) {
        if (how == 't') {
            retype(value_box(0), value);
        } else if (how == 'a') {
            QAccessible::queryAccessibleInterface(editor)->setText(QAccessible::Value, value);
        } else {
            editor->setText(value);
        }
        click(in<QPushButton>(0, u"转换"_s));
        EXPECT_EQ(value_box(1)->text(), QString::fromUtf16(converted)) << how;
    }
    value_box(14)->setText(u"-300"_s);  // pasted: a lone "-" is refused
    click(in<QPushButton>(7, u"转换"_s));
    retype(unit_box(1), u"mile"_s);
    click(in<QPushButton>(0, u"转换"_s));
    EXPECT_EQ(m_host.messages, (std::vector{u"温度不能低于绝对零度（-273.15 摄氏度）"_s,
                                            u"“mile”不是长度的单位\r请在列表里选择单位"_s}));
    EXPECT_EQ(value_box(1)->text(), u"76.2"_s);

    // Each box refuses a letter, however it got there, with "输入错误" and goes back to "0"; the
    // others keep their texts.
    m_host.messages.clear();
    const int boxes = 2 * kUnitCategoryCount;
    for (int i = 0; i < boxes; ++i) {
        value_box(i)->setText(QString::number(i + 1));
    }
    for (int i = 0; i < boxes; ++i) {
        type(value_box(i), u"x"_s);
        EXPECT_EQ(value_box(i)->text(), u"0"_s);
        // The next box keeps its number; after the last, the first keeps its 0.
        EXPECT_EQ(value_box((i + 1) % boxes)->text(), QString::number(i + 1 < boxes ? i + 2 : 0));
    }
    QAccessible::queryAccessibleInterface(editor)->setText(QAccessible::Value, u"x"_s);
    EXPECT_EQ(value_box(0)->text(), u"0"_s);
    EXPECT_EQ(m_host.messages, std::vector(boxes + 1, u"输入错误"_s));
}

}  // namespace
