#pragma once

#include <QString>
#include <QVariant>

#include <optional>

// A value read back from the settings (an ini file gives every value back as text) or from a
// JSON file (booleans and numbers): taken when it is of the kind asked for, nothing otherwise.
// A bool is "true" or "false", never a number; a whole number is never a bool or a fraction.
std::optional<bool> stored_bool(const QVariant& value);
std::optional<int> stored_int(const QVariant& value);
std::optional<QString> stored_text(const QVariant& value);

// The same, or the fallback a load keeps; a whole number must also lie within [low, high].
bool stored_bool(const QVariant& value, bool fallback);
int stored_int(const QVariant& value, int low, int high, int fallback);
QString stored_text(const QVariant& value, const QString& fallback);

// A position in a list of `count` choices, as an enum; one past the end is the fallback.
template <typename Enum>
Enum stored_choice(const QVariant& value, int count, Enum fallback) {
    return static_cast<Enum>(stored_int(value, 0, count - 1, static_cast<int>(fallback)));
}
