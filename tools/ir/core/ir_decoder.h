#pragma once

#include "ir_frame.h"

#include <vector>

// Pulses and spaces shorter than this are the receiver's noise, not part of any protocol: they
// are merged into the pulse or space around them.
inline constexpr qint32 kGlitchUs = 100;
// How far a measured duration may be from the protocol's own and still count as it.
inline constexpr double kTolerance = 0.25;

// `timings` with glitches merged into their neighbours and runs of the same kind joined; a
// glitch at either end is dropped.
std::vector<qint32> merge_glitches(const std::vector<qint32>& timings);

// Decodes one frame: signed timings from its first pulse to its last, glitches and all. A frame
// no protocol fits comes back as kUnknown with its pulses counted.
IrFrame decode_frame(const std::vector<qint32>& timings);
