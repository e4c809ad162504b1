#include "saved_command.h"

#include "base/stored_value.h"
#include "hex_text.h"
#include "receive_log.h"

#include <QStringEncoder>

namespace {

// The names of a command's values, in the settings and in exported files alike.
const QString kName = QStringLiteral("name");
const QString kText = QStringLiteral("text");
const QString kHex = QStringLiteral("hex");
const QString kLineEnd = QStringLiteral("line_end");
const QString kChecksum = QStringLiteral("checksum");
const QString kLoop = QStringLiteral("loop");
const QString kDelay = QStringLiteral("delay_ms");

const LineEnd kLineEnds[] = {LineEnd::kNone, LineEnd::kCr, LineEnd::kLf, LineEnd::kCrLf};

}  // namespace

QString line_end_name(LineEnd end) {
    switch (end) {
        case LineEnd::kCr:
            return QStringLiteral("CR");
        case LineEnd::kLf:
            return QStringLiteral("LF");
        case LineEnd::kCrLf:
            return QStringLiteral("CR LF");
        default:
            return QStringLiteral("无");
    }
}

std::optional<LineEnd> line_end_from_name(const QString& name) {
    for (const LineEnd end : kLineEnds) {
        if (line_end_name(end) == name) {
            return end;
        }
    }
    return std::nullopt;
}

QVariantMap SavedCommand::to_map() const {
    return {
        {kName, name},
        {kText, text},
        {kHex, hex},
        {kLineEnd, line_end_name(line_end)},
        {kChecksum, checksum_name(checksum)},
        {kLoop, looped},
        {kDelay, delay_ms},
    };
}

SavedCommand SavedCommand::from_map(const QVariantMap& map, QStringList* problems) {
    SavedCommand command;
    // Each present value is taken when `read` makes something of it; otherwise it is named.
    auto take = [&](const QString& key, auto read) {
        const auto found = map.constFind(key);
        if (found == map.constEnd()) {
            return;
        }
        if (!read(found.value()) && problems) {
            problems->append(key);
        }
    };
    take(kName, [&](const QVariant& v) {
        const auto text = stored_text(v);
        command.name = text.value_or(command.name);
        return text.has_value();
    });
    take(kText, [&](const QVariant& v) {
        const auto text = stored_text(v);
        command.text = text.value_or(command.text);
        return text.has_value();
    });
    take(kHex, [&](const QVariant& v) {
        const auto flag = stored_bool(v);
        command.hex = flag.value_or(command.hex);
        return flag.has_value();
    });
    take(kLineEnd, [&](const QVariant& v) {
        const auto end = line_end_from_name(stored_text(v).value_or(QString()));
        command.line_end = end.value_or(command.line_end);
        return end.has_value();
    });
    take(kChecksum, [&](const QVariant& v) {
        const auto checksum = checksum_from_name(stored_text(v).value_or(QString()));
        command.checksum = checksum.value_or(command.checksum);
        return checksum.has_value();
    });
    take(kLoop, [&](const QVariant& v) {
        const auto flag = stored_bool(v);
        command.looped = flag.value_or(command.looped);
        return flag.has_value();
    });
    take(kDelay, [&](const QVariant& v) {
        const auto ms = stored_int(v);
        const bool ok = ms && *ms >= kMinDelayMs && *ms <= kMaxDelayMs;
        command.delay_ms = ok ? *ms : command.delay_ms;
        return ok;
    });
    return command;
}

CommandBytes command_bytes(const SavedCommand& command, const QString& encoding) {
    CommandBytes result;
    QByteArray typed;
    if (command.hex) {
        const HexParse parse = parse_hex(command.text);
        if (!parse.ok()) {
            result.error = QStringLiteral("命令“%1”：%2")
                               .arg(command.name, hex_error_text(command.text, parse));
            return result;
        }
        typed = parse.bytes;
    } else {
        // Stateless, so that a lone surrogate at the end is an error rather than held back.
        QStringEncoder encoder(decoder_name(encoding), QStringEncoder::Flag::Stateless);
        typed = encoder(command.text);
        if (encoder.hasError()) {
            result.error = QStringLiteral("命令“%1”：内容中有 %2 编码无法发送的字符，未发送")
                               .arg(command.name, encoding);
            return result;
        }
    }
    result.bytes = with_checksum(command.checksum, typed) + line_end_bytes(command.line_end);
    return result;
}
