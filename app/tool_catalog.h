#pragma once

#include "shell/tool_entry.h"

// The main window's tool buttons and the windows they launch, in the order "退出" unloads them.
ToolCatalog tool_catalog();
