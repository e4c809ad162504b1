#include "shell/cli/command_kit.h"
#include "app/tool_catalog.h"
#include "base/text_file.h"
#include "tests/support/qt_printers.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class CommandKitTest : public testing::Test {
protected:
    // The words of `line`, where $seg and $glyphs stand for the two subcommands as a build script
    // gives them (values in capitals: every rule below holds for both), {dir} for the test's
    // folder and {empty} for an empty word.
    CommandRun run(const QString& line) {
        QStringList words =
            QString(line)
                .replace(u"$seg"_s, u"table segment --dialect PIC --common Anode"_s)
                .replace(u"$glyphs"_s, u"glyphs --text A --size 8X16 --dialect HEX --scan ROWS"_s)
                .replace(u"{dir}"_s, m_dir.path())
                .split(u' ', Qt::SkipEmptyParts);
        words.replaceInStrings(u"{empty}"_s, QString());
        return run_command(command_catalog(), words);
    }

    QTemporaryDir m_dir;
};

// The options, messages and exit statuses every subcommand shares: values in any case, each
// option once, help with the usage line and examples, 0 done, 1 a file not read or written,
// 2 a bad command line with nothing written.
TEST_F(CommandKitTest, EverySubcommandKeepsTheSameRules) {
    // The exit status, the command line, and what standard output starts with or a part of
    // standard error.
    const std::tuple<int, const char16_t*, const char16_t*> rows[] = {
        {0, u"$seg", u"retlw  0x03;0\r\nretlw  0x9F;1\r\n"},
        {0, u"$glyphs --order MSB", u"; 字体：Unifont"},
        {2, u"$seg --dialect pic", u"brevik table segment: --dialect is given twice; give each"},
        {2, u"$glyphs --bold --bold", u"brevik glyphs: --bold is given twice"},
        {2, u"$seg -o {empty}", u"brevik table segment: -o needs a value, not an empty one."},
        {2, u"$seg -o", u"brevik table segment: -o needs a value.\n"},
        {2, u"$seg --colour red", u"Valid options: --dialect, --common, --bits, --letters, -o, -h"},
        {2, u"$seg red", u"brevik table segment: Unexpected argument red."},
        {2, u"table segment --dialect=BASIC", u": 'BASIC' is not valid. Valid values: pic, a51"},
        {0, u"table segment --colour --help", u"Usage: brevik table segment --dialect"},
        {0, u"glyphs -h --colour", u"Usage: brevik glyphs --text TEXT [options]\n"},
        {0, u"table --help", u"Usage: brevik table segment --dialect pic|a51|c|emc --common"},
        {1, u"$seg -o {dir}/a/t", u"brevik table segment: cannot write {dir}/a/t: No such file"},
        {1, u"$glyphs -o {dir}", u"brevik glyphs: cannot write {dir}: Is a directory"},
        {1, u"table sensor --rt {dir}/x --dialect c --pull up --divider 1",
         u"brevik table sensor: cannot read {dir}/x: No such file or directory"},
        {2, u"bogus", u"brevik: 'bogus' is not a subcommand. Valid subcommands: table, glyphs"},
        {2, u"table", u"brevik table: name a subcommand: segment, sensor"},
        {2, u"table seg", u"table: 'seg' is not a subcommand. Valid subcommands: segment, sensor"},
    };
    for (const auto& [status, line, expected] : rows) {
        SCOPED_TRACE(QString::fromUtf16(line).toStdString());
        const CommandRun result = run(QString::fromUtf16(line));
        const QString text = QString::fromUtf16(expected).replace(u"{dir}"_s, m_dir.path());
        EXPECT_EQ(result.exit_status, status);
        // Done: all of it on standard output, nothing on standard error; else the other way.
        EXPECT_EQ(result.errors.isEmpty(), status == 0) << result.errors.toStdString();
        EXPECT_EQ(result.output.isEmpty(), status != 0);
        EXPECT_TRUE(status == 0 ? decode_text(result.output).startsWith(text)
                                : result.errors.contains(text))
            << result.errors.toStdString() << result.output.left(80).toStdString();
        if (text.startsWith(u"Usage: "_s)) {
            EXPECT_TRUE(result.output.contains("\nExamples:\n  brevik ") &&
                        result.output.contains("\nExit status: 0 done; 1 a file could not be "));
        } else if (status == 0) {
            // -o writes the same bytes, into a new file and over an old one (devices and named
            // pipes go through the same writer as every text file).
            for (int time = 0; time < 2; ++time) {
                EXPECT_EQ(run(QString::fromUtf16(line) + u" -o {dir}/表.txt"_s).output, "");
                QFile file(m_dir.filePath(u"表.txt"_s));
                EXPECT_TRUE(file.open(QIODevice::ReadOnly));
                EXPECT_EQ(file.readAll(), result.output);
            }
        }
    }
}

}  // namespace
