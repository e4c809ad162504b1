#pragma once

#include <QString>

#include <vector>

// One number of a record and the channel it belongs to ("adc", or "1" for the first unnamed one).
struct NamedValue {
    QString name;
    double value = 0;
};

// The numbers read together, from one text line or one binary frame.
using NamedValues = std::vector<NamedValue>;
