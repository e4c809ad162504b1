#include "colour_bands.h"

#include "base/number_text.h"

namespace {

constexpr Paint kWindowText{0, 0, 0, true};
constexpr std::nullopt_t kNone = std::nullopt;

constexpr std::array<ColourMeaning, kColourCount> kColours = {{
    {Colour::kBlack, u"黑", 0, 1.0, u"", kWindowText},
    {Colour::kBrown, u"棕", 1, 10.0, u"1%", {128, 0, 0}},
    {Colour::kRed, u"红", 2, 100.0, u"2%", {255, 0, 0}},
    {Colour::kOrange, u"橙", 3, 1000.0, u"", {255, 128, 0}},
    {Colour::kYellow, u"黄", 4, 10000.0, u"", {255, 255, 0}},
    {Colour::kGreen, u"绿", 5, 100000.0, u"0.5%", {0, 255, 0}},
    {Colour::kBlue, u"蓝", 6, 1000000.0, u"0.25%", {0, 0, 255}},
    {Colour::kViolet, u"紫", 7, kNone, u"0.1%", {255, 0, 255}},
    {Colour::kGrey, u"灰", 8, kNone, u"0.05%", {128, 128, 128}},
    {Colour::kWhite, u"白", 9, kNone, u"", {255, 255, 255}},
    {Colour::kGold, u"金", kNone, 0.1, u"5%", {255, 192, 128}},
    {Colour::kSilver, u"银", kNone, 0.01, u"10%", {224, 224, 224}},
}};

constexpr bool in_enum_order() {
    for (int i = 0; i < kColourCount; ++i) {
        if (static_cast<int>(kColours[i].colour) != i) {
            return false;
        }
    }
    return true;
}
static_assert(in_enum_order(), "meaning() looks colours up by their enum value");

}  // namespace

const ColourMeaning& meaning(Colour colour) {
    return kColours[static_cast<int>(colour)];
}

bool band_offers(int band, Colour colour) {
    const ColourMeaning& m = meaning(colour);
    switch (band) {
        case 1:
            return m.digit.value_or(0) != 0;
        case 2:
        case 3:
            return m.digit.has_value();
        case 4:
            return m.multiplier.has_value();
        case 5:
            return !m.tolerance.isEmpty();
        default:
            return false;
    }
}

std::array<Colour, kBandCount> ColourBands::default_colours(BandMode mode) {
    // 1 kilohm 1 % on four bands, 10.2 kilohm 1 % on five; the third digit of the 4-band set is
    // kept but never read.
    const Colour third = mode == BandMode::kFive ? Colour::kRed : Colour::kBrown;
    return {Colour::kBrown, Colour::kBlack, third, Colour::kRed, Colour::kBrown};
}

void ColourBands::choose_mode(BandMode mode) {
    m_mode = mode;
    const auto colours = default_colours(mode);
    for (int band = 1; band <= kBandCount; ++band) {
        store(band, colours[band - 1]);
    }
}

bool ColourBands::pick(int band, Colour colour) {
    if (!band_offers(band, colour)) {
        return false;
    }
    if (band == kThirdDigitBand && m_mode != BandMode::kFive) {
        return false;
    }
    store(band, colour);
    return true;
}

void ColourBands::store(int band, Colour colour) {
    const ColourMeaning& m = meaning(colour);
    switch (band) {
        case 1:
            m_digit1 = *m.digit;
            break;
        case 2:
            m_digit2 = *m.digit;
            break;
        case 3:
            m_digit3 = *m.digit;
            break;
        case 4:
            m_multiplier = *m.multiplier;
            break;
        default:
            m_tolerance = m.tolerance.toString();
            break;
    }
}

std::optional<QString> ColourBands::convert() const {
    if (!m_mode) {
        return std::nullopt;
    }
    // Integer digits times the multiplier, and on five bands the division by ten last: the
    // order decides which rounding noise the 15-digit text has to hide.
    double ohms = 0.0;
    if (*m_mode == BandMode::kFour) {
        ohms = (m_digit1 * 10 + m_digit2) * m_multiplier;
    } else {
        ohms = (m_digit1 * 1000 + m_digit2 * 100 + m_digit3 * 10) * m_multiplier / 10;
    }

    QString unit = QStringLiteral("欧姆");
    if (ohms >= 1000 && ohms < 1000000) {
        ohms /= 1000;
        unit = QStringLiteral("千欧");
    } else if (ohms >= 1000000) {
        ohms /= 1000000;
        unit = QStringLiteral("兆欧");
    }
    return number_to_text(ohms) + unit + QStringLiteral(" 精度") + m_tolerance;
}
