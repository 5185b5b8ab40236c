// CRevolver: the byte buffer that carries bytes values and encoded trees.
#pragma once

#include "editor/vyedit_export.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

class VYEDIT_EXPORT CRevolver {
  public:
    CRevolver() = default;
    CRevolver(const CRevolver& other);
    CRevolver(CRevolver&& other) noexcept;
    CRevolver& operator=(const CRevolver& other);
    CRevolver& operator=(CRevolver&& other) noexcept;
    ~CRevolver() = default;

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

    int32_t GetLength() const { return m_length; }
    int32_t GetCapacity() const { return m_capacity; }
    int32_t GetGrowthStep() const { return m_step; }
    bool IsValid() const;

    // Direct read access to the stored bytes (empty view for an invalid buffer).
    std::string_view View() const;
    std::string ToString() const { return std::string(View()); }
    bool operator==(const CRevolver& other) const { return View() == other.View(); }

    int WriteTo(std::FILE* file, bool append) const;
    int SaveToFile(const std::string& path) const;
    int ReadFrom(std::FILE* file, int64_t offset, int64_t count);
    int LoadFromFile(const std::string& path);

  private:
    static int32_t ToLength(size_t size);
    int Grow(int32_t len);

    std::unique_ptr<uint8_t[]> m_data;
    int32_t m_capacity = 0;
    int32_t m_start = 0;
    int32_t m_length = 0;
    int32_t m_step = 256;
};
