// How far the last full LCD update has come: its size, its commands and how
// many of them the module has acknowledged. Written by the link's threads
// and read by the status strip, so every field is atomic.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "editor/vyedit_export.h"

struct VyUpdateProgress {
    int64_t bytes = 0;
    int32_t commands = 0;
    int32_t acknowledged = 0;
    // What a full update of the same drawing takes (an update of only the
    // changes is smaller).
    int64_t fullBytes = 0;

    bool IsRunning() const { return acknowledged < commands; }
    // The time the bytes take on the wire at baud (10 bits a byte, 8-N-1).
    double WireSeconds(int32_t baud) const {
        return baud > 0 ? static_cast<double>(bytes) * 10.0 / baud : 0.0;
    }
    // The percentage of the full update's bytes left out, 0 for a full one.
    int32_t SavedPercent() const {
        return fullBytes > bytes ? static_cast<int32_t>((fullBytes - bytes) * 100 / fullBytes) : 0;
    }
};

class VYEDIT_EXPORT CVylUpdateProgress {
  public:
    // An update of these many bytes and commands is about to start; a full
    // one would take fullBytes (the same when it is a full one: -1).
    void Begin(int64_t bytes, int32_t commands, int64_t fullBytes = -1);
    // Answers came; those beyond the update's commands belong to others.
    void Acknowledge(int32_t answers);
    VyUpdateProgress Get() const;

  private:
    std::atomic<int64_t> m_bytes{0};
    std::atomic<int32_t> m_commands{0};
    std::atomic<int32_t> m_acknowledged{0};
    std::atomic<int64_t> m_fullBytes{0};
};

// "2,345 B, 0.20 s": the size with thousands separated and the wire time.
VYEDIT_EXPORT std::string UpdateSizeText(const VyUpdateProgress& progress, int32_t baud);
