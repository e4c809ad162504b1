#include "clock_face.h"

#include <QGuiApplication>
#include <QPainter>

#include <cmath>
#include <numbers>

namespace {

constexpr int kDialPixels = 129;

QPixmap draw_dial(QPointF centre, const QFont& base_font) {
    const qreal ratio = qApp->devicePixelRatio();
    QPixmap dial(QSize(kDialPixels, kDialPixels) * ratio);
    dial.setDevicePixelRatio(ratio);
    dial.fill(Qt::transparent);

    QPainter painter(&dial);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal radius = 59;
    painter.setPen(QPen(QColor(64, 64, 64), 3));
    painter.setBrush(Qt::white);
    painter.drawEllipse(centre, radius, radius);

    for (int minute = 0; minute < 60; ++minute) {
        const bool hour = minute % 5 == 0;
        const double angle = minute * std::numbers::pi / 30;
        const QPointF direction(std::sin(angle), -std::cos(angle));
        painter.setPen(QPen(Qt::black, hour ? 2 : 1));
        painter.drawLine(centre + direction * (radius - (hour ? 8 : 5)),
                         centre + direction * (radius - 2));
    }

    QFont numerals = base_font;
    numerals.setPixelSize(10);
    numerals.setBold(true);
    painter.setFont(numerals);
    painter.setPen(Qt::black);
    for (int hour = 1; hour <= 12; ++hour) {
        const double angle = hour * std::numbers::pi / 6;
        const QPointF at = centre + QPointF(std::sin(angle), -std::cos(angle)) * (radius - 16);
        painter.drawText(QRectF(at - QPointF(10, 6), QSizeF(20, 12)), Qt::AlignCenter,
                         QString::number(hour));
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawEllipse(centre, 2.5, 2.5);
    return dial;
}

}  // namespace

ClockFace::ClockFace(QWidget* parent, QPointF centre)
    : QFrame(parent), m_hands_layer(new QWidget(this)) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_dial = draw_dial(centre, font());
}

void ClockFace::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    m_hands_layer->setGeometry(contentsRect());
}

void ClockFace::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    painter.drawPixmap(contentsRect().topLeft(), m_dial);
}
