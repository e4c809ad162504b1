#include "tests/support/form_test.h"
#include "tools/units/form/unit_converter_form.h"

#include <QPointer>

using namespace Qt::StringLiterals;

namespace {

class UnitConverterTest : public FormTest<UnitConverterForm> {
protected:
    TextBox* value_box(const QString& name, int index) {
        return control<TextBox>(m_form, name, index);
    }
    // The sixteen value boxes: Text1 then Text2 of each category.
    TextBox* box_at(int i) { return value_box(i % 2 ? u"Text2"_s : u"Text1"_s, i / 2); }
    QStringList all_values() {
        QStringList values;
        for (int i = 0; i < 2 * kUnitCategoryCount; ++i) {
            values << box_at(i)->text();
        }
        return values;
    }
};

TEST_F(UnitConverterTest, OffersSevenLengthUnitsAndOtherwiseOnlyTheDefaults) {
    const char16_t* units[] = {u"毫米", u"平方厘米", u"立方厘米",    u"毫升",
                               u"克",   u"马力",     u"公里/每小时", u"摄氏度"};
    const QStringList lengths = {u"厘米"_s, u"米"_s,   u"公里"_s, u"英寸"_s,
                                 u"英尺"_s, u"英里"_s, u"码"_s};
    for (int i = 0; i < kUnitCategoryCount; ++i) {
        for (const QString& name : {u"Combo1"_s, u"Combo2"_s}) {
            auto* combo = control<ComboBox>(m_form, name, i);
            QStringList items;
            for (int item = 0; item < combo->count(); ++item) {
                items << combo->itemText(item);
            }
            EXPECT_EQ(combo->text(), QString::fromUtf16(units[i]));
            EXPECT_EQ(items, i == 0 ? lengths : QStringList()) << i;
        }
    }
}

TEST_F(UnitConverterTest, EveryValueBoxRefusesALetterAndOnlyThatBoxChanges) {
    for (int refused = 0; refused < 2 * kUnitCategoryCount; ++refused) {
        QStringList expected;
        for (int i = 0; i < 2 * kUnitCategoryCount; ++i) {
            box_at(i)->setText(QString::number(i + 1));
            expected << (i == refused ? u"0"_s : QString::number(i + 1));
        }
        m_host.messages.clear();
        type(box_at(refused), u"x"_s);
        EXPECT_EQ(m_host.messages, std::vector<QString>{u"输入错误"_s}) << refused;
        EXPECT_EQ(all_values(), expected) << refused;
    }
}

struct Typed {
    const char* keys;
    const char* text;
    int messages;
};

TEST_F(UnitConverterTest, KeystrokesThatLeaveNoNumberAreRefused) {
    // After a refusal the box holds "0" and the next keystroke goes after it.
    const Typed cases[] = {
        {"12.5", "12.5", 0}, {"-3", "03", 1},   {".5", "05", 1}, {"1e5", "05", 1},
        {"", "0", 1},        {" 7 ", "07 ", 1}, {"abc", "0", 3}, {"1e+05", "005", 2},
    };
    for (const Typed& c : cases) {
        TextBox* box = value_box(u"Text2"_s, 6);
        box->setText(u"5"_s);
        m_host.messages.clear();
        retype(box, QString::fromLatin1(c.keys));
        EXPECT_EQ(box->text(), QString::fromLatin1(c.text)) << c.keys;
        EXPECT_EQ(int(m_host.messages.size()), c.messages) << c.keys;
        EXPECT_EQ(value_box(u"Text1"_s, 6)->text(), u"0"_s);
    }
}

}  // namespace
