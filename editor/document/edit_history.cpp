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
        if (applied) {
            // What the effect does not compare (the contact index) may have
            // changed: the drawing is replayed again when next needed.
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
    m_applied = std::min(m_applied, m_drawingReach);
    m_actions.resize(m_applied);
    m_actions.push_back(std::make_unique<CVylEditAction>(std::move(action)));
    m_applied = m_actions.size();
    m_drawingReach = m_applied;
    return 1;
}

void CVylEditActionGroup::ReplayDrawing() const {
    if (m_drawingValid) {
        return;
    }
    m_drawing.RemoveAllObjectGroup();
    m_drawingReach = 0;
    while (m_drawingReach < m_applied && m_actions[m_drawingReach]->ApplyTo(m_drawing)) {
        ++m_drawingReach;
    }
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
    ForgetDrawing();
    do {
        --m_applied;
    } while (m_applied > 0 && m_actions[m_applied - 1]->swift != 0);
}

void CVylEditActionGroup::RedoEditAction() {
    if (m_applied >= m_actions.size()) {
        return;
    }
    ForgetDrawing();
    do {
        ++m_applied;
    } while (m_actions[m_applied - 1]->swift != 0 && m_applied < m_actions.size());
}

int CVylEditActionGroup::DeleteLastAction() {
    if (m_actions.empty()) {
        return 0;
    }
    m_actions.pop_back();
    if (m_applied > m_actions.size()) {
        m_applied = m_actions.size();
        ForgetDrawing();
    }
    return 1;
}

bool CVylEditActionGroup::LastIsTextRepair() const {
    return !m_actions.empty() && m_actions.back()->kind == kActRepair &&
           m_actions.back()->repair.attrName == kKeyTextContent;
}

bool CVylEditActionGroup::IsLastTextRepairOf(int32_t uid) const {
    return LastIsTextRepair() && m_actions.back()->Common().GetInt(kKeyObjUid, -1) == uid;
}

void CVylEditActionGroup::SetSwiftToLastActionIfTextRepair() {
    if (LastIsTextRepair()) {
        m_actions.back()->swift = 1;
    }
}

// The current action: the last one, unless actions were undone (then the
// current one ends its block already, as undo stops only at such actions).
void CVylEditActionGroup::SetLastActionSwift(int32_t swift) {
    if (m_applied > 0) {
        m_actions[m_applied - 1]->swift = swift;
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
    m_actions.clear();
    ForgetDrawing();
}

void CVylEditActionGroup::ReplaceWith(CVylEditActionGroup& loaded) {
    if (m_selection != nullptr) {
        m_selection->RemoveAll();
    }
    m_actions = std::move(loaded.m_actions);
    m_applied = loaded.m_applied;
    m_objectCounter = loaded.m_objectCounter;
    m_linkerCounter = loaded.m_linkerCounter;
    ForgetDrawing();
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
    const CVylEditAction& action = *m_actions[index];
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
    for (size_t i = 0; i < m_actions.size(); ++i) {
        if (i != 0) {
            text += "\r\n";
        }
        text += ActionLine(i, withRegions);
    }
    return text;
}
