// CVylCanvasCore: the drawing canvas without any window. It owns the parts
// of a canvas (fit, device context, edit history, object group, selection,
// tool attributes, grid, clipboard), turns mouse gestures, keys and commands
// into edit actions and tells its host what to bring up to date. The canvas
// widget is a thin shell around it; tests drive it directly.
#pragma once

#include "editor/vyedit_export.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/canvas/canvas_fit.h"
#include "editor/canvas/canvas_host.h"
#include "editor/canvas/canvas_zoom.h"
#include "editor/document/edit_history.h"
#include "editor/document/edit_pacing.h"
#include "editor/document/grid_system.h"
#include "editor/document/linker_actions.h"
#include "editor/document/object_group.h"
#include "editor/document/object_selection.h"
#include "editor/model/device_context.h"

// The mouse state machine of the canvas.
enum VyMouseState : int32_t {
    kMouseIdle = 1,        // nothing selected
    kMouseFraming = 2,     // a selection frame is dragged
    kMouseSelected = 3,    // something selected, mouse over no handle
    kMouseOverResize = 4,  // over a resize handle of the selection
    kMouseOverMove = 5,    // over the centre (move) handle
    kMousePressed = 6,     // left button down, not dragged yet
    kMouseCreating = 7,
    kMouseResizing = 8,
    kMouseMoving = 9,
};

// The drawing tools; tool t from 1 to 8 creates objects of kind t + 1.
enum VyTool : int32_t {
    kToolSelect = 0,
    kToolBox = 1,
    kToolLine = 2,
    kToolText = 3,
    kToolFilledBox = 4,
    kToolEllipse = 5,
    kToolFilledEllipse = 6,
    kToolBitmap = 7,
};

struct VyModifiers {
    bool shift = false;
    bool ctrl = false;
};

// The commands of the object popup menu (the menu sets their order; new
// ones come last, as recorded sessions name them by number).
enum class VyCanvasCommand {
    kAlignTop,
    kAlignBottom,
    kAlignLeft,
    kAlignRight,
    kSameWidth,
    kSameHeight,
    kSameSize,
    kSameVertGap,
    kSameHorizGap,
    kHCenter,
    kVCenter,
    kHVCenter,
    kFullLayout,
    kContact,
    kRemoveContacts,
    kDelete,
    kGoUp,
    kGoDown,
    kInflate,
    kDeflate,
    kToFront,
    kToBack,
};

// The keys the canvas acts on.
enum class VyKey { kOther, kLeft, kRight, kUp, kDown, kDelete, kTab, kA, kC, kV, kX, kY, kZ };

class VYEDIT_EXPORT CVylCanvasCore {
  public:
    using Clock = std::function<int64_t()>;  // milliseconds

    explicit CVylCanvasCore(std::string_view model = kModelVyb3224);
    CVylCanvasCore(const CVylCanvasCore&) = delete;
    CVylCanvasCore& operator=(const CVylCanvasCore&) = delete;
    virtual ~CVylCanvasCore() = default;

    void SetHost(CVylCanvasHost* host) { m_host = host ? host : &m_noHost; }
    // Another clock for the timing rules (key repeat, merges, tips).
    void SetClock(Clock clock);
    // The folder of "contexthelpshow.ini"; empty: no one-time tips.
    void SetTextDataFolder(std::string folder) { m_textDataFolder = std::move(folder); }
    // A view-only canvas ignores the left button.
    void SetViewOnly(bool viewOnly) { m_viewOnly = viewOnly; }
    bool IsViewOnly() const { return m_viewOnly; }
    // The canvas shows the module's own dots instead of the drawn objects.
    void SetModulePreview(bool preview) { m_modulePreview = preview; }
    bool IsModulePreview() const { return m_modulePreview; }
    void SetTool(int32_t tool) { m_tool = tool; }
    int32_t GetTool() const { return m_tool; }

    // The parts.
    CVylCanvasFitContext& Fit() { return m_fit; }
    const CVylCanvasFitContext& Fit() const { return m_fit; }
    CVylCanvasZoom& Zoom() { return m_zoom; }
    // How far the handles reach at the present zoom (see HandleAt).
    double HandleReach() const;
    // How far the mouse moves before a press becomes a drag.
    int64_t DragThreshold() const;
    const CVylCanvasZoom& Zoom() const { return m_zoom; }
    const CVylDeviceContext& DeviceContext() const { return m_dc; }
    CVylEditActionGroup& History() { return m_history; }
    const CVylEditActionGroup& History() const { return m_history; }
    CVylObjectGroup& Group() { return m_group; }
    const CVylObjectGroup& Group() const { return m_group; }
    CVylObjectSelection& Selection() { return m_selection; }
    const CVylObjectSelection& Selection() const { return m_selection; }
    CVylObjectUniqueAttr& ToolAttrs() { return m_toolAttrs; }
    CVylGridSystem& Grid() { return m_grid; }
    const CVylGridSystem& Grid() const { return m_grid; }
    const CVylObjectGroup& Clipboard() const { return m_clipboard; }

    // The mouse as the renderer and the status strip need it.
    int32_t GetMouseState() const { return m_mouseState; }
    void SetMouseState(int32_t state) { m_mouseState = state; }
    VyPoint GetCursorScreen() const { return m_cursorScreen; }
    VyPoint GetLastMouseVirtual() const { return m_lastMouse; }
    VyPoint GetFramePressPoint() const { return m_framePress; }
    int32_t GetTabAnchor() const { return m_tabAnchor; }

    // The fit for a client area at the present zoom.
    void RecalcCanvasFit(int32_t clientWidth, int32_t clientHeight);

    // The one change notification: redraw, rebuild (with redraw: replay the
    // history first), status strip, panels, LCD update, hex pane.
    void OnAgain(int redraw, int rebuild, int status, int panels, int lcd, int hex);
    // Told after each change notification, once the host has been: the
    // drawing or the selection may have changed (the object list follows).
    // The id returned removes the listener.
    int AddChangeListener(std::function<void()> listener);
    void RemoveChangeListener(int id);
    // The group becomes the drawing at the history's current position (what
    // is still being edited is recorded first), and the selection loses the
    // objects the drawing no longer holds; 0 when the replay stopped early.
    int Rebuild();

    // A value the user is still editing reaches the drawing before the
    // canvas acts on anything else: the live previews of the panels are
    // recorded, and every source added here (a box typed into) is told to
    // apply its value. Runs before each recorded action, rebuild, undo,
    // redo and copy, before a command reads the drawing to build its action
    // and before the selection changes; the studio calls it before saving,
    // the backup and the save question too.
    void CommitPendingEdits();
    void AddPendingEditSource(std::function<void()> commit);
    // Whether a live preview is shown that no action holds yet.
    bool HasPendingPreview() const { return !m_previews.empty(); }

    // Mouse, in client pixels.
    void OnLButtonDown(VyPoint screen, VyModifiers modifiers);
    void OnMouseMove(VyPoint screen, VyModifiers modifiers);
    void OnLButtonUp(VyPoint screen, VyModifiers modifiers);
    void OnRButtonDown(VyPoint screen);
    void OnRButtonUp(VyPoint screen);
    VyCanvasCursor CursorAt(VyPoint screen) const;

    // Keys: true when the key was used and goes no further. Arrows and
    // Delete act only while the canvas has the keyboard focus.
    bool ProcessKeys(VyKey key, VyModifiers modifiers, bool focusOnCanvas);
    void OnShiftReleased();

    // Commands.
    void OffsetMove(int32_t dx, int32_t dy);
    void Stretch(int32_t dx, int32_t dy);
    void MoveBothCorners(const VyRect& rect, bool merge);
    void FullLayout();
    void HCenter();
    void VCenter();
    void HVCenter();
    void Inflate();
    void Deflate();
    void SelectAll();
    void OnDeleteObject();
    void AddActionsForDetachSelectedObjectsPointsFromLinker(bool closeBlock);
    void OnCopy();
    void OnCut();
    void OnPaste();
    void PasteFromObjectGroup(const CVylObjectGroup& source);
    void UndoEditActionAndDrawAll();
    void RedoEditActionAndDrawAll();
    void RemoveEveryData();
    void UpdateUniqueAttrFromSelectedObject();
    void TypicalRepair(const CVylObjectRepairAction& repair, int32_t swift);
    // "top", "bottom", "left", "right", "width", "height", "size",
    // "horiz_gap", "vert_gap"; records the actions, the caller redraws.
    void Align(std::string_view mode);
    int OnTab();
    void LetRightAngleOneSel();
    // A region box of the status strip typed in ("left", "right", "top",
    // "bottom", "width", "height"; value in dots): the chief object's edge
    // moves, kept on the LCD (width and height are not limited), and the
    // new region is recorded. 0 when nothing is selected or the name is
    // unknown.
    int ChangeRegionBox(std::string_view name, int32_t value);
    // The text panel's content typed into the chief object (system code
    // page); typing on within 400 ms replaces the previous change, so a
    // burst of typing is one undo step. Nothing while nothing is selected.
    void TypeText(std::string_view text);
    // One attribute change of the chief object recorded on its own.
    void RepairChief(const CVylObjectRepairAction& repair);
    // A picture (a source BMP file, see lcd_picture.h) loaded into the chief
    // bitmap: kept as its source and reduced to one bit as the object
    // chooses, in one undo step. 0 when the chief is no bitmap, the picture
    // does not decode or the object holds it already.
    int LoadChiefPicture(const std::string& sourceBmp);
    // A part of the chief bitmap's reduction changed (a text repair of
    // "bmp_dither", "bmp_level" or "bmp_invert"): the choice is recorded and
    // the picture reduced again from its source, in one undo step. An object
    // without a kept source (older files) first keeps its one-bit picture
    // as its source. 0 when nothing changed or the chief is no bitmap.
    int ChangeChiefReduction(const CVylObjectRepairAction& choice);
    // The chief bitmap's region made as large as its picture; 0 when the
    // chief holds no readable picture.
    int ResizeChiefToPicture();
    // A new bitmap object showing the picture (a source BMP file no larger
    // than the LCD, reduced as the tool attributes choose) at its own size,
    // its top left corner at the client point and kept on the LCD; one
    // "create" action. Its uid, or -1 for no such picture (0 is the uid of
    // the first object of a drawing).
    int32_t CreatePictureAt(VyPoint screen, const std::string& sourceBmp);
    // Joins the nearest end points of the two selected lines; the two
    // refusals come back for the caller to tell.
    VyJoinResult OnContact();
    // The chief one place up or down the stacking order, recorded.
    void ZOrderStep(bool up);
    // The stacking order becomes order (the drawing's uids, bottom first),
    // recorded as the go_up / go_down actions that lead there, one undo
    // step, each named after a uid of movers where it can be; false when
    // order is no reordering of the drawing's or leaves it as it is.
    bool Restack(const std::vector<int32_t>& order, const VyUidSet& movers);
    // Every selected object to the top or the bottom of the stacking order,
    // keeping their own order, in one undo step.
    bool BringToFront();
    bool SendToBack();
    // The selection becomes the uids the drawing holds, with chief as its
    // chief when it is one of them (else the one of the lowest uid).
    void SelectUids(const std::vector<int32_t>& uids, int32_t chief);
    // The object popup menu's commands and their enabling rules.
    bool IsCommandEnabled(VyCanvasCommand command) const;
    void RunCommand(VyCanvasCommand command);

  private:
    // Appends an action, first recording what is still being edited and
    // closing a burst of key moves left open; false when the history
    // refused it (it would not apply, or would change nothing).
    bool Record(CVylEditAction action);
    // What every way of recording, undoing and redoing does first: what is
    // pending is recorded and a burst of key moves left open ends.
    void PrepareToRecord();
    // A key move, joining the burst of the moves just before it.
    void RecordKeyMove(CVylEditAction action, bool multiple, bool merge);
    void RecordRepair(const VyUidSet& uids, const CVylObjectRepairAction& repair);
    // Repairs of one object that undo in one step; whether any was recorded.
    bool RecordRepairBlock(int32_t uid, const std::vector<CVylObjectRepairAction>& repairs);
    // The chief when it is a bitmap object, else nullptr.
    const CVylObject* ChiefBitmap() const;
    void CloseKeyBurst();
    void RecordMoveSingle(int32_t uid, const VyRect& region, int32_t swift);
    // Ends a chain of "move_single" actions that undo in one step.
    void CloseLastSwift();
    int32_t SelectionCount() const { return m_selection.GetEverySelCount(); }
    VyUidSet SelectedUids() const;
    int32_t StateForSelection() const;
    VyRect ScreenRect() const;

    // Mouse parts.
    VyRect CreationRegion(VyPoint point, VyModifiers modifiers) const;
    void StartCreation(VyPoint point);
    void DragTo(VyPoint point, VyPoint delta, VyModifiers modifiers);
    void HoverAt(VyPoint point);
    void FinishFrame(VyPoint point);
    void FinishClick(VyPoint point);
    void FinishCreation(VyPoint point, VyModifiers modifiers);
    void FinishResize(VyPoint point);
    void FinishMove(VyPoint point);
    // Follow-up moves of the joined points before the user's own action,
    // computed on the group as the action will leave it.
    void RecordWithFollowUps(CVylEditAction action);
    void ShowTabTip(int32_t uid);
    void ShowCreationTip();
    std::string HelpIniPath() const;

    // Align parts.
    void AlignEdges(std::string_view mode);
    void SpaceEvenly(bool horizontal);
    std::optional<int32_t> LinkerOf(int32_t uid) const;
    bool AnySlaveJoined() const;

    CVylCanvasHost m_noHost;
    CVylCanvasHost* m_host = &m_noHost;
    Clock m_clock;
    CVylEditPacing m_pacing;

    CVylCanvasFitContext m_fit;
    CVylCanvasZoom m_zoom;
    CVylDeviceContext m_dc;
    CVylEditActionGroup m_history;
    CVylObjectGroup m_group;
    CVylObjectSelection m_selection;
    CVylObjectUniqueAttr m_toolAttrs;
    CVylGridSystem m_grid;
    CVylObjectGroup m_clipboard;

    std::string m_textDataFolder;
    bool m_viewOnly = false;
    bool m_modulePreview = false;
    int32_t m_tool = kToolSelect;
    int32_t m_mouseState = kMouseIdle;
    // Where the left button went down: for the drag threshold and the
    // creation, and (every press) for the frame and the move.
    VyPoint m_press;
    VyPoint m_framePress;
    bool m_shiftAtPress = false;
    VyUidSet m_selectionAtPress;
    int32_t m_handle = 10;
    VyPoint m_lastMouse;
    VyPoint m_cursorScreen;
    int32_t m_creatingUid = -1;

    // Tab browsing and its tip.
    int32_t m_tabAnchor = -1;
    int32_t m_lastClickUid = -1;
    int64_t m_lastClickMs = 0;
    bool m_tabTipTaken = false;
    bool m_creationTipTaken = false;

    // Key repeat and the open burst of key moves.
    std::optional<int64_t> m_lastArrowMs;
    int32_t m_arrowRepeat = 0;
    std::optional<int64_t> m_lastShiftReleaseMs;
    bool m_keyBurstOpen = false;

    // What is being edited and not recorded yet: the live previews by
    // attribute, and the boxes that hold typed values.
    struct VyPreview {
        VyUidSet uids;
        CVylObjectRepairAction repair;
    };
    std::map<std::string, VyPreview> m_previews;
    std::vector<std::function<void()>> m_pendingSources;
    bool m_committing = false;

    std::map<int, std::function<void()>> m_changeListeners;
    int m_nextListenerId = 1;
};

// The kind a tool creates, or 0 for the select tool and unknown tools.
int32_t KindOfTool(int32_t tool);
