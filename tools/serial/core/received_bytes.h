#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryFile>

#include <optional>

// Every byte received since the last clear, raw, kept in a temporary file rather than memory,
// so 保存接收 saves all of them however long the port has been open.
class ReceivedBytes {
public:
    void append(const QByteArray& bytes);
    void clear();
    qint64 size() const { return m_size; }
    // Writes them to `path`; the reason when that fails.
    std::optional<QString> save_to(const QString& path);

private:
    bool ready();

    QTemporaryFile m_file;
    qint64 m_size = 0;
    bool m_failed = false;  // the temporary file could not be written
};
