#pragma once

#include "shell/cli/command.h"
#include "shell/cli/command_options.h"

#include <QString>

// The --dialect option of the table subcommands: pic, a51, c (also 数组) or emc.
CommandOption dialect_option();

// The dialect's name as the tools' lists show it ("PIC", "数组").
QString dialect_value(const CommandOptions& options);
