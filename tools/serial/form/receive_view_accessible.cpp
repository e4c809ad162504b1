#include "receive_view_accessible.h"

#include "receive_view.h"

namespace {

QAccessibleInterface* make_interface(const QString& class_name, QObject* object) {
    if (class_name == QLatin1String("ReceiveView")) {
        return new ReceiveViewAccessible(static_cast<ReceiveView*>(object));
    }
    return nullptr;
}

}  // namespace

ReceiveViewAccessible::ReceiveViewAccessible(ReceiveView* view)
    : QAccessibleWidget(view, QAccessible::EditableText) {}

void ReceiveViewAccessible::install() {
    static const bool installed = [] {
        QAccessible::installFactory(make_interface);
        return true;
    }();
    Q_UNUSED(installed);
}

QString ReceiveViewAccessible::all_text() const {
    return static_cast<const ReceiveView*>(widget())->log().text();
}

void* ReceiveViewAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface) {
        return static_cast<QAccessibleTextInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State ReceiveViewAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.multiLine = true;
    return state;
}

QString ReceiveViewAccessible::text(QAccessible::Text kind) const {
    return kind == QAccessible::Value ? all_text() : QAccessibleWidget::text(kind);
}

QString ReceiveViewAccessible::text(int start, int end) const {
    return all_text().mid(start, end - start);
}

int ReceiveViewAccessible::characterCount() const {
    return static_cast<int>(all_text().size());
}

QString ReceiveViewAccessible::attributes(int offset, int* start, int* end) const {
    *start = offset;
    *end = offset;
    return {};
}
