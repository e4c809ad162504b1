#pragma once

#include <QtGlobal>

// One value a receiver reports: a pulse or space with its length, or a timeout (the receiver
// heard nothing for that long, which ends any frame). Lengths are in microseconds.
struct IrSample {
    enum class Kind { kPulse, kSpace, kTimeout };
    Kind kind = Kind::kPulse;
    quint32 us = 0;

    bool operator==(const IrSample&) const = default;
};
