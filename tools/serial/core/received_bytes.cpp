#include "received_bytes.h"

#include <QFile>
#include <QSaveFile>

bool ReceivedBytes::ready() {
    return m_file.isOpen() || m_file.open();
}

void ReceivedBytes::append(const QByteArray& bytes) {
    if (!ready() || m_file.write(bytes) != bytes.size()) {
        m_failed = true;
    }
    m_size += bytes.size();
}

void ReceivedBytes::clear() {
    if (m_file.isOpen()) {
        m_file.resize(0);
        m_file.seek(0);
    }
    m_size = 0;
    m_failed = false;
}

std::optional<QString> ReceivedBytes::save_to(const QString& path) {
    if (m_failed || !ready() || !m_file.flush()) {
        return QStringLiteral("临时文件无法写入，接收的数据不完整");
    }
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly)) {
        return out.errorString();
    }
    QFile in(m_file.fileName());
    if (!in.open(QIODevice::ReadOnly)) {
        return in.errorString();
    }
    while (!in.atEnd()) {
        const QByteArray block = in.read(1 << 20);
        if (block.isEmpty() || out.write(block) != block.size()) {
            return out.errorString();
        }
    }
    // Flushed first: commit() does not report the last buffered bytes that a full disk refused,
    // and would put a short file in place of the old one.
    if (!out.flush() || !out.commit()) {
        return out.errorString();
    }
    return std::nullopt;
}
