#include "editor/document/edit_history.h"

#include <algorithm>
#include <climits>

#include "editor/document/action_effect.h"
#include "editor/document/action_kinds.h"
#include "editor/document/object_selection.h"
#include "editor/tree/decimal_text.h"

std::string VersionText(int32_t versionNumber) {
    const int32_t minor = versionNumber % 100;
    return "v" + DecimalText(versionNumber / 100) + "." + (minor < 10 ? "0" : "") +
           DecimalText(minor);
}

int CVylEditActionGroup::AddEditAction(CVylEditAction action) {
    ReplayDrawing();
    const CVylActionEffect effect(action, m_drawing);
    const bool applied = action.ApplyTo(m_drawing) != 0;
    if (!applied || !effect.Changed(m_drawing)) {
        // What the effect does not compare (the contact index, the order of
        // tree entries) may have changed: the drawing is put back, or else
        // replayed again when next needed.
        if (applied && !effect.RestoreUnchanged(m_drawing)) {
            ForgetDrawing();
        }
        if (action.swift == 0) {
            SetLastActionSwift(0);
        }
        return 0;
    }
    if (m_actionAdded) {
        m_actionAdded();
    }
    // The actions from the first that does not replay (a stored history) had
    // no effect on the drawing: new work follows the last one that did.
    Truncate(std::min(m_applied, m_drawingReach));
    if (!m_store.Push(std::move(action))) {
        ForgetDrawing();
        return 0;
    }
    m_applied = m_store.Size();
    m_drawnTo = m_drawingReach = m_applied;
    m_checkpoints.Offer(m_applied, m_drawing);
    return 1;
}

void CVylEditActionGroup::Truncate(size_t count) {
    m_store.Truncate(count);
    m_checkpoints.DropAfter(count);
    m_applied = std::min(m_applied, count);
    if (m_drawnTo > count) {
        ForgetDrawing();
    }
}

void CVylEditActionGroup::StartFromCheckpoint() const {
    size_t at = 0;
    const CVylObjectGroup* kept = m_checkpoints.Before(m_applied, &at);
    if (kept != nullptr) {
        m_drawing = *kept;
    } else {
        m_drawing.RemoveAllObjectGroup();
    }
    m_drawnTo = m_drawingReach = at;
}

// Applies the actions from the drawing's reach to the current position,
// keeping checkpoints on the way, unless an action already stopped it.
void CVylEditActionGroup::ApplyOnwards() const {
    if (m_drawingReach == m_drawnTo) {
        while (m_drawingReach < m_applied && m_store.At(m_drawingReach).ApplyTo(m_drawing)) {
            m_checkpoints.Offer(++m_drawingReach, m_drawing);
        }
    }
    m_drawnTo = m_applied;
}

void CVylEditActionGroup::ReplayDrawing() const {
    if (m_drawingValid && m_drawnTo == m_applied) {
        return;
    }
    // A drawing of an earlier position is extended (redo); any other one
    // is rebuilt from the latest checkpoint at or before the position.
    if (!m_drawingValid || m_drawnTo > m_applied) {
        StartFromCheckpoint();
    }
    ApplyOnwards();
    m_drawingValid = true;
}

const CVylObjectGroup& CVylEditActionGroup::GetCurrentDrawing() const {
    ReplayDrawing();
    return m_drawing;
}

bool CVylEditActionGroup::ReplaysToCurrent() const {
    ReplayDrawing();
    return m_drawingReach == m_applied;
}

void CVylEditActionGroup::UndoEditAction() {
    if (m_applied == 0) {
        return;
    }
    do {
        --m_applied;
    } while (m_applied > 0 && m_store.Swift(m_applied - 1) != 0);
}

void CVylEditActionGroup::RedoEditAction() {
    if (m_applied >= m_store.Size()) {
        return;
    }
    do {
        ++m_applied;
    } while (m_store.Swift(m_applied - 1) != 0 && m_applied < m_store.Size());
}

int CVylEditActionGroup::DeleteLastAction() {
    if (m_store.Empty()) {
        return 0;
    }
    Truncate(m_store.Size() - 1);
    return 1;
}

bool CVylEditActionGroup::LastIsTextRepair() const {
    if (m_store.Empty() || m_store.Kind(m_store.Size() - 1) != kActRepair) {
        return false;
    }
    return m_store.At(m_store.Size() - 1).repair.attrName == kKeyTextContent;
}

bool CVylEditActionGroup::IsLastTextRepairOf(int32_t uid) const {
    return LastIsTextRepair() &&
           m_store.At(m_store.Size() - 1).Common().GetInt(kKeyObjUid, -1) == uid;
}

void CVylEditActionGroup::SetSwiftToLastActionIfTextRepair() {
    if (LastIsTextRepair()) {
        m_store.SetSwift(m_store.Size() - 1, 1);
    }
}

// The current action: the last one, unless actions were undone (then the
// current one ends its block already, as undo stops only at such actions).
void CVylEditActionGroup::SetLastActionSwift(int32_t swift) {
    if (m_applied > 0) {
        m_store.SetSwift(m_applied - 1, swift);
    }
}

int CVylEditActionGroup::DeleteLastActionIfTextRepair() {
    return LastIsTextRepair() ? DeleteLastAction() : 0;
}

void CVylEditActionGroup::ResetAllEditActionGroup() {
    // Every selected uid refers to the history being dropped.
    if (m_selection != nullptr) {
        m_selection->RemoveAll();
    }
    m_objectCounter = 0;
    m_linkerCounter = 0;
    m_applied = 0;
    m_store.Clear();
    m_checkpoints.Clear();
    ForgetDrawing();
}

void CVylEditActionGroup::ReplaceWith(CVylEditActionGroup& loaded) {
    if (m_selection != nullptr) {
        m_selection->RemoveAll();
    }
    m_store.Adopt(std::move(loaded.m_store));
    m_checkpoints.Adopt(std::move(loaded.m_checkpoints));
    m_applied = loaded.m_applied;
    m_objectCounter = loaded.m_objectCounter;
    m_linkerCounter = loaded.m_linkerCounter;
    // What the reading rebuilt is the drawing at the loaded position.
    m_drawing = std::move(loaded.m_drawing);
    m_drawnTo = loaded.m_drawnTo;
    m_drawingReach = loaded.m_drawingReach;
    m_drawingValid = loaded.m_drawingValid;
    loaded.ResetAllEditActionGroup();
}

namespace {

int32_t Take(int32_t* counter) {
    const int32_t value = *counter;
    *counter = value == INT32_MAX ? 1 : value + 1;
    return value;
}

}  // namespace

int32_t CVylEditActionGroup::TakeObjectUid() {
    return Take(&m_objectCounter);
}

int32_t CVylEditActionGroup::TakeLinkerUid() {
    return Take(&m_linkerCounter);
}

std::string CVylEditActionGroup::ActionLine(size_t index, bool withRegions) const {
    const CVylEditAction action = m_store.At(index);
    const VyActionKindFacts& facts = ActionKindFacts(action.kind);
    std::string line(facts.name);
    if (facts.tag == VyDumpTag::kAttrName) {
        line += "[" + action.repair.attrName + "]";
    } else if (facts.tag == VyDumpTag::kObjectKind) {
        line += "[kind:" + DecimalText(action.GetKind(-1)) + "]";
    }
    line += ' ';
    const std::string linker = DecimalText(action.linkerUid);
    switch (facts.body) {
        case VyDumpBody::kLinker:
            line += "LINKER=" + linker;
            break;
        case VyDumpBody::kLinkedPoint:
            line += action.PointKey() + " is LINKED TO " + linker;
            break;
        case VyDumpBody::kUnlinkedPoint:
            line += action.PointKey() + "for " + linker + " is UNLINKED";
            break;
        case VyDumpBody::kUidAndRegion:
            line += DecimalText(action.GetUid(-1)) + " ";
            if (withRegions) {
                const VyRect r = action.GetRegion();
                line += DecimalText(r.left) + "," + DecimalText(r.top) + "," +
                        DecimalText(r.right) + "," + DecimalText(r.bottom);
            }
            break;
        case VyDumpBody::kUids: {
            bool first = true;
            for (int32_t uid : action.uids) {
                line += (first ? "" : "/") + DecimalText(uid);
                first = false;
            }
            break;
        }
    }
    if (static_cast<int64_t>(index) == GetCurrentIndex()) {
        line += " *";
    }
    if (action.swift != 0) {
        line += "<SW>";
    }
    return line;
}

std::string CVylEditActionGroup::GetEditActionGroupExp(bool withRegions) const {
    std::string text;
    for (size_t i = 0; i < m_store.Size(); ++i) {
        if (i != 0) {
            text += "\r\n";
        }
        text += ActionLine(i, withRegions);
    }
    return text;
}
