// A pseudo-terminal whose master end plays the module and whose slave path is
// what a link opens. The slave is held open in raw mode, so the line stays up
// and passes bytes unchanged while links come and go.
#pragma once

#include <string>

struct VyPseudoTerminal {
    int master = -1;
    int keeper = -1;  // the held slave end
    std::string slavePath;
};

// false when no pseudo-terminal could be had (nothing stays open then).
bool OpenPseudoTerminal(VyPseudoTerminal* terminal);
void ClosePseudoTerminal(VyPseudoTerminal* terminal);
