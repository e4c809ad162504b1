#include "pseudo_terminal.h"

#include <pty.h>
#include <termios.h>
#include <unistd.h>

std::optional<PseudoTerminal> open_pseudo_terminal() {
    termios raw{};
    cfmakeraw(&raw);
    char name[256] = {};
    int master = -1;
    int slave = -1;
    if (openpty(&master, &slave, name, &raw, nullptr) != 0) {
        return std::nullopt;
    }
    ::close(slave);  // the port opens its own
    return PseudoTerminal{master, QString::fromLocal8Bit(name)};
}
