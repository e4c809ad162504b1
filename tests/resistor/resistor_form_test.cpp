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

// The chart shows every colour exactly as it is, not a lighter shade of it.
TEST_F(ResistorFormTest, ColourButtonsShowTheirExactColours) {
    const std::pair<int, QChar> buttons[] = {{1, u'棕'}, {2, u'紫'}, {3, u'绿'}, {4, u'金'}};
    for (const auto& [band, colour] : buttons) {
        QPushButton* button = colour_button(band, colour);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->grab().toImage().pixelColor(button->rect().center()),
                  button->palette().color(QPalette::Button))
            << QString(colour).toStdString();
    }
    EXPECT_EQ(colour_button(1, u'棕')->palette().color(QPalette::Button), rgb(128, 0, 0));
}

TEST_F(ResistorFormTest, ConvertsTheColoursClicked) {
    const struct {
        int bands;
        const char16_t* colours;
        const char16_t* result;
    } examples[] = {{5, u"橙蓝灰绿红", u"36.8兆欧 精度2%"}};
    for (const auto& example : examples) {
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
