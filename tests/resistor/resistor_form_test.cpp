#include "tools/resistor/form/resistor_form.h"
#include "shell/widgets/look.h"
#include "tests/support/form_test.h"

#include <QPointer>

#include <algorithm>
#include <tuple>

using namespace Qt::StringLiterals;

namespace {

class ResistorFormTest : public FormTest<ResistorForm> {
protected:
    // Colour buttons are found as a screen reader finds them, by band and colour name.
    QPushButton* colour_button(int band, QChar colour) {
        const auto buttons = m_form->findChildren<QPushButton*>();
        const auto found = std::find_if(buttons.begin(), buttons.end(), [&](QPushButton* b) {
            return b->accessibleName() == u"第%1环 %2"_s.arg(band).arg(colour);
        });
        return found == buttons.end() ? nullptr : *found;
    }
    // Clicks the colours of `bands` in turn: bands 1, 2, 4, 5 for four, 1 to 5 for five.
    void pick(int count, QStringView colours) {
        const int four[] = {1, 2, 4, 5};
        for (int i = 0; i < colours.size(); ++i) {
            click(colour_button(count == 4 ? four[i] : i + 1, colours[i]));
        }
    }
    void choose(int bands) {
        click(control<QRadioButton>(m_form, bands == 4 ? u"Option1"_s : u"Option2"_s));
    }
    QString convert() {
        click(control<QPushButton>(m_form, u"Command64"_s));
        return control<TextBox>(m_form, u"Text4"_s)->text();
    }
    QList<QColor> stripes() {
        QList<QColor> colours;
        for (int label = 38; label <= 42; ++label) {
            colours
                << find_control(m_form, u"Label%1"_s.arg(label))->palette().color(QPalette::Window);
        }
        return colours;
    }
};

TEST_F(ResistorFormTest, ColourButtonsStandInTheirColumns) {
    // Band 1 brown, band 3 green (inside Picture2), band 5 silver; 46 colours and 转换 in all.
    const std::tuple<int, int, char16_t, Twips> samples[] = {
        {6, 1, u'棕', {1560, 2880, 255, 375}},
        {42, 3, u'绿', {2280, 4320, 255, 375}},
        {58, 5, u'银', {3240, 6840, 255, 375}}};
    for (const auto& [number, band, colour, place] : samples) {
        auto* button = control<QPushButton>(m_form, u"Command%1"_s.arg(number));
        EXPECT_EQ(button, colour_button(band, colour)) << number;
        EXPECT_EQ(QRect(button->mapTo(m_form, QPoint()), button->size()), to_pixels(place));
    }
    EXPECT_EQ(m_form->findChildren<QPushButton*>().size(), 46 + 1);
    EXPECT_EQ(find_control(m_form, u"Label21"_s)->palette().color(QPalette::Window),
              menu_text_colour());
    EXPECT_EQ(colour_button(4, u'黑')->palette().color(QPalette::Button), window_text_colour());
    EXPECT_EQ(control<QLabel>(m_form, u"Label36"_s)->text(), u"  1  2  3  4    5"_s);
    EXPECT_EQ(control<QLabel>(m_form, u"Label43"_s)->text(),
              u"4色环选1，2，4，5         5色环选1，2，3，4，5"_s);
}

struct Example {
    int bands;
    const char16_t* colours;
    const char16_t* result;
};

TEST_F(ResistorFormTest, ConvertsTheColoursClicked) {
    const Example examples[] = {{4, u"", u"1千欧 精度1%"},
                                {5, u"", u"10.2千欧 精度1%"},
                                {4, u"黄紫银金", u"0.47欧姆 精度5%"},
                                {4, u"棕黑银银", u"0.1欧姆 精度10%"},
                                {4, u"棕黑金", u"1欧姆 精度1%"},
                                {4, u"白白棕", u"990欧姆 精度1%"},
                                {4, u"白白红红", u"9.9千欧 精度2%"},
                                {4, u"棕黑红绿", u"1千欧 精度0.5%"},
                                {4, u"棕黑绿蓝", u"1兆欧 精度0.25%"},
                                {4, u"黄紫绿紫", u"4.7兆欧 精度0.1%"},
                                {4, u"白白蓝", u"99兆欧 精度1%"},
                                {5, u"黄紫绿金棕", u"47.5欧姆 精度1%"},
                                {5, u"白白白棕", u"9.99千欧 精度1%"},
                                {5, u"白白白蓝灰", u"999兆欧 精度0.05%"},
                                {5, u"棕黑黑银", u"1欧姆 精度1%"},
                                {5, u"棕黑黑棕", u"1千欧 精度1%"},
                                {5, u"橙蓝灰绿红", u"36.8兆欧 精度2%"}};
    for (const Example& example : examples) {
        choose(example.bands);
        pick(example.bands, QStringView(example.colours));
        EXPECT_EQ(convert(), QString::fromUtf16(example.result)) << example.bands;
    }
    EXPECT_TRUE(m_host.messages.empty());
}

TEST_F(ResistorFormTest, ModesResetStripesAndPicks) {
    // No mode: the box is emptied, the message shown, and no result written.
    type(control<TextBox>(m_form, u"Text4"_s), u"1k"_s);
    EXPECT_EQ(convert(), QString());
    EXPECT_EQ(m_host.messages, std::vector<QString>{u"你没选中色环"_s});

    const QColor brown = rgb(128, 0, 0), red = rgb(255, 0, 0), white = rgb(255, 255, 255);
    EXPECT_EQ(stripes(), QList<QColor>({brown, rgb(0, 0, 0), white, red, brown}));
    // Bands 1, 2, 4 and 5 take colours before a mode; band 3 does not, nor does convert.
    pick(5, u"白白绿黄银");
    EXPECT_EQ(stripes(),
              QList<QColor>({white, white, white, rgb(255, 255, 0), rgb(224, 224, 224)}));
    EXPECT_EQ(convert(), QString());

    choose(4);
    EXPECT_EQ(stripes(), QList<QColor>({brown, window_text_colour(), white, red, brown}));
    click(colour_button(3, u'蓝'));
    EXPECT_EQ(stripes()[2], white);
    EXPECT_EQ(convert(), u"1千欧 精度1%"_s);

    choose(5);
    EXPECT_EQ(control<TextBox>(m_form, u"Text4"_s)->text(), QString());
    EXPECT_EQ(stripes(), QList<QColor>({brown, window_text_colour(), red, red, brown}));
    click(colour_button(3, u'绿'));
    EXPECT_EQ(stripes()[2], rgb(15, 240, 0));
    click(colour_button(3, u'灰'));
    EXPECT_EQ(stripes()[2], rgb(128, 128, 128));
    EXPECT_EQ(convert(), u"10.8千欧 精度1%"_s);

    choose(4);
    EXPECT_FALSE(control<QRadioButton>(m_form, u"Option2"_s)->isChecked());
    EXPECT_EQ(stripes()[2], white);
    choose(5);
    EXPECT_EQ(convert(), u"10.2千欧 精度1%"_s);
}

}  // namespace
