// The project file: the whole edit history as one encoded tree, with the
// version keys that let an older editor refuse a newer file.

#include "editor/document/edit_history.h"

#include <algorithm>

#include "editor/tree/decimal_text.h"

namespace {

constexpr int32_t kMinReaderVersion = 100;
constexpr std::string_view kFileType = "vyd";

std::string ActionKey(size_t index) {
    return "a" + DecimalText(static_cast<int64_t>(index));
}

}  // namespace

int CVylEditActionGroup::EdtActionGrpToRevolver(CRevolver& out) const {
    CFxAssignGroupEx tree;
    tree.SetInt("action_count", static_cast<int32_t>(m_actions.size()));
    tree.SetInt("ctoc", m_objectCounter);
    tree.SetInt("ctlc", m_linkerCounter);
    tree.SetInt("this_ver", kEditorVersionNumber);
    tree.SetInt("min_ver", kMinReaderVersion);
    tree.SetString("internal_file_type", kFileType);
    tree.SetString("lcd_type", "3224");
    tree.SetString("reserved_87362", "18932");
    CRevolver bytes;
    for (size_t i = 0; i < m_actions.size(); ++i) {
        if (!m_actions[i]->ToRevolver(bytes)) {
            return 0;
        }
        tree.SetBytes(ActionKey(i), std::move(bytes));
    }
    return tree.ToRevolver(out);
}

int CVylEditActionGroup::EdtActionGrpFromRevolver(const CRevolver& in, int32_t* requiredVersion) {
    int32_t ignored = 0;
    int32_t& required = requiredVersion != nullptr ? *requiredVersion : ignored;
    required = 0;
    CFxAssignGroupEx tree;
    if (!tree.FromRevolver(in)) {
        ResetAllEditActionGroup();
        return 0;
    }
    if (tree.GetString("internal_file_type") != kFileType) {
        return 0;
    }
    const int32_t minVersion = tree.GetInt("min_ver", -1);
    if (tree.GetInt("this_ver", -1) == -1 || minVersion == -1) {
        return 0;
    }
    if (kEditorVersionNumber < minVersion) {
        required = minVersion;
        return 0;
    }
    ResetAllEditActionGroup();
    const int32_t count = tree.GetInt("action_count", 0);
    if (count == 0) {
        return 1;
    }
    const int32_t objectCounter = tree.GetInt("ctoc", -1);
    const int32_t linkerCounter = tree.GetInt("ctlc", -1);
    if (objectCounter < 0 || linkerCounter < 0) {
        ResetAllEditActionGroup();
        return 0;
    }
    m_objectCounter = objectCounter;
    m_linkerCounter = linkerCounter;
    CRevolver bytes;
    for (int32_t i = 0; i < count; ++i) {
        auto action = std::make_unique<CVylEditAction>();
        if (!tree.GetBytes(ActionKey(static_cast<size_t>(i)), &bytes) ||
            !action->FromRevolver(bytes)) {
            ResetAllEditActionGroup();
            return 0;
        }
        m_actions.push_back(std::move(action));
    }
    m_applied = m_actions.size();
    RaiseCountersPastUsedUids();
    return 1;
}

void CVylEditActionGroup::RaiseCountersPastUsedUids() {
    // A damaged file may hold counters below uids it uses; new objects would
    // then take uids of existing ones.
    int64_t lastObject = -1;
    int64_t lastLinker = -1;
    for (const auto& action : m_actions) {
        lastObject = std::max<int64_t>(lastObject, action->Common().GetInt(kKeyObjUid, -1));
        lastObject = std::max<int64_t>(lastObject, action->contactUid);
        if (!action->uids.empty()) {
            lastObject = std::max<int64_t>(lastObject, *action->uids.rbegin());
        }
        for (int32_t uid : action->Group().GetZOrderList()) {
            lastObject = std::max<int64_t>(lastObject, uid);
        }
        lastLinker = std::max<int64_t>(lastLinker, action->linkerUid);
    }
    const auto past = [](int64_t last) {
        return static_cast<int32_t>(std::min<int64_t>(last + 1, INT32_MAX));
    };
    m_objectCounter = std::max(m_objectCounter, past(lastObject));
    m_linkerCounter = std::max(m_linkerCounter, past(lastLinker));
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
