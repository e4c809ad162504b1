#pragma once

#include "shell/cli/command.h"
#include "shell/tool_entry.h"

// The main window's tool buttons and the windows they launch, in the order "退出" unloads them.
ToolCatalog tool_catalog();

// The subcommands, `brevik table segment` and the like, that the dispatcher walks: each tool's
// command line lives in its tools/<tool>/cli and is added here, one entry each.
CommandCatalog command_catalog();
