#pragma once

#include "shell/host/serial_device.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>
#include <optional>

class FormHost;

// The serial communications component the tachometer is written against: a port number, line
// settings as text, buffer sizes, binary input read a few bytes at a time, and an OnComm
// notification for every event of the port.
class SerialComm : public QObject {
    Q_OBJECT
public:
    static constexpr int kEventReceive = 2;  // CommEvent: data received
    static constexpr int kInputText = 0;     // InputMode
    static constexpr int kInputBinary = 1;
    // Longest run of receive events before the window gets its turn.
    static constexpr int kSliceMs = 10;

    SerialComm(FormHost& host, QObject* parent);
    ~SerialComm() override;

    void setCommPort(int port) { m_port = port; }
    int CommPort() const { return m_port; }
    // "9600,N,8,1": baud rate, parity letter, data bits, stop bits. A malformed text is refused
    // and the settings stay as they were.
    bool setSettings(const QString& settings);
    QString Settings() const;
    void setInBufferSize(int bytes) { m_in_buffer_size = bytes; }
    void setOutBufferSize(int bytes) { m_out_buffer_size = bytes; }
    void setInputMode(int mode) { m_input_mode = mode; }
    void setInputLen(int bytes) { m_input_len = bytes; }
    void setSThreshold(int bytes) { m_s_threshold = bytes; }

    // Bytes waiting in the receive buffer; writing 0 discards them.
    int InBufferCount() const;
    void setInBufferCount(int count);
    void setOutBufferCount(int count);

    // 1: an OnComm receive event is raised while at least one unread byte waits; 0: none.
    void setRThreshold(int bytes);
    int RThreshold() const { return m_r_threshold; }

    bool PortOpen() const;
    // Opening fails when the port is missing or in use; returns whether the port is open.
    bool setPortOpen(bool open);

    // Removes and returns the next InputLen bytes (all when InputLen is 0).
    QByteArray Input();
    int CommEvent() const { return m_comm_event; }

signals:
    void OnComm();
    // The device failed or went away while open; the port is closed.
    void failed();

private:
    void schedule_receive_event();
    void raise_receive_events();
    void on_device_failed();

    FormHost& m_host;
    std::unique_ptr<SerialDevice> m_device;
    int m_port = 1;
    SerialLine m_line;
    int m_in_buffer_size = 1024;
    int m_out_buffer_size = 512;
    int m_input_mode = kInputText;
    int m_input_len = 0;
    int m_s_threshold = 0;
    int m_r_threshold = 0;
    int m_comm_event = 0;
    bool m_event_queued = false;
};

// The line settings of a settings text, or nothing when it is malformed.
std::optional<SerialLine> parse_serial_settings(const QString& settings);
