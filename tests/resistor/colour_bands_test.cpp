#include "tools/resistor/core/colour_bands.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace Qt::StringLiterals;

namespace {

// Colours picked after choosing a mode: bands 1, 2, 4, 5 on four bands, 1 to 5 on five. A pick
// a band does not offer, or band 3 on four bands, is ignored.
TEST(ColourBandsTest, ConvertsThePickedColours) {
    const std::tuple<int, QStringView, const char16_t*> rows[] = {
        {4, u"", u"1千欧 精度1%"},
        {5, u"", u"10.2千欧 精度1%"},
        {4, u"黄紫银金", u"0.47欧姆 精度5%"},
        {4, u"棕黑银银", u"0.1欧姆 精度10%"},
        {4, u"白白棕", u"990欧姆 精度1%"},
        {4, u"白白红红", u"9.9千欧 精度2%"},
        {4, u"棕黑绿蓝", u"1兆欧 精度0.25%"},
        {4, u"黑紫橙紫", u"17千欧 精度0.1%"},  // band 1 has no black
        {5, u"黄紫绿金棕", u"47.5欧姆 精度1%"},
        {5, u"白白白蓝灰", u"999兆欧 精度0.05%"},
        {5, u"橙蓝灰黄红", u"3.68兆欧 精度2%"},
        {5, u"红红黑黑绿", u"220欧姆 精度0.5%"},
        {4, u"银金白橙", u"1千欧 精度1%"},  // none offered: no digit, multiplier or tolerance
        {4, u"金银紫黄", u"1千欧 精度1%"},
        {5, u"黑棕金灰黑", u"11.2千欧 精度1%"},
        {5, u"棕黑银白白", u"10.2千欧 精度1%"},
    };
    for (const auto& [band_count, colours, result] : rows) {
        SCOPED_TRACE(colours.toString().toStdString());
        ColourBands bands;
        EXPECT_FALSE(bands.convert());
        EXPECT_FALSE(bands.pick(kThirdDigitBand, Colour::kBlue));
        bands.choose_mode(band_count == 4 ? BandMode::kFour : BandMode::kFive);
        for (int i = 0; i < colours.size(); ++i) {
            const Colour colour{int(u"黑棕红橙黄绿蓝紫灰白金银"_s.indexOf(colours[i]))};
            bands.pick(band_count == 4 ? "1245"[i] - '0' : i + 1, colour);
        }
        EXPECT_EQ(bands.convert().value_or(QString()), QString::fromUtf16(result));
    }
}

}  // namespace
