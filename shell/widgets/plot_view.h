#pragma once

#include "base/sample_store.h"

#include <QHash>
#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <vector>

class QPushButton;

// A live plot of a SampleStore, painted here: each channel a coloured line drawn from the lowest
// and highest value of each pixel column, so a picture costs the width and not the samples. The
// legend above it has a button per channel that hides or shows it. The ranges follow the data
// until the user zooms (the wheel zooms the time axis about the pointer, a drag zooms to its
// rectangle); a double click returns to following. Paused, the picture stands while the store
// goes on filling.
class PlotView : public QWidget {
    Q_OBJECT
public:
    struct Ranges {
        double left = 0;
        double right = 1;
        double bottom = 0;
        double top = 1;
    };

    explicit PlotView(QWidget* parent = nullptr);

    // The samples shown; the store stays the caller's and must outlive the view.
    void set_store(const SampleStore* store);
    const SampleStore* store() const { return m_store; }
    // The store has changed: the picture follows at the next refresh.
    void data_changed();
    // The time from one picture to the next now.
    int refresh_interval_ms() const;

    void set_axis(PlotAxis axis);
    PlotAxis axis() const { return m_axis; }
    void set_paused(bool paused);
    bool paused() const { return m_paused; }
    // Whether a channel's line is drawn; a name not yet in the store is remembered for it.
    void set_channel_shown(const QString& name, bool shown);
    bool channel_shown(const QString& name) const { return !m_hidden.contains(name); }

    // The ranges of the picture now, and whether they follow the data.
    Ranges ranges() const;
    bool follows_data() const { return m_follow; }
    void zoom_to(const Ranges& ranges);
    void follow_data();
    // The colour of the n-th channel (from 0).
    static QColor channel_colour(int n);

    // Ten pictures a second follow a live signal well. The refresh stretches when a picture
    // takes long, so painting keeps to a small share of the time the window gets whatever else
    // runs beside it, and it stops while the plot cannot be seen.
    static constexpr int kFastestRefreshMs = 100;
    static constexpr int kSlowestRefreshMs = 1000;
    // A picture may take at most this share of the time between two pictures.
    static constexpr int kPaintShareDivisor = 40;

signals:
    void channel_toggled(const QString& name, bool shown);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // The envelopes of the shown channels over the time range, one span a column of pixels.
    struct Drawn {
        const SampleChannel* channel;
        QColor colour;
        std::vector<ColumnSpan> spans;
    };
    // Hands the new data to the picture and waits a refresh before the next.
    void refresh();
    void paint();
    QRect plot_area() const;
    // The ranges that hold every shown sample; `drawn`, when given, gets their envelopes, a
    // span for each column of pixels at `pixel_ratio` pixels a point.
    Ranges data_ranges(std::vector<Drawn>* drawn = nullptr, qreal pixel_ratio = 1) const;
    std::vector<Drawn> envelopes(const Ranges& ranges, qreal pixel_ratio) const;
    // Adds a legend button for each new channel and lays the buttons out.
    void sync_legend();
    void lay_out_legend();
    QPointF to_value(const QPointF& pixel, const Ranges& ranges) const;

    const SampleStore* m_store = nullptr;
    PlotAxis m_axis = PlotAxis::kSeconds;
    bool m_paused = false;
    bool m_follow = true;
    Ranges m_zoom;    // the ranges when not following the data
    Ranges m_frozen;  // the ranges when paused while following
    QSet<QString> m_hidden;
    std::vector<QPushButton*> m_legend;
    int m_legend_height = 0;
    QImage m_canvas;  // the plot area, drawn afresh each time
    QTimer m_refresh;
    bool m_dirty = false;   // data has come that the picture does not show yet
    double m_paint_ms = 0;  // the time a picture takes, smoothed over the last few
    QPoint m_drag_start;
    QRect m_drag;  // the rubber band, empty when no drag runs
};
