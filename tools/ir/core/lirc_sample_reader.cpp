#include "lirc_sample_reader.h"

#include <cstring>

std::vector<IrSample> LircSampleReader::read(const QByteArray& bytes) {
    m_partial.append(bytes);
    std::vector<IrSample> samples;
    const qsizetype whole = m_partial.size() / 4 * 4;
    samples.reserve(static_cast<std::size_t>(whole / 4));
    for (qsizetype at = 0; at < whole; at += 4) {
        quint32 value = 0;
        std::memcpy(&value, m_partial.constData() + at, sizeof value);
        const quint32 length = value & kLircValueMask;
        switch (value & kLircModeMask) {
            case kLircPulse:
                samples.push_back({IrSample::Kind::kPulse, length});
                break;
            case kLircSpace:
                samples.push_back({IrSample::Kind::kSpace, length});
                break;
            case kLircTimeout:
                samples.push_back({IrSample::Kind::kTimeout, length});
                break;
            case kLircOverflow:
                samples.push_back({IrSample::Kind::kTimeout, 0});
                break;
            default:
                break;  // the carrier frequency, or a kind newer than this reader
        }
    }
    m_partial.remove(0, whole);
    return samples;
}
