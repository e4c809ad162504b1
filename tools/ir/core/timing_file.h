#pragma once

#include "ir_sample.h"

#include <QString>

#include <optional>
#include <vector>

// A recorded file of timings, in either text form Linux tools write: one "pulse 9000",
// "space 4500" or "timeout 125000" a line, or signed numbers "+9000 -4500 ..." (a pulse
// positive, a space negative), several to a line. Blank lines and # comments are allowed;
// "carrier 38000" lines are read past.

struct TimingFileError {
    int line = 0;  // counted from 1
    QString text;  // the line as it is in the file
};

struct TimingFile {
    std::vector<IrSample> samples;
    std::optional<TimingFileError> error;  // the first line that is none of the forms
};

// The longest length a line may give: what a LIRC value holds.
inline constexpr quint32 kLongestTimingUs = 0xffffff;

TimingFile parse_timing_text(const QString& text);

// The message for a bad line: its number and text.
QString timing_error_text(const TimingFileError& error);
