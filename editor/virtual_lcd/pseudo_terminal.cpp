#include "editor/virtual_lcd/pseudo_terminal.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>

bool OpenPseudoTerminal(VyPseudoTerminal* terminal) {
    terminal->master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (terminal->master < 0 || ::grantpt(terminal->master) != 0 ||
        ::unlockpt(terminal->master) != 0) {
        ClosePseudoTerminal(terminal);
        return false;
    }
    const char* slave = ::ptsname(terminal->master);
    if (slave == nullptr) {
        ClosePseudoTerminal(terminal);
        return false;
    }
    terminal->slavePath = slave;
    terminal->keeper = ::open(terminal->slavePath.c_str(), O_RDWR | O_NOCTTY);
    struct termios raw {};
    if (terminal->keeper < 0 || ::tcgetattr(terminal->keeper, &raw) != 0) {
        ClosePseudoTerminal(terminal);
        return false;
    }
    ::cfmakeraw(&raw);
    ::tcsetattr(terminal->keeper, TCSANOW, &raw);
    return true;
}

void ClosePseudoTerminal(VyPseudoTerminal* terminal) {
    for (int* fd : {&terminal->keeper, &terminal->master}) {
        if (*fd >= 0) {
            ::close(*fd);
            *fd = -1;
        }
    }
}
