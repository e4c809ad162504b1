#include "base/number_text.h"
#include "tests/support/qt_printers.h"
#include "tools/segment/core/segment_model.h"
#include "tools/segment/core/segment_table.h"

#include <QStringList>

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const BitValues kLoadBits = {7, 6, 5, 4, 3, 2, 1, 0};

// Label, common-cathode and common-anode code of every character with the load mapping.
const char* const kCodes[][3] = {
    {"0", "FC", "03"}, {"1", "60", "9F"}, {"2", "DA", "25"}, {"3", "F2", "0D"}, {"4", "66", "99"},
    {"5", "B6", "49"}, {"6", "BE", "41"}, {"7", "E0", "1F"}, {"8", "FE", "01"}, {"9", "F6", "09"},
    {"A", "EE", "11"}, {"b", "3E", "C1"}, {"C", "1A", "E5"}, {"d", "7A", "85"}, {"E", "9E", "61"},
    {"F", "8E", "71"}, {"h", "2E", "D1"}, {"H", "6E", "91"}, {"o", "3A", "C5"}, {"p", "CE", "31"},
    {"L", "1C", "E3"}, {"r", "0A", "F5"}, {"y", "76", "89"}, {"-", "02", "FD"}, {"_", "10", "EF"},
};

TEST(SegmentModel, CodesOfEveryCharacterInBothDisplayTypes) {
    SegmentModel model(kLoadBits);
    const Codes anode = model.build_codes();
    model.toggle_display_type();
    const Codes cathode = model.build_codes();
    for (int i = 0; i < kCharacterCount; ++i) {
        EXPECT_EQ(character_label(i), QString::fromLatin1(kCodes[i][0]));
        EXPECT_EQ(hex_text(cathode[i]).rightJustified(2, u'0'), QString::fromLatin1(kCodes[i][1]));
        EXPECT_EQ(hex_text(anode[i]).rightJustified(2, u'0'), QString::fromLatin1(kCodes[i][2]));
    }
}

TEST(SegmentModel, ABitValueGivesItsWeightAndAboveSevenIsRefused) {
    const double kInf = std::numeric_limits<double>::infinity();
    const struct {
        double value;
        int weight;
        bool refused;
    } rows[] = {
        {0, 1, false},      {6.6, 128, false},     {2.5, 4, false}, {-0.5, 1, false},
        {-0.6, 0, false},   {7.2, 128, true},      {8, 0, true},    {kInf, 0, true},
        {-65536, 0, false}, {2147483647, 0, true},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(bit_weight(row.value), row.weight) << row.value;
        EXPECT_EQ(SegmentModel().set_bit(0, row.value), row.refused) << row.value;
    }
    EXPECT_TRUE(check_bits({7, 6, 2.5, 4, 3, 2, 1, -3}));  // 2.5 and 2 differ, both drive bit 2
    EXPECT_FALSE(check_bits({7, 6, 5, 4, 3, 2, 1, 1}));    // H needs a bit of its own
}

// Clicks on the drawn segments letter them in click order; the eighth clears the lettering.
TEST(SegmentModel, ClicksLetterTheSegments) {
    SegmentModel model(kLoadBits);
    EXPECT_TRUE(model.click_position(Position::kTop));  // the counter already stands at 7
    for (int i = 0; i < 7; ++i) {
        EXPECT_FALSE(model.click_position(Position::kTop));
    }
    EXPECT_TRUE(model.check_pattern());
    EXPECT_EQ(model.caption(Position::kTop), u"G"_s);
    EXPECT_EQ(model.caption(Position::kMiddle), QString());
    // The top carries G's bit 1; the others keep the weights they had.
    const Codes codes = model.build_codes();
    EXPECT_EQ(QStringList({hex_text(codes[0]), hex_text(codes[7]), hex_text(codes[23])}),
              QStringList({u"81"_s, u"9D"_s, u"FD"_s}));
}

TEST(SegmentTable, LinesInEachDialect) {
    SegmentModel model(kLoadBits);
    const Codes anode = model.build_codes();
    const struct {
        const char16_t* dialect;
        int index;
        const char16_t* line;
    } cases[] = {
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
    for (const auto& c : cases) {
        const QStringList lines =
            writer.table_text(24, anode, QString::fromUtf16(c.dialect)).split(u"\r\n"_s);
        EXPECT_EQ(lines.value(c.index), QString::fromUtf16(c.line));
        EXPECT_EQ(lines.mid(25), QStringList({u"--------------"_s, QString()}));
    }
    const Codes extremes = {0, 255};
    EXPECT_EQ(writer.table_text(1, extremes, u"A51"_s),
              u"DB  000H;0\r\nDB  0FFH;1\r\n--------------\r\n"_s);
}

TEST(SegmentTable, SingleStepsShowOneMoreEntryEachTimeAndWrap) {
    SegmentTableWriter writer;
    QList<int> lasts;
    for (int i = 0; i < 27; ++i) {
        lasts << writer.take_single_step();
    }
    EXPECT_EQ(lasts.mid(23), QList<int>({23, 24, 0, 1}));
}

}  // namespace
