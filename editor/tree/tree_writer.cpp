#include "editor/tree/tree_writer.h"

#include <climits>

#include "editor/tree/field_format.h"

void CFxTreeWriter::Measure(std::string_view key, CFxAssignEntry::Kind kind, int64_t payload) {
    if (key.empty() || payload < 0 || payload > INT32_MAX) {
        m_failed = true;
        return;
    }
    m_size += vy_field::Size(key, -1, kind, payload);
}

void CFxTreeWriter::Head(std::string_view key, CFxAssignEntry::Kind kind, int64_t payload) {
    m_at = vy_field::WriteHead(m_at, key, -1, kind, static_cast<uint32_t>(payload));
}

void CFxTreeWriter::Int(std::string_view key, int32_t value) {
    if (m_measuring) {
        Measure(key, CFxAssignEntry::kInteger, 4);
        return;
    }
    Head(key, CFxAssignEntry::kInteger, 4);
    m_at = vy_field::WriteLittleEndian(m_at, static_cast<uint32_t>(value), 4);
}

void CFxTreeWriter::Text(std::string_view key, std::string_view text) {
    if (m_measuring) {
        Measure(key, CFxAssignEntry::kText, static_cast<int64_t>(text.size()));
        return;
    }
    Head(key, CFxAssignEntry::kText, static_cast<int64_t>(text.size()));
    m_at = vy_field::WriteBytes(m_at, text);
}

void CFxTreeWriter::Tree(std::string_view key, const CFxAssignGroupEx& tree,
                         CFxEntryFilter filter) {
    if (m_measuring) {
        const size_t slot = m_recordSizes.size();
        m_recordSizes.push_back(tree.EncodedSize(nullptr, filter));
        Measure(key, CFxAssignEntry::kBytes, m_recordSizes[slot]);
        return;
    }
    Head(key, CFxAssignEntry::kBytes, m_recordSizes[m_nextRecord++]);
    m_at = tree.WriteEntries(m_at, nullptr, filter);
}

uint8_t* CFxTreeWriter::Start(CRevolver& out) {
    m_measuring = false;
    if (m_failed || m_size > INT32_MAX) {
        m_failed = true;
        return nullptr;
    }
    if (m_size == 0) {
        out.Clear();
        return nullptr;
    }
    m_at = out.Overwrite(static_cast<int32_t>(m_size));
    m_failed = m_at == nullptr;
    return m_at;
}
