#pragma once

#include <QString>

#include <optional>

// The far end of a raw pseudo-terminal pair, standing in for a board on a serial cable: the
// program opens `device` as its serial port, and the test writes and reads at `master`.
struct PseudoTerminal {
    int master = -1;
    QString device;
};

// A new pair with its master end, or nothing when the system has none to give.
std::optional<PseudoTerminal> open_pseudo_terminal();
