#include "tools/segment/cli/segment_command.h"
#include "shell/cli/command_kit.h"
#include "tests/support/qt_printers.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

CommandRun run(const QString& arguments) {
    return run_command({segment_table_command()},
                       (u"table segment "_s + arguments).split(u' ', Qt::SkipEmptyParts));
}

// Each refusal of the seven-segment options names the option and its valid values; the rules
// every subcommand shares are tested over all of them in the command kit's test.
TEST(SegmentCommand, RefusedOptions) {
    const QString base = u"--dialect pic --common anode"_s;
    const std::pair<QString, QString> rows[] = {
        {u""_s, u"--dialect is missing. Valid values: pic, a51, c (数组), emc"_s},
        {u"--dialect pic"_s, u"--common is missing. Valid values: anode, cathode"_s},
        {u"--common anode --dialect pascal"_s,
         u"--dialect: 'pascal' is not valid. Valid values: pic, a51, c (数组), emc"_s},
        {base + u" --bits A=8"_s, u"--bits: 'A=8' is not valid. Valid values: LETTER=BIT"_s},
        {base + u" --bits A=0"_s, u"--bits: bit 0 is used twice, by A and H"_s},
        {base + u" --bits A=1,a=2"_s, u"--bits: letter A is given twice"_s},
        {base + u" --letters ABCDEF"_s, u"--letters: 'ABCDEF' is not valid"_s},
    };
    for (const auto& [arguments, message] : rows) {
        SCOPED_TRACE(arguments.toStdString());
        const CommandRun result = run(arguments);
        EXPECT_EQ(result.exit_status, 2);
        EXPECT_TRUE(result.errors.startsWith(u"brevik table segment: "_s + message))
            << result.errors.toStdString();
        EXPECT_TRUE(result.output.isEmpty());
    }
}

// 数组 names the C dialect as the window's list does; letters and bits take either case.
TEST(SegmentCommand, TheWindowsNamesAndAnyCase) {
    const CommandRun c =
        run(u"--dialect c --common cathode --bits A=0,B=1,C=2,D=3,E=4,F=5,G=6,H=7"_s);
    ASSERT_EQ(c.exit_status, 0) << c.errors.toStdString();
    EXPECT_EQ(
        run(u"--dialect 数组 --common CATHODE --bits a=0,b=1,c=2,d=3,e=4,f=5,g=6,h=7"_s).output,
        c.output);
    EXPECT_TRUE(c.output.startsWith("    0x3F,/*0*/\r\n    0x06,/*1*/"))
        << c.output.left(40).toStdString();
}

}  // namespace
