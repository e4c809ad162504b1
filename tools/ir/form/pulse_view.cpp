#include "pulse_view.h"

#include "shell/widgets/look.h"
#include "tools/ir/core/ir_encoder.h"

#include <QPainter>
#include <QPainterPath>

#include <cstdlib>

namespace {

constexpr int kMargin = 8;

}  // namespace

PulseView::PulseView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pulse_view"));
    setAccessibleName(QStringLiteral("最后一帧的波形"));
    setMinimumHeight(110);
    set_background(this, rgb(255, 255, 255));
}

void PulseView::set_timings(const std::vector<qint32>& timings) {
    m_timings = timings;
    setAccessibleDescription(timings.empty() ? QStringLiteral("还没有收到帧")
                                             : timings_text(timings));
    update();
}

QSize PulseView::sizeHint() const {
    return {600, 130};
}

void PulseView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), rgb(255, 255, 255));
    const QFontMetrics metrics(font());
    const int text_height = metrics.height();
    const int high = kMargin + text_height;
    const int low = height() - kMargin - text_height;
    if (m_timings.empty()) {
        painter.setPen(rgb(128, 128, 128));
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("还没有收到帧"));
        return;
    }
    qint64 total = 0;
    for (const qint32 timing : m_timings) {
        total += std::abs(qint64{timing});
    }
    const double scale = double(width() - 2 * kMargin) / double(std::max<qint64>(total, 1));
    QPainterPath path;
    path.moveTo(kMargin, low);
    double x = kMargin;
    painter.setPen(rgb(0, 0, 0));
    for (const qint32 timing : m_timings) {
        const bool pulse = timing > 0;
        const double next = x + std::abs(qint64{timing}) * scale;
        const int level = pulse ? high : low;
        path.lineTo(x, level);
        path.lineTo(next, level);
        const QString length = QString::number(std::abs(qint64{timing}));
        // A length is written only where it fits over or under its own piece.
        if (metrics.horizontalAdvance(length) + 2 <= next - x) {
            const QRectF box(x, pulse ? high - text_height : low, next - x, text_height);
            painter.drawText(box, Qt::AlignCenter, length);
        }
        x = next;
    }
    path.lineTo(x, low);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(rgb(0, 0, 192), 2));
    painter.drawPath(path);
}
