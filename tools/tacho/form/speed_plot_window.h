#pragma once

#include "shell/widgets/form.h"

#include <QTimer>

class PlotBox;
class SampleStore;

// 转速曲线: the tachometer's speeds over time, in a window of its own that resizes. The samples
// are the tachometer's; the window only shows them and exports them.
//
// The picture is drawn on a refresh timer of the window's own, never for each frame, and not at
// all while the window is minimised. The refresh stretches when the machine is busy: painting
// keeps to a small share of the time the tachometer gets, whatever else runs beside it.
class SpeedPlotWindow : public Form {
    Q_OBJECT
public:
    static const QString kMsPerRevolution;
    static const QString kSpeed;
    static const QString kAverageSpeed;
    // A picture may take at most this share of the time between two pictures.
    static constexpr int kPaintShareDivisor = 40;
    // However busy the machine, the picture follows at least this often.
    static constexpr int kSlowestRefreshMs = 1000;

    SpeedPlotWindow(FormHost& host, const SampleStore& speeds);

    PlotBox* plot_box() const { return m_box; }
    // New frames have been added: the plot shows them at its next refresh.
    void data_changed();
    // The time from one picture to the next now.
    int refresh_interval_ms() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool can_be_seen() const;
    // Hands the new frames to the plot, which draws them, and waits a refresh before the next.
    void refresh();

    PlotBox* m_box;
    QTimer m_refresh;
    bool m_pending = false;  // frames have come that the plot has not been told of
    double m_paint_ms = 0;   // the time a picture takes, smoothed over the last few
};
