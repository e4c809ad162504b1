#pragma once

#include "shell/cli/command.h"

// `brevik glyphs`: the dot-matrix table of characters, byte for byte as the 字模 window saves
// it. Draws with the window system's fonts, so it runs inside a QGuiApplication (the offscreen
// platform needs no display).
Command glyphs_command();
