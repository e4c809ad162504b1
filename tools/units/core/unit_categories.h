#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <limits>

// How a unit's values stand to its category's base unit (metre, square metre, cubic metre,
// litre, gram, watt, kilometre per hour, degree Celsius): base = (value - zero) × factor. Only
// the temperatures have a zero of their own; the decibel unit of power follows its own rule.
struct Unit {
    QString name;
    double factor = 1;
    double zero = 0;
    double lowest = -std::numeric_limits<double>::infinity();  // absolute zero, for temperatures
    bool decibel_milliwatt = false;                            // 10·log10(P / 1 mW)
};

// One kind of quantity: its title, the unit that stands in both its unit boxes at first and
// the units its lists offer, in the order they show.
struct UnitCategory {
    QString title;
    QString default_unit;
    QList<Unit> units;

    QStringList unit_names() const;
    // The unit named `name`, or nullptr when the list has none of that name.
    const Unit* unit(QStringView name) const;
};

inline constexpr int kUnitCategoryCount = 8;

const std::array<UnitCategory, kUnitCategoryCount>& unit_categories();
