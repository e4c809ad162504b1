#include "stored_value.h"

std::optional<bool> stored_bool(const QVariant& value) {
    if (value.typeId() == QMetaType::Bool) {
        return value.toBool();
    }
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString();
        if (text == u"true" || text == u"false") {
            return text == u"true";
        }
    }
    return std::nullopt;
}

std::optional<int> stored_int(const QVariant& value) {
    if (value.typeId() == QMetaType::Double) {
        // Bounded before it is cut to an int, which a larger number would not fit.
        const double number = value.toDouble();
        if (!(number >= -1e9 && number <= 1e9) || static_cast<int>(number) != number) {
            return std::nullopt;
        }
        return static_cast<int>(number);
    }
    if (value.typeId() == QMetaType::Bool) {
        return std::nullopt;
    }
    bool ok = false;
    const int number = value.toInt(&ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

std::optional<QString> stored_text(const QVariant& value) {
    if (value.typeId() == QMetaType::QString) {
        return value.toString();
    }
    return std::nullopt;
}

bool stored_bool(const QVariant& value, bool fallback) {
    return stored_bool(value).value_or(fallback);
}

int stored_int(const QVariant& value, int low, int high, int fallback) {
    const std::optional<int> number = stored_int(value);
    return number && *number >= low && *number <= high ? *number : fallback;
}

QString stored_text(const QVariant& value, const QString& fallback) {
    return stored_text(value).value_or(fallback);
}
