#pragma once

#include <QString>

#include <cstdint>
#include <vector>

// The log of received frame bytes. It keeps the bytes themselves, one byte each, and never
// forgets one; its text, every byte in decimal followed by CR LF, is made only when asked for.
class ByteLog {
public:
    void append(const std::uint8_t* bytes, std::size_t count);

    std::size_t size() const { return m_bytes.size(); }
    std::uint8_t at(std::size_t index) const { return m_bytes[index]; }
    // Line `index` of the text, without its line end.
    QString line(std::size_t index) const { return QString::number(m_bytes[index]); }
    QString text() const;

    // Memory the log holds.
    std::size_t capacity_bytes() const { return m_bytes.capacity(); }

private:
    std::vector<std::uint8_t> m_bytes;
};
