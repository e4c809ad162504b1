#include "digital_display.h"

#include "shell/widgets/look.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace {

// What assistive technology reads: the shown text, as static text.
class AccessibleDigitalDisplay : public QAccessibleWidget {
public:
    explicit AccessibleDigitalDisplay(DigitalDisplay* display)
        : QAccessibleWidget(display, QAccessible::StaticText) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name || kind == QAccessible::Value) {
            return static_cast<DigitalDisplay*>(widget())->text();
        }
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* accessible_digital_display(const QString& class_name, QObject* object) {
    if (class_name == QLatin1String("DigitalDisplay")) {
        if (auto* display = qobject_cast<DigitalDisplay*>(object)) {
            return new AccessibleDigitalDisplay(display);
        }
    }
    return nullptr;
}

}  // namespace

DigitalDisplay::DigitalDisplay(QWidget* parent) : QLCDNumber(8, parent) {
    static const bool accessible = [] {
        QAccessible::installFactory(accessible_digital_display);
        return true;
    }();
    Q_UNUSED(accessible);
    setSegmentStyle(QLCDNumber::Flat);
    setFrameStyle(QFrame::NoFrame);
    set_background(this, rgb(0, 0, 0));
    set_text_colour(this, rgb(0, 255, 0));
}

void DigitalDisplay::set_text(const QString& text) {
    if (text == m_text) {
        return;
    }
    m_text = text;
    if (text.size() > digitCount()) {
        setDigitCount(text.size());
    }
    display(text);
    if (QAccessible::isActive()) {
        QAccessibleEvent changed(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&changed);
    }
}
