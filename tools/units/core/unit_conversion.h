#pragma once

#include "unit_categories.h"

#include <QString>

// A value converted to another unit, or the message that says why it cannot be.
struct Conversion {
    double value = 0;
    QString error;  // empty when `value` stands
};

// `value` in unit `from` of `category`, expressed in unit `to`. Refused: a unit name the
// category does not list, a temperature below absolute zero, a power of 0 or less in dBm, and
// a result beyond what a number can hold.
Conversion convert(const UnitCategory& category, QStringView from, QStringView to, double value);
