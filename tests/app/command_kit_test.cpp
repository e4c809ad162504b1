#include "shell/cli/command_kit.h"
#include "app/tool_catalog.h"
#include "base/text_file.h"
#include "tests/support/qt_printers.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The two subcommands as a build script gives them, values in capitals: every rule below holds
// for both.
const QString kSegment = u"table segment --dialect PIC --common Anode"_s;
const QString kGlyphs = u"glyphs --text A --size 8X16 --dialect HEX --scan ROWS --order MSB"_s;

// The words of `line`; {dir} stands for the test's folder, {empty} for an empty word.
QStringList words(const QString& line, const QString& dir) {
    QStringList words = line.split(u' ', Qt::SkipEmptyParts);
    for (QString& word : words) {
        word.replace(u"{dir}"_s, dir);
        if (word == u"{empty}") {
            word.clear();
        }
    }
    return words;
}

// Qt's startsWith finds no start in an empty text, not even an empty one.
bool starts(const QString& text, const QString& start) {
    return start.isEmpty() || text.startsWith(start);
}

QByteArray bytes_of(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

class CommandKitTest : public testing::Test {
protected:
    CommandRun run(const QString& line) {
        return run_command(m_commands, words(line, m_dir.path()));
    }

    const CommandCatalog m_commands = command_catalog();
    QTemporaryDir m_dir;
};

// The options, messages and exit statuses every subcommand shares: values in any case, each
// option once, help with the usage line and examples, 0 done, 1 a file not read or written,
// 2 a bad command line with nothing written.
TEST_F(CommandKitTest, EverySubcommandKeepsTheSameRules) {
    const struct {
        QString line;
        int status;
        QString output;  // what standard output starts with
        QString errors;  // what standard error starts with
    } rows[] = {
        {kSegment, 0, u"retlw  0x03;0\r\nretlw  0x9F;1\r\n"_s, u""_s},
        {kGlyphs, 0, u"; 字体：Unifont"_s, u""_s},
        {kSegment + u" --dialect pic"_s, 2, u""_s,
         u"brevik table segment: --dialect is given twice; give each option once."_s},
        {kGlyphs + u" --bold --bold"_s, 2, u""_s, u"brevik glyphs: --bold is given twice"_s},
        {kSegment + u" -o {empty}"_s, 2, u""_s,
         u"brevik table segment: -o needs a value, not an empty one."_s},
        {kSegment + u" -o"_s, 2, u""_s, u"brevik table segment: -o needs a value."_s},
        {kSegment + u" --colour red"_s, 2, u""_s,
         u"brevik table segment: Unknown option --colour. Valid options: --dialect, --common, "
         u"--bits, --letters, -o, -h"_s},
        {kSegment + u" red"_s, 2, u""_s, u"brevik table segment: Unexpected argument red."_s},
        {u"table segment --common anode --dialect=BASIC"_s, 2, u""_s,
         u"brevik table segment: --dialect: 'BASIC' is not valid. Valid values: pic, a51"_s},
        {u"table segment --colour --help"_s, 0, u"Usage: brevik table segment --dialect"_s, u""_s},
        {u"glyphs -h --colour"_s, 0, u"Usage: brevik glyphs --text TEXT [options]\n"_s, u""_s},
        {u"table --help"_s, 0,
         u"Usage: brevik table segment --dialect pic|a51|c|emc --common anode|cathode"_s, u""_s},
        {kSegment + u" -o {dir}/missing/t.txt"_s, 1, u""_s,
         u"brevik table segment: cannot write {dir}/missing/t.txt: No such file or directory"_s},
        {kGlyphs + u" -o {dir}"_s, 1, u""_s,
         u"brevik glyphs: cannot write {dir}: Is a directory"_s},
        {u"table sensor --rt {dir}/none.csv --dialect c --pull up --divider 1000"_s, 1, u""_s,
         u"brevik table sensor: cannot read {dir}/none.csv: No such file or directory"_s},
        {u"bogus"_s, 2, u""_s,
         u"brevik: 'bogus' is not a subcommand. Valid subcommands: table, glyphs"_s},
        {u"table"_s, 2, u""_s, u"brevik table: name a subcommand: segment, sensor"_s},
        {u"table segments"_s, 2, u""_s,
         u"brevik table: 'segments' is not a subcommand. Valid subcommands: segment, sensor"_s},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line.toStdString());
        const CommandRun result = run(row.line);
        EXPECT_EQ(result.exit_status, row.status);
        EXPECT_TRUE(starts(decode_text(result.output), row.output))
            << result.output.left(80).toStdString();
        EXPECT_TRUE(starts(result.errors, QString(row.errors).replace(u"{dir}"_s, m_dir.path())))
            << result.errors.toStdString();
        EXPECT_EQ(row.errors.isEmpty(), result.errors.isEmpty()) << result.errors.toStdString();
        if (row.status != 0) {
            EXPECT_TRUE(result.output.isEmpty());
        }
        if (QString(row.output).startsWith(u"Usage: "_s)) {
            EXPECT_TRUE(result.output.contains("\nExamples:\n  brevik "));
            EXPECT_TRUE(
                result.output.contains("\nExit status: 0 done; 1 a file could not be read "));
        }
    }
}

// -o writes the bytes standard output would get, into a new file and over an old one (devices
// and named pipes go through the same writer as every text file).
TEST_F(CommandKitTest, OutputGoesWhereDashOSays) {
    for (const QString& command : {kSegment, kGlyphs}) {
        SCOPED_TRACE(command.toStdString());
        const QByteArray table = run(command).output;
        ASSERT_FALSE(table.isEmpty());
        for (int time = 0; time < 2; ++time) {
            const CommandRun result = run(command + u" -o {dir}/表.txt"_s);
            EXPECT_EQ(result.exit_status, 0) << result.errors.toStdString();
            EXPECT_TRUE(result.output.isEmpty());
            EXPECT_EQ(bytes_of(m_dir.filePath(u"表.txt"_s)), table);
        }
    }
}

}  // namespace
