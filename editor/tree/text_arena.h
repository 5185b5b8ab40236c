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
        if (Left() < bytes) {
            AddBlock(bytes);
        }
    }
    void Clear();
    // Bytes handed out since the last Clear.
    size_t Used() const { return m_blocks == nullptr ? 0 : m_blocks->used; }

  private:
    // The texts follow the header in one allocation. The newest block keeps
    // the arena's count, so that an arena is two pointers: every tree has one.
    struct Block {
        Block* next;
        char* end;    // of this block's room
        size_t used;  // by the whole arena
    };

    size_t Left() const {
        return m_blocks == nullptr ? 0 : static_cast<size_t>(m_blocks->end - m_cursor);
    }
    void AddBlock(size_t size);

    Block* m_blocks = nullptr;  // the newest first
    char* m_cursor = nullptr;
};
