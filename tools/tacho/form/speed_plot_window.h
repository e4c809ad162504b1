#pragma once

#include "shell/widgets/form.h"

class PlotBox;
class SampleStore;

// 转速曲线: the tachometer's speeds over time, in a window of its own that resizes. The samples
// are the tachometer's; the window only shows them and exports them.
class SpeedPlotWindow : public Form {
    Q_OBJECT
public:
    static const QString kMsPerRevolution;
    static const QString kSpeed;
    static const QString kAverageSpeed;

    SpeedPlotWindow(FormHost& host, const SampleStore& speeds);

    PlotBox* plot_box() const { return m_box; }

private:
    PlotBox* m_box;
};
