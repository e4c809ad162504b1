#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <optional>

// The colours painted on a resistor, in the order of the digits they stand for, then gold and
// silver.
enum class Colour {
    kBlack,
    kBrown,
    kRed,
    kOrange,
    kYellow,
    kGreen,
    kBlue,
    kViolet,
    kGrey,
    kWhite,
    kGold,
    kSilver
};
inline constexpr int kColourCount = 12;

// Bands are numbered 1 to 5 from the left: two or three digits, multiplier, tolerance. Band 3,
// the third digit, only counts on 5-band resistors.
inline constexpr int kBandCount = 5;
inline constexpr int kThirdDigitBand = 3;

// How a colour is painted: fixed components, or the system's window-text colour, which only the
// window system knows.
struct Paint {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool window_text = false;

    friend bool operator==(const Paint&, const Paint&) = default;
};

// What one colour means in each band; an empty value means the band does not offer it.
struct ColourMeaning {
    Colour colour;
    QStringView name;
    std::optional<int> digit;
    std::optional<double> multiplier;
    QStringView tolerance;
    Paint paint;
};

const ColourMeaning& meaning(Colour colour);

// Whether band 1 to 5 offers the colour. The first digit is never zero, so band 1 has no black.
bool band_offers(int band, Colour colour);

enum class BandMode { kFour, kFive };

// The bands picked on one resistor and their conversion to a line such as "1千欧 精度1%".
class ColourBands {
public:
    // Sets the mode and discards every earlier pick for that mode's default colours.
    void choose_mode(BandMode mode);
    // Nothing until a mode is chosen.
    std::optional<BandMode> mode() const { return m_mode; }

    // The colours a mode starts with, bands 1 to 5.
    static std::array<Colour, kBandCount> default_colours(BandMode mode);

    // Stores the colour's meaning for the band; false when the pick is ignored: a colour the
    // band does not offer, or band 3 outside 5-band mode. Other bands take picks in any mode.
    bool pick(int band, Colour colour);

    // The resistance and tolerance, or nothing while no mode has been chosen.
    std::optional<QString> convert() const;

private:
    void store(int band, Colour colour);

    std::optional<BandMode> m_mode;
    int m_digit1 = 0;
    int m_digit2 = 0;
    int m_digit3 = 0;
    double m_multiplier = 0.0;
    QString m_tolerance;
};
