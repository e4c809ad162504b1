#include "byte_log.h"

void ByteLog::append(const std::uint8_t* bytes, std::size_t count) {
    m_bytes.insert(m_bytes.end(), bytes, bytes + count);
}

QString ByteLog::text() const {
    QString text;
    text.reserve(static_cast<qsizetype>(m_bytes.size()) * 5);
    for (std::uint8_t byte : m_bytes) {
        text += QString::number(byte);
        text += QStringLiteral("\r\n");
    }
    return text;
}
