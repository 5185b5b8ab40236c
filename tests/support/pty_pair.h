// A pseudo-terminal for the tests: the master end plays the module, the
// slave path is what the link opens.
#pragma once

#include <string>

#include "editor/virtual_lcd/pseudo_terminal.h"

class PtyPair {
  public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    const std::string& SlavePath() const { return m_terminal.slavePath; }
    int Master() const { return m_terminal.master; }
    // The slave end held open: its settings are those the link set.
    int Keeper() const { return m_terminal.keeper; }
    // Reads exactly n bytes from the master, or what came within timeoutMs.
    std::string ReadMaster(size_t n, int timeoutMs) const;
    // Bytes the master can read within timeoutMs (for "nothing more came").
    std::string Drain(int timeoutMs) const;
    void WriteMaster(const std::string& bytes) const;
    void CloseMaster();

  private:
    VyPseudoTerminal m_terminal;
};
