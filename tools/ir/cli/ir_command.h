#pragma once

#include "shell/cli/command.h"

// `brevik ir decode FILE`: the frames of a recorded file of timings, one line each.
Command ir_decode_command();
// `brevik ir encode --protocol P --scancode 0x...`: one frame's timings as ir-ctl sends them.
Command ir_encode_command();
