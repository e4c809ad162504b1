#pragma once

#include "saved_command.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// 多条发送's list as a file to keep or pass on: a JSON object whose "commands" hold one object
// per command, with the values SavedCommand::to_map names. UTF-8, as every JSON reader expects;
// a file an editor saved in GBK is read too.

QByteArray commands_json(const QList<SavedCommand>& commands);

// The commands of a file's bytes, or why they are not such a list (not JSON, no "commands",
// a command with a value of the wrong kind); `commands` is left as it was then.
std::optional<QString> parse_commands_json(const QByteArray& bytes, QList<SavedCommand>& commands);

// 导出: writes the list to `path`, or says in a message why not; an old file stays whole then.
std::optional<QString> export_commands(const QString& path, const QList<SavedCommand>& commands);

// 导入: the list in the file at `path`, or a message saying why it is not one; `commands` is
// left as it was then.
std::optional<QString> import_commands(const QString& path, QList<SavedCommand>& commands);
