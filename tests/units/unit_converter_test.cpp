#include "tests/support/form_test.h"
#include "tools/units/form/unit_converter_form.h"

#include <QPointer>

using namespace Qt::StringLiterals;

namespace {

class UnitConverterTest : public FormTest<UnitConverterForm> {
protected:
    // The sixteen value boxes, as a screen reader names them: the first then the second value of
    // each category.
    TextBox* box_at(int i) {
        return control<TextBox>(
            m_form, unit_categories()[i / 2].title + (i % 2 ? u" 第二个值"_s : u" 第一个值"_s));
    }
    QStringList all_values() {
        QStringList values;
        for (int i = 0; i < 2 * kUnitCategoryCount; ++i) {
            values << box_at(i)->text();
        }
        return values;
    }
};

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
        TextBox* box = box_at(13);
        box->setText(u"5"_s);
        m_host.messages.clear();
        retype(box, QString::fromLatin1(c.keys));
        EXPECT_EQ(box->text(), QString::fromLatin1(c.text)) << c.keys;
        EXPECT_EQ(int(m_host.messages.size()), c.messages) << c.keys;
        EXPECT_EQ(box_at(12)->text(), u"0"_s);
    }
}

}  // namespace
