#include "byte_log.h"

#include <algorithm>

namespace {

constexpr std::size_t kLandmarkEvery = 4096;

// "85\r\n": the digits and the line end.
int line_length(std::uint8_t byte) {
    return (byte >= 100 ? 3 : byte >= 10 ? 2 : 1) + 2;
}

}  // namespace

void ByteLog::append(const std::uint8_t* bytes, std::size_t count) {
    const std::size_t first = m_bytes.size();
    m_bytes.insert(m_bytes.end(), bytes, bytes + count);
    for (std::size_t i = first; i < m_bytes.size(); ++i) {
        if (i % kLandmarkEvery == 0) {
            m_landmarks.push_back(m_text_size);
        }
        m_text_size += line_length(m_bytes[i]);
    }
}

QString ByteLog::text(qint64 from, qint64 to) const {
    from = std::clamp<qint64>(from, 0, m_text_size);
    to = std::clamp<qint64>(to, from, m_text_size);
    QString text;
    if (from == to) {
        return text;
    }
    text.reserve(to - from);
    // The last landmark at or before `from`, then line by line to the line holding it.
    const auto landmark = std::upper_bound(m_landmarks.begin(), m_landmarks.end(), from) - 1;
    std::size_t index = static_cast<std::size_t>(landmark - m_landmarks.begin()) * kLandmarkEvery;
    qint64 line_start = *landmark;
    while (line_start + line_length(m_bytes[index]) <= from) {
        line_start += line_length(m_bytes[index++]);
    }
    for (; line_start < to; line_start += line_length(m_bytes[index++])) {
        const QString line = QString::number(m_bytes[index]) + QStringLiteral("\r\n");
        const qint64 skip = std::max<qint64>(0, from - line_start);
        text +=
            QStringView(line).sliced(skip, std::min<qint64>(line.size(), to - line_start) - skip);
    }
    return text;
}

qint64 ByteLog::line_start(std::size_t index) const {
    index = std::min(index, m_bytes.size());
    if (index == m_bytes.size()) {
        return m_text_size;
    }
    std::size_t at = index / kLandmarkEvery * kLandmarkEvery;
    qint64 start = m_landmarks[index / kLandmarkEvery];
    for (; at < index; ++at) {
        start += line_length(m_bytes[at]);
    }
    return start;
}

std::size_t ByteLog::line_at(qint64 offset) const {
    if (m_bytes.empty()) {
        return 0;
    }
    offset = std::clamp<qint64>(offset, 0, m_text_size - 1);
    const auto landmark = std::upper_bound(m_landmarks.begin(), m_landmarks.end(), offset) - 1;
    std::size_t index = static_cast<std::size_t>(landmark - m_landmarks.begin()) * kLandmarkEvery;
    for (qint64 start = *landmark; start + line_length(m_bytes[index]) <= offset; ++index) {
        start += line_length(m_bytes[index]);
    }
    return index;
}
