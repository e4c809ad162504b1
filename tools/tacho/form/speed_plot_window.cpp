#include "speed_plot_window.h"

#include "shell/widgets/look.h"
#include "shell/widgets/plot_box.h"
#include "shell/widgets/plot_view.h"

#include <QVBoxLayout>

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
}
