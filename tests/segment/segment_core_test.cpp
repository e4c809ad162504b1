#include "base/number_text.h"
#include "shell/cli/command_kit.h"
#include "tests/support/qt_printers.h"
#include "tools/segment/cli/segment_command.h"
#include "tools/segment/core/segment_model.h"
#include "tools/segment/core/segment_table.h"

#include <QStringList>

#include <cmath>
#include <tuple>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const BitValues kLoadBits = {7, 6, 5, 4, 3, 2, 1, 0};

// Every character's common-cathode code with the load mapping; common anode lights a segment
// with a 0 bit, so its codes are the complements. Clicks on the drawn segments then letter them
// in click order; the eighth clears the lettering.
TEST(SegmentModel, CodesOfEveryCharacterAndClicksThatLetterTheSegments) {
    const QStringList cathode_codes =
        u"FC 60 DA F2 66 B6 BE E0 FE F6 EE 3E 1A 7A 9E 8E 2E 6E 3A CE 1C 0A 76 02 10"_s.split(u' ');
    SegmentModel model(kLoadBits);
    const Codes anode = model.build_codes();
    model.toggle_display_type();
    const Codes cathode = model.build_codes();
    for (int i = 0; i < kCharacterCount; ++i) {
        EXPECT_EQ(character_label(i), u"0123456789AbCdEFhHopLry-_"_s.at(i));
        EXPECT_EQ(cathode[i], cathode_codes[i].toInt(nullptr, 16)) << i;
        EXPECT_EQ(anode[i], cathode[i] ^ 0xFF) << i;
    }

    EXPECT_TRUE(model.click_position(Position::kTop));  // the counter already stands at 7
    for (int i = 0; i < 7; ++i) {
        EXPECT_FALSE(model.click_position(Position::kTop));
    }
    EXPECT_TRUE(model.check_pattern());
    EXPECT_EQ(model.caption(Position::kTop) + model.caption(Position::kMiddle), u"G"_s);
    // The top carries G's bit 1; the others keep the weights they had.
    const Codes codes = model.build_codes();
    EXPECT_EQ(QStringList({hex_text(codes[0]), hex_text(codes[7]), hex_text(codes[23])}),
              QStringList({u"7E"_s, u"62"_s, u"2"_s}));
}

TEST(SegmentModel, ABitValueGivesItsWeightAndAboveSevenIsRefused) {
    const std::tuple<double, int, bool> rows[] = {
        {0, 1, false},      {6.6, 128, false},     {2.5, 4, false}, {-0.5, 1, false},
        {-0.6, 0, false},   {7.2, 128, true},      {8, 0, true},    {HUGE_VAL, 0, true},
        {-65536, 0, false}, {2147483647, 0, true},
    };
    for (const auto& [value, weight, refused] : rows) {
        EXPECT_EQ(bit_weight(value), weight) << value;
        EXPECT_EQ(SegmentModel().set_bit(0, value), refused) << value;
    }
    EXPECT_TRUE(check_bits({7, 6, 2.5, 4, 3, 2, 1, -3}));  // 2.5 and 2 differ, both drive bit 2
    EXPECT_FALSE(check_bits({7, 6, 5, 4, 3, 2, 1, 1}));    // H needs a bit of its own
}

// Single steps show one more entry each time and start again after all 25.
TEST(SegmentTable, LinesInEachDialectAndSingleSteps) {
    const Codes anode = SegmentModel(kLoadBits).build_codes();
    const std::tuple<const char16_t*, int, const char16_t*> rows[] = {
        {u"", 0, u"  30"},  // no dialect yet: no instruction word, bare digits
        {u"PIC", 0, u"retlw  0x03;0"},
        {u"PIC", 3, u"retlw  0x0D;3"},
        {u"A51", 1, u"DB  09FH;1"},
        {u"数组", 0, u"    0x03,/*0*/"},
        {u"数组", 24, u"    0xEF,/*_*/"},
        {u"EMC", 10, u"retl  0x11;A"},
        {u"EMC", 0, u"retl  0x03;0"},
        {u"x", 1, u"retl  9F1"},  // the word of the last dialect named stays
    };
    SegmentTableWriter writer;
    for (const auto& [dialect, index, line] : rows) {
        const QString table = writer.table_text(24, anode, QString::fromUtf16(dialect));
        EXPECT_EQ(table.split(u"\r\n"_s).value(index), QString::fromUtf16(line));
    }
    EXPECT_EQ(writer.table_text(1, {0, 255}, u"A51"_s),
              u"DB  000H;0\r\nDB  0FFH;1\r\n--------------\r\n"_s);
    for (int i = 0; i < 27; ++i) {
        EXPECT_EQ(writer.take_single_step(), i % kCharacterCount);
    }
}

CommandRun run(const QString& arguments) {
    return run_command({segment_table_command()},
                       (u"table segment "_s + arguments).split(u' ', Qt::SkipEmptyParts));
}

// `brevik table segment`: each refusal of its options names the option and its valid values;
// the rules every subcommand shares are tested over all of them in the command kit's test. 数组
// names the C dialect as the window's list does; letters and bits take either case.
TEST(SegmentCommand, RefusedOptionsAndTheWindowsNamesInAnyCase) {
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
        const CommandRun result = run(arguments);
        EXPECT_EQ(result.exit_status, 2) << arguments.toStdString();
        EXPECT_TRUE(result.errors.startsWith(u"brevik table segment: "_s + message))
            << result.errors.toStdString();
        EXPECT_TRUE(result.output.isEmpty());
    }
    const CommandRun c =
        run(u"--dialect c --common cathode --bits A=0,B=1,C=2,D=3,E=4,F=5,G=6,H=7"_s);
    EXPECT_TRUE(c.output.startsWith("    0x3F,/*0*/\r\n    0x06,/*1*/")) << c.errors.toStdString();
    EXPECT_EQ(
        run(u"--dialect 数组 --common CATHODE --bits a=0,b=1,c=2,d=3,e=4,f=5,g=6,h=7"_s).output,
        c.output);
}

}  // namespace
