#include "frame_decoder.h"

std::optional<Frame> FrameDecoder::push(std::uint8_t byte) {
    if (m_received == 0 && byte != Frame::kStart) {
        return std::nullopt;
    }
    m_frame.bytes[m_received++] = byte;
    if (m_received < Frame::kSize) {
        return std::nullopt;
    }
    m_received = 0;
    return m_frame;
}
