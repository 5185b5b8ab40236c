// CRevolver: the byte buffer that carries bytes values and encoded trees.
//
// Copies and slices share the stored bytes; a buffer gets storage of its own
// the first time it is written while shared, so sharing is never visible.
#pragma once

#include "editor/vyedit_export.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

class VYEDIT_EXPORT CRevolver {
  public:
    CRevolver() = default;
    CRevolver(const CRevolver& other);
    CRevolver(CRevolver&& other) noexcept
        : m_block(other.m_block),
          m_offset(other.m_offset),
          m_capacity(other.m_capacity),
          m_length(other.m_length),
          m_step(other.m_step) {
        other.m_block = nullptr;
        other.m_offset = other.m_capacity = other.m_length = 0;
    }
    CRevolver& operator=(const CRevolver& other);
    CRevolver& operator=(CRevolver&& other) noexcept {
        if (this != &other) {
            if (m_block != nullptr) {
                Release();
            }
            m_block = other.m_block;
            m_offset = other.m_offset;
            m_capacity = other.m_capacity;
            m_length = other.m_length;
            m_step = other.m_step;
            other.m_block = nullptr;
            other.m_offset = other.m_capacity = other.m_length = 0;
        }
        return *this;
    }
    ~CRevolver() {
        if (m_block != nullptr) {
            Release();
        }
    }

    // Convenience for callers holding plain bytes.
    static CRevolver FromBytes(std::string_view bytes);

    int Reserve(int32_t capacity, int32_t step);
    void Clear();
    int Append(const void* src, int32_t len);
    int Append(std::string_view bytes) { return Append(bytes.data(), ToLength(bytes.size())); }
    int AppendFrom(const CRevolver& other, int32_t offset, int32_t count);
    int Peek(void* dst, int32_t count, int32_t offset) const;
    int PeekByte(uint8_t* dst, int32_t offset) const { return Peek(dst, 1, offset); }
    int Read(int32_t* cursor, void* dst, int32_t count) const;

    // count bytes from offset as a buffer of their own, without copying them;
    // an empty buffer when the range does not fit.
    CRevolver Slice(int32_t offset, int32_t count) const;
    // Makes the buffer size bytes long for the caller to fill in, reusing its
    // storage when that is its own and large enough; nullptr when size is not
    // positive or cannot be had.
    uint8_t* Overwrite(int32_t size);

    int32_t GetLength() const { return m_length; }
    int32_t GetCapacity() const { return m_capacity; }
    int32_t GetGrowthStep() const { return Step(); }
    bool IsValid() const { return m_length >= 0 && m_length <= m_capacity; }

    // Every buffer's bytes are followed by at least this many more that may
    // be read (their values are unspecified), so that a reader can load a
    // whole vector at any of its bytes without looking for the end first.
    static constexpr int32_t kReadAhead = 16;

    // Direct read access to the stored bytes (empty view for an invalid buffer).
    std::string_view View() const {
        if (!IsValid() || m_length == 0) {
            return {};
        }
        return {reinterpret_cast<const char*>(Data()), static_cast<size_t>(m_length)};
    }
    std::string ToString() const { return std::string(View()); }
    bool operator==(const CRevolver& other) const { return View() == other.View(); }

    int WriteTo(std::FILE* file, bool append) const;
    int SaveToFile(const std::string& path) const;
    int ReadFrom(std::FILE* file, int64_t offset, int64_t count);
    int LoadFromFile(const std::string& path);

  private:
    // The stored bytes follow the header in one allocation; every buffer
    // that shows them holds one reference.
    struct Block {
        std::atomic<int32_t> refs{1};

        uint8_t* Bytes() { return reinterpret_cast<uint8_t*>(this + 1); }
        static Block* Allocate(int32_t size);
        static void Unref(Block* block);
    };
    friend class CFxAssignGroupEx;

    // A slice that holds no reference: for a value tree's entries, which the
    // tree's own reference to the whole buffer keeps alive, and for slices
    // that take theirs later (HoldBorrowed). Its growth step is kept
    // negative to mark it.
    CRevolver Borrow(int32_t offset, int32_t count) const {
        CRevolver slice;
        if (offset < 0 || count <= 0 || offset > m_length || m_length - offset < count) {
            return slice;
        }
        slice.m_block = m_block;
        slice.m_offset = m_offset + offset;
        slice.m_capacity = slice.m_length = count;
        slice.m_step = -(count / 4 > 1 ? count / 4 : 1);
        return slice;
    }
    bool IsBorrowed() const { return m_step < 0; }
    // Gives the slices borrowed from this buffer references of their own,
    // counted in one step; other slices are left as they are.
    void HoldBorrowed(CRevolver* slices, size_t count) const;
    int32_t Step() const { return m_step < 0 ? -m_step : m_step; }

    static int32_t ToLength(size_t size);
    int Grow(int32_t len, Block** old);
    bool IsSole() const;
    void Adopt(Block* block);
    uint8_t* Data() const { return m_block == nullptr ? nullptr : m_block->Bytes() + m_offset; }
    void Release() {
        if (!IsBorrowed()) {
            Block::Unref(m_block);
        }
        m_block = nullptr;
        m_offset = 0;
        m_step = Step();
    }

    Block* m_block = nullptr;
    int32_t m_offset = 0;    // of this buffer's first byte inside m_block
    int32_t m_capacity = 0;  // bytes this buffer may fill from there
    int32_t m_length = 0;
    int32_t m_step = 256;
};
