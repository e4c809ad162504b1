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
        {{u"--size"_s, u"0x16"_s}, u"--size: '0x16' is not valid. Valid values: WIDTHxHEIGHT"},
        {{u"--size"_s, u"16x129"_s}, u"--size: '16x129' is not valid"},
        {{u"--font"_s, u"No Such Font"_s},
         u"--font: 'No Such Font' is not valid. Valid values: "
         u"an installed family"},
        {{u"--preset"_s, u"ssd1309"_s},
         u"--preset: 'ssd1309' is not valid. Valid values: rows, ssd1306 (sh1106, st7565), "
         u"st7920 (lcd12864)"},
        {{u"--name"_s, u"static"_s}, u"--name: 'static' is not valid. Valid values: a C name"},
        {{u"--name"_s, u"font"_s, u"--dialect"_s, u"a51"_s}, u"--name: only for --dialect c"},
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

// A preset is the layout its options would give; an option given beside it changes only what
// it names. --name names the one static array, or each array per glyph.
TEST(GlyphsCommand, PresetsAndArrayNames) {
    const QStringList text{u"--text"_s, u"中A"_s};
    const struct {
        QStringList preset;
        QStringList options;
    } same[] = {
        {{u"--preset"_s, u"SSD1306"_s}, {u"--scan"_s, u"pages"_s, u"--order"_s, u"lsb"_s}},
        {{u"--preset"_s, u"st7565"_s, u"--inverse"_s},
         {u"--scan"_s, u"pages"_s, u"--order"_s, u"lsb"_s, u"--inverse"_s}},
        {{u"--preset"_s, u"sh1106"_s, u"--order"_s, u"msb"_s}, {u"--scan"_s, u"pages"_s}},
    };
    for (const auto& row : same) {
        SCOPED_TRACE(row.preset.join(u' ').toStdString());
        const CommandRun preset = run(text + row.preset);
        const CommandRun options = run(text + row.options);
        EXPECT_EQ(preset.exit_status, 0) << preset.errors.toStdString();
        EXPECT_EQ(preset.output, options.output);
    }
    const QStringList one =
        QString::fromUtf8(run(text + QStringList{u"--name"_s, u"font_16"_s}).output)
            .split(u"\r\n"_s);
    EXPECT_EQ(one.value(1), u"static const unsigned char font_16[64] = {"_s);
    const QString each = QString::fromUtf8(
        run(text + QStringList{u"--name"_s, u"Font_16"_s, u"--per-glyph"_s, u"--dialect"_s, u"C"_s})
            .output);
    EXPECT_TRUE(each.contains(u"\r\nstatic const unsigned char Font_16_0[32] = {\r\n"_s));
    EXPECT_TRUE(each.contains(u"\r\nstatic const unsigned char Font_16_1[32] = {\r\n"_s));
}

}  // namespace
