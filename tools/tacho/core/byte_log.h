#pragma once

#include <QString>

#include <cstdint>
#include <vector>

// The log of received frame bytes. It keeps the bytes themselves, one byte each, and never
// forgets one. Its text, every byte in decimal followed by CR LF, is made only when asked for,
// whole or in part.
class ByteLog {
public:
    void append(const std::uint8_t* bytes, std::size_t count);

    std::size_t size() const { return m_bytes.size(); }
    std::uint8_t at(std::size_t index) const { return m_bytes[index]; }
    // Line `index` of the text, without its line end.
    QString line(std::size_t index) const { return QString::number(m_bytes[index]); }

    QString text() const { return text(0, m_text_size); }
    // Characters `from` up to `to` (not included) of the text.
    QString text(qint64 from, qint64 to) const;
    // Characters in the text.
    qint64 text_size() const { return m_text_size; }
    // Where line `index` (size() for the end) begins in the text.
    qint64 line_start(std::size_t index) const;
    // The line that holds character `offset` of the text, its line end included.
    std::size_t line_at(qint64 offset) const;

    // Memory the log holds.
    std::size_t capacity_bytes() const {
        return m_bytes.capacity() + m_landmarks.capacity() * sizeof(qint64);
    }

private:
    std::vector<std::uint8_t> m_bytes;
    qint64 m_text_size = 0;
    // Where in the text every 4096th byte's line starts, so a part of the text is found without
    // counting from the beginning.
    std::vector<qint64> m_landmarks;
};
