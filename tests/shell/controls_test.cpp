#include "shell/widgets/controls.h"
#include "shell/widgets/look.h"
#include "tests/support/form_driver.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

TEST(Look, SongFacesAreChineseAndBackgroundsFillTheirControls) {
    for (const QFont& font : {song_font(9), fixed_pitch_song_font(15, kBold | kItalic)}) {
        const QFontInfo info(font);
        EXPECT_TRUE(
            QFontDatabase::writingSystems(info.family()).contains(QFontDatabase::SimplifiedChinese))
            << info.family().toStdString();
    }
    QWidget parent;
    QWidget* controls[] = {add_label(&parent, u"Label1"_s, u"x"_s, {0, 0, 1500, 375}),
                           add_option(&parent, u"Option1"_s, u"x"_s, {0, 600, 1500, 375})};
    for (QWidget* control : controls) {
        set_background(control, rgb(192, 255, 255));
        EXPECT_EQ(control->grab().toImage().pixelColor(control->width() - 2, 1), rgb(192, 255, 255))
            << control->objectName().toStdString();
    }
}

// A box tells of every change of its text, typed or set, but not of the same text again; a
// multi-line box shows its lines and hands them back with CR LF.
TEST(TextBox, FiresOnChangesAndKeepsCrLf) {
    QWidget parent;
    TextBox* box = add_text_box(&parent, u"文本框"_s, u"a\r\nb\rc"_s, {0, 0, 3000, 3000}, u"out"_s,
                                TextBox::Lines::kMulti, TextBox::ScrollBars::kVertical);
    QSignalSpy changes(box, &TextBox::changed);
    EXPECT_EQ(qobject_cast<QPlainTextEdit*>(box->editor())->toPlainText(), u"a\nb\nc"_s);
    box->setText(u"a\r\nb\rc"_s);
    box->setText(QString());
    type(box, u"x"_s);
    QTest::keyClick(box->editor(), Qt::Key_Return);
    type(box, u"y\u00A0"_s);  // a no-break space stays one
    EXPECT_EQ(box->text(), u"x\r\ny\u00A0"_s);
    EXPECT_EQ(changes.count(), 5);

    TextBox* line = add_text_box(&parent, u"文本框6"_s, QString(), {0, 0, 1455, 495}, u"avg"_s);
    line->setText(u"1250\r\n\r\n"_s);
    EXPECT_EQ(qobject_cast<QLineEdit*>(line->editor())->text(), u"1250"_s);
}

}  // namespace
