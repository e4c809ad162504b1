#pragma once

#include "shell/widgets/line_source.h"
#include "tools/tacho/core/byte_log.h"

// The byte log as the data window's lines: one byte a line, its text served a part at a time.
class ByteLogLines : public LineSource {
public:
    explicit ByteLogLines(const ByteLog& log) : m_log(log) {}

    qint64 line_count() const override { return static_cast<qint64>(m_log.size()); }
    QString line(qint64 index) const override {
        return m_log.line(static_cast<std::size_t>(index));
    }
    qint64 text_size() const override { return m_log.text_size(); }
    QString text(qint64 from, qint64 to) const override { return m_log.text(from, to); }
    // Its lines end in CR LF.
    qint64 line_offset(qint64 index) const override {
        return m_log.line_start(static_cast<std::size_t>(index));
    }
    qint64 line_at_offset(qint64 offset) const override {
        return static_cast<qint64>(m_log.line_at(offset));
    }

private:
    const ByteLog& m_log;
};
