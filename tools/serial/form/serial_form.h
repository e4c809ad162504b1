#pragma once

#include "shell/widgets/form.h"
#include "tools/serial/core/receive_log.h"
#include "tools/serial/core/received_bytes.h"
#include "tools/serial/core/terminal_settings.h"
#include "tools/serial/form/receive_log_lines.h"

#include <QFile>
#include <QTimer>

#include <memory>

class HistoryLineEdit;
class PortComboBox;
class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class LineView;

// 串口工具: a serial terminal. Opens a port by its device with the chosen line, shows what
// arrives as text or hex, sends lines, hex and files without ever waiting on the port, records
// to a file, and reopens a device that was unplugged once it is back.
class SerialForm : public Form {
    Q_OBJECT
public:
    explicit SerialForm(FormHost& host);
    ~SerialForm() override;

    bool is_port_open() const { return m_device != nullptr; }

private:
    enum class State { kClosed, kOpen, kVanished, kFailed };

    void build_controls();
    void show_settings();
    void refresh_ports();
    void on_line_changed();
    void on_view_changed();

    void on_open_clicked();
    bool open_port(bool reconnecting);
    void close_port(State state);
    void on_bytes_arrived();
    void on_device_failed();
    void on_reconnect_tick();
    void on_bytes_sent(qint64 count);

    void on_send();
    bool send_line(bool remember);
    void on_timed_send_toggled(bool on);
    void on_send_file();
    void send_next_block();
    void end_file_send();

    void on_save_received();
    void on_record_toggled(bool on);
    void stop_recording();

    void set_state(State state, const QString& words = {});
    void show_status();
    QByteArray encoded(const QString& text) const;
    void save_settings();

    TerminalSettings m_settings;
    ReceiveLog m_log;
    ReceiveLogLines m_lines{m_log};
    ReceivedBytes m_received;
    std::unique_ptr<SerialDevice> m_device;
    QString m_device_path;  // the device last opened, which reconnecting reopens
    State m_state = State::kClosed;
    QString m_state_words;  // what went wrong, when something did
    qint64 m_received_count = 0;
    qint64 m_sent_count = 0;
    QFile m_record;
    QTimer m_reconnect_timer;
    QTimer m_send_timer;
    QTimer m_status_timer;  // gathers the status changes of a fast stream into a few a second
    std::unique_ptr<QFile> m_send_file;
    qint64 m_send_done = 0;

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
    QCheckBox* m_pause = nullptr;
    HistoryLineEdit* m_send_line = nullptr;
    QCheckBox* m_hex_send = nullptr;
    QComboBox* m_line_end = nullptr;
    QCheckBox* m_timed_send = nullptr;
    QSpinBox* m_interval = nullptr;
    QProgressBar* m_send_progress = nullptr;
    QPushButton* m_cancel_send = nullptr;
    QCheckBox* m_record_box = nullptr;
    QCheckBox* m_auto_reconnect = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_received_label = nullptr;
    QLabel* m_sent_label = nullptr;
};
