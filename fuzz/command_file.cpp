// 导入 of 多条发送 on any bytes. Either the bytes are refused with a reason and the list is left
// as it was, or they give a list that 导出 writes and 导入 reads back the same.

#include "fuzz/fuzz_check.h"
#include "tools/serial/core/saved_command_file.h"
#include "tools/serial/core/saved_command_list.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    SavedCommand kept;
    kept.name = QStringLiteral("kept");
    QList<SavedCommand> commands{kept};
    if (const auto problem = parse_commands_json(bytes, commands)) {
        FUZZ_REQUIRE(!problem->isEmpty());
        FUZZ_REQUIRE(commands == QList<SavedCommand>{kept});
        return 0;
    }
    FUZZ_REQUIRE(commands.size() <= SavedCommandList::kMaxCommands);
    for (const SavedCommand& command : commands) {
        FUZZ_REQUIRE(command.delay_ms >= SavedCommand::kMinDelayMs &&
                     command.delay_ms <= SavedCommand::kMaxDelayMs);
    }
    QList<SavedCommand> again;
    FUZZ_REQUIRE(!parse_commands_json(commands_json(commands), again));
    FUZZ_REQUIRE(again == commands);
    return 0;
}
