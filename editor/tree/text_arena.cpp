#include "editor/tree/text_arena.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

constexpr size_t kSmallestBlock = 128;

}  // namespace

// The texts follow the header in one allocation.
struct CFxTextArena::Block {
    Block* next;
};

CFxTextArena::CFxTextArena(CFxTextArena&& other) noexcept {
    *this = std::move(other);
}

CFxTextArena& CFxTextArena::operator=(CFxTextArena&& other) noexcept {
    if (this != &other) {
        Clear();
        m_blocks = other.m_blocks;
        m_cursor = other.m_cursor;
        m_left = other.m_left;
        m_used = other.m_used;
        other.m_blocks = nullptr;
        other.Clear();
    }
    return *this;
}

void CFxTextArena::AddBlock(size_t size) {
    void* memory = ::operator new(sizeof(Block) + size);
    m_blocks = new (memory) Block{m_blocks};
    m_cursor = reinterpret_cast<char*>(m_blocks + 1);
    m_left = size;
}

char* CFxTextArena::Store(std::string_view text) {
    if (text.empty()) {
        return nullptr;
    }
    if (m_left < text.size()) {
        // Blocks double with the arena, so many small stores stay amortised.
        AddBlock(std::max({text.size(), kSmallestBlock, m_used}));
    }
    char* stored = m_cursor;
    std::memcpy(stored, text.data(), text.size());
    m_cursor += text.size();
    m_left -= text.size();
    m_used += text.size();
    return stored;
}

void CFxTextArena::Clear() {
    while (m_blocks != nullptr) {
        Block* next = m_blocks->next;
        ::operator delete(m_blocks);
        m_blocks = next;
    }
    m_cursor = nullptr;
    m_left = 0;
    m_used = 0;
}
