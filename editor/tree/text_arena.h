// CFxTextArena: keeps the keys and texts of one value tree in a few large
// blocks, so that a tree costs a handful of allocations however many entries
// it holds. Stored texts never move until the arena is cleared.
#pragma once

#include "editor/vyedit_export.h"

#include <cstddef>
#include <string_view>

class VYEDIT_EXPORT CFxTextArena {
  public:
    CFxTextArena() = default;
    CFxTextArena(CFxTextArena&& other) noexcept;
    CFxTextArena& operator=(CFxTextArena&& other) noexcept;
    CFxTextArena(const CFxTextArena&) = delete;
    CFxTextArena& operator=(const CFxTextArena&) = delete;
    ~CFxTextArena() {
        if (m_blocks != nullptr) {
            Clear();
        }
    }

    // A copy of text that lives as long as the arena.
    char* Store(std::string_view text);
    // Makes room so that the next bytes stored take no further allocation.
    void Reserve(size_t bytes) {
        if (m_left < bytes) {
            AddBlock(bytes);
        }
    }
    void Clear();
    // Bytes handed out since the last Clear.
    size_t Used() const { return m_used; }

  private:
    struct Block;

    void AddBlock(size_t size);

    Block* m_blocks = nullptr;  // the newest first
    char* m_cursor = nullptr;
    size_t m_left = 0;
    size_t m_used = 0;
};
