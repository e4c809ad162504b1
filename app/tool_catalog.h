#pragma once

#include "shell/tool_window.h"

#include <vector>

// The seven tool windows, in the order "退出" unloads them.
std::vector<ToolWindow> tool_catalog();
