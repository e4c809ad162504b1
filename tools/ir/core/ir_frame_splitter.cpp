#include "ir_frame_splitter.h"

#include "ir_decoder.h"

void IrFrameSplitter::add(const IrSample& sample) {
    const auto length = static_cast<qint32>(sample.us & 0x7fffffff);
    switch (sample.kind) {
        case IrSample::Kind::kPulse:
            if (m_timings.empty()) {
                m_frame_start_us = m_clock_us;
            }
            m_timings.push_back(length);
            break;
        case IrSample::Kind::kSpace:
            if (sample.us >= kFrameGapUs) {
                end_frame();
            } else if (!m_timings.empty()) {
                m_timings.push_back(-length);
            }
            break;
        case IrSample::Kind::kTimeout:
            end_frame();
            break;
    }
    m_clock_us += length;
    if (m_timings.size() >= kLongestFrame) {
        end_frame();
    }
}

void IrFrameSplitter::add(const std::vector<IrSample>& samples) {
    for (const IrSample& sample : samples) {
        add(sample);
    }
}

void IrFrameSplitter::finish() {
    end_frame();
}

std::vector<IrFrame> IrFrameSplitter::take_frames() {
    std::vector<IrFrame> frames;
    frames.swap(m_frames);
    return frames;
}

void IrFrameSplitter::clear() {
    m_timings.clear();
    m_frames.clear();
    m_clock_us = 0;
    m_frame_start_us = 0;
}

void IrFrameSplitter::end_frame() {
    if (m_timings.empty()) {
        return;
    }
    IrFrame frame = decode_frame(m_timings);
    m_timings.clear();
    if (frame.pulses == 0) {
        return;
    }
    frame.start_us = m_frame_start_us;
    frame.end_us = m_clock_us;
    m_frames.push_back(std::move(frame));
}
