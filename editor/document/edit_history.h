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

#include "editor/document/action_store.h"
#include "editor/document/edit_action.h"
#include "editor/document/replay_checkpoints.h"

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
    bool IsRedoable() const { return m_applied < m_store.Size(); }
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

    size_t GetCount() const { return m_store.Size(); }
    // A copy: the history keeps most actions in their record form only.
    CVylEditAction GetAction(size_t index) const { return m_store.At(index); }
    // The checkpoints' first spacing and number, and how many decoded
    // actions are kept: smaller figures make a short history rebuild as a
    // long one does (tests). Call it on an empty history.
    void SetReplayLimits(size_t firstInterval, size_t mostKept, size_t decodedSlots) {
        m_checkpoints.SetLimits(firstInterval, mostKept);
        m_store.SetDecodedSlots(decodedSlots);
    }
    // How many drawings the history keeps for rebuilding, and their spacing.
    size_t GetCheckpointCount() const { return m_checkpoints.Count(); }
    size_t GetCheckpointInterval() const { return m_checkpoints.Interval(); }
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
    std::string ActionLine(size_t index, bool withRegions) const;

    // The drawing is kept up to date by the actions recorded and extended by
    // redo; any other change makes it rebuild from the nearest checkpoint.
    void ForgetDrawing() { m_drawingValid = false; }
    void ReplayDrawing() const;
    void StartFromCheckpoint() const;
    void ApplyOnwards() const;
    // Cuts the history to its first count actions.
    void Truncate(size_t count);
    int ReadActions(const CFxAssignGroupEx& tree, int32_t count);

    CVylActionStore m_store;
    // Number of applied actions: the current one is the last of them.
    size_t m_applied = 0;
    mutable CVylObjectGroup m_drawing;
    mutable CVylReplayCheckpoints m_checkpoints;
    // The position the drawing was rebuilt for, and how many actions it
    // holds: fewer where one of them does not apply.
    mutable size_t m_drawnTo = 0;
    mutable size_t m_drawingReach = 0;
    mutable bool m_drawingValid = true;
    int32_t m_objectCounter = 0;
    int32_t m_linkerCounter = 0;
    std::function<void()> m_actionAdded;
    CVylObjectSelection* m_selection = nullptr;
};
