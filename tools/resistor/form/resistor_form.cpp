#include "resistor_form.h"

#include "shell/host/form_host.h"
#include "shell/widgets/look.h"

namespace {

const QColor kBackground = rgb(192, 255, 255);

// One chart row: its colour, swatch, name label and the number of its button in each band
// (0 where the band does not offer the colour).
struct ChartRow {
    Colour colour;
    int swatch;
    int name_label;
    std::array<int, kBandCount> buttons;
};
constexpr ChartRow kRows[] = {
    {Colour::kBrown, 20, 24, {6, 14, 15, 16, 17}},  {Colour::kRed, 10, 25, {18, 19, 20, 21, 22}},
    {Colour::kOrange, 11, 26, {23, 24, 25, 26, 0}}, {Colour::kYellow, 12, 27, {28, 34, 41, 48, 0}},
    {Colour::kGreen, 15, 28, {29, 35, 42, 49, 27}}, {Colour::kBlue, 16, 29, {30, 36, 43, 50, 54}},
    {Colour::kViolet, 17, 30, {31, 37, 44, 0, 55}}, {Colour::kGrey, 18, 31, {32, 38, 45, 0, 56}},
    {Colour::kWhite, 19, 32, {33, 39, 46, 0, 0}},   {Colour::kBlack, 21, 33, {0, 40, 47, 51, 0}},
    {Colour::kGold, 22, 34, {0, 0, 0, 52, 57}},     {Colour::kSilver, 23, 35, {0, 0, 0, 53, 58}},
};
constexpr int kFirstRowTop = 2880;
constexpr int kRowStep = 360;

// Left edge of each band's column on the form; band 3 sits in its own box.
constexpr std::array<int, kBandCount> kColumnLeft = {1560, 1920, 2280, 2640, 3240};
constexpr int kThirdColumnLeft = 2160;
constexpr int kThirdColumnTop = 2640;

constexpr std::array<int, kBandCount> kStripeLeft = {120, 480, 840, 1200, 1800};

QColor to_colour(const Paint& paint) {
    return paint.window_text ? window_text_colour() : rgb(paint.red, paint.green, paint.blue);
}

QString name(const char* stem, int number) {
    return QString::fromLatin1(stem) + QString::number(number);
}

}  // namespace

ResistorForm::ResistorForm(FormHost& host)
    : Form(host, QStringLiteral("色环电阻"), QStringLiteral("色环电阻"), 4485, 8160, kBackground) {
    // The frame around the window: top, right, bottom, left.
    add_line(this, "Line10", 120, 120, 4320, 120);
    add_line(this, "Line9", 4320, 120, 4320, 8040);
    add_line(this, "Line7", 120, 8040, 4320, 8040);
    add_line(this, "Line8", 120, 120, 120, 8040);

    add_title_frame(this, "Frame3", "色环电阻查询", {1440, 240, 1695, 375});

    m_four_bands = add_option(this, "Option1", "4色环", {1440, 720, 855, 495});
    set_background(m_four_bands, kBackground);
    m_five_bands = add_option(this, "Option2", "5色环", {2880, 720, 855, 495});
    set_background(m_five_bands, kBackground);

    m_convert_button = add_button(this, "Command64", "转换", {480, 1200, 855, 495});
    set_face(m_convert_button, rgb(0, 255, 0));
    m_result =
        add_text_box(this, "Text4", QString(), {1440, 1200, 2415, 495}, QStringLiteral("转换结果"));
    m_result->setFont(song_font(12));
    set_text_colour(m_result, rgb(255, 0, 0));

    QLabel* band_numbers = add_label(this, "Label36", "  1  2  3  4    5", {1440, 1800, 2175, 255});
    band_numbers->setFont(song_font(12));

    // The resistor's leads and body.
    add_line(this, "Line12", 1080, 2400, 1440, 2400);
    add_line(this, "Line11", 3600, 2400, 3960, 2400);
    m_resistor = add_picture(this, "Picture1", {1440, 2160, 2175, 495});
    // The colours a new window shows before either mode is chosen.
    const QColor first_stripes[kBandCount] = {rgb(128, 0, 0), rgb(0, 0, 0), rgb(255, 255, 255),
                                              rgb(255, 0, 0), rgb(128, 0, 0)};
    for (int band = 1; band <= kBandCount; ++band) {
        m_stripes[band - 1] = add_label(m_resistor, name("Label", 37 + band), QString(),
                                        {kStripeLeft[band - 1], 0, 255, 495});
        paint_stripe(band, first_stripes[band - 1]);
    }

    m_third_column = add_picture(this, "Picture2", {kThirdColumnLeft, kThirdColumnTop, 495, 4095});
    build_chart();

    QLabel* hint = add_label(this, "Label43", "4色环选1，2，4，5         5色环选1，2，3，4，5",
                             {720, 7320, 3015, 615});
    hint->setFont(song_font(12));
    set_background(hint, rgb(255, 224, 192));

    connect(m_four_bands, &QRadioButton::clicked, this, &ResistorForm::on_four_bands_clicked);
    connect(m_five_bands, &QRadioButton::clicked, this, &ResistorForm::on_five_bands_clicked);
    connect(m_convert_button, &QPushButton::clicked, this, &ResistorForm::on_convert_clicked);
}

void ResistorForm::build_chart() {
    for (int row = 0; row < int(std::size(kRows)); ++row) {
        const ChartRow& r = kRows[row];
        const ColourMeaning& m = meaning(r.colour);
        const int top = kFirstRowTop + kRowStep * row;

        // Only the black swatch bears its name; it takes the menu-text colour, not a fixed one.
        const bool black = r.colour == Colour::kBlack;
        QLabel* swatch = add_label(this, name("Label", r.swatch), black ? m.name.toString() : "",
                                   {720, top, 375, 375});
        set_background(swatch, black ? menu_text_colour() : to_colour(m.paint));
        QLabel* label =
            add_label(this, name("Label", r.name_label), m.name.toString(), {1080, top, 375, 375});
        label->setFont(song_font(12));

        for (int band = 1; band <= kBandCount; ++band) {
            if (!band_offers(band, r.colour)) {
                continue;
            }
            Q_ASSERT(r.buttons[band - 1] != 0);
            const bool in_third_column = band == kThirdDigitBand;
            QWidget* parent = in_third_column ? static_cast<QWidget*>(m_third_column) : this;
            const Twips place = {kColumnLeft[band - 1] - (in_third_column ? kThirdColumnLeft : 0),
                                 top - (in_third_column ? kThirdColumnTop : 0), 255, 375};
            QPushButton* button =
                add_button(parent, name("Command", r.buttons[band - 1]), QString(), place);
            set_face(button, to_colour(m.paint));
            button->setAccessibleName(QStringLiteral("第%1环 %2").arg(band).arg(m.name));
            connect(button, &QPushButton::clicked, this,
                    [this, band, colour = r.colour] { on_colour_clicked(band, colour); });
        }
    }
}

void ResistorForm::on_four_bands_clicked() {
    choose_mode(BandMode::kFour);
}

void ResistorForm::on_five_bands_clicked() {
    choose_mode(BandMode::kFive);
}

void ResistorForm::choose_mode(BandMode mode) {
    m_bands.choose_mode(mode);
    const auto colours = ColourBands::default_colours(mode);
    for (int band = 1; band <= kBandCount; ++band) {
        paint_stripe(band, to_colour(meaning(colours[band - 1]).paint));
    }
    // Four bands carry no third digit: its stripe shows plain body white.
    if (mode == BandMode::kFour) {
        paint_stripe(kThirdDigitBand, rgb(255, 255, 255));
    }
    m_result->setText(QString());
}

void ResistorForm::on_convert_clicked() {
    m_result->setText(QString());
    if (const std::optional<QString> result = m_bands.convert()) {
        m_result->setText(*result);
    } else {
        host().message(QStringLiteral("你没选中色环"));
    }
}

void ResistorForm::on_colour_clicked(int band, Colour colour) {
    if (!m_bands.pick(band, colour)) {
        return;
    }
    // The third band's green stripe is a slightly different green from its button's face.
    const bool third_green = band == kThirdDigitBand && colour == Colour::kGreen;
    paint_stripe(band, third_green ? rgb(15, 240, 0) : to_colour(meaning(colour).paint));
}

void ResistorForm::paint_stripe(int band, const QColor& colour) {
    set_background(m_stripes[band - 1], colour);
}
