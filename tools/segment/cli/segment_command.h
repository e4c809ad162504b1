#pragma once

#include "shell/cli/command.h"

// `brevik table segment`: the table that 七段码's 全部转换 saves, made without a window.
Command segment_table_command();
