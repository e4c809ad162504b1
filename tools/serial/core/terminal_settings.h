#pragma once

#include "base/sample_channel.h"
#include "checksum.h"
#include "shell/host/serial_device.h"

#include <QByteArray>
#include <QString>

class QSettings;

// What 行尾 appends to a line sent as text.
enum class LineEnd { kNone, kCr, kLf, kCrLf };
QByteArray line_end_bytes(LineEnd end);

// The choices of the 波形 panel.
struct PlotChoices {
    bool binary_frames = false;          // 二进制浮点帧 rather than text lines
    PlotAxis axis = PlotAxis::kSeconds;  // 横轴
    bool operator==(const PlotChoices&) const = default;
};

// Everything the serial terminal remembers across runs: the port, its line and the options.
struct TerminalSettings {
    QString port;
    SerialLine line{115200, 'N', 8, 1, SerialFlow::kNone};
    QString encoding = QStringLiteral("GBK");  // or "UTF-8"
    bool hex_view = false;
    bool timestamps = false;
    bool hex_send = false;
    LineEnd line_end = LineEnd::kNone;
    int interval_ms = 1000;
    bool auto_reconnect = false;
    // The board's control lines: up, as a port opens, unless the user lowered them.
    bool dtr = true;
    bool rts = true;
    bool wrap = false;                      // 自动换行 of the 接收区
    Checksum send_check = Checksum::kNone;  // 校验和 appended to a hex send
    bool check_received = false;            // 核对接收校验和, with the same 校验和
    PlotChoices plot;

    // Reads what was saved; a value that is missing, of the wrong kind or out of range keeps its
    // default.
    void load(QSettings& settings);
    void save(QSettings& settings) const;
    bool operator==(const TerminalSettings&) const = default;
};

// The line as the status line shows it: "115200 8N1", with the flow control when there is one.
QString line_summary(const SerialLine& line);

// Why a port did not open, in words a user can act on.
QString open_failure_text(const QString& port, SerialFailure failure, const QString& detail);
