#include "plot_view.h"

#include "look.h"

#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QPushButton>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kLeftMargin = 64;
constexpr int kRightMargin = 12;
constexpr int kBottomMargin = 24;
constexpr int kGap = 4;

// Tick positions at 1, 2 or 5 times a power of ten, about `count` of them over the range.
std::vector<double> ticks(double low, double high, int count) {
    std::vector<double> result;
    const double span = high - low;
    if (!(span > 0) || !std::isfinite(span)) {
        return result;
    }
    const double rough = span / std::max(count, 1);
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = power;
    for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
        step = factor * power;
        if (step >= rough) {
            break;
        }
    }
    for (double tick = std::ceil(low / step) * step; tick <= high + step * 1e-9; tick += step) {
        result.push_back(std::abs(tick) < step * 1e-9 ? 0 : tick);
        if (result.size() > 100) {
            break;
        }
    }
    return result;
}

QString tick_text(double value) {
    return QString::number(value, 'g', 6);
}

QIcon swatch(const QColor& colour, bool filled) {
    QPixmap pixmap(12, 12);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QPen(colour, 2));
    painter.setBrush(filled ? QBrush(colour) : QBrush(Qt::NoBrush));
    painter.drawRect(QRectF(1, 1, 10, 10));
    return QIcon(pixmap);
}

}  // namespace

PlotView::PlotView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("plot_view"));
    setAccessibleName(QStringLiteral("波形"));
    setMinimumSize(240, 160);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_refresh.setSingleShot(true);
    connect(&m_refresh, &QTimer::timeout, this, &PlotView::refresh);
}

QColor PlotView::channel_colour(int n) {
    static const QColor colours[] = {
        rgb(0, 0, 255),   rgb(255, 0, 0),   rgb(0, 160, 0),  rgb(255, 128, 0),
        rgb(160, 0, 160), rgb(0, 160, 160), rgb(128, 96, 0), rgb(96, 96, 96),
    };
    return colours[n % std::size(colours)];
}

void PlotView::set_store(const SampleStore* store) {
    m_store = store;
    sync_legend();
    update();
}

void PlotView::data_changed() {
    m_dirty = true;
    // The first change after a quiet spell shows at once, later ones at the refresh.
    if (!m_refresh.isActive()) {
        refresh();
    }
}

int PlotView::refresh_interval_ms() const {
    return std::clamp(int(m_paint_ms * kPaintShareDivisor), kFastestRefreshMs, kSlowestRefreshMs);
}

void PlotView::refresh() {
    if (!m_dirty || !isVisible() || window()->isMinimized()) {
        return;  // idle until data comes or the plot is seen again
    }
    m_dirty = false;
    sync_legend();
    if (!m_paused) {
        update();
    }
    m_refresh.start(refresh_interval_ms());
}

// Also when the window is restored from minimised or the plot's tab is chosen: what came
// meanwhile shows.
void PlotView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!m_refresh.isActive()) {
        refresh();
    }
}

void PlotView::set_axis(PlotAxis axis) {
    if (axis == m_axis) {
        return;
    }
    m_axis = axis;
    follow_data();
    if (m_paused) {
        m_frozen = data_ranges();
    }
}

void PlotView::set_paused(bool paused) {
    if (paused == m_paused) {
        return;
    }
    m_paused = paused;
    if (paused) {
        m_frozen = data_ranges();
    }
    update();
}

void PlotView::set_channel_shown(const QString& name, bool shown) {
    if (shown == channel_shown(name)) {
        return;
    }
    if (shown) {
        m_hidden.remove(name);
    } else {
        m_hidden.insert(name);
    }
    for (std::size_t n = 0; n < m_legend.size(); ++n) {
        if (m_legend[n]->text() == name) {
            m_legend[n]->setChecked(shown);
            m_legend[n]->setIcon(swatch(channel_colour(int(n)), shown));
        }
    }
    update();
    emit channel_toggled(name, shown);
}

PlotView::Ranges PlotView::ranges() const {
    if (!m_follow) {
        return m_zoom;
    }
    return m_paused ? m_frozen : data_ranges();
}

void PlotView::zoom_to(const Ranges& ranges) {
    m_follow = false;
    m_zoom = ranges;
    update();
}

void PlotView::follow_data() {
    m_follow = true;
    update();
}

QRect PlotView::plot_area() const {
    return QRect(kLeftMargin, m_legend_height + kGap,
                 std::max(1, width() - kLeftMargin - kRightMargin),
                 std::max(1, height() - m_legend_height - kGap - kBottomMargin));
}

PlotView::Ranges PlotView::data_ranges(std::vector<Drawn>* drawn, qreal pixel_ratio) const {
    Ranges r{0, 1, 0, 1};
    if (!m_store) {
        return r;
    }
    bool any = false;
    for (const auto& channel : m_store->channels()) {
        if (channel->size() == 0 || !channel_shown(channel->name())) {
            continue;
        }
        const double first = channel->at(0).x(m_axis);
        const double last = channel->at(channel->size() - 1).x(m_axis);
        r.left = any ? std::min(r.left, first) : first;
        r.right = any ? std::max(r.right, last) : last;
        any = true;
    }
    if (!any) {
        return {0, 1, 0, 1};
    }
    if (r.right <= r.left) {
        r.left -= 0.5;
        r.right += 0.5;
    }
    bool any_value = false;
    std::vector<Drawn> envelopes_now = envelopes(r, pixel_ratio);
    for (const Drawn& each : envelopes_now) {
        for (const ColumnSpan& span : each.spans) {
            if (span.count == 0) {
                continue;
            }
            r.bottom = any_value ? std::min(r.bottom, span.low) : span.low;
            r.top = any_value ? std::max(r.top, span.high) : span.high;
            any_value = true;
        }
    }
    const double margin =
        r.top > r.bottom ? (r.top - r.bottom) * 0.05 : std::max(1.0, std::abs(r.top) * 0.1);
    r.bottom -= margin;
    r.top += margin;
    if (drawn) {
        *drawn = std::move(envelopes_now);
    }
    return r;
}

std::vector<PlotView::Drawn> PlotView::envelopes(const Ranges& ranges, qreal pixel_ratio) const {
    std::vector<Drawn> drawn;
    if (!m_store) {
        return drawn;
    }
    const int columns = qRound(plot_area().width() * pixel_ratio);
    const auto& channels = m_store->channels();
    for (std::size_t n = 0; n < channels.size(); ++n) {
        if (!channel_shown(channels[n]->name())) {
            continue;
        }
        drawn.push_back({channels[n].get(), channel_colour(int(n)),
                         channels[n]->columns(m_axis, ranges.left, ranges.right, columns)});
    }
    return drawn;
}

void PlotView::sync_legend() {
    const std::size_t count = m_store ? m_store->channels().size() : 0;
    if (count == m_legend.size()) {
        return;
    }
    while (m_legend.size() > count) {
        delete m_legend.back();
        m_legend.pop_back();
    }
    for (std::size_t n = m_legend.size(); n < count; ++n) {
        const QString name = m_store->channels()[n]->name();
        auto* button = new QPushButton(name, this);
        button->setObjectName(QStringLiteral("legend_button"));
        button->setAccessibleName(name);
        button->setAccessibleDescription(QStringLiteral("显示或隐藏这条曲线"));
        button->setCheckable(true);
        button->setChecked(channel_shown(name));
        button->setIcon(swatch(channel_colour(int(n)), channel_shown(name)));
        button->setFlat(true);
        connect(button, &QPushButton::clicked, this,
                [this, name](bool shown) { set_channel_shown(name, shown); });
        button->show();
        m_legend.push_back(button);
    }
    lay_out_legend();
}

void PlotView::lay_out_legend() {
    int x = kLeftMargin;
    int y = kGap;
    int row_height = 0;
    for (QPushButton* button : m_legend) {
        const QSize size = button->sizeHint();
        if (x > kLeftMargin && x + size.width() > width() - kRightMargin) {
            x = kLeftMargin;
            y += row_height + kGap;
            row_height = 0;
        }
        button->setGeometry(QRect(QPoint(x, y), size));
        x += size.width() + kGap;
        row_height = std::max(row_height, size.height());
    }
    const int height = m_legend.empty() ? 0 : y + row_height;
    if (height != m_legend_height) {
        m_legend_height = height;
        update();
    }
}

void PlotView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    lay_out_legend();
}

QPointF PlotView::to_value(const QPointF& pixel, const Ranges& r) const {
    const QRect area = plot_area();
    return {r.left + (pixel.x() - area.left()) / area.width() * (r.right - r.left),
            r.top - (pixel.y() - area.top()) / area.height() * (r.top - r.bottom)};
}

// Times each picture as the wall sees it: on a busy machine a picture takes longer, and the
// refresh stretches with it.
void PlotView::paintEvent(QPaintEvent*) {
    QElapsedTimer timer;
    timer.start();
    paint();
    const double ms = timer.nsecsElapsed() / 1e6;
    m_paint_ms = m_paint_ms > 0 ? 0.75 * m_paint_ms + 0.25 * ms : ms;
}

void PlotView::paint() {
    QPainter painter(this);
    painter.fillRect(rect(), rgb(255, 255, 255));
    const QRect area = plot_area();
    // The lines are drawn in the pixels of the screen (or picture) painted on, not scaled up to
    // them: on a screen of twice the density, a column of the plot is two columns of pixels.
    const qreal pixel_ratio = painter.paintEngine()->paintDevice()->devicePixelRatioF();
    // Following the data, the envelopes that set the ranges are the ones drawn.
    std::vector<Drawn> drawn_channels;
    const Ranges r = m_follow && !m_paused ? data_ranges(&drawn_channels, pixel_ratio) : ranges();
    if (!(m_follow && !m_paused)) {
        drawn_channels = envelopes(r, pixel_ratio);
    }
    const auto x_of = [&](double x) {
        return area.left() + (x - r.left) / (r.right - r.left) * area.width();
    };
    const auto y_of = [&](double y) {
        return area.bottom() + 1 - (y - r.bottom) / (r.top - r.bottom) * area.height();
    };

    // The plot area is drawn into an image of its own: grid and frame through a painter, then
    // each channel's line as a run of pixels per column written straight into the image, which
    // costs a small part of what as many painted lines do.
    const QSize pixels = (QSizeF(area.size()) * pixel_ratio).toSize();
    if (m_canvas.size() != pixels) {
        m_canvas = QImage(pixels, QImage::Format_RGB32);
    }
    m_canvas.setDevicePixelRatio(pixel_ratio);
    m_canvas.fill(rgb(255, 255, 255));
    QPainter canvas(&m_canvas);
    canvas.translate(-area.topLeft());
    canvas.setPen(rgb(224, 224, 224));
    const QFontMetrics metrics = painter.fontMetrics();
    const auto x_ticks = ticks(r.left, r.right, std::max(2, area.width() / 90));
    const auto y_ticks = ticks(r.bottom, r.top, std::max(2, area.height() / 40));
    for (const double x : x_ticks) {
        canvas.drawLine(QPointF(x_of(x), area.top()), QPointF(x_of(x), area.bottom()));
    }
    for (const double y : y_ticks) {
        canvas.drawLine(QPointF(area.left(), y_of(y)), QPointF(area.right(), y_of(y)));
    }
    canvas.setPen(window_text_colour());
    canvas.drawRect(area.adjusted(0, 0, -1, -1));
    canvas.end();

    // The lines: a stroke from the lowest to the highest value of each column, joined to the
    // column before from its last value to this one's first.
    bool any = false;
    uchar* const bits = m_canvas.bits();
    const qsizetype stride = m_canvas.bytesPerLine();
    for (const Drawn& drawn : drawn_channels) {
        const std::vector<ColumnRows> rows =
            column_rows(drawn.spans, r.bottom, r.top, m_canvas.height());
        const QRgb colour = drawn.colour.rgb();
        const int columns = std::min(int(rows.size()), m_canvas.width());
        for (int c = 0; c < columns; ++c) {
            any = any || drawn.spans[c].count > 0;
            uchar* pixel = bits + rows[c].top * stride + c * qsizetype(sizeof(QRgb));
            for (int row = rows[c].top; row <= rows[c].bottom; ++row, pixel += stride) {
                *reinterpret_cast<QRgb*>(pixel) = colour;
            }
        }
    }
    painter.drawImage(area.topLeft(), m_canvas);

    // The scales beside the area.
    painter.setPen(window_text_colour());
    for (const double x : x_ticks) {
        const QString text = tick_text(x);
        painter.drawText(QPointF(x_of(x) - metrics.horizontalAdvance(text) / 2.0,
                                 area.bottom() + 4 + metrics.ascent()),
                         text);
    }
    for (const double y : y_ticks) {
        const QString text = tick_text(y);
        painter.drawText(QPointF(area.left() - 6 - metrics.horizontalAdvance(text),
                                 y_of(y) + metrics.ascent() / 2.0 - 1),
                         text);
    }
    const QString unit =
        m_axis == PlotAxis::kSeconds ? QStringLiteral("秒") : QStringLiteral("序号");
    // The unit of the time axis stands below the value scale, left of the time scale.
    painter.drawText(QPointF(4, area.bottom() + 4 + metrics.ascent()), unit);
    if (!any) {
        painter.setPen(rgb(128, 128, 128));
        painter.drawText(area, Qt::AlignCenter, QStringLiteral("无数据"));
    }
    if (m_paused) {
        painter.setPen(rgb(255, 0, 0));
        painter.drawText(area.adjusted(6, 4, -6, -4), Qt::AlignTop | Qt::AlignRight,
                         QStringLiteral("已暂停"));
    }
    if (!m_drag.isEmpty()) {
        painter.setPen(QPen(rgb(0, 0, 0), 1, Qt::DashLine));
        painter.setBrush(QColor(0, 0, 255, 32));
        painter.drawRect(m_drag);
    }
}

void PlotView::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y();
    if (steps == 0) {
        return;
    }
    Ranges r = ranges();
    const double factor = std::pow(0.8, steps / 120.0);
    const double centre = to_value(event->position(), r).x();
    r.left = centre - (centre - r.left) * factor;
    r.right = centre + (r.right - centre) * factor;
    if (r.right - r.left > 1e-9) {
        zoom_to(r);
    }
    event->accept();
}

void PlotView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && plot_area().contains(event->position().toPoint())) {
        m_drag_start = event->position().toPoint();
        m_drag = QRect();
    }
    QWidget::mousePressEvent(event);
}

void PlotView::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton && !m_drag_start.isNull()) {
        m_drag = QRect(m_drag_start, event->position().toPoint()).normalized() & plot_area();
        update();
    }
}

void PlotView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_drag_start.isNull()) {
        return;
    }
    const QRect drag = m_drag;
    m_drag = QRect();
    m_drag_start = QPoint();
    // A small stroke is a click, not a zoom.
    if (drag.width() >= 4 && drag.height() >= 4) {
        const Ranges r = ranges();
        const QPointF top_left = to_value(drag.topLeft(), r);
        const QPointF bottom_right = to_value(QPointF(drag.right() + 1, drag.bottom() + 1), r);
        zoom_to({top_left.x(), bottom_right.x(), bottom_right.y(), top_left.y()});
    }
    update();
}

void PlotView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_drag = QRect();
        m_drag_start = QPoint();
        follow_data();
    }
}
