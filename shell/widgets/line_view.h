#pragma once

#include <QAbstractScrollArea>

class LineSource;

// A read-only window of lines. It draws only the lines in sight, so a frame costs the same
// however many lines there are; it follows the newest line while the user has not scrolled away
// from the end.
class LineView : public QAbstractScrollArea {
    Q_OBJECT
public:
    // `source` outlives the view.
    LineView(const LineSource& source, QWidget* parent);

    const LineSource& source() const { return m_source; }
    // The lines changed: new ones, or a new view of them.
    void refresh();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int visible_lines() const;
    void update_scroll_range();

    const LineSource& m_source;
};
