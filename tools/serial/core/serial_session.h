#pragma once

#include "receive_log.h"
#include "received_bytes.h"
#include "terminal_settings.h"

#include <QFile>
#include <QObject>
#include <QTimer>

#include <deque>
#include <memory>

class FormHost;
class SerialDevice;

// The serial terminal without its window: the port and its states, what arrives (the receive
// log, every byte for 保存接收, the recording of 记录到文件), what is sent (lines, a file in
// blocks, a line repeated on a timer) and the counts of both. Every send queues and returns at
// once; the port reports the bytes as they leave. Messages go through the host.
class SerialSession : public QObject {
    Q_OBJECT
public:
    enum class State { kClosed, kOpen, kVanished, kReconnecting, kFailed };
    static constexpr int kReconnectMs = 1000;
    static constexpr int kBreakMs = 250;

    explicit SerialSession(FormHost& host, QObject* parent = nullptr);
    ~SerialSession() override;

    // What the session remembers; the window shows it and hands back what the user changes.
    const TerminalSettings& settings() const { return m_settings; }
    void load_settings();
    // Saves them; `chosen_port` is the port remembered when none was opened.
    void save_settings(const QString& chosen_port = {});

    // The port: opened by its device with the settings' line, closed by the user.
    bool open(const QString& device);
    void close();
    State state() const { return m_state; }
    bool is_open() const { return m_device != nullptr; }
    // The device last opened, or the one tried.
    const QString& device_path() const { return m_device_path; }
    // The state in words, as the status line shows it.
    QString status_text() const;

    // Settings that apply at once to an open port.
    void set_line(const SerialLine& line);
    void set_auto_reconnect(bool on);
    void set_dtr(bool on);
    void set_rts(bool on);
    // Holds the data line in break for kBreakMs; false, and a message, when the port is closed.
    bool send_break();
    void set_send_options(bool hex, LineEnd line_end);
    // 校验和: appended to every hex send, and, with 核对接收校验和, judged on each hex line shown.
    void set_checksum(Checksum check);
    void set_check_received(bool on);
    void set_wrap(bool wrap) { m_settings.wrap = wrap; }
    void set_plot(const PlotChoices& choices) { m_settings.plot = choices; }
    void set_interval(int ms);

    // Receiving.
    ReceiveLog& log() { return m_log; }
    const ReceiveLog& log() const { return m_log; }
    // The view's form; its check follows 校验和 and 核对接收校验和.
    void set_view(const ReceiveOptions& options);
    void set_paused(bool paused);
    void clear_received();
    qint64 received_count() const { return m_received_count; }
    // Every byte since the last clear into `path`, raw; a message when it fails.
    bool save_received(const QString& path);
    // 记录到文件: every byte from now on is appended to `path` as it arrives.
    bool start_recording(const QString& path);
    void stop_recording();
    bool is_recording() const { return m_record.isOpen(); }

    // Sending. Queues bytes on the open port and counts them as sent as they leave; false (and
    // a message through the host) when the port is closed.
    bool send(const QByteArray& bytes);
    // A typed line, as the send options make it: text in the encoding with the line end, or
    // hex pairs; a bad hex line is refused with a message.
    bool send_line(const QString& text);
    qint64 sent_count() const { return m_sent_count; }
    // 定时发送: `text` every interval while the port is open (it idles while the port is away).
    void start_timed_send(const QString& text);
    void stop_timed_send();
    bool is_timed_sending() const { return m_send_timer.isActive(); }
    // 发送文件: the file's bytes in blocks, lines sent meanwhile going between blocks.
    bool send_file(const QString& path);
    void cancel_file_send();
    bool is_sending_file() const { return m_send_file != nullptr; }
    qint64 file_size() const { return m_file_size; }
    qint64 file_sent() const { return m_file_sent; }

    // What the timers run: the window's clock drives them, a test calls them itself.
    void reconnect_tick();
    void timed_send_tick();
    void end_break();

signals:
    // Every read, after it is logged.
    void bytes_received(const QByteArray& bytes);
    void state_changed();
    void counts_changed();
    void recording_changed(bool on);
    void file_send_changed();
    void timed_send_changed(bool on);

private:
    bool open_device(const QString& path, bool reconnecting);
    void drop_device();
    void set_state(State state, const QString& words = {});
    void apply_board_lines();
    void apply_view();
    void on_bytes_arrived();
    void on_device_failed();
    void on_bytes_sent(qint64 count);
    void write(const QByteArray& bytes, bool from_file);
    void send_next_block();
    void end_file_send();
    bool require_open();
    QByteArray encoded(const QString& text) const;

    struct Queued {
        qint64 bytes;
        bool from_file;
    };

    FormHost& m_host;
    TerminalSettings m_settings;
    ReceiveLog m_log;
    ReceivedBytes m_received;
    std::unique_ptr<SerialDevice> m_device;
    QString m_device_path;
    State m_state = State::kClosed;
    QString m_state_words;
    qint64 m_received_count = 0;
    qint64 m_sent_count = 0;
    QFile m_record;
    QTimer m_reconnect_timer;
    QTimer m_send_timer;
    QTimer m_break_timer;
    QString m_timed_text;
    std::deque<Queued> m_queue;  // what the port has yet to send, in order
    std::unique_ptr<QFile> m_send_file;
    qint64 m_file_size = 0;
    qint64 m_file_sent = 0;
    qint64 m_file_in_flight = 0;  // file bytes queued on the port
};
