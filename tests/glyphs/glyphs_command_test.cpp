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
TEST(GlyphsCommand, RefusalsPresetsAndArrayNames) {
    const std::pair<QStringList, const char16_t*> rows[] = {
        {{u"--scan"_s, u"diagonal"_s},
         u"--scan: 'diagonal' is not valid. Valid values: rows, columns, pages, blocks"},
        {{u"--size"_s, u"0x16"_s}, u"--size: '0x16' is not valid. Valid values: WIDTHxHEIGHT"},
        {{u"--size"_s, u"16x129"_s}, u"--size: '16x129' is not valid"},
        {{u"--font"_s, u"No Such Font"_s},
         u"--font: 'No Such Font' is not valid. Valid values: an installed family"},
        {{u"--preset"_s, u"ssd1309"_s},
         u"--preset: 'ssd1309' is not valid. Valid values: rows, ssd1306 (sh1106, st7565), "
         u"st7920 (lcd12864)"},
        {{u"--name"_s, u"static"_s}, u"--name: 'static' is not valid. Valid values: a C name"},
        {{u"--name"_s, u"font"_s, u"--dialect"_s, u"a51"_s}, u"--name: only for --dialect c"},
    };
    for (const auto& [arguments, message] : rows) {
        const CommandRun result = run(QStringList{u"--text"_s, u"中"_s} + arguments);
        EXPECT_EQ(result.exit_status, 2);
        EXPECT_TRUE(result.errors.startsWith(u"brevik glyphs: "_s + QString::fromUtf16(message)))
            << result.errors.toStdString();
        EXPECT_TRUE(result.output.isEmpty());
    }
    for (const QStringList& no_text : {QStringList{}, QStringList{u"--text"_s, u"\r\n"_s}}) {
        const CommandRun result = run(no_text);
        EXPECT_EQ(result.exit_status, 2);
        EXPECT_TRUE(result.errors.contains(u"--text"_s)) << result.errors.toStdString();
    }

    // A preset is the layout its options would give; an option given beside it changes only what
    // it names. --name names the arrays, and --per-glyph makes one for each glyph.
    const QStringList text{u"--text"_s, u"中A"_s};
    const std::pair<QStringList, QStringList> same[] = {
        {{u"--preset"_s, u"SSD1306"_s}, {u"--scan"_s, u"pages"_s, u"--order"_s, u"lsb"_s}},
        {{u"--preset"_s, u"st7565"_s, u"--inverse"_s},
         {u"--scan"_s, u"pages"_s, u"--order"_s, u"lsb"_s, u"--inverse"_s}},
        {{u"--preset"_s, u"sh1106"_s, u"--order"_s, u"msb"_s}, {u"--scan"_s, u"pages"_s}},
    };
    for (const auto& [preset, options] : same) {
        SCOPED_TRACE(preset.join(u' ').toStdString());
        EXPECT_EQ(run(text + preset).output, run(text + options).output);
    }
    const QString each = QString::fromUtf8(
        run(text + QStringList{u"--name"_s, u"Font_16"_s, u"--per-glyph"_s, u"--dialect"_s, u"C"_s})
            .output);
    EXPECT_TRUE(each.contains(u"\r\nstatic const unsigned char Font_16_1[32] = {\r\n"_s));
}

}  // namespace
