#include "line_view_accessible.h"

#include "line_source.h"
#include "line_view.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace {

// Asked for each class of a widget from its own up, so views derived from LineView find it too.
QAccessibleInterface* make_interface(const QString& class_name, QObject* object) {
    if (class_name == QLatin1String("LineView")) {
        return new LineViewAccessible(static_cast<LineView*>(object));
    }
    return nullptr;
}

// Blank lines read past around an offset, at most.
constexpr qint64 kMostBlankLines = 64;

// The text interface counts in int; a longer text shows its beginning.
int clipped(qint64 offset) {
    return static_cast<int>(std::clamp<qint64>(offset, 0, std::numeric_limits<int>::max()));
}

// A few lines of a view's text, read by Qt's own rules for characters, words, sentences and
// lines, which otherwise work on the whole text.
class TextWindow : public QAccessibleTextInterface {
public:
    explicit TextWindow(QString text) : m_text(std::move(text)) {}

    QString text(int start, int end) const override { return m_text.mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(m_text.size()); }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }

private:
    QString m_text;
};

}  // namespace

LineViewAccessible::LineViewAccessible(LineView* view)
    : QAccessibleWidget(view, QAccessible::EditableText) {}

void LineViewAccessible::install() {
    static const bool installed = [] {
        QAccessible::installFactory(make_interface);
        return true;
    }();
    Q_UNUSED(installed);
}

void LineViewAccessible::tell_selection(LineView* view) {
    if (!QAccessible::isActive()) {
        return;
    }
    QAccessibleTextInterface* reader = QAccessible::queryAccessibleInterface(view)->textInterface();
    int start = 0;
    int end = 0;
    reader->selection(0, &start, &end);
    QAccessibleTextSelectionEvent selected(view, start, end);
    selected.setCursorPosition(reader->cursorPosition());
    QAccessible::updateAccessibility(&selected);
}

LineView* LineViewAccessible::view() const {
    return static_cast<LineView*>(widget());
}

const LineSource& LineViewAccessible::source() const {
    return view()->source();
}

int LineViewAccessible::offset_of(LinePoint point) const {
    const qint64 count = source().line_count();
    if (count == 0 || point.line < 0) {
        return 0;
    }
    if (point.line >= count) {
        return characterCount();
    }
    // A column past the line's end is its end.
    const qint64 start = source().line_offset(point.line);
    const qint64 length = source().line(point.line).size();
    return clipped(start + std::clamp<qint64>(point.column, 0, length));
}

LinePoint LineViewAccessible::point_of(int offset) const {
    if (source().line_count() == 0) {
        return {};
    }
    const qint64 line = source().line_at_offset(offset);
    const qint64 start = source().line_offset(line);
    const qint64 length = source().line(line).size();
    return {line, std::clamp<qint64>(offset - start, 0, length)};
}

void* LineViewAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface) {
        return static_cast<QAccessibleTextInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State LineViewAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.multiLine = true;
    state.selectableText = true;
    return state;
}

QString LineViewAccessible::text(QAccessible::Text kind) const {
    return kind == QAccessible::Value ? source().all_text() : QAccessibleWidget::text(kind);
}

QString LineViewAccessible::text(int start, int end) const {
    return source().text(start, end);
}

int LineViewAccessible::characterCount() const {
    return clipped(source().text_size());
}

void LineViewAccessible::selection(int index, int* start, int* end) const {
    if (index != 0 || !view()->has_selection()) {
        *start = *end = 0;
        return;
    }
    *start = offset_of(view()->selection_start());
    *end = offset_of(view()->selection_end());
}

int LineViewAccessible::selectionCount() const {
    return view()->has_selection() ? 1 : 0;
}

void LineViewAccessible::addSelection(int start, int end) {
    setSelection(0, start, end);
}

void LineViewAccessible::removeSelection(int index) {
    if (index == 0) {
        const LinePoint caret = view()->cursor();
        view()->select(caret, caret);
    }
}

void LineViewAccessible::setSelection(int index, int start, int end) {
    if (index == 0) {
        view()->select(point_of(start), point_of(end));
    }
}

int LineViewAccessible::cursorPosition() const {
    return offset_of(view()->cursor());
}

void LineViewAccessible::setCursorPosition(int position) {
    const LinePoint caret = point_of(position);
    view()->select(caret, caret);
    view()->scroll_to(caret);
}

QRect LineViewAccessible::characterRect(int offset) const {
    const QRect local = view()->character_rect(point_of(offset));
    if (local.isEmpty()) {
        return {};
    }
    return QRect(view()->viewport()->mapToGlobal(local.topLeft()), local.size());
}

int LineViewAccessible::offsetAtPoint(const QPoint& point) const {
    const QPoint local = view()->viewport()->mapFromGlobal(point);
    if (!view()->viewport()->rect().contains(local)) {
        return -1;
    }
    return offset_of(view()->point_at(local));
}

void LineViewAccessible::scrollToSubstring(int start, int end) {
    view()->scroll_to(point_of(end));
    view()->scroll_to(point_of(start));
}

QString LineViewAccessible::attributes(int offset, int* start, int* end) const {
    *start = offset;
    *end = offset;
    return {};
}

QString LineViewAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary,
                                             int* start, int* end) const {
    return text_about(offset, boundary, Side::kBefore, start, end);
}

QString LineViewAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundary,
                                         int* start, int* end) const {
    return text_about(offset, boundary, Side::kAt, start, end);
}

QString LineViewAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundary,
                                            int* start, int* end) const {
    return text_about(offset, boundary, Side::kAfter, start, end);
}

QString LineViewAccessible::text_about(int offset, QAccessible::TextBoundaryType boundary,
                                       Side side, int* start, int* end) const {
    const qint64 count = source().line_count();
    if (boundary == QAccessible::NoBoundary || count == 0) {
        // The whole text, when that is what is asked.
        *start = 0;
        *end = characterCount();
        return side == Side::kAt ? text(0, *end) : QString();
    }
    // Nothing is at or after the end; Qt's rules would not come back from a word there.
    const int size = characterCount();
    if (offset >= size && side != Side::kBefore) {
        *start = *end = size;
        return {};
    }
    // The line holding the offset with the lines on either side of it, and the blank lines
    // beyond them, which a run of white space between two words crosses.
    const qint64 line = source().line_at_offset(offset);
    const auto blank = [this](qint64 index) { return source().line(index).trimmed().isEmpty(); };
    qint64 first = std::max<qint64>(0, line - 1);
    while (first > 0 && line - first < kMostBlankLines && blank(first)) {
        --first;
    }
    qint64 last = std::min(count - 1, line + 1);
    while (last + 1 < count && last - line < kMostBlankLines && blank(last)) {
        ++last;
    }
    const qint64 from = source().line_offset(first);
    const qint64 to = source().line_offset(last + 1);
    const TextWindow window(source().text(from, to));
    const int at = static_cast<int>(std::clamp<qint64>(offset - from, 0, to - from));
    QString found;
    switch (side) {
        case Side::kBefore:
            found = window.textBeforeOffset(at, boundary, start, end);
            break;
        case Side::kAt:
            found = window.textAtOffset(at, boundary, start, end);
            break;
        case Side::kAfter:
            found = window.textAfterOffset(at, boundary, start, end);
            break;
    }
    if (*start >= 0) {
        *start = clipped(*start + from);
        *end = clipped(*end + from);
    }
    return found;
}
