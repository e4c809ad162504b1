#pragma once

#include "shell/cli/command.h"

// `brevik table sensor`: the AD table that 真值表's 输出 saves, for a built-in sensor or any
// thermistor given by its β value, its Steinhart-Hart coefficients or its datasheet table.
Command sensor_table_command();
