#include "tools/glyphs/form/glyphs_form.h"
#include "base/text_file.h"
#include "shell/cli/command_kit.h"
#include "tests/support/form_test.h"
#include "tools/glyphs/cli/glyphs_command.h"
#include "tools/glyphs/form/glyph_preview.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QPlainTextEdit>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

class GlyphsFormTest : public FormTest<GlyphsForm> {
protected:
    QWidget* box(const QString& name) { return find_control(m_form, name); }
    // Chinese comes from the input method, as it does on a desktop.
    void enter_text(const QString& text) {
        QWidget* edit = box(u"文字"_s);
        retype(edit, QString());
        QInputMethodEvent event;
        event.setCommitString(text);
        QCoreApplication::sendEvent(edit, &event);
    }
    QString current(const QString& list) { return control<QComboBox>(m_form, list)->currentText(); }
    QStringList shown() {
        return control<QPlainTextEdit>(m_form, u"输出"_s)->toPlainText().split(u'\n');
    }

    QTemporaryDir m_dir;
};

// Text in Unifont becomes a table whose saved file is what `brevik glyphs` writes for the same
// choices; a touched-up pixel stands through a change of layout until the text changes. A choice
// is kept once made, typed text once finished (Enter), a typed number on closing, and a window
// opened later makes the same table.
TEST_F(GlyphsFormTest, TextBecomesTheTableTheCommandWritesAndChoicesAreKept) {
    const auto stored = [this](const QString& key) {
        return m_host.settings()->value(u"glyphs/"_s + key);
    };
    enter_text(u"中"_s);
    QTest::keyClick(box(u"文字"_s), Qt::Key_Return);
    QTest::keyClicks(box(u"文字"_s), u"A"_s);
    EXPECT_EQ(stored(u"text"_s).toString(), u"中"_s);
    QTest::keyClick(box(u"文字"_s), Qt::Key_Return);
    EXPECT_EQ(stored(u"text"_s).toString(), u"中A"_s);
    choose(u"font"_s, u"Unifont"_s);
    press(u"8×16"_s);
    choose(u"scan"_s, u"列行"_s);
    EXPECT_EQ(stored(u"scan"_s).toInt(), 2);
    click(box(u"阳码"_s));
    choose(u"dialect"_s, u"A51"_s);
    const QString path = m_dir.filePath(u"字模.txt"_s);
    m_host.answer_dialog(path);
    press(u"保存"_s);

    const CommandRun command =
        run_command({glyphs_command()},
                    {u"glyphs"_s, u"--text"_s, u"中A"_s, u"--font"_s, u"Unifont"_s, u"--size"_s,
                     u"8x16"_s, u"--scan"_s, u"pages"_s, u"--inverse"_s, u"--dialect"_s, u"a51"_s});
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), command.output);
    EXPECT_EQ(shown(), with_line_feeds(decode_text(command.output).chopped(2)).split(u'\n'));
    press(u"复制"_s);
    EXPECT_EQ(QGuiApplication::clipboard()->text().split(u'\n'), shown());

    GlyphPreview* preview = m_form->preview();
    QTest::mouseClick(preview, Qt::LeftButton, {}, preview->pixel_centre(1, 0, 0));
    choose(u"scan"_s, u"逐行"_s);
    click(box(u"阴码"_s));
    press(u"生成"_s);
    EXPECT_EQ(shown().value(2).left(19), u"DB 80H,00H,00H,00H,"_s);
    enter_text(u"中A"_s);
    press(u"生成"_s);
    EXPECT_EQ(shown().value(2).left(19), u"DB 00H,00H,00H,00H,"_s);

    choose(u"scan"_s, u"行列"_s);
    choose(u"order"_s, u"低位在前"_s);
    control<QSpinBox>(m_form, u"阈值"_s)->setValue(77);
    EXPECT_EQ(stored(u"threshold"_s).toInt(), 128);
    press(u"生成"_s);
    const QStringList before = shown();
    m_form->close();
    EXPECT_EQ(stored(u"threshold"_s).toInt(), 77);
    flush_deletes();
    reopen();
    EXPECT_EQ(current(u"font"_s), u"Unifont"_s);
    press(u"生成"_s);
    EXPECT_EQ(shown(), before);
}

// A picture too large for a cell, an unreadable one, an empty text or a cell of 0: a message,
// no file, and the glyphs on show stay; a picture scaled to the cell then makes the table.
TEST_F(GlyphsFormTest, BadInputGivesAMessageAndLosesNothing) {
    QImage picture(200, 10, QImage::Format_RGB32);
    picture.fill(Qt::black);
    ASSERT_TRUE(picture.save(m_dir.filePath(u"logo.png"_s)));
    enter_text(u"中"_s);
    m_host.answer_dialog(m_dir.filePath(u"missing.png"_s));
    press(u"打开图片"_s);
    EXPECT_EQ(m_form->preview()->glyphs().size(), 1u);
    m_host.answer_dialog(m_dir.filePath(u"logo.png"_s));
    press(u"打开图片"_s);
    press(u"保存"_s);
    retype(box(u"宽度"_s), u"0"_s);
    click(box(u"缩放"_s));
    press(u"生成"_s);
    retype(box(u"文字"_s), QString());
    retype(box(u"宽度"_s), u"16"_s);
    press(u"保存"_s);
    ASSERT_EQ(m_host.messages.size(), 4u);
    m_host.messages[0].truncate(7);  // then the path and Qt's reason
    EXPECT_EQ(m_host.messages,
              std::vector({u"无法打开图片："_s, u"图片大于 128×128 点\r请勾选“缩放”"_s,
                           u"宽度和高度须在 1 到 128 之间"_s, u"请输入要取模的文字"_s}));
    EXPECT_EQ(m_host.dialogs.size(), 2u);  // the two pictures; no save

    m_host.answer_dialog(m_dir.filePath(u"logo.png"_s));
    press(u"打开图片"_s);
    press(u"生成"_s);
    EXPECT_EQ(shown().value(0), u"/* 图片：logo.png，16×16，逐行，高位在前，阴码 */"_s);
    EXPECT_EQ(shown().value(3), u"0xFF,"_s.repeated(16) + u" /* logo.png */"_s);
}

// A display's preset sets scan, order and polarity; a change by hand shows 自定义 until the
// options match a preset again. 数组名 names the C array and is for C alone.
TEST_F(GlyphsFormTest, PresetsSetTheLayoutAndTheArrayTakesItsName) {
    enter_text(u"A"_s);
    choose(u"preset"_s, u"SSD1306 / SH1106 / ST7565"_s);
    EXPECT_EQ(current(u"scan"_s) + current(u"order"_s), u"列行低位在前"_s);
    choose(u"scan"_s, u"逐列"_s);
    click(box(u"阳码"_s));
    EXPECT_EQ(current(u"preset"_s), u"自定义"_s);
    choose(u"preset"_s, u"ST7920 / LCD12864"_s);
    EXPECT_EQ(current(u"scan"_s) + current(u"order"_s), u"逐行高位在前"_s);
    EXPECT_TRUE(button(u"阴码"_s)->isChecked());
    EXPECT_EQ(current(u"preset"_s), u"ST7920 / LCD12864"_s);

    retype(box(u"数组名"_s), u"font_16"_s);
    press(u"生成"_s);
    EXPECT_EQ(shown().value(1), u"static const unsigned char font_16[32] = {"_s);
    retype(box(u"数组名"_s), u"16font"_s);
    press(u"生成"_s);
    ASSERT_EQ(m_host.messages.size(), 1u);
    EXPECT_TRUE(m_host.messages[0].startsWith(u"数组名须是 C 的名字"_s));
    EXPECT_EQ(shown(), QStringList{QString()});
    choose(u"dialect"_s, u"A51"_s);
    EXPECT_FALSE(box(u"数组名"_s)->isEnabled());
    EXPECT_FALSE(box(u"每字一个数组"_s)->isEnabled());
    press(u"生成"_s);
    EXPECT_EQ(m_host.messages.size(), 1u);
    EXPECT_TRUE(shown().value(1).startsWith(u"DB "_s));
}

}  // namespace
