#pragma once

#include "line_point.h"
#include "line_search.h"
#include "line_selection.h"

#include <QAbstractScrollArea>
#include <QTimer>

#include <limits>
#include <memory>
#include <optional>

class LineFindBar;
class LineSource;
class QCheckBox;
class QMenu;
class QTextLayout;

// A read-only window of lines. It draws only the lines in sight, so a frame costs the same
// however many lines there are. Lines wider than the window scroll sideways, or wrap.
//
// It follows the newest line until the user scrolls away or selects, and says so in its 跟随
// box; End, ticking 跟随 or scrolling back to the end follows again. Text is selected with the
// mouse or with Shift and the arrow keys, Ctrl+A selects all, Ctrl+C copies what is selected as
// it is shown, and Ctrl+F opens a find bar. The selection keeps to its characters while old
// lines go from the source's top.
class LineView : public QAbstractScrollArea {
    Q_OBJECT
public:
    // `source` outlives the view. It may be made after the view (a member of a derived view): the
    // view asks nothing of it before it is shown or refreshed.
    LineView(const LineSource& source, QWidget* parent);
    ~LineView() override;

    const LineSource& source() const { return m_source; }
    // The lines changed: new ones, or a new view of them.
    void refresh();

    bool wrap() const { return m_wrap; }
    void set_wrap(bool wrap);

    bool following() const { return m_following; }
    // Shows the newest line and keeps it in sight as lines arrive.
    void follow();

    // The selection and the caret, in the source's lines as they are now.
    LinePoint selection_start() const;
    LinePoint selection_end() const;
    LinePoint cursor() const;
    bool has_selection() const { return !m_selection.empty(); }
    void select(LinePoint anchor, LinePoint cursor);
    void select_all();
    QString selected_text() const;
    // Puts the selected text on the clipboard; nothing selected leaves the clipboard alone.
    void copy() const;

    void open_find();
    // Selects the next match of `needle` in `direction` from the selection, and scrolls it into
    // sight; false, and the selection as it was, when there is none. It looks at `most_lines`
    // lines at most (the find bar looks near while the text is typed, everywhere on Enter).
    bool find(const QString& needle, SearchDirection direction,
              qint64 most_lines = std::numeric_limits<qint64>::max());

    // Scrolls the least that brings `point` into sight.
    void scroll_to(LinePoint point);
    // The place under `position` of the viewport.
    LinePoint point_at(QPoint position) const;
    // Where the character at `point` is drawn in the viewport; empty when it is out of sight.
    QRect character_rect(LinePoint point) const;

    // The menu a right click opens: 复制, 全选, 查找 and 自动换行.
    QMenu* make_context_menu(QWidget* parent);

signals:
    void wrap_changed(bool wrap);
    void following_changed(bool following);
    void selection_changed();

protected:
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    qint64 line_count() const;
    qint64 top() const;  // the first line in sight
    int row_height() const;
    int text_width() const;
    std::unique_ptr<QTextLayout> layout_of(qint64 index) const;
    int rows_of(qint64 index) const;
    // The first line from which the lines up to `last` fill the viewport.
    qint64 top_showing_last(qint64 last) const;
    // Where line `index` starts in the viewport, when it is in sight.
    std::optional<int> y_of(qint64 index) const;

    void update_vertical_range();
    void update_horizontal_range();
    void place_bar();
    void on_scrolled(int value);
    void set_top(qint64 index, bool by_user);
    void set_following(bool following);
    void move_cursor(LinePoint to, bool extend);
    LinePoint caret_in_sight() const;
    LinePoint line_end(qint64 index) const;
    void selection_touched();
    void drag_to(QPoint position);
    void on_drag_tick();

    const LineSource& m_source;
    LineSelection m_selection;  // lines counted with those dropped
    qint64 m_dropped = 0;       // the source's dropped lines at the last refresh
    qint64 m_generation = 0;
    qint64 m_top = 0;  // the first line in sight, counted with those dropped
    bool m_following = true;
    bool m_wrap = false;
    bool m_scrolling = false;  // the view moves its own scroll bars
    int m_widest = 0;          // the widest line drawn since the lines were made, in pixels
    bool m_dragging = false;
    QPoint m_drag_position;
    QTimer m_drag_timer;  // scrolls while a drag selects beyond the top or the bottom
    QWidget* m_bar;
    LineFindBar* m_find_bar;
    QCheckBox* m_follow_box;
};
