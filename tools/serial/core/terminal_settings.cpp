#include "terminal_settings.h"

#include "base/stored_value.h"

#include <QSettings>

namespace {

// Every key the terminal's choices are kept under, within the group "serial".
const QString kGroup = QStringLiteral("serial");
const QString kPort = QStringLiteral("port");
const QString kBaud = QStringLiteral("baud");
const QString kDataBits = QStringLiteral("data_bits");
const QString kParity = QStringLiteral("parity");
const QString kStopBits = QStringLiteral("stop_bits");
const QString kFlow = QStringLiteral("flow");
const QString kEncoding = QStringLiteral("encoding");
const QString kHexView = QStringLiteral("hex_view");
const QString kTimestamps = QStringLiteral("timestamps");
const QString kHexSend = QStringLiteral("hex_send");
const QString kLineEnd = QStringLiteral("line_end");
const QString kInterval = QStringLiteral("interval_ms");
const QString kAutoReconnect = QStringLiteral("auto_reconnect");
const QString kDtr = QStringLiteral("dtr");
const QString kRts = QStringLiteral("rts");
const QString kWrap = QStringLiteral("wrap");
const QString kChecksum = QStringLiteral("checksum");
const QString kCheckReceived = QStringLiteral("check_received");
const QString kPlotBinary = QStringLiteral("plot_binary_frames");
const QString kPlotAxis = QStringLiteral("plot_axis");

// The parities a port takes: none, odd, even, mark, space.
const QString kParities = QStringLiteral("NOEMS");

}  // namespace

QByteArray line_end_bytes(LineEnd end) {
    switch (end) {
        case LineEnd::kCr:
            return QByteArrayLiteral("\r");
        case LineEnd::kLf:
            return QByteArrayLiteral("\n");
        case LineEnd::kCrLf:
            return QByteArrayLiteral("\r\n");
        default:
            return {};
    }
}

void TerminalSettings::load(QSettings& settings) {
    const TerminalSettings fallback;
    settings.beginGroup(kGroup);
    port = stored_text(settings.value(kPort), fallback.port);
    line.baud = stored_int(settings.value(kBaud), 1, 1 << 30, fallback.line.baud);
    line.data_bits = stored_int(settings.value(kDataBits), 5, 8, fallback.line.data_bits);
    const QString parity = stored_text(settings.value(kParity), {});
    line.parity = parity.size() == 1 && kParities.contains(parity) ? parity[0].toLatin1()
                                                                   : fallback.line.parity;
    line.stop_bits = stored_int(settings.value(kStopBits), 1, 3, fallback.line.stop_bits);
    line.flow = stored_choice(settings.value(kFlow), 3, fallback.line.flow);
    const QString code = stored_text(settings.value(kEncoding), {});
    encoding =
        code == QStringLiteral("UTF-8") || code == QStringLiteral("GBK") ? code : fallback.encoding;
    hex_view = stored_bool(settings.value(kHexView), fallback.hex_view);
    timestamps = stored_bool(settings.value(kTimestamps), fallback.timestamps);
    hex_send = stored_bool(settings.value(kHexSend), fallback.hex_send);
    line_end = stored_choice(settings.value(kLineEnd), 4, fallback.line_end);
    interval_ms = stored_int(settings.value(kInterval), 10, 60000, fallback.interval_ms);
    auto_reconnect = stored_bool(settings.value(kAutoReconnect), fallback.auto_reconnect);
    dtr = stored_bool(settings.value(kDtr), fallback.dtr);
    rts = stored_bool(settings.value(kRts), fallback.rts);
    wrap = stored_bool(settings.value(kWrap), fallback.wrap);
    send_check = checksum_from_name(stored_text(settings.value(kChecksum), {}))
                     .value_or(fallback.send_check);
    check_received = stored_bool(settings.value(kCheckReceived), fallback.check_received);
    plot.binary_frames = stored_bool(settings.value(kPlotBinary), fallback.plot.binary_frames);
    plot.axis = stored_choice(settings.value(kPlotAxis), 2, fallback.plot.axis);
    settings.endGroup();
}

void TerminalSettings::save(QSettings& settings) const {
    settings.beginGroup(kGroup);
    settings.setValue(kPort, port);
    settings.setValue(kBaud, line.baud);
    settings.setValue(kDataBits, line.data_bits);
    settings.setValue(kParity, QString(QChar::fromLatin1(line.parity)));
    settings.setValue(kStopBits, line.stop_bits);
    settings.setValue(kFlow, static_cast<int>(line.flow));
    settings.setValue(kEncoding, encoding);
    settings.setValue(kHexView, hex_view);
    settings.setValue(kTimestamps, timestamps);
    settings.setValue(kHexSend, hex_send);
    settings.setValue(kLineEnd, static_cast<int>(line_end));
    settings.setValue(kInterval, interval_ms);
    settings.setValue(kAutoReconnect, auto_reconnect);
    settings.setValue(kDtr, dtr);
    settings.setValue(kRts, rts);
    settings.setValue(kWrap, wrap);
    settings.setValue(kChecksum, checksum_name(send_check));
    settings.setValue(kCheckReceived, check_received);
    settings.setValue(kPlotBinary, plot.binary_frames);
    settings.setValue(kPlotAxis, static_cast<int>(plot.axis));
    settings.endGroup();
}

QString line_summary(const SerialLine& line) {
    const QString stop =
        line.stop_bits == 3 ? QStringLiteral("1.5") : QString::number(line.stop_bits);
    QString summary = QStringLiteral("%1 %2%3%4")
                          .arg(line.baud)
                          .arg(line.data_bits)
                          .arg(QChar::fromLatin1(line.parity))
                          .arg(stop);
    if (line.flow == SerialFlow::kHardware) {
        summary += QStringLiteral(" 硬件流控");
    } else if (line.flow == SerialFlow::kSoftware) {
        summary += QStringLiteral(" 软件流控");
    }
    return summary;
}

QString open_failure_text(const QString& port, SerialFailure failure, const QString& detail) {
    switch (failure) {
        case SerialFailure::kNoDevice:
            return QStringLiteral(
                       "无法打开 %1：没有这个设备。请检查设备是否已插好，端口名是否正确。")
                .arg(port);
        case SerialFailure::kNoPermission:
            return QStringLiteral(
                       "无法打开 %1：没有权限。请把当前用户加入 dialout 组"
                       "（sudo usermod -aG dialout $USER），然后重新登录。")
                .arg(port);
        case SerialFailure::kBusy:
            return QStringLiteral("无法打开 %1：端口正被另一个程序占用。请先关闭那个程序。")
                .arg(port);
        default:
            return detail.isEmpty() ? QStringLiteral("无法打开 %1").arg(port)
                                    : QStringLiteral("无法打开 %1：%2").arg(port, detail);
    }
}
