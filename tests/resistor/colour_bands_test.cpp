#include "tools/resistor/core/colour_bands.h"
#include "shell/host/number_text.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

std::vector<Colour> offered(int band) {
    std::vector<Colour> colours;
    for (int c = 0; c < kColourCount; ++c) {
        if (band_offers(band, Colour(c))) {
            colours.push_back(Colour(c));
        }
    }
    return colours;
}

// Whether `text` shows `ohms` in a unit that keeps the value from 1 (0.1 in ohms) to below 1000,
// and the tolerance. Real values have at most three significant digits, so a run of 9s or 0s
// that the 15-digit rule failed to hide shows up as more.
bool reads_cleanly(const QString& text, double ohms, QStringView tolerance) {
    static const QRegularExpression shape(u"^(\\d+(?:\\.\\d+)?)(欧姆|千欧|兆欧) 精度(.+)$"_s);
    const auto match = shape.match(text);
    if (!match.hasMatch() || match.captured(3) != tolerance) {
        return false;
    }
    const QString value = match.captured(1);
    const double scale = match.captured(2) == u"欧姆"_s   ? 1
                         : match.captured(2) == u"千欧"_s ? 1e3
                                                          : 1e6;
    const double shown = text_to_number(value);
    QString digits = value;
    digits.remove(u'.');
    while (digits.startsWith(u'0')) {
        digits.remove(0, 1);
    }
    return digits.size() <= 3 && shown < 1000 && (scale == 1 || shown >= 1) &&
           std::fabs(shown * scale - ohms) <= 1e-9 * ohms;
}

TEST(ColourBandsTest, EveryCombinationReadsCleanly) {
    for (const BandMode mode : {BandMode::kFour, BandMode::kFive}) {
        const bool five = mode == BandMode::kFive;
        ColourBands bands;
        bands.choose_mode(mode);
        const std::vector<Colour> third = five ? offered(3) : std::vector{Colour::kBrown};
        int combinations = 0;
        for (Colour c1 : offered(1)) {
            for (Colour c2 : offered(2)) {
                for (Colour c3 : third) {
                    for (Colour c4 : offered(4)) {
                        for (Colour c5 : offered(5)) {
                            ++combinations;
                            bands.pick(1, c1);
                            bands.pick(2, c2);
                            bands.pick(3, c3);
                            bands.pick(4, c4);
                            bands.pick(5, c5);
                            int number = *meaning(c1).digit * 10 + *meaning(c2).digit;
                            if (five) {
                                number = number * 10 + *meaning(c3).digit;
                            }
                            const double ohms = number * *meaning(c4).multiplier;
                            const QString text = bands.convert().value_or(QString());
                            if (!reads_cleanly(text, ohms, meaning(c5).tolerance)) {
                                FAIL() << text.toStdString() << " for " << ohms << " ohms";
                            }
                        }
                    }
                }
            }
        }
        EXPECT_EQ(combinations, five ? 9 * 10 * 10 * 9 * 8 : 9 * 10 * 9 * 8);
    }
}

}  // namespace
