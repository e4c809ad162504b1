#include "line_view_accessible.h"

#include "line_source.h"
#include "line_view.h"

#include <algorithm>
#include <limits>

namespace {

// Asked for each class of a widget from its own up, so views derived from LineView find it too.
QAccessibleInterface* make_interface(const QString& class_name, QObject* object) {
    if (class_name == QLatin1String("LineView")) {
        return new LineViewAccessible(static_cast<LineView*>(object));
    }
    return nullptr;
}

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

const LineSource& LineViewAccessible::source() const {
    return static_cast<const LineView*>(widget())->source();
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
    return state;
}

QString LineViewAccessible::text(QAccessible::Text kind) const {
    return kind == QAccessible::Value ? source().all_text() : QAccessibleWidget::text(kind);
}

QString LineViewAccessible::text(int start, int end) const {
    return source().text(start, end);
}

// The text interface counts in int; a longer text shows its beginning.
int LineViewAccessible::characterCount() const {
    return static_cast<int>(
        std::min<qint64>(source().text_size(), std::numeric_limits<int>::max()));
}

QString LineViewAccessible::attributes(int offset, int* start, int* end) const {
    *start = offset;
    *end = offset;
    return {};
}
