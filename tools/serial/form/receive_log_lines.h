#pragma once

#include "shell/widgets/line_source.h"
#include "tools/serial/core/receive_log.h"

// The receive log as the 接收区's lines. Its lines are made as they are drawn, so a hex line is
// formatted only when it comes into sight; its text is served by range, made only for what is
// asked.
class ReceiveLogLines : public LineSource {
public:
    explicit ReceiveLogLines(const ReceiveLog& log) : m_log(log) {}

    qint64 line_count() const override { return m_log.line_count(); }
    QString line(qint64 index) const override { return m_log.line(index); }
    qint64 text_size() const override { return m_log.text_size(); }
    QString text(qint64 from, qint64 to) const override { return m_log.text(from, to); }
    qint64 dropped_lines() const override { return m_log.dropped_lines(); }
    qint64 generation() const override { return m_log.generation(); }
    qint64 line_offset(qint64 index) const override { return m_log.text_offset(index); }
    qint64 line_at_offset(qint64 offset) const override { return m_log.line_at(offset); }

private:
    const ReceiveLog& m_log;
};
