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

// Left edge of each band's column on the form; band 3 sits in Picture2.
constexpr std::array<int, kBandCount> kColumnLeft = {1560, 1920, 2280, 2640, 3240};
constexpr int kPicture2Left = 2160;
constexpr int kPicture2Top = 2640;

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
    Line10 = add_line(this, "Line10", 120, 120, 4320, 120);
    Line9 = add_line(this, "Line9", 4320, 120, 4320, 8040);
    Line7 = add_line(this, "Line7", 120, 8040, 4320, 8040);
    Line8 = add_line(this, "Line8", 120, 120, 120, 8040);

    Frame3 = add_frame(this, "Frame3", "色环电阻查询", {1440, 240, 1695, 375});
    Frame3->setFont(song_font(12));
    set_text_colour(Frame3, rgb(0, 0, 255));

    Option1 = add_option(this, "Option1", "4色环", {1440, 720, 855, 495});
    set_background(Option1, kBackground);
    Option2 = add_option(this, "Option2", "5色环", {2880, 720, 855, 495});
    set_background(Option2, kBackground);

    Command64 = add_button(this, "Command64", "转换", {480, 1200, 855, 495});
    set_face(Command64, rgb(0, 255, 0));
    Text4 =
        add_text_box(this, "Text4", QString(), {1440, 1200, 2415, 495}, QStringLiteral("转换结果"));
    Text4->setFont(song_font(12));
    set_text_colour(Text4, rgb(255, 0, 0));

    Label36 = add_label(this, "Label36", "  1  2  3  4    5", {1440, 1800, 2175, 255});
    Label36->setFont(song_font(12));

    Line12 = add_line(this, "Line12", 1080, 2400, 1440, 2400);
    Line11 = add_line(this, "Line11", 3600, 2400, 3960, 2400);
    Picture1 = add_picture(this, "Picture1", {1440, 2160, 2175, 495});
    // The colours a new window shows before either mode is chosen.
    const QColor first_stripes[kBandCount] = {rgb(128, 0, 0), rgb(0, 0, 0), rgb(255, 255, 255),
                                              rgb(255, 0, 0), rgb(128, 0, 0)};
    for (int band = 1; band <= kBandCount; ++band) {
        m_stripes[band - 1] = add_label(Picture1, name("Label", 37 + band), QString(),
                                        {kStripeLeft[band - 1], 0, 255, 495});
        paint_stripe(band, first_stripes[band - 1]);
    }

    Picture2 = add_picture(this, "Picture2", {kPicture2Left, kPicture2Top, 495, 4095});
    build_chart();

    Label43 = add_label(this, "Label43", "4色环选1，2，4，5         5色环选1，2，3，4，5",
                        {720, 7320, 3015, 615});
    Label43->setFont(song_font(12));
    set_background(Label43, rgb(255, 224, 192));

    connect(Option1, &QRadioButton::clicked, this, &ResistorForm::Option1_Click);
    connect(Option2, &QRadioButton::clicked, this, &ResistorForm::Option2_Click);
    connect(Command64, &QPushButton::clicked, this, &ResistorForm::Command64_Click);
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
            const bool in_picture2 = band == kThirdDigitBand;
            QWidget* parent = in_picture2 ? static_cast<QWidget*>(Picture2) : this;
            const Twips place = {kColumnLeft[band - 1] - (in_picture2 ? kPicture2Left : 0),
                                 top - (in_picture2 ? kPicture2Top : 0), 255, 375};
            QPushButton* button =
                add_button(parent, name("Command", r.buttons[band - 1]), QString(), place);
            set_face(button, to_colour(m.paint));
            button->setAccessibleName(QStringLiteral("第%1环 %2").arg(band).arg(m.name));
            connect(button, &QPushButton::clicked, this,
                    [this, band, colour = r.colour] { ColourButton_Click(band, colour); });
        }
    }
}

void ResistorForm::Option1_Click() {
    choose_mode(BandMode::kFour);
}

void ResistorForm::Option2_Click() {
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
    Text4->setText(QString());
}

void ResistorForm::Command64_Click() {
    Text4->setText(QString());
    if (const std::optional<QString> result = m_bands.convert()) {
        Text4->setText(*result);
    } else {
        host().message(QStringLiteral("你没选中色环"));
    }
}

void ResistorForm::ColourButton_Click(int band, Colour colour) {
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
