#include "tools/resistor/core/colour_bands.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

Colour named(QChar name) {
    for (int colour = 0; colour < kColourCount; ++colour) {
        if (meaning(Colour(colour)).name == QStringView(&name, 1)) {
            return Colour(colour);
        }
    }
    ADD_FAILURE() << "no colour " << QString(name).toStdString();
    return Colour::kBlack;
}

// Colours picked after choosing a mode: bands 1, 2, 4, 5 on four bands, 1 to 5 on five. A pick
// a band does not offer, or band 3 on four bands, is ignored.
TEST(ColourBandsTest, ConvertsThePickedColours) {
    const struct {
        int bands;
        const char16_t* colours;
        const char16_t* result;
    } rows[] = {
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
    for (const auto& row : rows) {
        SCOPED_TRACE(QString::fromUtf16(row.colours).toStdString());
        ColourBands bands;
        EXPECT_FALSE(bands.convert());
        EXPECT_FALSE(bands.pick(kThirdDigitBand, Colour::kBlue));
        bands.choose_mode(row.bands == 4 ? BandMode::kFour : BandMode::kFive);
        const int four[] = {1, 2, 4, 5};
        const QStringView colours(row.colours);
        for (int i = 0; i < colours.size(); ++i) {
            bands.pick(row.bands == 4 ? four[i] : i + 1, named(colours[i]));
        }
        EXPECT_EQ(bands.convert().value_or(QString()), QString::fromUtf16(row.result));
    }
}

}  // namespace
