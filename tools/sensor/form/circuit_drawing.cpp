#include "circuit_drawing.h"

#include "shell/widgets/look.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>

namespace {

// Drawing units: the picture is laid out on a 250 by 462 grid, stretched to the widget.
constexpr int kWidth = 250;
constexpr int kHeight = 462;
constexpr int kWireX = 110;
constexpr int kCapacitorX = 40;
constexpr int kRailY = 60;
constexpr int kNodeY = 231;
constexpr int kGroundY = 410;
constexpr int kElementHeight = 90;
constexpr int kUpperTop = 95;
constexpr int kLowerTop = 277;

// A picture to screen readers, with the texts of the drawing as its name.
class CircuitAccessible : public QAccessibleWidget {
public:
    explicit CircuitAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Graphic) {}
};

QAccessibleInterface* circuit_accessible(const QString& class_name, QObject* object) {
    if (class_name == u"CircuitDrawing" && object->isWidgetType()) {
        return new CircuitAccessible(static_cast<QWidget*>(object));
    }
    return nullptr;
}

void draw_resistor(QPainter& painter, int top) {
    painter.drawRect(kWireX - 12, top, 24, kElementHeight);
}

// A resistor crossed by a slanted stroke with a foot: its value follows the temperature.
void draw_thermistor(QPainter& painter, int top) {
    draw_resistor(painter, top);
    const QPoint foot[] = {{kWireX - 26, top + kElementHeight - 8},
                           {kWireX - 16, top + kElementHeight - 8},
                           {kWireX + 22, top + 10}};
    painter.drawPolyline(foot, 3);
}

void draw_ground(QPainter& painter, int x, int y) {
    painter.drawLine(x, y, x, y + 12);
    for (int step = 0; step < 3; ++step) {
        const int half = 24 - 8 * step;
        painter.drawLine(x - half, y + 12 + 7 * step, x + half, y + 12 + 7 * step);
    }
}

}  // namespace

CircuitDrawing::CircuitDrawing(QWidget* parent, Orientation orientation)
    : QWidget(parent), m_orientation(orientation) {
    static const bool installed = [] {
        QAccessible::installFactory(circuit_accessible);
        return true;
    }();
    Q_UNUSED(installed);
    setAccessibleName(texts().join(u' '));
    setFont(song_font(10.5));
}

QString CircuitDrawing::upper_label() const {
    return m_orientation == Orientation::kPullUp ? QStringLiteral("上拉电阻")
                                                 : QStringLiteral("热敏电阻");
}

QString CircuitDrawing::lower_label() const {
    return m_orientation == Orientation::kPullUp ? QStringLiteral("热敏电阻")
                                                 : QStringLiteral("下拉电阻");
}

QStringList CircuitDrawing::texts() const {
    return {QStringLiteral("VCC"), upper_label(), QStringLiteral("TO MCU"), QStringLiteral("C"),
            lower_label()};
}

void CircuitDrawing::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Qt::white);
    painter.setWindow(0, 0, kWidth, kHeight);
    painter.setPen(QPen(Qt::black, 2));

    // Supply rail and the wire down through both elements to ground.
    painter.drawText(QRect(kWireX - 40, kRailY - 36, 80, 24), Qt::AlignCenter, texts()[0]);
    painter.drawLine(kWireX - 40, kRailY, kWireX + 40, kRailY);
    painter.drawLine(kWireX, kRailY, kWireX, kUpperTop);
    painter.drawLine(kWireX, kUpperTop + kElementHeight, kWireX, kLowerTop);
    painter.drawLine(kWireX, kLowerTop + kElementHeight, kWireX, kGroundY);
    const bool pull_up = m_orientation == Orientation::kPullUp;
    pull_up ? draw_resistor(painter, kUpperTop) : draw_thermistor(painter, kUpperTop);
    pull_up ? draw_thermistor(painter, kLowerTop) : draw_resistor(painter, kLowerTop);
    const QRect upper_text(kWireX + 30, kUpperTop, 100, kElementHeight);
    const QRect lower_text(kWireX + 30, kLowerTop, 100, kElementHeight);
    painter.drawText(upper_text, Qt::AlignLeft | Qt::AlignVCenter, upper_label());
    painter.drawText(lower_text, Qt::AlignLeft | Qt::AlignVCenter, lower_label());

    // The middle node: out to the converter on the right, the capacitor on the left.
    painter.setBrush(Qt::black);
    painter.drawEllipse(QPoint(kWireX, kNodeY), 4, 4);
    painter.drawLine(kWireX, kNodeY, kWidth - 20, kNodeY);
    const QPoint arrow[] = {
        {kWidth - 20, kNodeY - 6}, {kWidth - 8, kNodeY}, {kWidth - 20, kNodeY + 6}};
    painter.drawPolygon(arrow, 3);
    painter.setBrush(Qt::NoBrush);
    painter.drawText(QRect(kWireX + 40, kNodeY - 30, 100, 24), Qt::AlignCenter, texts()[2]);

    constexpr int kPlateY = kNodeY + 80;
    painter.drawLine(kWireX, kNodeY, kCapacitorX, kNodeY);
    painter.drawLine(kCapacitorX, kNodeY, kCapacitorX, kPlateY);
    painter.drawLine(kCapacitorX - 18, kPlateY, kCapacitorX + 18, kPlateY);
    painter.drawLine(kCapacitorX - 18, kPlateY + 10, kCapacitorX + 18, kPlateY + 10);
    painter.drawLine(kCapacitorX, kPlateY + 10, kCapacitorX, kGroundY);
    painter.drawText(QRect(kCapacitorX + 22, kPlateY - 8, 24, 24), Qt::AlignCenter, texts()[3]);

    painter.drawLine(kCapacitorX, kGroundY, kWireX, kGroundY);
    draw_ground(painter, (kCapacitorX + kWireX) / 2, kGroundY);
}
