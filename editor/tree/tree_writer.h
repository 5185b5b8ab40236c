// CFxTreeWriter: writes a record whose values may themselves be encoded trees
// or records straight into one buffer, with the same bytes as encoding every
// level apart and storing it as a bytes value. The body that names the
// entries runs twice: once to measure every level, once to write it.
#pragma once

#include "editor/vyedit_export.h"

#include <cstdint>
#include <string_view>
#include <vector>

#include "editor/tree/revolver.h"
#include "editor/tree/value_tree.h"

class VYEDIT_EXPORT CFxTreeWriter {
  public:
    void Int(std::string_view key, int32_t value);
    void Text(std::string_view key, std::string_view text);
    // The tree's encoding as a bytes value, written in place.
    void Tree(std::string_view key, const CFxAssignGroupEx& tree, CFxEntryFilter filter = {});

    // A record as a bytes value, its entries written by body(writer).
    template <typename Body>
    void Record(std::string_view key, Body&& body) {
        if (m_measuring) {
            const size_t slot = m_recordSizes.size();
            m_recordSizes.push_back(0);
            const int64_t outer = m_size;
            m_size = 0;
            body(*this);
            m_recordSizes[slot] = m_size;
            m_size = outer;
            Measure(key, CFxAssignEntry::kBytes, m_recordSizes[slot]);
        } else {
            Head(key, CFxAssignEntry::kBytes, m_recordSizes[m_nextRecord++]);
            body(*this);
        }
    }

    // Encodes the record that body(writer) writes into out; 0 when an entry
    // cannot be written (an empty key, more than 2 GB).
    template <typename Body>
    static int Encode(CRevolver& out, Body&& body) {
        CFxTreeWriter writer;
        body(writer);
        uint8_t* at = writer.Start(out);
        if (at == nullptr) {
            return writer.m_failed ? 0 : 1;
        }
        body(writer);
        return 1;
    }

  private:
    CFxTreeWriter() = default;

    void Measure(std::string_view key, CFxAssignEntry::Kind kind, int64_t payload);
    void Head(std::string_view key, CFxAssignEntry::Kind kind, int64_t payload);
    // Ends the measuring run: the room for writing, or nullptr when there is
    // nothing to write or it failed.
    uint8_t* Start(CRevolver& out);

    bool m_measuring = true;
    bool m_failed = false;
    int64_t m_size = 0;
    std::vector<int64_t> m_recordSizes;  // of every nested record, in order
    size_t m_nextRecord = 0;
    uint8_t* m_at = nullptr;
};
