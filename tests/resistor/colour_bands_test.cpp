#include "tools/resistor/core/colour_bands.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

// A clean result has at most three significant digits in its shortest form, from 0.1 in ohms
// and from 1 to 999 in kilohms and megohms; rounding noise that the 15-digit rule failed to hide
// would show as a long run of 9s or 0s.
const QRegularExpression kClean(
    uR"(^(?:0\.\d?[1-9]欧姆|[1-9](?:\d{0,2}|\.\d?[1-9]|\d\.[1-9]))"
    uR"((?:欧姆|千欧|兆欧)) 精度[\d.]+%$)"_s);

TEST(ColourBandsTest, EveryCombinationReadsCleanly) {
    for (const BandMode mode : {BandMode::kFour, BandMode::kFive}) {
        ColourBands bands;
        bands.choose_mode(mode);
        int combinations = 0;
        // Picks each colour of `band` in turn and sweeps the bands after it.
        std::function<void(int)> sweep = [&](int band) {
            if (testing::Test::HasFatalFailure()) {
                return;  // one unclean text is enough
            }
            if (band == kThirdDigitBand && mode == BandMode::kFour) {
                return sweep(band + 1);
            }
            if (band > kBandCount) {
                ++combinations;
                const QString text = bands.convert().value_or(QString());
                ASSERT_TRUE(kClean.match(text).hasMatch()) << text.toStdString();
                return;
            }
            for (int colour = 0; colour < kColourCount; ++colour) {
                if (band_offers(band, Colour(colour))) {
                    ASSERT_TRUE(bands.pick(band, Colour(colour)));
                    sweep(band + 1);
                }
            }
        };
        sweep(1);
        EXPECT_EQ(combinations, mode == BandMode::kFive ? 9 * 10 * 10 * 9 * 8 : 9 * 10 * 9 * 8);
    }
}

}  // namespace
