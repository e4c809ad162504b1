#pragma once

#include "frame.h"

#include <optional>

// Cuts the bytes received on the serial line into frames. A frame begins at a byte 0x55 and takes
// the next four bytes whatever they are, so a false start (a data byte 0x55) swallows four bytes
// and is then rejected by its markers; bytes before a 0x55 are dropped. The part of a frame
// received so far is kept between calls.
class FrameDecoder {
public:
    // Takes the next byte; the frame it completes, if any.
    std::optional<Frame> push(std::uint8_t byte);
    // Drops the part of a frame received so far.
    void reset() { m_received = 0; }

private:
    Frame m_frame;
    int m_received = 0;
};
