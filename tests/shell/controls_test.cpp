#include "shell/widgets/controls.h"
#include "shell/goodbye_window.h"
#include "shell/widgets/look.h"
#include "tests/support/form_test.h"

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
        const QString family = QFontInfo(font).family();
        EXPECT_TRUE(
            QFontDatabase::writingSystems(family).contains(QFontDatabase::SimplifiedChinese))
            << family.toStdString();
    }
    QWidget parent;
    QLabel* label = add_label(&parent, u"Label1"_s, u"x"_s, {0, 0, 1500, 375});
    set_background(label, rgb(192, 255, 255));
    // Seen through the window: a label that did not fill its background would show the window's.
    EXPECT_EQ(parent.grab().toImage().pixelColor(label->width() - 2, 1), rgb(192, 255, 255));
}

// A box tells of every change of its text, typed or set, but not of the same text again; a
// multi-line box shows its lines and hands them back with CR LF, a single-line box its first line.
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
    box = add_text_box(&parent, u"文本框6"_s, u"1250\r\n\r\n"_s, {0, 0, 1455, 495}, u"avg"_s);
    EXPECT_EQ(qobject_cast<QLineEdit*>(box->editor())->text(), u"1250"_s);
}

using GoodbyeWindowTest = FormTest<GoodbyeWindow>;

// The window is the five pieces of letters, not one block: clicks beside them fall through, and a
// letter drags the window.
TEST_F(GoodbyeWindowTest, IsShapedLikeItsWordsAndDraggedByThem) {
    const QRegion letters = m_form->letter_region();
    EXPECT_EQ(m_form->mask(), letters);
    // The pieces start at x = 110 and y = 200.
    EXPECT_GE(letters.boundingRect().left(), 110);
    EXPECT_GE(letters.boundingRect().top(), 200);
    EXPECT_GT(letters.rectCount(), 5);

    const QPoint on_letter = letters.begin()->center();
    const QPoint before = m_form->pos();
    QTest::mousePress(m_form, Qt::LeftButton, {}, on_letter);
    QTest::mouseMove(m_form, on_letter + QPoint(30, 40));
    QTest::mouseRelease(m_form, Qt::LeftButton, {}, on_letter + QPoint(30, 40));
    EXPECT_EQ(m_form->pos(), before + QPoint(30, 40));
}

}  // namespace
