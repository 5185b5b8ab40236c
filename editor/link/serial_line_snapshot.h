// A serial device's line settings as they were found, rates included, so
// that they can be put back exactly: the classic terminal interface would
// lose a rate that has no speed constant.
#pragma once

#include <array>
#include <cstdint>

class CVylLineSnapshot {
  public:
    // Keeps the settings of the open device fd; false when they are unreadable.
    bool Take(int fd);
    // Puts the kept settings back on fd; false when none were kept or refused.
    bool Restore(int fd) const;
    bool IsTaken() const { return m_taken; }

  private:
    // Room for the kernel's settings record, which this header cannot name.
    alignas(uint64_t) std::array<unsigned char, 64> m_raw{};
    bool m_taken = false;
};
