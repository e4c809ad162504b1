#pragma once

#include "checksum.h"
#include "terminal_settings.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <optional>

// A command kept in 多条发送: what it sends and how 循环发送 treats it.
struct SavedCommand {
    static constexpr int kMinDelayMs = 10;
    static constexpr int kMaxDelayMs = 60000;

    QString name;
    QString text;
    bool hex = false;  // 十六进制: the text is pairs of hex digits
    LineEnd line_end = LineEnd::kNone;
    Checksum checksum = Checksum::kNone;
    bool looped = false;  // ticked for 循环发送
    int delay_ms = 1000;  // how long 循环发送 waits before sending it

    bool operator==(const SavedCommand&) const = default;

    // The command as named values, the one form both the settings and the exported file keep.
    QVariantMap to_map() const;
    // Reads what to_map wrote. A missing value keeps its default; a value of the wrong kind or
    // out of range keeps its default too and is named in `problems`, when given.
    static SavedCommand from_map(const QVariantMap& map, QStringList* problems = nullptr);
};

// What 行尾 shows: 无, CR, LF, CR LF.
QString line_end_name(LineEnd end);
std::optional<LineEnd> line_end_from_name(const QString& name);

// The bytes of a command, or why it cannot be sent.
struct CommandBytes {
    QByteArray bytes;
    QString error;  // empty when the command is good
    bool ok() const { return error.isEmpty(); }
};

// The typed bytes (hex digits parsed, or the text in `encoding`, "GBK" or "UTF-8"), followed by
// the check of those bytes and then the 行尾.
CommandBytes command_bytes(const SavedCommand& command, const QString& encoding);
