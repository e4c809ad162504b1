#include "tests/support/form_driver.h"
#include "tests/support/recording_form_host.h"
#include "tools/units/form/unit_converter_form.h"

#include <QPointer>

using namespace Qt::StringLiterals;

namespace {

class UnitConverterTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_form = new UnitConverterForm(m_host);
        m_form->load();
        m_form->show();
    }
    void TearDown() override { delete m_form.data(); }

    TextBox* value_box(const QString& name, int index) {
        return control<TextBox>(m_form, name, index);
    }
    // The texts of all sixteen value boxes, Text1 then Text2 of each category.
    QStringList all_values() {
        QStringList values;
        for (int i = 0; i < kUnitCategoryCount; ++i) {
            values << value_box(u"Text1"_s, i)->text() << value_box(u"Text2"_s, i)->text();
        }
        return values;
    }

    RecordingFormHost m_host;
    QPointer<UnitConverterForm> m_form;
};

TEST_F(UnitConverterTest, LaysOutTheEightCategories) {
    EXPECT_EQ(m_form->windowTitle(), u"单位换算"_s);
    const char16_t* titles[] = {u"长度", u"面积", u"体积", u"容积",
                                u"重量", u"功率", u"速度", u"温度"};
    const char16_t* units[] = {u"毫米", u"平方厘米", u"立方厘米", u"毫升",
                               u"克",   u"马力",     u"公里/每小时", u"摄氏度"};
    for (int i = 0; i < kUnitCategoryCount; ++i) {
        EXPECT_EQ(control<QLabel>(m_form, u"Label1"_s, i)->text(), QString::fromUtf16(titles[i]));
        EXPECT_EQ(control<QLabel>(m_form, u"Label2"_s, i)->text(), u"输入"_s);
        EXPECT_EQ(control<QLabel>(m_form, u"Label3"_s, i)->text(), u"="_s);
        EXPECT_EQ(control<QPushButton>(m_form, u"Command2"_s, i)->text(), u"转换"_s);
        for (const QString& combo : {u"Combo1"_s, u"Combo2"_s}) {
            auto* box = control<ComboBox>(m_form, combo, i);
            EXPECT_EQ(box->text(), QString::fromUtf16(units[i]));
            EXPECT_EQ(box->count(), i == 0 ? 7 : 0);
        }
        EXPECT_EQ(value_box(u"Text1"_s, i)->text(), u"0"_s);
    }
    // Right-half categories sit 4920 twips further right.
    EXPECT_EQ(value_box(u"Text1"_s, 5)->geometry(), to_pixels(Twips{6000, 480, 1455, 375}));
    EXPECT_EQ(control<QLabel>(m_form, u"Label3"_s, 0)->y(), to_pixels(480));
    EXPECT_EQ(control<QLabel>(m_form, u"Label3"_s, 1)->y(), to_pixels(2160));
}

TEST_F(UnitConverterTest, LengthUnitsAreListedInOrder) {
    for (const QString& name : {u"Combo1"_s, u"Combo2"_s}) {
        auto* combo = control<ComboBox>(m_form, name, 0);
        QStringList items;
        for (int i = 0; i < combo->count(); ++i) {
            items << combo->itemText(i);
        }
        EXPECT_EQ(items, QStringList({u"厘米"_s, u"米"_s, u"公里"_s, u"英寸"_s, u"英尺"_s,
                                      u"英里"_s, u"码"_s}));
    }
}

TEST_F(UnitConverterTest, EveryValueBoxRefusesALetter) {
    for (const QString& name : {u"Text1"_s, u"Text2"_s}) {
        for (int i = 0; i < kUnitCategoryCount; ++i) {
            value_box(u"Text1"_s, 3)->setText(u"12.5"_s);
            if (name == u"Text1"_s && i == 3) {
                value_box(u"Text2"_s, 3)->setText(u"12.5"_s);
            }
            const QStringList before = all_values();
            m_host.messages.clear();
            type(value_box(name, i), u"x"_s);
            EXPECT_EQ(m_host.messages, std::vector<QString>{u"输入错误"_s})
                << name.toStdString() << i;
            EXPECT_EQ(value_box(name, i)->text(), u"0"_s);
            QStringList after = all_values();
            const int changed = 2 * i + (name == u"Text2"_s);
            after[changed] = before[changed];
            EXPECT_EQ(after, before) << "other boxes changed with " << name.toStdString() << i;
        }
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
        {"12.5", "12.5", 0}, {"-3", "03", 1}, {".5", "05", 1},   {"1e5", "05", 1},
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

TEST_F(UnitConverterTest, ConvertButtonsChangeNothing) {
    value_box(u"Text1"_s, 0)->setText(u"25"_s);
    const QStringList before = all_values();
    for (int i = 0; i < kUnitCategoryCount; ++i) {
        click(control<QPushButton>(m_form, u"Command2"_s, i));
    }
    EXPECT_EQ(all_values(), before);
    EXPECT_TRUE(m_host.messages.empty());
}

}  // namespace
