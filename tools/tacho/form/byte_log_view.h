#pragma once

#include "byte_log_lines.h"
#include "shell/widgets/line_view.h"
#include "tools/tacho/core/byte_log.h"

// The data window: one logged byte a line, in decimal.
class ByteLogView : public LineView {
    Q_OBJECT
public:
    explicit ByteLogView(QWidget* parent);

    void append(const std::uint8_t* bytes, std::size_t count);
    const ByteLog& log() const { return m_log; }
    // The log as text: every byte followed by CR LF.
    QString text() const { return m_log.text(); }

private:
    ByteLog m_log;
    ByteLogLines m_lines{m_log};
};
