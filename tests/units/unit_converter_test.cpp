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
    // Picks `unit` from the box's list.
    static void choose(ComboBox* units, const QString& unit) {
        units->setCurrentIndex(units->findText(unit));
    }
    QString right_value(int category) { return in<TextBox>(category, u"第二个值"_s)->text(); }
    // The sixteen value boxes: the first then the second of each category.
    TextBox* value_box(int i) { return in<TextBox>(i / 2, i % 2 ? u"第二个值"_s : u"第一个值"_s); }
};

TEST_F(UnitConverterTest, ConvertsTheLeftValueIntoTheRightBoxOrSaysWhyNot) {
    for (int i = 0; i < kUnitCategoryCount; ++i) {
        for (const QString& role : {u"第一个单位"_s, u"第二个单位"_s}) {
            auto* units = in<ComboBox>(i, role);
            QStringList listed;
            for (int item = 0; item < units->count(); ++item) {
                listed << units->itemText(item);
            }
            EXPECT_EQ(listed, unit_categories()[i].unit_names());
            EXPECT_EQ(units->currentText(), unit_categories()[i].default_unit);
            EXPECT_EQ(units->currentIndex(), listed.indexOf(unit_categories()[i].default_unit));
        }
    }

    choose(in<ComboBox>(0, u"第一个单位"_s), u"英寸"_s);
    retype(in<TextBox>(0, u"第一个值"_s), u"2"_s);
    click(in<QPushButton>(0, u"转换"_s));
    EXPECT_EQ(right_value(0), u"50.8"_s);
    in<TextBox>(7, u"第一个值"_s)->setText(u"-40"_s);  // pasted: a lone "-" is refused
    choose(in<ComboBox>(7, u"第二个单位"_s), u"华氏度"_s);
    click(in<QPushButton>(7, u"转换"_s));
    EXPECT_EQ(right_value(7), u"-40"_s);
    EXPECT_TRUE(m_host.messages.empty());

    retype(in<ComboBox>(0, u"第二个单位"_s), u"mile"_s);
    click(in<QPushButton>(0, u"转换"_s));
    in<TextBox>(7, u"第一个值"_s)->setText(u"-300"_s);
    click(in<QPushButton>(7, u"转换"_s));
    EXPECT_EQ(m_host.messages, (std::vector<QString>{u"“mile”不是长度的单位\r请在列表里选择单位"_s,
                                                     u"温度不能低于绝对零度（-273.15 摄氏度）"_s}));
    EXPECT_EQ(right_value(0), u"50.8"_s);
    EXPECT_EQ(right_value(7), u"-40"_s);
}

TEST_F(UnitConverterTest, EveryValueBoxRefusesALetterAndOnlyThatBoxChanges) {
    const auto values = [this] {
        QStringList texts;
        for (int i = 0; i < 2 * kUnitCategoryCount; ++i) {
            texts << value_box(i)->text();
        }
        return texts;
    };
    for (int refused = 0; refused < 2 * kUnitCategoryCount; ++refused) {
        QStringList expected;
        for (int i = 0; i < 2 * kUnitCategoryCount; ++i) {
            value_box(i)->setText(QString::number(i + 1));
            expected << (i == refused ? u"0"_s : QString::number(i + 1));
        }
        m_host.messages.clear();
        type(value_box(refused), u"x"_s);
        EXPECT_EQ(m_host.messages, std::vector<QString>{u"输入错误"_s}) << refused;
        EXPECT_EQ(values(), expected) << refused;
    }
}

}  // namespace
