#include "editor/document/object_selection.h"

#include "editor/document/object_group.h"
#include "editor/tree/decimal_text.h"

namespace {

constexpr int32_t kStateSelecting = 3;

std::string JoinUids(const VyUidSet& uids, char separator) {
    std::string text;
    for (int32_t uid : uids) {
        if (!text.empty()) {
            text += separator;
        }
        text += DecimalText(uid);
    }
    return text;
}

}  // namespace

int32_t LocalUiOfKind(int32_t kind) {
    switch (kind) {
        case kObjBox:
        case kObjLine:
        case kObjFilledBox:
        case kObjEllipse:
        case kObjFilledEllipse:
            return 1;
        case kObjText:
            return 2;
        case kObjBitmap:
            return 3;
        default:
            return 0;
    }
}

void CVylObjectSelection::BeforeChange() const {
    if (m_beforeChange) {
        m_beforeChange();
    }
}

void CVylObjectSelection::RemoveMissing() {
    if (m_group == nullptr) {
        return;
    }
    std::erase_if(m_slaves, [this](int32_t uid) { return m_group->GetByObjUid(uid) == nullptr; });
    if (m_chief >= 0 && m_group->GetByObjUid(m_chief) == nullptr) {
        m_chief = -1;
        if (!m_slaves.empty()) {
            m_chief = *m_slaves.begin();
            m_slaves.erase(m_slaves.begin());
        }
    }
}

void CVylObjectSelection::RemoveAll() {
    if (m_chief >= 0) {
        BeforeChange();
    }
    m_slaves.clear();
    m_chief = -1;
}

void CVylObjectSelection::MarkSelecting(bool flag) {
    if (flag && m_editingState) {
        m_editingState(kStateSelecting);
    }
}

void CVylObjectSelection::SetSingleSelection(int32_t uid, bool flag) {
    BeforeChange();
    m_chief = uid;
    m_slaves.clear();
    MarkSelecting(flag);
}

void CVylObjectSelection::SetMultiSelection(const VyUidSet& uids, bool flag) {
    RemoveAll();
    for (int32_t uid : uids) {
        AddSelObj(uid);
    }
    MarkSelecting(flag);
}

void CVylObjectSelection::AddSelObj(int32_t uid) {
    BeforeChange();
    if (m_chief < 0) {
        m_chief = uid;
    } else if (uid != m_chief) {
        // The chief is never its own slave: it would count twice.
        m_slaves.insert(uid);
    }
}

void CVylObjectSelection::EnsureChiefSel(int32_t uid) {
    if (uid == m_chief) {
        return;
    }
    BeforeChange();
    m_slaves.erase(uid);
    if (m_chief >= 0) {
        m_slaves.insert(m_chief);
    }
    m_chief = uid;
}

int CVylObjectSelection::IsUidSelected(int32_t uid) const {
    if (m_chief < 0) {
        return 0;
    }
    return uid == m_chief || m_slaves.count(uid) != 0 ? 1 : 0;
}

int32_t CVylObjectSelection::GetSelState() const {
    if (m_chief < 0) {
        return 1;
    }
    return m_slaves.empty() ? 2 : 3;
}

int32_t CVylObjectSelection::GetEverySelCount() const {
    return m_chief < 0 ? 0 : static_cast<int32_t>(m_slaves.size()) + 1;
}

void CVylObjectSelection::GetEverySelUidMap(VyUidSet& out) const {
    out = m_slaves;
    if (m_chief >= 0) {
        out.insert(m_chief);
    }
}

const CVylObject* CVylObjectSelection::GetChiefSelectedObj() const {
    return m_chief < 0 || m_group == nullptr ? nullptr : m_group->GetByObjUid(m_chief);
}

int32_t CVylObjectSelection::GetChiefSelectedObjKind() const {
    const CVylObject* chief = GetChiefSelectedObj();
    return chief == nullptr ? 0 : chief->GetKind(-1);
}

template <typename Visit>
void CVylObjectSelection::ForEachSelectedKind(Visit visit) const {
    if (m_group == nullptr) {
        return;
    }
    VyUidSet selected;
    GetEverySelUidMap(selected);
    for (int32_t uid : selected) {
        if (const CVylObject* object = m_group->GetByObjUid(uid)) {
            const int32_t kind = object->GetKind(0);
            if (kind != 0 && !visit(kind)) {
                return;
            }
        }
    }
}

int32_t CVylObjectSelection::GetSelectedObjectsCommonKind() const {
    int32_t common = 0;
    bool mixed = false;
    ForEachSelectedKind([&](int32_t kind) {
        if (common != 0 && kind != common) {
            mixed = true;
            return false;
        }
        common = kind;
        return true;
    });
    return mixed ? 0 : common;
}

int32_t CVylObjectSelection::GetSelectedObjectsCommonLocalUi() const {
    int32_t held = 0;
    ForEachSelectedKind([&](int32_t kind) {
        const int32_t code = LocalUiOfKind(kind);
        if (held == 0) {
            held = code;
            return true;
        }
        if (code != held) {
            held = 0;
            return false;
        }
        return true;
    });
    return held;
}

int CVylObjectSelection::IsObjectKindAnySelected(int32_t kind) const {
    bool found = false;
    ForEachSelectedKind([&](int32_t selectedKind) {
        found = selectedKind == kind;
        return !found;
    });
    return found ? 1 : 0;
}

void CVylObjectSelection::GetAllSelectedObjectKindMap(VyUidSet& out) const {
    out.clear();
    ForEachSelectedKind([&](int32_t kind) {
        out.insert(kind);
        return true;
    });
}

std::string CVylObjectSelection::GetSelExp() const {
    std::string text = DecimalText(GetEverySelCount()) + " objs selected:\r\n";
    if (m_chief >= 0) {
        text += "chief=" + DecimalText(m_chief) + "\r\n";
    }
    return text + "slaves=" + JoinUids(m_slaves, ',');
}

std::string CVylObjectSelection::GetSelectedUidListExp() const {
    return "[" + DecimalText(m_chief) + ":" + JoinUids(m_slaves, '/') + "]";
}
