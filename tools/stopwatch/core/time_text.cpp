#include "time_text.h"

namespace {

QString two_digits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

// The value of two ASCII digits at `at`, or -1.
int two_digits_at(const QString& text, int at) {
    const char16_t tens = text[at].unicode();
    const char16_t units = text[at + 1].unicode();
    if (tens < u'0' || tens > u'9' || units < u'0' || units > u'9') {
        return -1;
    }
    return (tens - u'0') * 10 + (units - u'0');
}

}  // namespace

int second_of_day(const QTime& time) {
    return time.hour() * 3600 + time.minute() * 60 + time.second();
}

QString time_text(const QTime& time) {
    return two_digits(time.hour()) + u':' + two_digits(time.minute()) + u':' +
           two_digits(time.second());
}

std::optional<int> parse_time_text(const QString& text) {
    if (text.size() != 8 || text[2] != u':' || text[5] != u':') {
        return std::nullopt;
    }
    const int hours = two_digits_at(text, 0);
    const int minutes = two_digits_at(text, 3);
    const int seconds = two_digits_at(text, 6);
    if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59 || seconds < 0 || seconds > 59) {
        return std::nullopt;
    }
    return hours * 3600 + minutes * 60 + seconds;
}
