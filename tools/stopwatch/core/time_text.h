#pragma once

#include <QString>
#include <QTime>

#include <optional>

constexpr int kSecondsPerDay = 24 * 60 * 60;

// The whole second of the day that `time` falls in, 0 to 86399.
int second_of_day(const QTime& time);

// "HH:MM:SS" on the 24-hour clock, two digits each: 09:05:07.
QString time_text(const QTime& time);

// The second of the day that `text` names when it is exactly such a text; nothing otherwise
// ("7:30:00", "07:30", "24:00:00", " 07:30:00").
std::optional<int> parse_time_text(const QString& text);
