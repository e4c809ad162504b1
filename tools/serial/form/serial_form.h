#pragma once

#include "shell/widgets/form.h"
#include "tools/serial/core/serial_session.h"
#include "tools/serial/form/receive_log_lines.h"

#include <QTimer>

class CommandPanel;
class HistoryLineEdit;
class PlotPanel;
class PortComboBox;
class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTabWidget;
class LineView;

// 串口工具: the window of a serial session. Its controls set the session's port, line, view and
// sends, and show its lines, state and counts; the session does the work.
class SerialForm : public Form {
    Q_OBJECT
public:
    explicit SerialForm(FormHost& host);
    ~SerialForm() override;

    bool is_port_open() const { return m_session.is_open(); }
    SerialSession& session() { return m_session; }
    PlotPanel* plot() const { return m_plot; }
    LineView* view() const { return m_view; }

private:
    void build_controls();
    void connect_controls();
    void show_settings();
    void refresh_ports();
    void on_line_changed();
    void on_view_changed();
    void on_checksum_changed();
    void on_open_clicked();
    void on_record_toggled(bool on);
    void on_file_send_changed();
    void show_status();

    SerialSession m_session;
    ReceiveLogLines m_lines{m_session.log()};
    QTimer m_refresh_timer;  // gathers the changes of a fast stream into a few frames a second

    PortComboBox* m_port = nullptr;
    QComboBox* m_baud = nullptr;
    QComboBox* m_data_bits = nullptr;
    QComboBox* m_parity = nullptr;
    QComboBox* m_stop_bits = nullptr;
    QComboBox* m_flow = nullptr;
    QPushButton* m_open_button = nullptr;
    LineView* m_view = nullptr;
    QCheckBox* m_hex_view = nullptr;
    QCheckBox* m_timestamps = nullptr;
    QComboBox* m_encoding = nullptr;
    QCheckBox* m_wrap = nullptr;
    QCheckBox* m_check_received = nullptr;
    QTabWidget* m_tabs = nullptr;
    PlotPanel* m_plot = nullptr;
    QCheckBox* m_pause = nullptr;
    QPushButton* m_clear_button = nullptr;
    QPushButton* m_save_button = nullptr;
    QCheckBox* m_record = nullptr;
    QCheckBox* m_auto_reconnect = nullptr;
    QCheckBox* m_dtr = nullptr;
    QCheckBox* m_rts = nullptr;
    QPushButton* m_break_button = nullptr;
    HistoryLineEdit* m_send_line = nullptr;
    QPushButton* m_send_button = nullptr;
    QCheckBox* m_hex_send = nullptr;
    QComboBox* m_checksum = nullptr;
    QComboBox* m_line_end = nullptr;
    CommandPanel* m_commands = nullptr;
    QCheckBox* m_commands_toggle = nullptr;
    QCheckBox* m_timed_send = nullptr;
    QSpinBox* m_interval = nullptr;
    QPushButton* m_send_file_button = nullptr;
    QProgressBar* m_send_progress = nullptr;
    QPushButton* m_cancel_send = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_received_label = nullptr;
    QLabel* m_sent_label = nullptr;
};
