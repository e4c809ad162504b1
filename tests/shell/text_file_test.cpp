#include "shell/host/text_file.h"
#include "shell/host/form_host.h"
#include "shell/host/readme_text.h"
#include "tests/support/recording_form_host.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray bytes_of(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

void put_bytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

TEST(SplitLines, EndsLinesAtCrCrLfOrTheEnd) {
    const std::pair<QString, QStringList> cases[] = {
        {u""_s, {}},
        {u"a"_s, {u"a"_s}},
        {u"a\r\nb\r\nc\r\n"_s, {u"a"_s, u"b"_s, u"c"_s}},
        {u"a\rb\rc"_s, {u"a"_s, u"b"_s, u"c"_s}},
        {u"a\r\n\r\nb"_s, {u"a"_s, u""_s, u"b"_s}},
        {u"a\r\r\nb"_s, {u"a"_s, u""_s, u"b"_s}},
        {u"\r\n"_s, {u""_s}},
        {u"a\nb\r\n"_s, {u"a\nb"_s}},  // a lone LF is part of the line
        {u"a\n\rb"_s, {u"a\n"_s, u"b"_s}},
    };
    for (const auto& [text, lines] : cases) {
        EXPECT_EQ(split_lines(text), lines) << text.toStdString();
    }
}

// GBK pairs that look like two-byte UTF-8 sequences are GBK; UTF-8 needs a byte-order mark or
// a sequence of three or more bytes.
TEST(DecodeText, ReadsUtf8OnlyWhenItCannotBeGbk) {
    const QString lookalikes = u"平频贫品聘乒坪苹萍凭瓶漂瓢票撇瞥拼暖女努怒"_s;
    const std::pair<QByteArray, QString> cases[] = {
        {QByteArray::fromHex("cbb5c3f7cec4bcfe"), u"说明文件"_s},
        {QByteArray::fromHex("cfaf"), u"席"_s},
        {QByteArray::fromHex("c2a1"), u"隆"_s},
        {encode_text(lookalikes), lookalikes},
        {QByteArray::fromHex("a6b8a1e6"), u"Ω℃"_s},
        {QByteArray::fromHex("9439fc36"), u"😀"_s},  // outside GBK, four GB18030 bytes
        {u"说明文件"_s.toUtf8(), u"说明文件"_s},
        {u"Ω 说明"_s.toUtf8(), u"Ω 说明"_s},
        {QByteArray("\xEF\xBB\xBF") + u"说明"_s.toUtf8(), u"说明"_s},
        {QByteArray("\xEF\xBB\xBF") + u"été"_s.toUtf8(), u"été"_s},
        {u"été"_s.toUtf8(), u"茅t茅"_s},             // two-byte UTF-8 alone reads as GBK
        {"caf\xE9 cr\xE8me", u"caf\uFFFD cr鑝e"_s},  // Latin-1
        {"plain ASCII", u"plain ASCII"_s},
    };
    for (const auto& [bytes, text] : cases) {
        EXPECT_EQ(decode_text(bytes), text) << bytes.toHex().toStdString();
    }
}

TEST(EncodeText, WritesGbkBytesAndKeepsEveryOtherCharacter) {
    EXPECT_EQ(encode_text(u"Ω℃"_s), QByteArray::fromHex("a6b8a1e6"));
    EXPECT_EQ(encode_text(u"retlw  0x03;0"_s), QByteArray("retlw  0x03;0"));
    EXPECT_EQ(decode_text(encode_text(u"é😀中"_s)), u"é😀中"_s);
}

class TextFiles : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

TEST_F(TextFiles, WriteCreatesOrEmptiesTheFileAndEndsWithCrLf) {
    const QString file = path(u"out.txt"_s);
    put_bytes(file, QByteArray(1000, 'x'));
    EXPECT_FALSE(write_text_file(file, u"电阻值=10000Ω"_s));
    EXPECT_EQ(bytes_of(file), encode_text(u"电阻值=10000Ω"_s) + "\r\n");
    EXPECT_FALSE(write_text_file(file, QString()));
    EXPECT_EQ(bytes_of(file), QByteArray("\r\n"));
}

TEST_F(TextFiles, TextGb18030CannotHoldFailsAndLeavesTheFileAsItWas) {
    const QString file = path(u"out.txt"_s);
    put_bytes(file, "old table");
    const QString lone_surrogate = u"表"_s + QChar(0xD800);
    EXPECT_TRUE(write_text_file(file, lone_surrogate));
    EXPECT_EQ(bytes_of(file), QByteArray("old table"));

    RecordingFormHost host;
    EXPECT_FALSE(save_text_file(host, file, lone_surrogate));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(host.messages[0].contains(write_text_file(file, lone_surrogate)->reason));
    EXPECT_EQ(bytes_of(file), QByteArray("old table"));
}

TEST_F(TextFiles, SaveTellsTheUserWhichFileFailedAndWhy) {
    RecordingFormHost host;
    const QString bad = path(u"missing/表.txt"_s);
    EXPECT_FALSE(save_text_file(host, bad, u"table"_s));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(host.messages[0].contains(QDir::toNativeSeparators(bad)));
    EXPECT_TRUE(host.messages[0].contains(write_text_file(bad, u"x"_s)->reason));

    EXPECT_TRUE(save_text_file(host, path(u"good.txt"_s), u"table"_s));
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(bytes_of(path(u"good.txt"_s)), QByteArray("table\r\n"));
}

// Beyond kReadmeByteLimit bytes or kReadmeLineLimit characters of a line the text is cut, never
// inside a character, and the cut marked.
TEST_F(TextFiles, ReadmeTextEndsEveryLineWithCrLf) {
    const QByteArray long_line(kReadmeLineLimit, 'a');
    const QString long_text(kReadmeLineLimit, u'a');
    const QString cut = QString(kCutMark) + u"\r\n"_s;
    const qsizetype row_count = kReadmeByteLimit / 12;
    const QByteArray rows = QByteArray("0123456789\r\n").repeated(row_count);
    const QString rows_text = u"0123456789\r\n"_s.repeated(row_count);
    const std::pair<QByteArray, QString> cases[] = {
        {"", u""_s},
        {"one\r\ntwo\r\nthree\r\n", u"one\r\ntwo\r\nthree\r\n"_s},
        {"one\r\ntwo\r\nlast", u"one\r\ntwo\r\nlast\r\n"_s},
        {"one\rtwo\r", u"one\r\ntwo\r\n"_s},
        {"\r\n\r\n", u"\r\n\r\n"_s},
        {QByteArray::fromHex("cbb5c3f70d0a"), u"说明\r\n"_s},
        {u"说明\r\nΩ"_s.toUtf8(), u"说明\r\nΩ\r\n"_s},
        {long_line + "\r\nx", long_text + u"\r\nx\r\n"_s},
        {long_line + "b\r\nx", long_text + cut + u"x\r\n"_s},
        {long_line + "b\nx", long_text + kCutMark + u"\nx\r\n"_s},
        {QByteArray("abc\n").repeated(kReadmeLineLimit),
         u"abc\n"_s.repeated(kReadmeLineLimit) + u"\r\n"_s},
        {long_line.chopped(1) + QByteArray::fromHex("9439fc36"), long_text.chopped(1) + cut},
        {rows + "abcd", rows_text + u"abcd\r\n"_s},
        {rows + "abc\r\n", rows_text + u"abc\r\n"_s + cut},
        {rows + "a" + QByteArray::fromHex("cbb5c3f7"), rows_text + u"a说"_s + cut},
        {rows + u"说明"_s.toUtf8(), rows_text + u"说"_s + cut},
    };
    for (const auto& [bytes, text] : cases) {
        put_bytes(path(QString::fromUtf16(kReadmeName)), bytes);
        EXPECT_EQ(readme_text(m_dir.path()), text)
            << bytes.size() << " bytes ending " << bytes.right(8).toHex().toStdString();
    }
}

TEST_F(TextFiles, MissingReadmeGivesEmptyText) {
    EXPECT_EQ(readme_text(m_dir.path()), QString());
}

}  // namespace
