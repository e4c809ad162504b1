#pragma once

#include "ir_frame.h"
#include "ir_sample.h"

#include <vector>

// Cuts a stream of samples into frames at the long silences between them and decodes each.
// The stream's clock is the sum of the lengths seen, so a recording and a live device give
// frames the same times.
class IrFrameSplitter {
public:
    // A space at least this long ends a frame: longer than any space inside a frame of the
    // protocols read (NEC's 4.5 ms leader space, a quarter longer), shorter than the gap
    // between two Sony frames of 20 bits.
    static constexpr quint32 kFrameGapUs = 6000;
    // A frame is ended after this many timings, so a receiver that hears only noise cannot
    // grow one without bound.
    static constexpr std::size_t kLongestFrame = 512;

    void add(const IrSample& sample);
    void add(const std::vector<IrSample>& samples);
    // The end of the stream ends the frame in progress.
    void finish();
    // The frames ended since the last call, oldest first. Noise alone (no pulse left once
    // glitches are merged) makes no frame.
    std::vector<IrFrame> take_frames();
    void clear();

private:
    void end_frame();

    std::vector<qint32> m_timings;
    qint64 m_clock_us = 0;
    qint64 m_frame_start_us = 0;
    std::vector<IrFrame> m_frames;
};
