#pragma once

#include "tools/tacho/core/byte_log.h"

#include <QAbstractScrollArea>

// The data window: one logged byte a line, in decimal. It draws only the lines in sight, so
// a frame costs the same however long the log has grown; it follows the newest line while the
// user has not scrolled away from the end.
class ByteLogView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit ByteLogView(QWidget* parent);

    void append(const std::uint8_t* bytes, std::size_t count);
    const ByteLog& log() const { return m_log; }
    // The log as text: every byte followed by CR LF.
    QString text() const { return m_log.text(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int visible_lines() const;
    void update_scroll_range();

    ByteLog m_log;
};
