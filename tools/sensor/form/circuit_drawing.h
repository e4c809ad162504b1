#pragma once

#include "tools/sensor/core/ad_value.h"

#include <QStringList>
#include <QWidget>

// How the sensor and its divider resistor are wired: the supply rail "VCC" on top, ground at the
// bottom, the converter input "TO MCU" taken from the middle node, which a capacitor "C" ties
// to ground. Its accessible name is the texts it shows, top to bottom.
class CircuitDrawing : public QWidget {
    Q_OBJECT
public:
    CircuitDrawing(QWidget* parent, Orientation orientation);

    // "VCC", the upper element, "TO MCU", "C", the lower element.
    QStringList texts() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString upper_label() const;
    QString lower_label() const;

    Orientation m_orientation;
};
