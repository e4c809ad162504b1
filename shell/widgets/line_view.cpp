#include "line_view.h"

#include "layout_kit.h"
#include "line_find_bar.h"
#include "line_source.h"
#include "line_view_accessible.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextLayout>

#include <algorithm>
#include <limits>

namespace {

constexpr int kMargin = 2;  // between the text and the left edge
constexpr int kDragTickMs = 50;
// Lines looked at for each key typed into 查找: a few milliseconds' work, so typing never waits
// on a long log; Enter looks at them all.
constexpr qint64 kNearLines = 20000;
// A scroll bar counts in int; more lines than that show their first 2^31.
constexpr qint64 kMostLines = std::numeric_limits<int>::max();

// Marks the scroll bar moves the view makes itself, which say nothing of where the user wants
// to be.
class OwnScroll {
public:
    explicit OwnScroll(bool& flag) : m_flag(flag), m_was(flag) { m_flag = true; }
    ~OwnScroll() { m_flag = m_was; }
    OwnScroll(const OwnScroll&) = delete;
    OwnScroll& operator=(const OwnScroll&) = delete;

private:
    bool& m_flag;
    bool m_was;
};

bool word_character(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

}  // namespace

LineView::LineView(const LineSource& source, QWidget* parent)
    : QAbstractScrollArea(parent), m_source(source) {
    LineViewAccessible::install();
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(true);
    viewport()->setCursor(Qt::IBeamCursor);

    // Above the lines: 跟随, and the find bar while it is open.
    m_bar = new QWidget(this);
    m_follow_box = new_check_box(QStringLiteral("follow"), QStringLiteral("跟随"));
    m_follow_box->setChecked(true);
    m_follow_box->setToolTip(QStringLiteral("跟随最新的行（End）"));
    m_find_bar = new LineFindBar(m_bar);
    m_find_bar->hide();
    auto* row = new QHBoxLayout(m_bar);
    row->setContentsMargins(kMargin, 1, kMargin, 1);
    row->addWidget(m_follow_box);
    row->addWidget(m_find_bar, 1);
    row->addStretch(0);
    m_bar->setFixedHeight(
        std::max(m_find_bar->sizeHint().height(), m_follow_box->sizeHint().height()) + 2);
    setViewportMargins(0, m_bar->height(), 0, 0);

    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &LineView::on_scrolled);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, viewport(),
            qOverload<>(&QWidget::update));
    connect(m_follow_box, &QCheckBox::toggled, this, [this](bool on) {
        if (on) {
            follow();
        } else {
            set_following(false);
        }
    });
    connect(m_find_bar, &LineFindBar::find_requested, this,
            [this](SearchDirection direction) { find(m_find_bar->needle(), direction); });
    // Typing on finds from where the last match began, so the match grows as the text does.
    connect(m_find_bar, &LineFindBar::needle_changed, this, [this] {
        m_selection.move_to(m_selection.start(), false);
        find(m_find_bar->needle(), SearchDirection::kForward, kNearLines);
    });
    connect(m_find_bar, &LineFindBar::closed, this, [this] { setFocus(Qt::OtherFocusReason); });
    m_drag_timer.setInterval(kDragTickMs);
    connect(&m_drag_timer, &QTimer::timeout, this, &LineView::on_drag_tick);
}

LineView::~LineView() = default;

void LineView::refresh() {
    const qint64 generation = m_source.generation();
    const qint64 dropped = m_source.dropped_lines();
    if (generation != m_generation) {
        m_generation = generation;
        m_dropped = dropped;
        m_top = dropped;
        m_widest = 0;
        m_selection = {};
        m_selection.drop_before(dropped);
        emit selection_changed();
    } else if (dropped != m_dropped) {
        m_dropped = dropped;
        const LineSelection before = m_selection;
        m_selection.drop_before(dropped);
        if (m_selection.anchor() != before.anchor() || m_selection.cursor() != before.cursor()) {
            emit selection_changed();
        }
    }
    update_vertical_range();
    update_horizontal_range();
    viewport()->update();
}

qint64 LineView::line_count() const {
    return std::min(m_source.line_count(), kMostLines);
}

qint64 LineView::top() const {
    return verticalScrollBar()->value();
}

int LineView::row_height() const {
    return std::max(1, fontMetrics().height());
}

int LineView::text_width() const {
    return std::max(1, viewport()->width() - 2 * kMargin);
}

std::unique_ptr<QTextLayout> LineView::layout_of(qint64 index) const {
    auto layout = std::make_unique<QTextLayout>(m_source.line(index), font());
    QTextOption option;
    option.setWrapMode(m_wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    layout->setTextOption(option);
    layout->beginLayout();
    for (int row = 0;; ++row) {
        QTextLine line = layout->createLine();
        if (!line.isValid()) {
            break;
        }
        line.setLineWidth(text_width());
        line.setPosition(QPointF(0, row * row_height()));
    }
    layout->endLayout();
    return layout;
}

int LineView::rows_of(qint64 index) const {
    return m_wrap ? std::max(1, layout_of(index)->lineCount()) : 1;
}

qint64 LineView::top_showing_last(qint64 last) const {
    const int room = viewport()->height();
    if (!m_wrap) {
        return std::max<qint64>(0, last + 1 - std::max(1, room / row_height()));
    }
    qint64 first = last;
    int used = rows_of(last) * row_height();
    while (first > 0) {
        const int more = rows_of(first - 1) * row_height();
        if (used + more > room) {
            break;
        }
        used += more;
        --first;
    }
    return first;
}

std::optional<int> LineView::y_of(qint64 index) const {
    if (index < top()) {
        return std::nullopt;
    }
    int y = 0;
    for (qint64 i = top(); i < index; ++i) {
        y += rows_of(i) * row_height();
        if (y >= viewport()->height()) {
            return std::nullopt;
        }
    }
    return y;
}

void LineView::update_vertical_range() {
    const qint64 wanted = m_top - m_dropped;
    OwnScroll own(m_scrolling);
    QScrollBar* bar = verticalScrollBar();
    const qint64 count = line_count();
    bar->setRange(0, static_cast<int>(count > 0 ? top_showing_last(count - 1) : 0));
    bar->setPageStep(std::max(1, viewport()->height() / row_height()));
    bar->setValue(m_following ? bar->maximum()
                              : static_cast<int>(std::clamp<qint64>(wanted, 0, bar->maximum())));
    m_top = bar->value() + m_dropped;
}

void LineView::update_horizontal_range() {
    QScrollBar* bar = horizontalScrollBar();
    if (m_wrap) {
        bar->setRange(0, 0);
        return;
    }
    // The lines in sight are measured; so each line is, when it comes into sight.
    const qint64 end = std::min(line_count(), top() + viewport()->height() / row_height() + 1);
    for (qint64 i = top(); i < end; ++i) {
        m_widest = std::max(m_widest, qCeil(layout_of(i)->lineAt(0).naturalTextWidth()));
    }
    bar->setRange(0, std::max(0, m_widest + 2 * kMargin - viewport()->width()));
    bar->setPageStep(viewport()->width());
    bar->setSingleStep(std::max(1, fontMetrics().averageCharWidth() * 4));
}

void LineView::place_bar() {
    const QRect area = viewport()->geometry();
    m_bar->setGeometry(area.left(), area.top() - m_bar->height(), area.width(), m_bar->height());
}

void LineView::on_scrolled(int value) {
    m_top = value + m_dropped;
    if (!m_scrolling) {
        set_following(value == verticalScrollBar()->maximum());
    }
    update_horizontal_range();
    viewport()->update();
}

void LineView::set_top(qint64 index, bool by_user) {
    std::optional<OwnScroll> own;
    if (!by_user) {
        own.emplace(m_scrolling);
    }
    verticalScrollBar()->setValue(static_cast<int>(std::clamp<qint64>(index, 0, kMostLines)));
}

void LineView::set_following(bool following) {
    if (following == m_following) {
        return;
    }
    m_following = following;
    {
        const QSignalBlocker quiet(m_follow_box);
        m_follow_box->setChecked(following);
    }
    emit following_changed(following);
}

void LineView::follow() {
    set_following(true);
    OwnScroll own(m_scrolling);
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void LineView::set_wrap(bool wrap) {
    if (wrap == m_wrap) {
        return;
    }
    m_wrap = wrap;
    m_widest = 0;
    setHorizontalScrollBarPolicy(wrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    update_vertical_range();
    update_horizontal_range();
    viewport()->update();
    emit wrap_changed(wrap);
}

LinePoint LineView::selection_start() const {
    const LinePoint start = m_selection.start();
    return {start.line - m_dropped, start.column};
}

LinePoint LineView::selection_end() const {
    const LinePoint end = m_selection.end();
    return {end.line - m_dropped, end.column};
}

LinePoint LineView::cursor() const {
    const LinePoint cursor = m_selection.cursor();
    return {cursor.line - m_dropped, cursor.column};
}

void LineView::select(LinePoint anchor, LinePoint cursor) {
    m_selection.select({anchor.line + m_dropped, anchor.column},
                       {cursor.line + m_dropped, cursor.column});
    selection_touched();
}

void LineView::select_all() {
    const qint64 count = line_count();
    if (count > 0) {
        select({0, 0}, line_end(count - 1));
    }
}

QString LineView::selected_text() const {
    return m_selection.text(m_source, m_dropped);
}

void LineView::copy() const {
    if (has_selection()) {
        QApplication::clipboard()->setText(selected_text());
    }
}

void LineView::open_find() {
    m_find_bar->open();
}

bool LineView::find(const QString& needle, SearchDirection direction, qint64 most_lines) {
    if (needle.isEmpty()) {
        m_find_bar->show_result(LineFindBar::Result::kNone);
        return false;
    }
    const LinePoint from =
        direction == SearchDirection::kForward ? selection_end() : selection_start();
    // A search through every line of a full log takes a while.
    const bool long_search = most_lines > kNearLines && m_source.line_count() > kNearLines;
    if (long_search) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    const std::optional<LineMatch> match =
        find_in_lines(m_source, needle, from.line < 0 ? LinePoint{} : from, direction, most_lines);
    if (long_search) {
        QApplication::restoreOverrideCursor();
    }
    const bool looked_everywhere = most_lines > m_source.line_count();
    m_find_bar->show_result(
        match ? (match->wrapped ? LineFindBar::Result::kFoundRound : LineFindBar::Result::kFound)
        : looked_everywhere ? LineFindBar::Result::kNotFound
                            : LineFindBar::Result::kNotNear);
    if (!match) {
        return false;
    }
    const LinePoint end{match->start.line, match->start.column + needle.size()};
    select(match->start, end);
    scroll_to(end);
    scroll_to(match->start);
    set_following(false);
    return true;
}

void LineView::scroll_to(LinePoint point) {
    const qint64 count = line_count();
    if (count == 0) {
        return;
    }
    point.line = std::clamp<qint64>(point.line, 0, count - 1);
    if (point.line < top()) {
        set_top(point.line, true);
    } else if (const qint64 first = top_showing_last(point.line); first > top()) {
        set_top(first, true);
    }
    if (m_wrap) {
        return;
    }
    const auto layout = layout_of(point.line);
    const QTextLine line = layout->lineAt(0);
    m_widest = std::max(m_widest, qCeil(line.naturalTextWidth()));
    update_horizontal_range();
    const int x = qRound(line.cursorToX(
        static_cast<int>(std::clamp<qint64>(point.column, 0, layout->text().size()))));
    QScrollBar* bar = horizontalScrollBar();
    const int width = viewport()->width() - 2 * kMargin;
    if (x < bar->value()) {
        bar->setValue(x - width / 4);
    } else if (x > bar->value() + width) {
        bar->setValue(x - width + width / 4);
    }
}

LinePoint LineView::point_at(QPoint position) const {
    const qint64 count = line_count();
    if (count == 0) {
        return {};
    }
    const int height = row_height();
    int y = 0;
    for (qint64 i = top(); i < count; ++i) {
        const auto layout = layout_of(i);
        const int rows = layout->lineCount();
        if (position.y() < y + rows * height || i == count - 1) {
            if (position.y() >= y + rows * height) {
                return line_end(i);  // below the last line
            }
            const int row = std::clamp((position.y() - y) / height, 0, rows - 1);
            const int x = position.x() - kMargin + horizontalScrollBar()->value();
            return {i, layout->lineAt(row).xToCursor(x)};
        }
        y += rows * height;
    }
    return line_end(count - 1);
}

QRect LineView::character_rect(LinePoint point) const {
    if (point.line < 0 || point.line >= line_count()) {
        return {};
    }
    const std::optional<int> y = y_of(point.line);
    if (!y) {
        return {};
    }
    const auto layout = layout_of(point.line);
    const int column = static_cast<int>(std::clamp<qint64>(point.column, 0, layout->text().size()));
    const QTextLine row = layout->lineForTextPosition(column);
    if (!row.isValid()) {
        return {};
    }
    const int left = qRound(row.cursorToX(column));
    const int right = qRound(row.cursorToX(std::min<int>(column + 1, layout->text().size())));
    const int shift = kMargin - horizontalScrollBar()->value();
    return QRect(left + shift, *y + qRound(row.y()), std::max(1, right - left), row_height());
}

LinePoint LineView::line_end(qint64 index) const {
    return {index, m_source.line(index).size()};
}

LinePoint LineView::caret_in_sight() const {
    const qint64 count = line_count();
    if (count == 0) {
        return {};
    }
    LinePoint caret = cursor();
    // An empty selection has nothing to keep: the caret comes to where the user is looking.
    if (m_selection.empty() && (caret.line < 0 || caret.line >= count || !y_of(caret.line))) {
        caret = m_following ? line_end(count - 1) : LinePoint{top(), 0};
    }
    caret.line = std::clamp<qint64>(caret.line, 0, count - 1);
    caret.column = std::clamp<qint64>(caret.column, 0, m_source.line(caret.line).size());
    return caret;
}

void LineView::move_cursor(LinePoint to, bool extend) {
    m_selection.move_to({to.line + m_dropped, to.column}, extend);
    scroll_to(to);
    selection_touched();
}

void LineView::selection_touched() {
    if (!m_selection.empty()) {
        set_following(false);
    }
    viewport()->update();
    LineViewAccessible::tell_selection(this);
    emit selection_changed();
}

void LineView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        copy();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        select_all();
        return;
    }
    if (event->matches(QKeySequence::Find)) {
        open_find();
        return;
    }
    if (event->key() == Qt::Key_Escape && m_find_bar->isVisible()) {
        m_find_bar->hide();
        return;
    }
    const qint64 count = line_count();
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    const bool whole = event->modifiers() & Qt::ControlModifier;
    if (count == 0) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    LinePoint caret = caret_in_sight();
    const qint64 page = std::max(1, verticalScrollBar()->pageStep());
    switch (event->key()) {
        case Qt::Key_Left:
            caret = caret.column > 0 ? LinePoint{caret.line, caret.column - 1}
                    : caret.line > 0 ? line_end(caret.line - 1)
                                     : caret;
            break;
        case Qt::Key_Right:
            caret = caret.column < m_source.line(caret.line).size()
                        ? LinePoint{caret.line, caret.column + 1}
                    : caret.line + 1 < count ? LinePoint{caret.line + 1, 0}
                                             : caret;
            break;
        case Qt::Key_Up:
            caret.line = std::max<qint64>(0, caret.line - 1);
            break;
        case Qt::Key_Down:
            caret.line = std::min(count - 1, caret.line + 1);
            break;
        case Qt::Key_PageUp:
            caret.line = std::max<qint64>(0, caret.line - page);
            break;
        case Qt::Key_PageDown:
            caret.line = std::min(count - 1, caret.line + page);
            break;
        case Qt::Key_Home:
            caret = extend && !whole ? LinePoint{caret.line, 0} : LinePoint{};
            break;
        case Qt::Key_End:
            if (!extend) {
                // Back to the newest line, following it again.
                m_selection.move_to({count - 1 + m_dropped, m_source.line(count - 1).size()},
                                    false);
                selection_touched();
                follow();
                return;
            }
            caret = whole ? line_end(count - 1) : line_end(caret.line);
            break;
        default:
            QAbstractScrollArea::keyPressEvent(event);
            return;
    }
    // Up and down keep the column where the line is long enough.
    caret.column = std::min<qint64>(caret.column, m_source.line(caret.line).size());
    move_cursor(caret, extend);
}

void LineView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const LinePoint at = point_at(event->position().toPoint());
    m_selection.move_to({at.line + m_dropped, at.column}, event->modifiers() & Qt::ShiftModifier);
    m_dragging = true;
    m_drag_position = event->position().toPoint();
    selection_touched();
}

void LineView::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging && (event->buttons() & Qt::LeftButton)) {
        drag_to(event->position().toPoint());
        return;
    }
    QAbstractScrollArea::mouseMoveEvent(event);
}

void LineView::mouseReleaseEvent(QMouseEvent* event) {
    if (m_dragging && event->button() == Qt::LeftButton) {
        m_dragging = false;
        m_drag_timer.stop();
        return;
    }
    QAbstractScrollArea::mouseReleaseEvent(event);
}

void LineView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || line_count() == 0) {
        QAbstractScrollArea::mouseDoubleClickEvent(event);
        return;
    }
    // The word under the pointer.
    const LinePoint at = point_at(event->position().toPoint());
    const QString line = m_source.line(at.line);
    qint64 from = std::min<qint64>(at.column, line.size());
    qint64 to = from;
    while (from > 0 && word_character(line[from - 1])) {
        --from;
    }
    while (to < line.size() && word_character(line[to])) {
        ++to;
    }
    if (from < to) {
        select({at.line, from}, {at.line, to});
    }
}

void LineView::drag_to(QPoint position) {
    m_drag_position = position;
    const LinePoint at = point_at(position);
    m_selection.move_to({at.line + m_dropped, at.column}, true);
    const bool beyond = position.y() < 0 || position.y() >= viewport()->height();
    if (beyond && !m_drag_timer.isActive()) {
        m_drag_timer.start();
    } else if (!beyond) {
        m_drag_timer.stop();
    }
    selection_touched();
}

void LineView::on_drag_tick() {
    if (!m_dragging) {
        m_drag_timer.stop();
        return;
    }
    set_top(top() + (m_drag_position.y() < 0 ? -1 : 1), true);
    drag_to(m_drag_position);
}

void LineView::contextMenuEvent(QContextMenuEvent* event) {
    const std::unique_ptr<QMenu> menu(make_context_menu(this));
    menu->exec(event->globalPos());
}

QMenu* LineView::make_context_menu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    QAction* copy_action = menu->addAction(QStringLiteral("复制"), this, [this] { copy(); });
    copy_action->setShortcut(QKeySequence::Copy);
    copy_action->setEnabled(has_selection());
    menu->addAction(QStringLiteral("全选"), this, &LineView::select_all)
        ->setShortcut(QKeySequence::SelectAll);
    menu->addSeparator();
    menu->addAction(QStringLiteral("查找"), this, &LineView::open_find)
        ->setShortcut(QKeySequence::Find);
    QAction* wrap_action = menu->addAction(QStringLiteral("自动换行"));
    wrap_action->setCheckable(true);
    wrap_action->setChecked(m_wrap);
    connect(wrap_action, &QAction::toggled, this, &LineView::set_wrap);
    return menu;
}

bool LineView::event(QEvent* event) {
    // The view's own keys are not taken by the window's shortcuts while it has the focus.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::SelectAll) ||
            key->matches(QKeySequence::Find) || key->key() == Qt::Key_Home ||
            key->key() == Qt::Key_End) {
            event->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

bool LineView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Resize) {
        place_bar();
        update_vertical_range();
        update_horizontal_range();
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void LineView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    place_bar();
    update_vertical_range();
}

void LineView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void LineView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void LineView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const QPalette& colours = palette();
    painter.setPen(colours.color(QPalette::Text));
    QTextCharFormat selected;
    selected.setBackground(colours.brush(QPalette::Highlight));
    selected.setForeground(colours.brush(QPalette::HighlightedText));
    const int height = row_height();
    const QPointF shift(kMargin - horizontalScrollBar()->value(), 0);
    const qint64 count = line_count();
    const LinePoint caret = m_selection.cursor();
    int y = 0;
    for (qint64 i = top(); i < count && y < viewport()->height(); ++i) {
        const auto layout = layout_of(i);
        const qint64 size = layout->text().size();
        const LineSelection::Columns columns = m_selection.columns(i + m_dropped);
        QList<QTextLayout::FormatRange> ranges;
        const bool past_end = columns.to == LineSelection::kPastEnd;
        const qint64 from = std::min(columns.from, size);
        const qint64 to = past_end ? size : std::clamp(columns.to, from, size);
        if (to > from) {
            ranges.append({static_cast<int>(from), static_cast<int>(to - from), selected});
        }
        const QPointF origin = shift + QPointF(0, y);
        if (past_end) {
            // The line end is selected too: a space's width after the last character.
            const QTextLine last = layout->lineAt(layout->lineCount() - 1);
            painter.fillRect(QRectF(origin.x() + last.cursorToX(static_cast<int>(size)),
                                    y + last.y(), fontMetrics().horizontalAdvance(u' '), height),
                             colours.brush(QPalette::Highlight));
        }
        layout->draw(&painter, origin, ranges);
        if (hasFocus() && caret.line == i + m_dropped) {
            layout->drawCursor(&painter, origin,
                               static_cast<int>(std::clamp<qint64>(caret.column, 0, size)));
        }
        y += layout->lineCount() * height;
    }
}
