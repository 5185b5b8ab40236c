#include "editor/tree/text_arena.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

// Most arenas hold a few short keys and texts set on a decoded or copied
// tree: a first block of 64 bytes takes them without much room to spare.
constexpr size_t kSmallestBlock = 64;

}  // namespace

CFxTextArena::CFxTextArena(CFxTextArena&& other) noexcept {
    *this = std::move(other);
}

CFxTextArena& CFxTextArena::operator=(CFxTextArena&& other) noexcept {
    if (this != &other) {
        Clear();
        m_blocks = other.m_blocks;
        m_cursor = other.m_cursor;
        other.m_blocks = nullptr;
        other.m_cursor = nullptr;
    }
    return *this;
}

void CFxTextArena::AddBlock(size_t size) {
    void* memory = ::operator new(sizeof(Block) + size);
    char* room = static_cast<char*>(memory) + sizeof(Block);
    m_blocks = new (memory) Block{m_blocks, room + size, Used()};
    m_cursor = room;
}

char* CFxTextArena::Store(std::string_view text) {
    if (text.empty()) {
        return nullptr;
    }
    if (Left() < text.size()) {
        // Blocks double with the arena, so many small stores stay amortised.
        AddBlock(std::max({text.size(), kSmallestBlock, Used()}));
    }
    char* stored = m_cursor;
    std::memcpy(stored, text.data(), text.size());
    m_cursor += text.size();
    m_blocks->used += text.size();
    return stored;
}

void CFxTextArena::Clear() {
    while (m_blocks != nullptr) {
        Block* next = m_blocks->next;
        ::operator delete(m_blocks);
        m_blocks = next;
    }
    m_cursor = nullptr;
}
