#pragma once

#include <QString>
#include <QStringList>

#include <array>

// The eight kinds of quantity the unit converter lays out, each with the unit that stands in
// both its unit boxes at first and the units its lists offer. Nothing is converted.
struct UnitCategory {
    QString title;
    QString default_unit;
    QStringList units;
};

inline constexpr int kUnitCategoryCount = 8;

const std::array<UnitCategory, kUnitCategoryCount>& unit_categories();
