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

    void Option1_Click();
    void Option2_Click();
    void Command64_Click();
    // Every colour button of the chart: `band` 1 to 5.
    void ColourButton_Click(int band, Colour colour);

private:
    void build_chart();
    void choose_mode(BandMode mode);
    void paint_stripe(int band, const QColor& colour);

    QGroupBox* Frame3;
    QPushButton* Command64;
    TextBox* Text4;
    QRadioButton* Option1;
    QRadioButton* Option2;
    QLabel* Label36;
    QFrame* Picture1;
    QFrame* Picture2;
    QLabel* Label43;
    LineShape* Line7;
    LineShape* Line8;
    LineShape* Line9;
    LineShape* Line10;
    LineShape* Line11;
    LineShape* Line12;
    // Label38 (band 1) to Label42 (band 5).
    std::array<QLabel*, kBandCount> m_stripes;

    ColourBands m_bands;
};
