#include "flat_face_style.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

namespace {

const char kPainted[] = "brevik_painted_face";

}  // namespace

FlatFaceStyle::FlatFaceStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void FlatFaceStyle::mark_painted(QWidget* button) {
    button->setProperty(kPainted, true);
}

void FlatFaceStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                  QPainter* painter, const QWidget* widget) const {
    if (element != PE_PanelButtonCommand || !widget || !widget->property(kPainted).toBool()) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const QRect face = option->rect;
    const QColor colour = option->palette.color(QPalette::Button);
    painter->save();
    painter->fillRect(face, colour);
    // A one-pixel bevel: light above and left, dark below and right; reversed while pressed.
    const bool pressed = option->state & (State_Sunken | State_On);
    const QColor light = pressed ? colour.darker(160) : colour.lighter(160);
    const QColor dark = pressed ? colour.lighter(160) : colour.darker(160);
    painter->setPen(light);
    painter->drawLine(face.topLeft(), face.topRight());
    painter->drawLine(face.topLeft(), face.bottomLeft());
    painter->setPen(dark);
    painter->drawLine(face.bottomLeft(), face.bottomRight());
    painter->drawLine(face.topRight(), face.bottomRight());
    painter->restore();
}
