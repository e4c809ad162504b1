#pragma once

#include "shell/host/serial_device.h"

#include <QByteArray>
#include <QStringList>

#include <utility>

// A serial port fed by the test: bytes handed to feed() wait until the program reads them.
class FakeSerialDevice : public SerialDevice {
    Q_OBJECT
public:
    bool open(const SerialLine& settings) override {
        line = settings;
        ++open_count;
        m_open = opens;
        return m_open;
    }
    void close() override { m_open = false; }
    bool is_open() const override { return m_open; }
    qint64 bytes_waiting() const override { return m_buffer.size() - m_read; }
    QByteArray read(qint64 max_bytes) override;
    void discard_input() override {
        m_buffer.clear();
        m_read = 0;
    }
    void discard_output() override { discarded += written.right(std::exchange(m_queued, 0)); }
    bool open_read_write(const SerialLine& settings) override { return open(settings); }
    bool set_line(const SerialLine& settings) override {
        line = settings;
        return true;
    }
    // Takes the bytes at once, and reports them sent from the event loop (or, with
    // `sends_by_hand`, when the test calls take_sent()).
    void write(const QByteArray& bytes) override;
    qint64 bytes_to_write() const override { return m_queued; }
    SerialFailure failure() const override { return m_open ? SerialFailure::kNone : why_not; }
    QString failure_text() const override { return {}; }
    bool set_dtr(bool on) override { return control_line("DTR", on); }
    bool set_rts(bool on) override { return control_line("RTS", on); }
    bool set_break(bool on) override { return control_line("break", on); }

    // Bytes arriving on the line; ignored while the port is closed. Without `announce` they
    // wait unannounced, as bytes the driver holds when the device fails.
    void feed(const QByteArray& bytes, bool announce = true);
    // The line takes up to `count` queued bytes and the device reports them sent.
    void take_sent(qint64 count);
    // The device goes away: it closes and reports the failure.
    void fail() {
        m_open = false;
        emit failed();
    }

    bool opens = true;                              // whether open() succeeds
    SerialFailure why_not = SerialFailure::kOther;  // why it does not
    QByteArray written;                             // every byte written, in order
    bool sends_by_hand = false;                     // bytes leave only on take_sent()
    QByteArray discarded;                           // queued bytes thrown away unsent
    // What was done to the control lines, in order: "DTR 0", "RTS 1", "break 1", ...
    QStringList control_lines;
    bool controls_work = true;  // whether set_dtr(), set_rts() and set_break() succeed
    SerialLine line;            // as last opened
    int open_count = 0;

private:
    bool control_line(const char* name, bool on) {
        control_lines << QStringLiteral("%1 %2").arg(QLatin1String(name)).arg(on ? 1 : 0);
        return m_open && controls_work;
    }

    bool m_open = false;
    QByteArray m_buffer;
    qsizetype m_read = 0;  // bytes of m_buffer already read
    qint64 m_queued = 0;   // written and not yet reported sent
};
