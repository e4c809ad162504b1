#pragma once

#include "tools/serial/core/receive_log.h"

#include <QAbstractScrollArea>

// The 接收区: draws only the lines in sight, so a full view costs what an empty one does; it
// follows the newest line while the user has not scrolled away from the end.
class ReceiveView : public QAbstractScrollArea {
    Q_OBJECT
public:
    ReceiveView(const ReceiveLog& log, QWidget* parent);

    const ReceiveLog& log() const { return m_log; }
    // The log changed: new lines, or a new view of them.
    void refresh();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int visible_lines() const;
    void update_scroll_range();

    const ReceiveLog& m_log;
};
