#include "editor/tree/revolver.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstring>
#include <new>

#include "editor/tree/atomic_file.h"

CRevolver::Block* CRevolver::Block::Allocate(int32_t size) {
    const auto bytes = static_cast<size_t>(size);
    void* memory = ::operator new(sizeof(Block) + bytes + kReadAhead);
    Block* block = new (memory) Block;
    // Bytes read ahead are masked off, but are given a value all the same.
    std::memset(block->Bytes() + bytes, 0, kReadAhead);
    return block;
}

void CRevolver::Block::Unref(Block* block) {
    if (block != nullptr && block->refs.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        block->~Block();
        ::operator delete(block);
    }
}

CRevolver::CRevolver(const CRevolver& other) {
    *this = other;
}

// A copy shows the same bytes and has no room of its own to append into.
CRevolver& CRevolver::operator=(const CRevolver& other) {
    if (this != &other) {
        *this = other.Slice(0, other.m_length);
    }
    return *this;
}

void CRevolver::Adopt(Block* block) {
    Release();
    m_block = block;
}

bool CRevolver::IsSole() const {
    return m_block != nullptr && !IsBorrowed() &&
           m_block->refs.load(std::memory_order_acquire) == 1;
}

// A borrowed range that takes a reference of its own.
CRevolver CRevolver::Slice(int32_t offset, int32_t count) const {
    CRevolver slice = Borrow(offset, count);
    if (slice.m_block != nullptr) {
        m_block->refs.fetch_add(1, std::memory_order_relaxed);
        slice.m_step = slice.Step();
    }
    return slice;
}

void CRevolver::HoldBorrowed(CRevolver* slices, size_t count) const {
    int32_t held = 0;
    for (size_t i = 0; i < count; ++i) {
        CRevolver& slice = slices[i];
        if (m_block != nullptr && slice.m_block == m_block && slice.IsBorrowed()) {
            slice.m_step = slice.Step();
            ++held;
        }
    }
    if (held != 0) {
        m_block->refs.fetch_add(held, std::memory_order_relaxed);
    }
}

CRevolver CRevolver::FromBytes(std::string_view bytes) {
    CRevolver buffer;
    if (!bytes.empty()) {
        buffer.Reserve(ToLength(bytes.size()), 0);
        buffer.Append(bytes);
    }
    return buffer;
}

int32_t CRevolver::ToLength(size_t size) {
    return size > static_cast<size_t>(INT32_MAX) ? -1 : static_cast<int32_t>(size);
}

int CRevolver::Reserve(int32_t capacity, int32_t step) {
    if (capacity <= 0) {
        return 0;
    }
    Adopt(Block::Allocate(capacity));
    m_capacity = capacity;
    m_length = 0;
    m_step = std::max(1, step == 0 ? capacity / 4 : step);
    return 1;
}

void CRevolver::Clear() {
    Release();
    m_capacity = 0;
    m_length = 0;
}

uint8_t* CRevolver::Overwrite(int32_t size) {
    if (size <= 0) {
        return nullptr;
    }
    if (!(IsSole() && m_capacity >= size) && !Reserve(size, 0)) {
        return nullptr;
    }
    m_length = size;
    return Data();
}

// Grows so that len more bytes fit in storage of this buffer's own: whole
// steps, and the new block's step is a quarter of its size, which keeps
// repeated appends amortised. A shared buffer first gets a copy of its bytes.
// The old block stays alive until the caller has copied from it.
int CRevolver::Grow(int32_t len, Block** old) {
    const int32_t step = Step();
    const int64_t needed = static_cast<int64_t>(m_length) + len;
    int64_t capacity = m_capacity;
    const bool grows = needed > capacity;
    if (grows) {
        capacity += (needed - capacity + step - 1) / step * step;
        if (capacity > INT32_MAX) {
            return 0;
        }
    }
    Block* block = Block::Allocate(static_cast<int32_t>(capacity));
    if (m_length > 0) {
        std::memcpy(block->Bytes(), Data(), static_cast<size_t>(m_length));
    }
    *old = IsBorrowed() ? nullptr : m_block;
    m_block = block;
    m_offset = 0;
    m_capacity = static_cast<int32_t>(capacity);
    m_step = grows ? std::max(1, m_capacity / 4) : step;
    return 1;
}

int CRevolver::Append(const void* src, int32_t len) {
    if (!IsValid() || len < 0) {
        return 0;
    }
    if (len == 0) {
        return 1;
    }
    Block* old = nullptr;
    if ((m_capacity - m_length < len || !IsSole()) && !Grow(len, &old)) {
        return 0;
    }
    std::memcpy(Data() + m_length, src, static_cast<size_t>(len));
    m_length += len;
    Block::Unref(old);
    return 1;
}

int CRevolver::AppendFrom(const CRevolver& other, int32_t offset, int32_t count) {
    if (!other.IsValid() || offset < 0 || offset > other.m_length) {
        return 0;
    }
    if (count == -1) {
        count = other.m_length - offset;
    }
    if (count < 0 || other.m_length - offset < count) {
        return 0;
    }
    return count == 0 ? 1 : Append(other.Data() + offset, count);
}

int CRevolver::Peek(void* dst, int32_t count, int32_t offset) const {
    if (!IsValid() || offset < 0 || offset > m_length) {
        return 0;
    }
    if (count == -1) {
        count = m_length;
    }
    if (count < 0 || m_length - offset < count) {
        return 0;
    }
    if (count > 0) {
        std::memcpy(dst, Data() + offset, static_cast<size_t>(count));
    }
    return 1;
}

int CRevolver::Read(int32_t* cursor, void* dst, int32_t count) const {
    if (!Peek(dst, count, *cursor)) {
        return 0;
    }
    *cursor += count;
    return 1;
}

int CRevolver::WriteTo(std::FILE* file, bool append) const {
    if (file == nullptr || !IsValid()) {
        return 0;
    }
    if (!append && !TruncateOpenFile(file)) {
        return 0;
    }
    if (std::fseek(file, 0, append ? SEEK_END : SEEK_SET) != 0) {
        return 0;
    }
    const std::string_view bytes = View();
    return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() ? 1 : 0;
}

int CRevolver::SaveToFile(const std::string& path) const {
    if (!IsValid()) {
        return 0;
    }
    return WriteFileAtomically(path, View()) ? 1 : 0;
}

int CRevolver::ReadFrom(std::FILE* file, int64_t offset, int64_t count) {
    Clear();
    if (file == nullptr || offset < 0 || std::fseek(file, 0, SEEK_END) != 0) {
        return 0;
    }
    const long size = std::ftell(file);
    if (size < 0 || offset > size) {
        return 0;
    }
    if (count == -1) {
        count = size - offset;
    }
    if (count < 0 || count > size - offset || count > INT32_MAX) {
        return 0;
    }
    if (count == 0) {
        return 1;
    }
    if (std::fseek(file, static_cast<long>(offset), SEEK_SET) != 0 ||
        !Reserve(static_cast<int32_t>(count), 0)) {
        return 0;
    }
    const size_t got = std::fread(Data(), 1, static_cast<size_t>(count), file);
    if (got != static_cast<size_t>(count)) {
        Clear();
        return 0;
    }
    m_length = static_cast<int32_t>(count);
    return 1;
}

int CRevolver::LoadFromFile(const std::string& path) {
    Clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return 0;
    }
    const int ok = ReadFrom(file, 0, -1);
    std::fclose(file);
    return ok;
}
