#include "base/text_file.h"
#include "base/readme_text.h"
#include "shell/host/form_host.h"
#include "tests/support/recording_form_host.h"
#include "tests/support/small_tmpfs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// GBK pairs that look like two-byte UTF-8 sequences are GBK; UTF-8 needs a byte-order mark or
// a sequence of three or more bytes.
TEST(TextFile, ReadsUtf8OnlyWhenItCannotBeGbk) {
    const QString lookalikes = u"平频贫品聘乒坪苹萍凭瓶漂瓢票撇瞥拼暖女努怒"_s;
    const std::pair<QByteArray, QString> rows[] = {
        {QByteArray::fromHex("cbb5c3f7cec4bcfe"), u"说明文件"_s},
        {encode_text(lookalikes), lookalikes},
        {QByteArray::fromHex("9439fc36"), u"😀"_s},  // outside GBK, four GB18030 bytes
        {u"Ω 说明"_s.toUtf8(), u"Ω 说明"_s},
        {QByteArray("\xEF\xBB\xBF") + u"été"_s.toUtf8(), u"été"_s},
        {u"été"_s.toUtf8(), u"茅t茅"_s},             // two-byte UTF-8 alone reads as GBK
        {"caf\xE9 cr\xE8me", u"caf\uFFFD cr鑝e"_s},  // Latin-1
    };
    for (const auto& [bytes, text] : rows) {
        EXPECT_EQ(decode_text(bytes), text) << bytes.toHex().toStdString();
    }
    EXPECT_EQ(encode_text(u"Ω℃"_s), QByteArray::fromHex("a6b8a1e6"));
}

class TextFiles : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

// A save that fails leaves the old file and its folder as they were (no empty file renamed over
// it, no temporary file left behind) and tells the user which file failed and why: text GB18030
// cannot hold, a missing folder, a disk with no room left (a small tmpfs, filled).
TEST_F(TextFiles, ASaveThatFailsKeepsTheOldFileAndSaysWhy) {
    SmallTmpfs disk;
    const QString file = disk.mounted() ? disk.path(u"表.txt"_s) : path(u"表.txt"_s);
    RecordingFormHost host;
    ASSERT_TRUE(save_text_file(host, file, u"电阻值=10000Ω"_s));
    const QByteArray old = encode_text(u"电阻值=10000Ω"_s) + "\r\n";  // checked below
    const QDir folder = QFileInfo(file).dir();
    std::vector<std::tuple<QString, QString, QString>> rows = {
        {file, u"表"_s + QChar(0xD800), u"文本中有 GB18030 编码无法保存的字符"_s},
        {folder.filePath(u"missing/表.txt"_s), u"table"_s, u"No such file or directory"_s},
    };
    if (disk.mounted()) {
        disk.fill();
        for (const QString& text : {u"t"_s, u"表"_s.repeated(100000)}) {
            rows.push_back({file, text, u"No space left on device"_s});
        }
        rows.push_back({folder.filePath(u"new.txt"_s), u"t"_s, u"No space left on device"_s});
    }
    const QStringList before = folder.entryList(QDir::Files | QDir::Hidden);
    for (const auto& [where, text, why] : rows) {
        SCOPED_TRACE(where.toStdString() + " " + why.toStdString());
        host.messages.clear();
        EXPECT_FALSE(save_text_file(host, where, text));
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_TRUE(host.messages[0].contains(QDir::toNativeSeparators(where)));
        EXPECT_TRUE(host.messages[0].endsWith(u'\r' + why)) << host.messages[0].toStdString();
        EXPECT_EQ(file_bytes(file), old);
        EXPECT_EQ(folder.entryList(QDir::Files | QDir::Hidden), before);
    }
    if (!disk.mounted()) {
        GTEST_SKIP() << "No full-disk rows here: " << disk.why_not().toStdString();
    }
}

// A device or a named pipe takes the bytes in place, as a shell's redirection gives them, and
// stays what it is; a regular file keeps its permissions when it is replaced.
TEST_F(TextFiles, DevicesAndPipesAreWrittenInPlace) {
    const QString null = null_device(m_dir.path());
    EXPECT_FALSE(write_text_file(null, u"table"_s));
    EXPECT_FALSE(QFileInfo(null).isFile());

    const QByteArray fifo = QFile::encodeName(path(u"fifo"_s));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    const int reader = ::open(fifo.constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_FALSE(write_text_file(path(u"fifo"_s), u"电阻"_s));
    char piped[16] = {};
    EXPECT_EQ(QByteArray(piped, ::read(reader, piped, sizeof piped)), encode_text(u"电阻\r\n"_s));
    ::close(reader);
    EXPECT_FALSE(QFileInfo(path(u"fifo"_s)).isFile());

    const QString file = path(u"表.txt"_s);
    ASSERT_FALSE(write_file_bytes(file, "old"));
    ASSERT_TRUE(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner));
    EXPECT_FALSE(write_text_file(file, u"new"_s));
    EXPECT_EQ(file_bytes(file), QByteArray("new\r\n"));
    EXPECT_EQ(QFile::permissions(file) & QFile::Permissions(0x7077),
              QFile::ReadOwner | QFile::WriteOwner);
    // A link to the file: the file is replaced, the link stays a link.
    ASSERT_TRUE(QFile::link(file, path(u"link"_s)));
    EXPECT_FALSE(write_text_file(path(u"link"_s), u"newer"_s));
    EXPECT_TRUE(QFileInfo(path(u"link"_s)).isSymLink());
    EXPECT_EQ(file_bytes(file), QByteArray("newer\r\n"));
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
        {"one\r\ntwo\r\nlast", u"one\r\ntwo\r\nlast\r\n"_s},
        {"one\rtwo\r\r\n", u"one\r\ntwo\r\n\r\n"_s},
        {QByteArray::fromHex("cbb5c3f70d0a"), u"说明\r\n"_s},
        {long_line + "\r\nx", long_text + u"\r\nx\r\n"_s},
        {long_line + "b\r\nx", long_text + cut + u"x\r\n"_s},
        {long_line + "b\nx", long_text + kCutMark + u"\nx\r\n"_s},
        {long_line.chopped(1) + QByteArray::fromHex("9439fc36"), long_text.chopped(1) + cut},
        {rows + "abcd", rows_text + u"abcd\r\n"_s},
        {rows + "abc\r\n", rows_text + u"abc\r\n"_s + cut},
        {rows + "a" + QByteArray::fromHex("cbb5c3f7"), rows_text + u"a说"_s + cut},
    };
    EXPECT_EQ(readme_text(m_dir.path()), QString());  // no readme
    for (const auto& [bytes, text] : cases) {
        ASSERT_FALSE(write_file_bytes(path(QString::fromUtf16(kReadmeName)), bytes));
        EXPECT_EQ(readme_text(m_dir.path()), text)
            << bytes.size() << " bytes ending " << bytes.right(8).toHex().toStdString();
    }
}

}  // namespace
