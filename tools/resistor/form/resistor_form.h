#pragma once

#include "shell/widgets/controls.h"
#include "shell/widgets/form.h"
#include "tools/resistor/core/colour_bands.h"

#include <array>

// 色环电阻: a chart of colour buttons, one column per band, a drawn resistor whose stripes take
// the colours picked, the choice of four or five bands and the converted value.
class ResistorForm : public Form {
    Q_OBJECT
public:
    explicit ResistorForm(FormHost& host);

    void on_four_bands_clicked();
    void on_five_bands_clicked();
    void on_convert_clicked();
    // Every colour button of the chart: `band` 1 to 5.
    void on_colour_clicked(int band, Colour colour);

private:
    void build_chart();
    void choose_mode(BandMode mode);
    void paint_stripe(int band, const QColor& colour);

    ColourBands m_bands;

    QRadioButton* m_four_bands;
    QRadioButton* m_five_bands;
    QPushButton* m_convert_button;
    TextBox* m_result;
    QFrame* m_resistor;                         // the drawn resistor, holding the stripes
    QFrame* m_third_column;                     // the buttons of band 3
    std::array<QLabel*, kBandCount> m_stripes;  // band 1 to 5
};
