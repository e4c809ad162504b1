#include "segment_command.h"

#include "shell/cli/command_options.h"
#include "shell/cli/dialect_option.h"
#include "tools/segment/core/segment_table.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

BitValues bits_option(const CommandOptions& options) {
    const QString name = u"--bits"_s;
    const QString valid =
        u"LETTER=BIT for letters A to H and bits 0 to 7, each bit once, such "
        "as A=7,B=6,C=5,D=4,E=3,F=2,G=1,H=0"_s;
    BitValues bits{7, 6, 5, 4, 3, 2, 1, 0};
    const auto value = options.value(name);
    if (!value) {
        return bits;
    }
    std::array<bool, kLetterCount> given{};
    for (const QString& item : value->split(u',')) {
        const QStringList parts = item.trimmed().split(u'=');
        const QString letter_text = parts.value(0).trimmed().toUpper();
        const int letter = letter_text.size() == 1 ? letter_text[0].unicode() - u'A' : -1;
        bool ok = false;
        const int bit = parts.value(1).trimmed().toInt(&ok);
        if (parts.size() != 2 || letter < 0 || letter >= kLetterCount || !ok || bit < 0 ||
            bit > 7) {
            refuse_value(name, item, valid);
        }
        if (given[letter]) {
            refuse(u"%1: letter %2 is given twice. Valid values: %3"_s.arg(
                name, letter_name(letter), valid));
        }
        given[letter] = true;
        bits[letter] = bit;
    }
    for (int first = 0; first < kLetterCount; ++first) {
        for (int second = first + 1; second < kLetterCount; ++second) {
            if (bits[first] == bits[second]) {
                refuse(u"%1: bit %2 is used twice, by %3 and %4. Valid values: %5"_s.arg(
                    name, QString::number(bits[first]), letter_name(first), letter_name(second),
                    valid));
            }
        }
    }
    return bits;
}

// For each letter A to G, the position that carries it.
std::array<Position, kPositionCount> letters_option(const CommandOptions& options) {
    std::array<Position, kPositionCount> positions{};
    for (int letter = 0; letter < kPositionCount; ++letter) {
        positions[letter] = static_cast<Position>(letter);
    }
    const auto value = options.value(u"--letters"_s);
    if (!value) {
        return positions;
    }
    const QString letters = value->toUpper();
    std::array<bool, kPositionCount> used{};
    for (int position = 0; position < kPositionCount && letters.size() == kPositionCount;
         ++position) {
        const int letter = letters[position].unicode() - u'A';
        if (letter < 0 || letter >= kPositionCount || used[letter]) {
            break;
        }
        used[letter] = true;
        positions[letter] = static_cast<Position>(position);
    }
    if (std::find(used.begin(), used.end(), false) != used.end()) {
        refuse_value(u"--letters"_s, *value,
                     u"the seven letters A to G, each once, for the top, upper right, lower "
                     "right, bottom, lower left, upper left and middle segments, such as "
                     "ABCDEFG"_s);
    }
    return positions;
}

CommandOutput segment_table(const CommandOptions& options) {
    const QString dialect = dialect_value(options);
    const int common = options.choice(u"--common"_s, {u"anode"_s, u"cathode"_s});
    const BitValues bits = bits_option(options);
    const auto positions = letters_option(options);

    // As in the window: the bits typed, the segments clicked in letter order, the display
    // type toggled, then convert all.
    SegmentModel model(bits);
    model.clear_lettering();
    for (const Position position : positions) {
        model.click_position(position);
    }
    if (common == 1) {
        model.toggle_display_type();
    }
    SegmentTableWriter writer;
    return {writer.table_text(kCharacterCount - 1, model.build_codes(), dialect), {}};
}

}  // namespace

Command segment_table_command() {
    return {
        .name = u"table segment"_s,
        .synopsis = u"--dialect pic|a51|c|emc --common anode|cathode [options]"_s,
        .summary = u"the seven-segment codes that 七段码's 全部转换 saves"_s,
        .description = saved_file_description(
            u"the seven-segment table of window 七段码 (button 全部转换)"_s, u"it saves"_s),
        .options =
            {
                dialect_option(),
                {u"--common"_s, u"anode|cathode"_s, u"a common-anode or common-cathode display"_s},
                {u"--bits"_s, u"A=7,B=6,...,H=0"_s,
                 u"the port bit 0 to 7 of each segment letter A to H (H is the\npoint), each "
                 "bit once; letters left out keep these bits"_s},
                {u"--letters"_s, u"ABCDEFG"_s,
                 u"the letters of the drawn segments in the order top, upper\nright, lower "
                 "right, bottom, lower left, upper left, middle"_s},
            },
        .examples =
            {
                u"brevik table segment --dialect pic --common anode"_s,
                u"brevik table segment --dialect a51 --common cathode --bits "
                "A=0,B=1,C=2,D=3,E=4,F=5,G=6,H=7"_s,
                u"brevik table segment --dialect c --common anode --letters ABCDEGF -o "
                "digits.txt"_s,
            },
        .run = segment_table,
    };
}
