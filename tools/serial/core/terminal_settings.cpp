#include "terminal_settings.h"

#include <QSettings>

#include <algorithm>

namespace {

const QString kGroup = QStringLiteral("serial");

// A stored number within [low, high], or the fallback.
int bounded(const QVariant& value, int low, int high, int fallback) {
    bool ok = false;
    const int number = value.toInt(&ok);
    return ok && number >= low && number <= high ? number : fallback;
}

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
    port = settings.value(QStringLiteral("port"), fallback.port).toString();
    line.baud = bounded(settings.value(QStringLiteral("baud")), 1, 1 << 30, fallback.line.baud);
    line.data_bits = bounded(settings.value(QStringLiteral("data_bits")), 5, 8, 8);
    const QString parity = settings.value(QStringLiteral("parity")).toString();
    line.parity = parity.size() == 1 && QStringLiteral("NOEMS").contains(parity)
                      ? parity[0].toLatin1()
                      : fallback.line.parity;
    line.stop_bits = bounded(settings.value(QStringLiteral("stop_bits")), 1, 3, 1);
    line.flow = static_cast<SerialFlow>(bounded(settings.value(QStringLiteral("flow")), 0, 2, 0));
    const QString code = settings.value(QStringLiteral("encoding")).toString();
    encoding = code == QStringLiteral("UTF-8") ? code : fallback.encoding;
    hex_view = settings.value(QStringLiteral("hex_view"), false).toBool();
    timestamps = settings.value(QStringLiteral("timestamps"), false).toBool();
    hex_send = settings.value(QStringLiteral("hex_send"), false).toBool();
    line_end = static_cast<LineEnd>(bounded(settings.value(QStringLiteral("line_end")), 0, 3, 0));
    interval_ms =
        bounded(settings.value(QStringLiteral("interval_ms")), 10, 60000, fallback.interval_ms);
    auto_reconnect = settings.value(QStringLiteral("auto_reconnect"), false).toBool();
    dtr = settings.value(QStringLiteral("dtr"), fallback.dtr).toBool();
    rts = settings.value(QStringLiteral("rts"), fallback.rts).toBool();
    wrap = settings.value(QStringLiteral("wrap"), fallback.wrap).toBool();
    send_check = checksum_from_name(settings.value(QStringLiteral("checksum")).toString())
                     .value_or(fallback.send_check);
    check_received =
        settings.value(QStringLiteral("check_received"), fallback.check_received).toBool();
    settings.endGroup();
}

void TerminalSettings::save(QSettings& settings) const {
    settings.beginGroup(kGroup);
    settings.setValue(QStringLiteral("port"), port);
    settings.setValue(QStringLiteral("baud"), line.baud);
    settings.setValue(QStringLiteral("data_bits"), line.data_bits);
    settings.setValue(QStringLiteral("parity"), QString(QChar::fromLatin1(line.parity)));
    settings.setValue(QStringLiteral("stop_bits"), line.stop_bits);
    settings.setValue(QStringLiteral("flow"), static_cast<int>(line.flow));
    settings.setValue(QStringLiteral("encoding"), encoding);
    settings.setValue(QStringLiteral("hex_view"), hex_view);
    settings.setValue(QStringLiteral("timestamps"), timestamps);
    settings.setValue(QStringLiteral("hex_send"), hex_send);
    settings.setValue(QStringLiteral("line_end"), static_cast<int>(line_end));
    settings.setValue(QStringLiteral("interval_ms"), interval_ms);
    settings.setValue(QStringLiteral("auto_reconnect"), auto_reconnect);
    settings.setValue(QStringLiteral("dtr"), dtr);
    settings.setValue(QStringLiteral("rts"), rts);
    settings.setValue(QStringLiteral("wrap"), wrap);
    settings.setValue(QStringLiteral("checksum"), checksum_name(send_check));
    settings.setValue(QStringLiteral("check_received"), check_received);
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
