// CVylEditActionGroup: the edit history, which is the document: the list of
// actions with the position up to which they are applied, and the counters
// from which new object and linker uids are taken.
#pragma once

#include "editor/vyedit_export.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/document/edit_action.h"

class CVylObjectSelection;

// The version number of this editor: major x 100 + minor x 10 + build.
inline constexpr int32_t kEditorVersionNumber = 100;

// "v" + version / 100 + "." + the remainder as two digits ("v1.20").
VYEDIT_EXPORT std::string VersionText(int32_t versionNumber);

class VYEDIT_EXPORT CVylEditActionGroup {
  public:
    CVylEditActionGroup() = default;
    CVylEditActionGroup(const CVylEditActionGroup&) = delete;
    CVylEditActionGroup& operator=(const CVylEditActionGroup&) = delete;
    virtual ~CVylEditActionGroup() = default;

    // Told before every added action (the frame refreshes its undo controls).
    void SetActionAddedSink(std::function<void()> sink) { m_actionAdded = std::move(sink); }
    // The selection that a reset empties.
    void AttachSelection(CVylObjectSelection* selection) { m_selection = selection; }

    // Records the action after the current one (the undone ones are
    // dropped), but only when it applies to the drawing at the current
    // position and changes it: 1 when recorded, 0 when refused. A refused
    // action that would have closed its undo block closes it. Where a
    // stored history stops replaying before the current position, the
    // action follows the last one that replays.
    int AddEditAction(CVylEditAction action);
    void UndoEditAction();
    void RedoEditAction();
    bool IsUndoable() const { return m_applied > 0; }
    bool IsRedoable() const { return m_applied < m_actions.size(); }
    int DeleteLastAction();
    void SetSwiftToLastActionIfTextRepair();
    // Ends (0) or extends (1) the undo block that the last action belongs to.
    void SetLastActionSwift(int32_t swift);
    int DeleteLastActionIfTextRepair();
    // Whether the last action changed the text of this object (typing goes
    // on in it and may replace that action).
    bool IsLastTextRepairOf(int32_t uid) const;
    void ResetAllEditActionGroup();
    // Takes over the actions, position and counters of another history (one
    // read from a file), emptying the selection; the sinks stay.
    void ReplaceWith(CVylEditActionGroup& loaded);

    int32_t TakeObjectUid();
    int32_t TakeLinkerUid();
    int32_t* ObjectCounter() { return &m_objectCounter; }
    int32_t GetObjectCounter() const { return m_objectCounter; }
    int32_t GetLinkerCounter() const { return m_linkerCounter; }

    size_t GetCount() const { return m_actions.size(); }
    const CVylEditAction& GetAction(size_t index) const { return *m_actions[index]; }
    // Index of the current action, or -1 when nothing is applied.
    int64_t GetCurrentIndex() const { return static_cast<int64_t>(m_applied) - 1; }

    // The drawing at the current position: the replay of the applied
    // actions, up to the first one that does not apply.
    const CVylObjectGroup& GetCurrentDrawing() const;
    // Whether every applied action applies (only a stored history can hold
    // one that does not).
    bool ReplaysToCurrent() const;

    // One line per action, joined by "\r\n".
    std::string GetEditActionGroupExp(bool withRegions) const;

    // The project file: the history as one encoded tree.
    int EdtActionGrpToRevolver(CRevolver& out) const;
    int EdtActionGrpFromRevolver(const CRevolver& in, int32_t* requiredVersion);
    // The same from a project already decoded.
    int EdtActionGrpFromTree(const CFxAssignGroupEx& tree, int32_t* requiredVersion);
    // Replays a decoded project into group without keeping its actions, for
    // readers that want only the drawing. Fails as EdtActionGrpFromTree
    // would; *complete is false when an action stopped the replay, and the
    // group then holds what came before it.
    static int ReplayProjectTree(const CFxAssignGroupEx& tree, CVylObjectGroup& group,
                                 int32_t* requiredVersion, bool* complete);
    int ToFile(std::FILE* file) const;
    int FromFile(std::FILE* file, int32_t* requiredVersion);
    int EditActionGroupToFile(const std::string& path) const;
    int EditActionGroupFromFile(const std::string& path, int32_t* requiredVersion);

  private:
    bool LastIsTextRepair() const;
    void RaiseCountersPastUsedUids();
    std::string ActionLine(size_t index, bool withRegions) const;

    // The drawing is kept up to date by the actions recorded; moving the
    // position or dropping an applied action makes it replay again.
    void ForgetDrawing() { m_drawingValid = false; }
    void ReplayDrawing() const;

    std::vector<std::unique_ptr<CVylEditAction>> m_actions;
    // Number of applied actions: the current one is the last of them.
    size_t m_applied = 0;
    mutable CVylObjectGroup m_drawing;
    // How many of the applied actions the drawing holds: m_applied unless
    // one of them does not apply.
    mutable size_t m_drawingReach = 0;
    mutable bool m_drawingValid = true;
    int32_t m_objectCounter = 0;
    int32_t m_linkerCounter = 0;
    std::function<void()> m_actionAdded;
    CVylObjectSelection* m_selection = nullptr;
};
