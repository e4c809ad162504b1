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

TEST(Fonts, SongFacesResolveToAnInstalledChineseFace) {
    for (const QFont& font : {song_font(9), new_song_font(15, kBold | kItalic)}) {
        const QFontInfo info(font);
        EXPECT_TRUE(
            QFontDatabase::writingSystems(info.family()).contains(QFontDatabase::SimplifiedChinese))
            << info.family().toStdString();
        EXPECT_TRUE(QFontMetrics(font).inFont(u'说'));
    }
}

TEST(Look, BackgroundFillsLabelsAndOptionButtons) {
    QWidget parent;
    QWidget* controls[] = {add_label(&parent, u"Label1"_s, u"x"_s, {0, 0, 1500, 375}),
                           add_option(&parent, u"Option1"_s, u"x"_s, {0, 600, 1500, 375})};
    for (QWidget* control : controls) {
        set_background(control, rgb(192, 255, 255));
        EXPECT_EQ(control->grab().toImage().pixelColor(control->width() - 2, 1), rgb(192, 255, 255))
            << control->objectName().toStdString();
    }
}

class TextBoxTest : public ::testing::TestWithParam<TextBox::Lines> {
protected:
    QWidget m_parent;
    TextBox* m_box = add_text_box(&m_parent, u"Text1"_s, u"start"_s, {0, 0, 3000, 1500}, u"box"_s,
                                  GetParam(), TextBox::ScrollBars::kVertical);
    QSignalSpy m_changes{m_box, &TextBox::changed};
};

TEST_P(TextBoxTest, FiresOnEveryChangeOfTheTextButNotForTheSameText) {
    m_box->setText(u"start"_s);
    EXPECT_EQ(m_changes.count(), 0);
    m_box->setText(u"next"_s);
    m_box->setText(QString());
    EXPECT_EQ(m_changes.count(), 2);
    type(m_box, u"7"_s);
    EXPECT_EQ(m_box->text(), u"7"_s);
    EXPECT_EQ(m_changes.count(), 3);
}

INSTANTIATE_TEST_SUITE_P(SingleAndMultiLine, TextBoxTest,
                         ::testing::Values(TextBox::Lines::kSingle, TextBox::Lines::kMulti));

TEST(TextBox, MultiLineShowsLinesAndTypesCrLf) {
    QWidget parent;
    TextBox* box = add_text_box(&parent, u"文本框"_s, QString(), {0, 0, 3000, 3000}, u"out"_s,
                                TextBox::Lines::kMulti, TextBox::ScrollBars::kVertical);
    box->setText(u"a\r\nb\rc"_s);
    auto* editor = qobject_cast<QPlainTextEdit*>(box->editor());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->toPlainText(), u"a\nb\nc"_s);
    box->setText(QString());
    type(box, u"x"_s);
    QTest::keyClick(box->editor(), Qt::Key_Return);
    type(box, u"y\u00A0"_s);  // a no-break space stays one
    QTest::keyClick(box->editor(), Qt::Key_Return, Qt::ShiftModifier);
    type(box, u"z"_s);
    EXPECT_EQ(box->text(), u"x\r\ny\u00A0\r\nz"_s);
}

TEST(TextBox, SingleLineShowsItsFirstLine) {
    QWidget parent;
    TextBox* box = add_text_box(&parent, u"文本框6"_s, QString(), {0, 0, 1455, 495}, u"avg"_s);
    box->setText(u"1250\r\n\r\n"_s);
    EXPECT_EQ(qobject_cast<QLineEdit*>(box->editor())->text(), u"1250"_s);
}

}  // namespace
