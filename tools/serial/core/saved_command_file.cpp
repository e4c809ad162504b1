#include "saved_command_file.h"

#include "base/text_file.h"
#include "saved_command_list.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QString kCommands = QStringLiteral("commands");
const QString kFormat = QStringLiteral("format");
const QString kFormatName = QStringLiteral("brevik-serial-commands");
const QString kVersion = QStringLiteral("version");
// A list of the most commands the panel keeps is far smaller; anything larger is not one.
constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;

}  // namespace

QByteArray commands_json(const QList<SavedCommand>& commands) {
    QJsonArray array;
    for (const SavedCommand& command : commands) {
        array.append(QJsonObject::fromVariantMap(command.to_map()));
    }
    const QJsonObject top{{kFormat, kFormatName}, {kVersion, 1}, {kCommands, array}};
    return QJsonDocument(top).toJson(QJsonDocument::Indented);
}

std::optional<QString> parse_commands_json(const QByteArray& bytes, QList<SavedCommand>& commands) {
    // Through the toolbox's text reading, so a GBK file reads as well as a UTF-8 one.
    const QJsonDocument document = QJsonDocument::fromJson(decode_text(bytes).toUtf8());
    if (document.isNull()) {
        return QStringLiteral("不是 JSON 文件");
    }
    const QJsonValue list = document.object().value(kCommands);
    if (!document.isObject() || !list.isArray()) {
        return QStringLiteral("文件里没有命令列表（commands）");
    }
    const QJsonArray array = list.toArray();
    if (array.size() > SavedCommandList::kMaxCommands) {
        return QStringLiteral("命令多于 %1 条").arg(SavedCommandList::kMaxCommands);
    }
    QList<SavedCommand> read;
    for (qsizetype i = 0; i < array.size(); ++i) {
        if (!array[i].isObject()) {
            return QStringLiteral("第 %1 条命令不是一组值").arg(i + 1);
        }
        const QVariantMap map = array[i].toObject().toVariantMap();
        if (!map.contains(QStringLiteral("text"))) {
            return QStringLiteral("第 %1 条命令没有内容（text）").arg(i + 1);
        }
        QStringList problems;
        read.append(SavedCommand::from_map(map, &problems));
        if (!problems.isEmpty()) {
            return QStringLiteral("第 %1 条命令的 %2 无效").arg(i + 1).arg(problems.join(u'、'));
        }
    }
    commands = std::move(read);
    return std::nullopt;
}

std::optional<QString> export_commands(const QString& path, const QList<SavedCommand>& commands) {
    if (const auto error = write_file_bytes(path, commands_json(commands))) {
        return QStringLiteral("无法导出命令列表：%1\r%2")
            .arg(QDir::toNativeSeparators(path), error->reason);
    }
    return std::nullopt;
}

std::optional<QString> import_commands(const QString& path, QList<SavedCommand>& commands) {
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QStringLiteral("无法读取文件：%1\r%2").arg(shown, file.errorString());
    }
    const QByteArray bytes = file.read(kMaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        return QStringLiteral("无法读取文件：%1\r%2").arg(shown, file.errorString());
    }
    const std::optional<QString> problem = bytes.size() > kMaxFileBytes
                                               ? QStringLiteral("文件太大")
                                               : parse_commands_json(bytes, commands);
    if (problem) {
        return QStringLiteral("%1 不是命令列表，未导入：\r%2").arg(shown, *problem);
    }
    return std::nullopt;
}
