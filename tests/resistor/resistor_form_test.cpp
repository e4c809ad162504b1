#include "tools/resistor/form/resistor_form.h"
#include "shell/widgets/look.h"
#include "tests/support/form_test.h"

using namespace Qt::StringLiterals;

namespace {

class ResistorFormTest : public FormTest<ResistorForm> {
protected:
    // The colours of the resistor's five stripes.
    QList<QColor> stripes() {
        QList<QColor> colours;
        for (int label = 38; label <= 42; ++label) {
            colours
                << find_control(m_form, u"Label%1"_s.arg(label))->palette().color(QPalette::Window);
        }
        return colours;
    }
};

// Converting before a mode asks for one; a mode paints its stripes and reads them, and each
// colour clicked (found as a screen reader finds it, by band and name) paints its stripe.
TEST_F(ResistorFormTest, ConvertsTheColoursClicked) {
    retype(box(u"转换结果"_s), u"1k"_s);
    press(u"转换"_s);
    EXPECT_EQ(text(u"转换结果"_s), QString());
    EXPECT_EQ(m_host.messages, std::vector<QString>{u"你没选中色环"_s});

    const QColor brown = rgb(128, 0, 0), red = rgb(255, 0, 0), white = rgb(255, 255, 255);
    EXPECT_EQ(stripes(), QList<QColor>({brown, rgb(0, 0, 0), white, red, brown}));
    press(u"4色环"_s);
    press(u"第3环 蓝"_s);  // no third band on four
    EXPECT_EQ(stripes(), QList<QColor>({brown, window_text_colour(), white, red, brown}));
    press(u"转换"_s);
    EXPECT_EQ(text(u"转换结果"_s), u"1千欧 精度1%"_s);

    press(u"5色环"_s);
    EXPECT_EQ(text(u"转换结果"_s), QString());
    for (const QString& colour : {u"第1环 橙"_s, u"第2环 蓝"_s, u"第3环 绿"_s, u"第4环 绿"_s}) {
        press(colour);
    }
    EXPECT_EQ(stripes(), QList<QColor>({rgb(255, 128, 0), rgb(0, 0, 255), rgb(15, 240, 0),
                                        rgb(0, 255, 0), brown}));
    press(u"转换"_s);
    EXPECT_EQ(text(u"转换结果"_s), u"36.5兆欧 精度1%"_s);
    // The chart shows every colour exactly as it is, not a lighter shade of it: black in the
    // window-text colour, the digits in band 2, gold and silver in band 4.
    const QString names = u"黑棕红橙黄绿蓝紫灰白金银"_s;
    const QRgb faces[] = {0,        0x800000, 0xFF0000, 0xFF8000, 0xFFFF00, 0x00FF00,
                          0x0000FF, 0xFF00FF, 0x808080, 0xFFFFFF, 0xFFC080, 0xE0E0E0};
    for (int i = 0; i < names.size(); ++i) {
        QAbstractButton* swatch = button(u"第%1环 %2"_s.arg(i < 10 ? 2 : 4).arg(names[i]));
        EXPECT_EQ(swatch->grab().toImage().pixelColor(swatch->rect().center()),
                  i == 0 ? window_text_colour() : QColor(faces[i]))
            << i;
    }
}

}  // namespace
