#include "key_export.h"

#include "base/table_rows.h"

#include <QRegularExpression>
#include <QSet>

#include <algorithm>

#include <map>

namespace {

struct FormatNames {
    ExportFormat format;
    const char16_t* caption;
    const char* key;
    const char16_t* filter;
    const char* extension;
};

const FormatNames kFormats[] = {
    {ExportFormat::kCDefine, u"C 头文件（#define）", "c_define",
     u"C 头文件（*.h）|*.h|所有文件（*.*）|*.*", ".h"},
    {ExportFormat::kCEnum, u"C 头文件（enum）", "c_enum",
     u"C 头文件（*.h）|*.h|所有文件（*.*）|*.*", ".h"},
    {ExportFormat::kA51, u"A51（EQU）", "a51",
     u"汇编文件（*.a51;*.inc）|*.a51;*.inc|所有文件（*.*）|*.*", ".inc"},
    {ExportFormat::kPic, u"PIC（EQU）", "pic",
     u"汇编文件（*.inc;*.asm）|*.inc;*.asm|所有文件（*.*）|*.*", ".inc"},
    {ExportFormat::kCsv, u"CSV 表格", "csv", u"CSV 文件（*.csv）|*.csv|所有文件（*.*）|*.*",
     ".csv"},
    {ExportFormat::kKeymap, u"ir-keytable 键表（TOML）", "keymap",
     u"键表文件（*.toml）|*.toml|所有文件（*.*）|*.*", ".toml"},
};

const FormatNames& names_of(ExportFormat format) {
    const FormatNames* names = find_row(kFormats, &FormatNames::format, format);
    return names ? *names : kFormats[0];
}

const QString kHeading = QStringLiteral("红外遥控按键码，由 Brevik 红外读码器导出");

// Capital hexadecimal digits, at least `digits` of them.
QString digits_of(quint32 value, int digits) {
    return QStringLiteral("%1").arg(value, digits, 16, QChar(u'0')).toUpper();
}

// An A51 number: a leading 0 where the first digit is a letter, then H.
QString a51_value(quint32 value, int digits) {
    QString text = digits_of(value, digits);
    if (text[0] >= u'A') {
        text.prepend(u'0');
    }
    return text + u'H';
}

QString padded(const QString& name, qsizetype width) {
    return name.leftJustified(width);
}

QString csv_field(const QString& text) {
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n')) {
        return text;
    }
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

// Nothing written, and why: `message` with the keys at fault in place of its %1.
KeyExport refused(const QString& message, const QStringList& keys) {
    return {{}, message.arg(keys.join(u"、"))};
}

struct NamedKey {
    const IrKeyRow* row;
    QString name;
    int line;  // the row's number in the table, from 1
};

}  // namespace

const std::vector<ExportFormat>& export_formats() {
    static const std::vector<ExportFormat> formats = table_column(kFormats, &FormatNames::format);
    return formats;
}

QString export_caption(ExportFormat format) {
    return QString::fromUtf16(names_of(format).caption);
}

QString export_key(ExportFormat format) {
    return QString::fromLatin1(names_of(format).key);
}

std::optional<ExportFormat> export_from_key(const QString& key) {
    for (const FormatNames& names : kFormats) {
        if (key == QLatin1String(names.key)) {
            return names.format;
        }
    }
    return std::nullopt;
}

QString export_filter(ExportFormat format) {
    return QString::fromUtf16(names_of(format).filter);
}

QString export_extension(ExportFormat format) {
    return QString::fromLatin1(names_of(format).extension);
}

QString hex_value(quint32 value, int digits) {
    return QStringLiteral("0x") + digits_of(value, digits);
}

int address_digits(IrProtocol protocol) {
    switch (protocol) {
        case IrProtocol::kNecx:
        case IrProtocol::kNec32:
        case IrProtocol::kSony20:
            return 4;
        default:
            return 2;
    }
}

int scancode_digits(IrProtocol protocol) {
    switch (protocol) {
        case IrProtocol::kNecx:
        case IrProtocol::kSony12:
        case IrProtocol::kSony15:
        case IrProtocol::kSony20:
            return 6;
        case IrProtocol::kNec32:
            return 8;
        default:
            return 4;
    }
}

KeyExport export_keys(const std::vector<IrKeyRow>& rows, ExportFormat format) {
    std::vector<NamedKey> keys;
    QStringList no_code;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const QString name = rows[i].key_name.trimmed();
        if (name.isEmpty()) {
            continue;
        }
        if (rows[i].frame.protocol == IrProtocol::kUnknown || rows[i].frame.repeat) {
            no_code.append(QStringLiteral("第 %1 行 %2").arg(i + 1).arg(name));
        }
        keys.push_back({&rows[i], name, static_cast<int>(i + 1)});
    }
    if (keys.empty()) {
        return {{}, QStringLiteral("还没有起名的按键：请先在“键名”一栏填写按键的名称，再导出。")};
    }
    if (!no_code.isEmpty()) {
        return refused(QStringLiteral("这些按键没有扫描码（未知协议或单独的重复帧），无法导出：%1。"
                                      "请清空它们的键名。"),
                       no_code);
    }

    const bool source = format != ExportFormat::kCsv && format != ExportFormat::kKeymap;
    if (source) {
        static const QRegularExpression kIdentifier(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
        QStringList bad;
        QStringList twice;
        QSet<QString> seen;
        for (const NamedKey& key : keys) {
            if (!kIdentifier.match(key.name).hasMatch()) {
                bad.append(key.name);
            } else if (seen.contains(key.name)) {
                twice.append(key.name);
            }
            seen.insert(key.name);
        }
        if (!bad.isEmpty()) {
            return refused(QStringLiteral("这些键名不能用作标识符：%1。请只用字母、数字和下划线，"
                                          "且不以数字开头（如 KEY_POWER）。"),
                           bad);
        }
        if (!twice.isEmpty()) {
            return refused(QStringLiteral("这些键名用了不止一次：%1。每个键名只能用一次。"), twice);
        }
    }

    qsizetype width = 0;
    for (const NamedKey& key : keys) {
        width = std::max(width, key.name.size());
    }
    QStringList lines;
    auto comment_of = [](const IrFrame& frame, auto value) {
        return QStringLiteral("%1 地址 %2 扫描码 %3")
            .arg(protocol_caption(frame.protocol),
                 value(frame.address, address_digits(frame.protocol)),
                 value(frame.scancode, scancode_digits(frame.protocol)));
    };
    switch (format) {
        case ExportFormat::kCDefine:
            lines.append(QStringLiteral("/* %1 */").arg(kHeading));
            for (const NamedKey& key : keys) {
                const IrFrame& frame = key.row->frame;
                lines.append(QStringLiteral("#define %1 %2 /* %3 */")
                                 .arg(padded(key.name, width), hex_value(frame.command, 2),
                                      comment_of(frame, hex_value)));
            }
            break;
        case ExportFormat::kCEnum:
            lines.append(QStringLiteral("/* %1 */").arg(kHeading));
            lines.append(QStringLiteral("enum ir_key {"));
            for (const NamedKey& key : keys) {
                const IrFrame& frame = key.row->frame;
                lines.append(QStringLiteral("    %1 = %2, /* %3 */")
                                 .arg(padded(key.name, width), hex_value(frame.command, 2),
                                      comment_of(frame, hex_value)));
            }
            lines.append(QStringLiteral("};"));
            break;
        case ExportFormat::kA51:
        case ExportFormat::kPic: {
            const bool a51 = format == ExportFormat::kA51;
            lines.append(QStringLiteral("; %1").arg(kHeading));
            for (const NamedKey& key : keys) {
                const IrFrame& frame = key.row->frame;
                lines.append(
                    QStringLiteral("%1 EQU %2 ; %3")
                        .arg(padded(key.name, width),
                             a51 ? a51_value(frame.command, 2) : hex_value(frame.command, 2),
                             a51 ? comment_of(frame, a51_value) : comment_of(frame, hex_value)));
            }
            break;
        }
        case ExportFormat::kCsv:
            lines.append(QStringLiteral("键名,协议,地址,命令,扫描码,翻转"));
            for (const NamedKey& key : keys) {
                const IrFrame& frame = key.row->frame;
                lines.append(
                    QStringList{csv_field(key.name), protocol_key(frame.protocol),
                                hex_value(frame.address, address_digits(frame.protocol)),
                                hex_value(frame.command, 2),
                                hex_value(frame.scancode, scancode_digits(frame.protocol)),
                                frame.toggle >= 0 ? QString::number(frame.toggle) : QString()}
                        .join(u','));
            }
            break;
        case ExportFormat::kKeymap: {
            static const QRegularExpression kKeyName(QStringLiteral("^(KEY|BTN)_[A-Z0-9_]+$"));
            QStringList bad;
            // One table per protocol, in the order the protocols first appear.
            std::vector<IrProtocol> order;
            std::map<IrProtocol, std::map<quint32, QString>> tables;
            QStringList clashes;
            for (const NamedKey& key : keys) {
                if (!kKeyName.match(key.name).hasMatch()) {
                    bad.append(key.name);
                    continue;
                }
                const IrFrame& frame = key.row->frame;
                if (!tables.contains(frame.protocol)) {
                    order.push_back(frame.protocol);
                }
                auto& table = tables[frame.protocol];
                const auto found = table.find(frame.scancode);
                if (found != table.end() && found->second != key.name) {
                    clashes.append(QStringLiteral("%1 %2（%3 和 %4）")
                                       .arg(protocol_key(frame.protocol),
                                            hex_value(frame.scancode, 1).toLower(), found->second,
                                            key.name));
                }
                table[frame.scancode] = key.name;
            }
            if (!bad.isEmpty()) {
                return refused(
                    QStringLiteral(
                        "ir-keytable 键表只认 Linux 的键名（KEY_ 或 BTN_ 开头的大写名称，"
                        "如 KEY_POWER、KEY_VOLUMEUP），这些键名不是：%1。"),
                    bad);
            }
            if (!clashes.isEmpty()) {
                return refused(QStringLiteral("同一个扫描码起了两个键名：%1。请只保留一个。"),
                               clashes);
            }
            for (const IrProtocol protocol : order) {
                lines.append(QStringLiteral("[[protocols]]"));
                lines.append(QStringLiteral("name = \"brevik\""));
                lines.append(QStringLiteral("protocol = \"%1\"").arg(keymap_protocol(protocol)));
                lines.append(QStringLiteral("variant = \"%1\"").arg(protocol_key(protocol)));
                lines.append(QStringLiteral("[protocols.scancodes]"));
                for (const auto& [scancode, name] : tables[protocol]) {
                    lines.append(QStringLiteral("0x%1 = \"%2\"").arg(scancode, 0, 16).arg(name));
                }
            }
            break;
        }
    }
    return {lines.join(u"\r\n"), {}};
}
