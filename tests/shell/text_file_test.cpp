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

TEST(DecodeText, ReadsGbkAndUtf8) {
    EXPECT_EQ(decode_text(QByteArray::fromHex("cbb5c3f7cec4bcfe")), u"说明文件"_s);
    EXPECT_EQ(decode_text(u"说明文件"_s.toUtf8()), u"说明文件"_s);
    EXPECT_EQ(decode_text(QByteArray("\xEF\xBB\xBF") + u"说明"_s.toUtf8()), u"说明"_s);
    EXPECT_EQ(decode_text("plain ASCII"), u"plain ASCII"_s);
    EXPECT_EQ(decode_text(QByteArray::fromHex("a6b8a1e6")), u"Ω℃"_s);
    // A character outside GBK in its four-byte GB18030 form.
    EXPECT_EQ(decode_text(QByteArray::fromHex("9439fc36")), u"😀"_s);
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

TEST_F(TextFiles, ReadLinesOfAMissingFileGivesNothing) {
    EXPECT_FALSE(read_text_lines(path(u"none.txt"_s)));
}

TEST_F(TextFiles, ReadmeTextEndsEveryLineWithCrLf) {
    const std::pair<QByteArray, QString> cases[] = {
        {"", u""_s},
        {"one\r\ntwo\r\nthree\r\n", u"one\r\ntwo\r\nthree\r\n"_s},
        {"one\r\ntwo\r\nlast", u"one\r\ntwo\r\nlast\r\n"_s},
        {"one\rtwo\r", u"one\r\ntwo\r\n"_s},
        {"\r\n\r\n", u"\r\n\r\n"_s},
        {QByteArray::fromHex("cbb5c3f70d0a"), u"说明\r\n"_s},
        {u"说明\r\nΩ"_s.toUtf8(), u"说明\r\nΩ\r\n"_s},
    };
    for (const auto& [bytes, text] : cases) {
        put_bytes(path(QString::fromUtf16(kReadmeName)), bytes);
        EXPECT_EQ(readme_text(m_dir.path()), text) << bytes.toHex().toStdString();
    }
}

TEST_F(TextFiles, MissingReadmeGivesEmptyText) {
    EXPECT_EQ(readme_text(m_dir.path()), QString());
}

}  // namespace
