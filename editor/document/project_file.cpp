// The project file: the whole edit history as one encoded tree, with the
// version keys that let an older editor refuse a newer file.

#include "editor/document/edit_history.h"

#include <algorithm>

#include "editor/document/project_format.h"
#include "editor/tree/decimal_text.h"

namespace {

constexpr int32_t kMinReaderVersion = 100;
constexpr std::string_view kFileType = "vyd";

}  // namespace

std::string ActionKey(size_t index) {
    return "a" + DecimalText(static_cast<int64_t>(index));
}

int CVylEditActionGroup::EdtActionGrpToRevolver(CRevolver& out) const {
    CFxAssignGroupEx tree;
    tree.SetInt("action_count", static_cast<int32_t>(m_store.Size()));
    tree.SetInt("ctoc", m_objectCounter);
    tree.SetInt("ctlc", m_linkerCounter);
    tree.SetInt("this_ver", kEditorVersionNumber);
    tree.SetInt("min_ver", kMinReaderVersion);
    tree.SetString(kKeyFileType, kFileType);
    tree.SetString("lcd_type", "3224");
    tree.SetString("reserved_87362", "18932");
    if (m_applied < m_store.Size()) {
        tree.SetInt(kKeyAppliedCount, static_cast<int32_t>(m_applied));
    }
    CRevolver bytes;
    for (size_t i = 0; i < m_store.Size(); ++i) {
        if (!m_store.EncodeRecord(i, &bytes)) {
            return 0;
        }
        tree.SetBytes(ActionKey(i), std::move(bytes));
    }
    return tree.ToRevolver(out);
}

VyHeaderVerdict ReadProjectHeader(const CFxAssignGroupEx& tree, VyProjectHeader& header,
                                  int32_t& required) {
    if (tree.GetString(kKeyFileType) != kFileType) {
        return VyHeaderVerdict::kNotAProject;
    }
    const int32_t minVersion = tree.GetInt("min_ver", -1);
    if (tree.GetInt("this_ver", -1) == -1 || minVersion == -1) {
        return VyHeaderVerdict::kNotAProject;
    }
    if (kEditorVersionNumber < minVersion) {
        required = minVersion;
        return VyHeaderVerdict::kTooNew;
    }
    header.count = tree.GetInt("action_count", 0);
    if (header.count == 0) {
        return VyHeaderVerdict::kNoActions;
    }
    header.applied =
        std::clamp(tree.GetInt(kKeyAppliedCount, header.count), 0, std::max(header.count, 0));
    header.objectCounter = tree.GetInt("ctoc", -1);
    header.linkerCounter = tree.GetInt("ctlc", -1);
    return header.objectCounter < 0 || header.linkerCounter < 0 ? VyHeaderVerdict::kBadCounters
                                                                : VyHeaderVerdict::kActions;
}

namespace {

// The largest uids the actions use: a damaged file may hold counters below
// them, and new objects would then take uids of existing ones.
class VyUsedUids {
  public:
    void Note(const CVylEditAction& action) {
        m_lastObject = std::max<int64_t>(m_lastObject, action.Common().GetInt(kKeyObjUid, -1));
        m_lastObject = std::max<int64_t>(m_lastObject, action.contactUid);
        if (!action.uids.empty()) {
            m_lastObject = std::max<int64_t>(m_lastObject, *action.uids.rbegin());
        }
        for (int32_t uid : action.Group().GetZOrderList()) {
            m_lastObject = std::max<int64_t>(m_lastObject, uid);
        }
        m_lastLinker = std::max<int64_t>(m_lastLinker, action.linkerUid);
    }
    int32_t NextObject() const { return Past(m_lastObject); }
    int32_t NextLinker() const { return Past(m_lastLinker); }

  private:
    static int32_t Past(int64_t last) {
        return static_cast<int32_t>(std::min<int64_t>(last + 1, INT32_MAX));
    }
    int64_t m_lastObject = -1;
    int64_t m_lastLinker = -1;
};

// Decodes the actions "a0", "a1"... in order and hands each, with its stored
// bytes, to take; false at the first one missing or not decoding. The writer stores them in order
// after the header, so they are read walking the entries, with a lookup only
// where a file has them elsewhere.
template <typename Take>
bool ForEachAction(const CFxAssignGroupEx& tree, int32_t count, Take&& take) {
    const std::string first = ActionKey(0);
    auto next = std::find_if(tree.begin(), tree.end(),
                             [&](const CFxAssignEntry& entry) { return entry.Key() == first; });
    for (int32_t i = 0; i < count; ++i) {
        const std::string key = ActionKey(static_cast<size_t>(i));
        const CFxAssignEntry* entry = nullptr;
        if (next != tree.end() && next->Key() == key) {
            entry = &*next++;
        } else {
            entry = tree.Find(key);
            next = tree.end();
        }
        CVylEditAction action;
        if (entry == nullptr || entry->GetKind() != CFxAssignEntry::kBytes ||
            !action.FromRevolver(entry->Bytes())) {
            return false;
        }
        take(entry->Bytes(), action);
    }
    return true;
}

}  // namespace

int CVylEditActionGroup::EdtActionGrpFromRevolver(const CRevolver& in, int32_t* requiredVersion) {
    if (requiredVersion != nullptr) {
        *requiredVersion = 0;
    }
    CFxAssignGroupEx tree;
    if (!tree.FromRevolver(in)) {
        ResetAllEditActionGroup();
        return 0;
    }
    return EdtActionGrpFromTree(tree, requiredVersion);
}

int CVylEditActionGroup::EdtActionGrpFromTree(const CFxAssignGroupEx& tree,
                                              int32_t* requiredVersion) {
    int32_t ignored = 0;
    int32_t& required = requiredVersion != nullptr ? *requiredVersion : ignored;
    required = 0;
    VyProjectHeader header;
    const VyHeaderVerdict verdict = ReadProjectHeader(tree, header, required);
    if (verdict == VyHeaderVerdict::kNotAProject || verdict == VyHeaderVerdict::kTooNew) {
        return 0;
    }
    ResetAllEditActionGroup();
    if (verdict != VyHeaderVerdict::kActions) {
        return verdict == VyHeaderVerdict::kNoActions ? 1 : 0;
    }
    m_objectCounter = header.objectCounter;
    m_linkerCounter = header.linkerCounter;
    m_applied = static_cast<size_t>(header.applied);
    if (!ReadActions(tree, header.count)) {
        ResetAllEditActionGroup();
        return 0;
    }
    return 1;
}

// Keeps every action in its record form and rebuilds the drawing at the
// stored position on the way, so that no action is decoded twice.
int CVylEditActionGroup::ReadActions(const CFxAssignGroupEx& tree, int32_t count) {
    // The count comes from the file: no more room than the file has entries.
    m_store.Reserve(std::min(static_cast<size_t>(std::max(count, 0)), tree.Count()));
    m_drawing.RemoveAllObjectGroup();
    m_drawnTo = m_drawingReach = 0;
    VyUsedUids used;
    const bool read =
        ForEachAction(tree, count, [this, &used](const CRevolver& record, CVylEditAction& action) {
            used.Note(action);
            const bool applies = m_drawingReach == m_store.Size() && m_drawingReach < m_applied &&
                                 action.ApplyTo(m_drawing);
            m_store.PushRead(record, action);
            if (applies) {
                m_drawnTo = ++m_drawingReach;
                m_checkpoints.Offer(m_drawingReach, m_drawing);
            }
        });
    if (!read) {
        return 0;
    }
    m_drawnTo = m_applied;
    m_drawingValid = true;
    m_objectCounter = std::max(m_objectCounter, used.NextObject());
    m_linkerCounter = std::max(m_linkerCounter, used.NextLinker());
    return 1;
}

int CVylEditActionGroup::ReplayProjectTree(const CFxAssignGroupEx& tree, CVylObjectGroup& group,
                                           int32_t* requiredVersion, bool* complete) {
    int32_t ignored = 0;
    int32_t& required = requiredVersion != nullptr ? *requiredVersion : ignored;
    required = 0;
    *complete = true;
    VyProjectHeader header;
    const VyHeaderVerdict verdict = ReadProjectHeader(tree, header, required);
    if (verdict != VyHeaderVerdict::kActions) {
        group.RemoveAllObjectGroup();
        return verdict == VyHeaderVerdict::kNoActions ? 1 : 0;
    }
    group.RemoveAllObjectGroup();
    bool applying = true;
    int32_t index = 0;
    const bool read =
        ForEachAction(tree, header.count, [&](const CRevolver&, const CVylEditAction& action) {
            applying = applying && (index++ >= header.applied || action.ApplyTo(group));
        });
    *complete = applying;
    return read ? 1 : 0;
}

int CVylEditActionGroup::ToFile(std::FILE* file) const {
    CRevolver buffer;
    return EdtActionGrpToRevolver(buffer) && buffer.WriteTo(file, false) ? 1 : 0;
}

int CVylEditActionGroup::FromFile(std::FILE* file, int32_t* requiredVersion) {
    if (requiredVersion != nullptr) {
        *requiredVersion = 0;
    }
    CRevolver buffer;
    return buffer.ReadFrom(file, 0, -1) && EdtActionGrpFromRevolver(buffer, requiredVersion) ? 1
                                                                                             : 0;
}

int CVylEditActionGroup::EditActionGroupToFile(const std::string& path) const {
    CRevolver buffer;
    return EdtActionGrpToRevolver(buffer) && buffer.SaveToFile(path) ? 1 : 0;
}

int CVylEditActionGroup::EditActionGroupFromFile(const std::string& path,
                                                 int32_t* requiredVersion) {
    if (requiredVersion != nullptr) {
        *requiredVersion = 0;
    }
    CRevolver buffer;
    if (!buffer.LoadFromFile(path)) {
        return 0;
    }
    return EdtActionGrpFromRevolver(buffer, requiredVersion);
}
