#include "speed_plot_window.h"

#include "shell/widgets/look.h"
#include "shell/widgets/plot_box.h"
#include "shell/widgets/plot_view.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QVBoxLayout>

#include <algorithm>

const QString SpeedPlotWindow::kMsPerRevolution = QStringLiteral("每转时间(ms)");
const QString SpeedPlotWindow::kSpeed = QStringLiteral("即时转速(r/min)");
const QString SpeedPlotWindow::kAverageSpeed = QStringLiteral("平均转速(r/min)");

SpeedPlotWindow::SpeedPlotWindow(FormHost& host, const SampleStore& speeds)
    : Form(host, QStringLiteral("转速曲线"), QStringLiteral("转速曲线"), 10800, 6600,
           rgb(192, 255, 255)) {
    m_box = new PlotBox(host, speeds, QStringLiteral("转速"));
    // Milliseconds would flatten the speeds on the same scale: that line starts hidden.
    m_box->plot()->set_channel_shown(kMsPerRevolution, false);
    auto* column = new QVBoxLayout(this);
    column->addWidget(m_box);
    m_box->plot()->installEventFilter(this);
    m_refresh.setSingleShot(true);
    connect(&m_refresh, &QTimer::timeout, this, &SpeedPlotWindow::refresh);
}

void SpeedPlotWindow::data_changed() {
    m_pending = true;
    // The first frames after a quiet spell show at once, later ones at the refresh.
    if (!m_refresh.isActive()) {
        refresh();
    }
}

int SpeedPlotWindow::refresh_interval_ms() const {
    return std::clamp(int(m_paint_ms * kPaintShareDivisor), PlotView::kRefreshMs,
                      kSlowestRefreshMs);
}

bool SpeedPlotWindow::can_be_seen() const {
    return isVisible() && !isMinimized();
}

void SpeedPlotWindow::refresh() {
    if (!m_pending || !can_be_seen()) {
        return;  // idle until frames come or the window is seen again
    }
    m_pending = false;
    m_box->data_changed();
    m_refresh.start(refresh_interval_ms());
}

// Times each picture of the plot, as the wall sees it: on a busy machine a picture takes
// longer, and the refresh stretches with it.
bool SpeedPlotWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_box->plot() || event->type() != QEvent::Paint) {
        return Form::eventFilter(watched, event);
    }
    QElapsedTimer timer;
    timer.start();
    static_cast<QObject*>(m_box->plot())->event(event);
    const double ms = timer.nsecsElapsed() / 1e6;
    m_paint_ms = m_paint_ms > 0 ? 0.75 * m_paint_ms + 0.25 * ms : ms;
    return true;  // delivered above
}

// Also when the window is restored from minimised: what came meanwhile shows.
void SpeedPlotWindow::showEvent(QShowEvent* event) {
    Form::showEvent(event);
    if (!m_refresh.isActive()) {
        refresh();
    }
}
