#include "tools/glyphs/cli/glyphs_command.h"
#include "shell/cli/command_kit.h"
#include "tests/support/qt_printers.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

CommandRun run(const QStringList& arguments) {
    return run_command({glyphs_command()}, QStringList{u"glyphs"_s} + arguments);
}

// Each refusal of the glyph options names the option and its valid values and writes nothing;
// the rules every subcommand shares are tested over all of them in the command kit's test.
TEST(GlyphsCommand, ABadOptionNamesItsValidValuesAndWritesNothing) {
    const struct {
        QStringList arguments;
        const char16_t* message;
    } rows[] = {
        {{u"--scan"_s, u"diagonal"_s},
         u"--scan: 'diagonal' is not valid. Valid values: rows, columns, pages, blocks"},
        {{u"--order"_s, u"middle"_s}, u"--order: 'middle' is not valid. Valid values: msb, lsb"},
        {{u"--dialect"_s, u"basic"_s},
         u"--dialect: 'basic' is not valid. Valid values: c, a51, pic, hex"},
        {{u"--size"_s, u"0x16"_s}, u"--size: '0x16' is not valid. Valid values: WIDTHxHEIGHT"},
        {{u"--size"_s, u"16x129"_s}, u"--size: '16x129' is not valid"},
        {{u"--font"_s, u"No Such Font"_s},
         u"--font: 'No Such Font' is not valid. Valid values: "
         u"an installed family"},
        {{u"--bold=yes"_s}, u"--bold takes no value."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.arguments.join(u' ').toStdString());
        const CommandRun result = run(QStringList{u"--text"_s, u"中"_s} + row.arguments);
        EXPECT_EQ(result.exit_status, 2);
        EXPECT_TRUE(
            result.errors.startsWith(u"brevik glyphs: "_s + QString::fromUtf16(row.message)))
            << result.errors.toStdString();
        EXPECT_TRUE(result.output.isEmpty());
    }
    for (const QStringList& no_text : {QStringList{}, QStringList{u"--text"_s, u"\r\n"_s}}) {
        const CommandRun result = run(no_text);
        EXPECT_EQ(result.exit_status, 2);
        EXPECT_TRUE(result.errors.contains(u"--text"_s)) << result.errors.toStdString();
    }
}

}  // namespace
