#include "tests/support/qt_printers.h"
#include "tools/serial/core/checksum.h"
#include "tools/serial/core/saved_command.h"
#include "tools/serial/core/saved_command_file.h"
#include "tools/serial/core/saved_command_list.h"
#include "tools/serial/core/saved_command_loop.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

const QByteArray kCheckInput = "123456789";
const QByteArray kModbusRequest = QByteArray::fromHex("01030000000A");

struct ChecksumRow {
    Checksum checksum;
    QByteArray data;
    quint32 value;
    const char* appended;  // hex, in the order sent
};

const ChecksumRow kChecksumRows[] = {
    {Checksum::kNone, kCheckInput, 0, ""},
    // 0x31 + 0x32 + ... + 0x39 = 477 = 0x1DD, low byte 0xDD.
    {Checksum::kSum, kCheckInput, 0xDD, "DD"},
    {Checksum::kSum, QByteArray::fromHex("FF02"), 0x01, "01"},
    // 31^32 = 03, ^33 = 30, ^34 = 04, ^35 = 31, ^36 = 07, ^37 = 30, ^38 = 08, ^39 = 31.
    {Checksum::kXor, kCheckInput, 0x31, "31"},
    {Checksum::kCrc8, kCheckInput, 0xF4, "F4"},
    {Checksum::kCrc16Modbus, kCheckInput, 0x4B37, "374B"},
    {Checksum::kCrc16Modbus, kModbusRequest, 0xCDC5, "C5CD"},
    {Checksum::kCrc16Modbus, {}, 0xFFFF, "FFFF"},
    {Checksum::kCrc16CcittFalse, kCheckInput, 0x29B1, "29B1"},
    {Checksum::kCrc32, kCheckInput, 0xCBF43926, "2639F4CB"},
    {Checksum::kCrc32, {}, 0, "00000000"},
};

TEST(Checksum, StandardCheckValuesAndTheByteOrderSent) {
    for (const ChecksumRow& row : kChecksumRows) {
        SCOPED_TRACE((checksum_name(row.checksum) + u" of "_s + row.data.toHex()).toStdString());
        EXPECT_EQ(checksum_value(row.checksum, row.data), row.value);
        const QByteArray appended = QByteArray::fromHex(row.appended);
        EXPECT_EQ(with_checksum(row.checksum, row.data), row.data + appended);
        EXPECT_EQ(checksum_size(row.checksum), appended.size());
        EXPECT_EQ(checksum_from_name(checksum_name(row.checksum)), row.checksum);
    }
}

SavedCommand command(const QString& name, const QString& text, bool hex = false,
                     LineEnd end = LineEnd::kNone, Checksum checksum = Checksum::kNone) {
    return {name, text, hex, end, checksum};
}

// Each edit on the list A, B, C, written as the panel's button would; one refused leaves the list
// as it was. A full list takes no more.
TEST(SavedCommandList, AddsReplacesRemovesAndMovesRows) {
    using Edit = bool (*)(SavedCommandList&);
    const struct {
        Edit edit;
        bool done;
        const char* names;
    } rows[] = {
        {[](SavedCommandList& l) { return l.add(command(u"D"_s, {})); }, true, "ABCD"},
        {[](SavedCommandList& l) { return l.replace(1, command(u"X"_s, {})); }, true, "AXC"},
        {[](SavedCommandList& l) { return l.replace(3, command(u"X"_s, {})); }, false, "ABC"},
        {[](SavedCommandList& l) { return l.remove(0); }, true, "BC"},
        {[](SavedCommandList& l) { return l.remove(3); }, false, "ABC"},
        {[](SavedCommandList& l) { return l.remove(-1); }, false, "ABC"},
        {[](SavedCommandList& l) { return l.move(0, +1); }, true, "BAC"},
        {[](SavedCommandList& l) { return l.move(2, +1); }, false, "ABC"},
        {[](SavedCommandList& l) { return l.move(0, -1); }, false, "ABC"},
        {[](SavedCommandList& l) { return l.move(2, -1); }, true, "ACB"},
        {[](SavedCommandList& l) { return l.move(0, 2); }, false, "ABC"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.names);
        SavedCommandList list{{command(u"A"_s, {}), command(u"B"_s, {}), command(u"C"_s, {})}};
        EXPECT_EQ(row.edit(list), row.done);
        QString names;
        for (const SavedCommand& c : list.commands) {
            names += c.name;
        }
        EXPECT_EQ(names, QString::fromLatin1(row.names));
    }
    SavedCommandList full{QList<SavedCommand>(SavedCommandList::kMaxCommands)};
    EXPECT_FALSE(full.add(command(u"E"_s, {})));
    EXPECT_EQ(full.commands.size(), SavedCommandList::kMaxCommands);
}

// Sent in GBK unless `utf8`.
struct BytesRow {
    SavedCommand command;
    const char* bytes;  // hex, or nullptr when refused
    QString error = {};
    bool utf8 = false;
};

const Checksum kModbus = Checksum::kCrc16Modbus;

const BytesRow kBytesRows[] = {
    {command(u"读"_s, u"01 03 00 00 00 0A"_s, true, LineEnd::kNone, kModbus), "01030000000AC5CD"},
    {command(u"读"_s, u"01 03 00 00 00 0A"_s, true, LineEnd::kCrLf, kModbus),
     "01030000000AC5CD0D0A"},
    {command(u"AT"_s, u"AT"_s, false, LineEnd::kCrLf), "41540D0A"},
    {command(u"和"_s, u"AT"_s, false, LineEnd::kCr, Checksum::kSum), "4154950D"},
    {command(u"你好"_s, u"你好"_s, false, LineEnd::kLf), "C4E3BAC30A"},
    {command(u"你好"_s, u"你好"_s), "E4BDA0E5A5BD", {}, true},
    {command(u"空"_s, u""_s, true, LineEnd::kNone, Checksum::kCrc8), "00"},
    {command(u"坏"_s, u"12 G4"_s, true), nullptr,
     u"命令“坏”：十六进制发送：第 4 个字符“G”不是十六进制数字，未发送"_s},
    {command(u"断"_s, QString(QChar(0xD800))), nullptr,
     u"命令“断”：内容中有 GBK 编码无法发送的字符，未发送"_s},
};

TEST(SavedCommand, SendsTheTypedBytesThenTheCheckThenTheLineEnd) {
    for (const BytesRow& row : kBytesRows) {
        SCOPED_TRACE(row.command.name.toStdString());
        const CommandBytes result = command_bytes(row.command, row.utf8 ? u"UTF-8"_s : u"GBK"_s);
        EXPECT_EQ(result.ok(), row.bytes != nullptr);
        EXPECT_EQ(result.bytes, QByteArray::fromHex(row.bytes ? row.bytes : ""));
        EXPECT_EQ(result.error, row.error);
    }
}

const QList<SavedCommand> kSampleCommands{
    {u"读寄存器"_s, u"01 03 00 00 00 0A"_s, true, LineEnd::kNone, Checksum::kCrc16Modbus, true,
     250},
    {u"AT 版本"_s, u"AT+GMR"_s, false, LineEnd::kCrLf, Checksum::kCrc32, false, 60000},
    {}};

struct FileRow {
    const char* name;
    QByteArray bytes;
    QString problem;  // empty: a list of `count` commands
    int count = 0;
};

const FileRow kFileRows[] = {
    {"empty list", R"({"commands": []})", {}, 0},
    {"defaults", R"({"commands": [{"text": "AT"}]})", {}, 1},
    {"gbk file", "{\"commands\": [{\"name\": \"\xC4\xE3\xBA\xC3\", \"text\": \"AT\"}]}", {}, 1},
    {"not json", "[serial]\nname=AT\n", u"不是 JSON 文件"_s},
    {"empty file", "", u"不是 JSON 文件"_s},
    {"no list", R"({"format": "x"})", u"文件里没有命令列表（commands）"_s},
    {"a bare array", R"([{"text": "AT"}])", u"文件里没有命令列表（commands）"_s},
    {"a number in the list", R"({"commands": [{"text": "AT"}, 5]})", u"第 2 条命令不是一组值"_s},
    {"no text", R"({"commands": [{"name": "AT"}]})", u"第 1 条命令没有内容（text）"_s},
    {"a number too large for a delay", R"({"commands": [{"text": "AT", "delay_ms": 1e300}]})",
     u"第 1 条命令的 delay_ms 无效"_s},
    {"bad values",
     R"({"commands": [{"text": "AT", "hex": "yes", "delay_ms": 1.5, "checksum": "CRC"}]})",
     u"第 1 条命令的 hex、checksum、delay_ms 无效"_s},
    {"delay out of range", R"({"commands": [{"text": "AT", "delay_ms": 60001}]})",
     u"第 1 条命令的 delay_ms 无效"_s},
    {"text not a string", R"({"commands": [{"text": 5}]})", u"第 1 条命令的 text 无效"_s},
};

TEST(SavedCommandFile, ReadsAListOrSaysWhyItIsNotOne) {
    for (const FileRow& row : kFileRows) {
        SCOPED_TRACE(row.name);
        QList<SavedCommand> commands{command(u"原有"_s, u"keep"_s)};
        const auto problem = parse_commands_json(row.bytes, commands);
        EXPECT_EQ(problem.value_or(QString()), row.problem);
        if (problem) {
            EXPECT_EQ(commands, QList<SavedCommand>{command(u"原有"_s, u"keep"_s)});
        } else {
            EXPECT_EQ(commands.size(), row.count);
        }
    }
    QList<SavedCommand> read;
    ASSERT_FALSE(parse_commands_json(kFileRows[2].bytes, read));
    EXPECT_EQ(read[0].name, u"你好"_s);
}

TEST(SavedCommandFile, ExportsAndImportsAndExplainsAFileItCannotUse) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"命令.json"_s);
    ASSERT_FALSE(export_commands(path, kSampleCommands));
    QList<SavedCommand> read;
    ASSERT_FALSE(import_commands(path, read));
    EXPECT_EQ(read, kSampleCommands);

    const QString missing = dir.filePath(u"none.json"_s);
    EXPECT_EQ(import_commands(missing, read),
              u"无法读取文件：%1\rNo such file or directory"_s.arg(missing));
    EXPECT_TRUE(import_commands(dir.path(), read)->startsWith(u"无法读取文件："_s));
    const auto refused = export_commands(dir.filePath(u"no/such/dir.json"_s), kSampleCommands);
    ASSERT_TRUE(refused);
    EXPECT_TRUE(refused->startsWith(u"无法导出命令列表："_s));

    QFile big(dir.filePath(u"big.json"_s));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.write(QByteArray(4 * 1024 * 1024 + 1, ' '));
    big.close();
    EXPECT_EQ(import_commands(big.fileName(), read),
              u"%1 不是命令列表，未导入：\r文件太大"_s.arg(big.fileName()));
    EXPECT_EQ(read, kSampleCommands);
}

// Commands: each row's delay in ms, "-" before it when it is not ticked for the loop. Steps: "T=N"
// asks at T ms what is due and expects row N or nothing ("-"); "untick N" takes row N out of the
// loop between asks.
struct LoopRow {
    const char* name;
    const char* commands;
    const char* steps;
    bool starts = true;
    bool running_after = true;  // whether the loop still runs after the last step
};

const LoopRow kLoopRows[] = {
    {"ticked rows in order, each after its delay", "100 -50 300",
     "99=- 100=0 399=- 400=2 499=- 500=0 800=2"},
    {"a late wake-up sends one row and counts from then", "100 100",
     "350=0 351=- 449=- 450=1 550=0"},
    {"the first ticked row need not be the first", "-10 20", "19=- 20=1 40=1"},
    {"a row unticked while looping is passed over", "100 200 300", "100=0 untick=1 300=2 400=0"},
    {"the loop stops when nothing is ticked any more", "100", "100=0 untick=0 200=- 300=-", true,
     false},
    {"nothing ticked: nothing starts", "-100", "100=-", false, false},
    {"an empty list", "", "100=-", false, false},
};

TEST(SavedCommandLoop, SendsTheTickedRowsRoundAndRound) {
    for (const LoopRow& row : kLoopRows) {
        SCOPED_TRACE(row.name);
        QList<SavedCommand> commands;
        for (const QByteArray& delay : QByteArray(row.commands).split(' ')) {
            if (!delay.isEmpty()) {
                commands.append(SavedCommand{});
                commands.back().looped = !delay.startsWith('-');
                commands.back().delay_ms = std::abs(delay.toInt());
            }
        }
        SavedCommandLoop loop;
        EXPECT_EQ(loop.start(commands, 0), row.starts);
        for (const QByteArray& step : QByteArray(row.steps).split(' ')) {
            SCOPED_TRACE(step.constData());
            const QList<QByteArray> parts = step.split('=');
            if (parts[0] == "untick") {
                commands[parts[1].toInt()].looped = false;
                continue;
            }
            const std::optional<int> expected =
                parts[1] == "-" ? std::nullopt : std::optional<int>(parts[1].toInt());
            EXPECT_EQ(loop.take_due(commands, parts[0].toLongLong()), expected);
        }
        EXPECT_EQ(loop.running(), row.running_after);
    }
}

}  // namespace
