#include "editor/document/action_effect.h"

#include "editor/document/action_kinds.h"

namespace {

bool SameEntry(const CFxAssignEntry& a, const CFxAssignEntry& b) {
    if (a.GetKind() != b.GetKind()) {
        return false;
    }
    switch (a.GetKind()) {
        case CFxAssignEntry::kInteger:
            return a.Integer() == b.Integer();
        case CFxAssignEntry::kText:
            return a.Text() == b.Text();
        default:
            return a.Bytes() == b.Bytes();
    }
}

bool SameObject(const std::optional<CVylObject>& noted, const CVylObject* now) {
    if (!noted || now == nullptr) {
        return !noted && now == nullptr;
    }
    return SameTree(noted->Common(), now->Common()) && SameTree(noted->Unique(), now->Unique());
}

}  // namespace

bool SameTree(const CFxAssignGroupEx& a, const CFxAssignGroupEx& b) {
    if (a.Count() != b.Count()) {
        return false;
    }
    for (const CFxAssignEntry& entry : a) {
        const CFxAssignEntry* other = b.Find(entry.Key());
        if (other == nullptr || !SameEntry(entry, *other)) {
            return false;
        }
    }
    return true;
}

CVylActionEffect::CVylActionEffect(const CVylEditAction& action, const CVylObjectGroup& drawing) {
    const VyActionKindFacts& facts = ActionKindFacts(action.kind);
    // A create that applies always adds an object (a multi create, those
    // it holds).
    m_inserts = action.kind == kActCreate ||
                (action.kind == kActCreateMulti && action.Group().GetCount() > 0);
    if (facts.contact || facts.linker) {
        m_linkers = LinkerText(drawing);
        return;
    }
    if (action.kind == kActGoUp || action.kind == kActGoDown) {
        m_zOrder = drawing.GetZOrderList();
        return;
    }
    const auto note = [&](int32_t uid) {
        const CVylObject* object = drawing.GetByObjUid(uid);
        m_objects.emplace_back(
            uid, object != nullptr ? std::optional<CVylObject>(*object) : std::nullopt);
    };
    if (facts.single) {
        note(action.Common().GetInt(kKeyObjUid, -1));
    } else {
        for (int32_t uid : action.uids) {
            note(uid);
        }
    }
}

bool CVylActionEffect::Changed(const CVylObjectGroup& drawing) const {
    if (m_inserts) {
        return true;
    }
    if (m_linkers) {
        return *m_linkers != LinkerText(drawing);
    }
    if (m_zOrder) {
        return *m_zOrder != drawing.GetZOrderList();
    }
    for (const auto& [uid, object] : m_objects) {
        if (!SameObject(object, drawing.GetByObjUid(uid))) {
            return true;
        }
    }
    return false;
}

bool CVylActionEffect::RestoreUnchanged(CVylObjectGroup& drawing) const {
    if (m_inserts || m_linkers) {
        return false;
    }
    // A stacking move touches the order alone, and that is as it was.
    if (m_zOrder) {
        return true;
    }
    // A linked corner moves the corners joined to it, which were not noted.
    if (!drawing.GetLinkers().empty()) {
        return false;
    }
    for (const auto& [uid, object] : m_objects) {
        CVylObject* now = drawing.GetByObjUid(uid);
        if (object && now == nullptr) {
            return false;
        }
        if (object) {
            *now = *object;
        }
    }
    return true;
}

std::string CVylActionEffect::LinkerText(const CVylObjectGroup& drawing) {
    std::string text;
    for (const auto& [uid, linker] : drawing.GetLinkers()) {
        text += std::to_string(uid) + ":";
        for (const auto& [key, point] : linker.Points()) {
            text += key + ",";
        }
        text += ";";
    }
    return text;
}
