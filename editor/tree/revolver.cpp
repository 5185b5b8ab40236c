#include "revolver.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "atomic_file.h"

CRevolver::CRevolver(const CRevolver& other) {
    AppendFrom(other, 0, -1);
}

CRevolver::CRevolver(CRevolver&& other) noexcept
    : m_data(std::move(other.m_data)),
      m_capacity(other.m_capacity),
      m_start(other.m_start),
      m_length(other.m_length),
      m_step(other.m_step) {
    other.m_capacity = other.m_start = other.m_length = 0;
}

CRevolver& CRevolver::operator=(const CRevolver& other) {
    if (this != &other) {
        Clear();
        AppendFrom(other, 0, -1);
    }
    return *this;
}

CRevolver& CRevolver::operator=(CRevolver&& other) noexcept {
    if (this != &other) {
        m_data = std::move(other.m_data);
        m_capacity = other.m_capacity;
        m_start = other.m_start;
        m_length = other.m_length;
        m_step = other.m_step;
        other.m_capacity = other.m_start = other.m_length = 0;
    }
    return *this;
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

bool CRevolver::IsValid() const {
    if (m_length > m_capacity) {
        return false;
    }
    return !(m_capacity > 0 && m_start >= m_capacity);
}

int CRevolver::Reserve(int32_t capacity, int32_t step) {
    if (capacity <= 0) {
        return 0;
    }
    m_data = std::make_unique_for_overwrite<uint8_t[]>(static_cast<size_t>(capacity));
    m_capacity = capacity;
    m_start = 0;
    m_length = 0;
    m_step = std::max(1, step == 0 ? capacity / 4 : step);
    return 1;
}

void CRevolver::Clear() {
    m_data.reset();
    m_capacity = 0;
    m_start = 0;
    m_length = 0;
}

// Grows so that len more bytes fit: whole steps, and the new block's step is a
// quarter of its size, which keeps repeated appends amortised.
int CRevolver::Grow(int32_t len) {
    if (m_step <= 0) {
        return 0;
    }
    const int64_t missing = static_cast<int64_t>(m_length) + len - m_capacity;
    const int64_t steps = (missing + m_step - 1) / m_step;
    const int64_t capacity = m_capacity + steps * m_step;
    if (capacity > INT32_MAX) {
        return 0;
    }
    auto block = std::make_unique_for_overwrite<uint8_t[]>(static_cast<size_t>(capacity));
    if (m_length > 0) {
        std::memcpy(block.get(), m_data.get() + m_start, static_cast<size_t>(m_length));
    }
    m_data = std::move(block);
    m_capacity = static_cast<int32_t>(capacity);
    m_start = 0;
    m_step = std::max(1, m_capacity / 4);
    return 1;
}

int CRevolver::Append(const void* src, int32_t len) {
    if (!IsValid() || len < 0) {
        return 0;
    }
    if (len == 0) {
        return 1;
    }
    if (m_capacity - m_length < len && !Grow(len)) {
        return 0;
    }
    std::memcpy(m_data.get() + m_start + m_length, src, static_cast<size_t>(len));
    m_length += len;
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
    if (this == &other) {
        const std::string copy(
            other.View().substr(static_cast<size_t>(offset), static_cast<size_t>(count)));
        return Append(copy.data(), count);
    }
    return Append(other.m_data.get() + other.m_start + offset, count);
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
        std::memcpy(dst, m_data.get() + m_start + offset, static_cast<size_t>(count));
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

std::string_view CRevolver::View() const {
    if (!IsValid() || m_length == 0) {
        return {};
    }
    return {reinterpret_cast<const char*>(m_data.get() + m_start), static_cast<size_t>(m_length)};
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
    const size_t got = std::fread(m_data.get(), 1, static_cast<size_t>(count), file);
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
