#pragma once

#include "base/sample_store.h"
#include "shell/widgets/controls.h"
#include "shell/widgets/form.h"
#include "speed_plot_window.h"
#include "tools/tacho/core/frame_decoder.h"
#include "tools/tacho/core/speed.h"

#include <QPointer>

#include <array>
#include <memory>
#include <optional>

class ByteLogView;
class SerialDevice;

// 转速表: receives revolution-time frames on serial port 1 and shows the time per revolution,
// the instantaneous and average speed, the received bytes and a 22-segment bar graph.
// Acquisition runs while the port is open.
class TachoForm : public Form {
    Q_OBJECT
public:
    explicit TachoForm(FormHost& host);
    ~TachoForm() override;

    void on_start_clicked();
    void on_stop_clicked();
    void on_help_clicked();
    // 曲线: opens the window of the speeds over time, or brings it forward.
    void on_curve_clicked();

    bool is_acquiring() const;
    // Every valid frame's time per revolution, speed and the average shown, since the window
    // opened.
    const SampleStore& speeds() const { return m_speeds; }
    SpeedPlotWindow* plot_window() const { return m_plot_window; }

private:
    void on_bytes_arrived();
    void on_frame(const Frame& frame);
    void on_port_failed(int session);
    void close_port();
    void show_bar(int lit);

    std::unique_ptr<SerialDevice> m_port;
    // Counts the port's openings and closings: a failure reported for an earlier session, by a
    // device since closed or replaced, is not this acquisition's.
    int m_session = 0;
    FrameDecoder m_decoder;
    SpeedAverage m_average;
    int m_lit = -1;  // segments lit now; -1 before the first valid frame
    std::optional<std::int32_t> m_shown_average;
    SampleStore m_speeds;
    QPointer<SpeedPlotWindow> m_plot_window;

    TextBox* m_ms_per_revolution;
    TextBox* m_speed;
    TextBox* m_average_speed;
    TextBox* m_upper_limit;
    TextBox* m_lower_limit;
    ByteLogView* m_byte_log;
    std::array<QPushButton*, 22> m_segments;  // segment 1 (bottom) to 22
    QPushButton* m_start_button;
    QPushButton* m_stop_button;
    QPushButton* m_help_button;
    QPushButton* m_curve_button;
};
