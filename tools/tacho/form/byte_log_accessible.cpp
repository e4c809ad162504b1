#include "byte_log_accessible.h"

#include "byte_log_view.h"

#include <algorithm>
#include <limits>

namespace {

QAccessibleInterface* make_interface(const QString& class_name, QObject* object) {
    if (class_name == QLatin1String("ByteLogView")) {
        return new ByteLogAccessible(static_cast<ByteLogView*>(object));
    }
    return nullptr;
}

}  // namespace

ByteLogAccessible::ByteLogAccessible(ByteLogView* view)
    : QAccessibleWidget(view, QAccessible::EditableText) {}

void ByteLogAccessible::install() {
    static const bool installed = [] {
        QAccessible::installFactory(make_interface);
        return true;
    }();
    Q_UNUSED(installed);
}

const ByteLogView* ByteLogAccessible::view() const {
    return static_cast<const ByteLogView*>(widget());
}

void* ByteLogAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface) {
        return static_cast<QAccessibleTextInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State ByteLogAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.multiLine = true;
    return state;
}

QString ByteLogAccessible::text(QAccessible::Text kind) const {
    if (kind == QAccessible::Value) {
        return view()->log().text();
    }
    return QAccessibleWidget::text(kind);
}

QString ByteLogAccessible::text(int start, int end) const {
    return view()->log().text(start, end);
}

// The text interface counts in int; a log longer than that shows its beginning.
int ByteLogAccessible::characterCount() const {
    return static_cast<int>(
        std::min<qint64>(view()->log().text_size(), std::numeric_limits<int>::max()));
}

void ByteLogAccessible::selection(int, int* start, int* end) const {
    *start = 0;
    *end = 0;
}

QString ByteLogAccessible::attributes(int offset, int* start, int* end) const {
    *start = offset;
    *end = offset;
    return {};
}
