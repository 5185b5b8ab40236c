// CVylObjectSelection: which objects of the drawing are selected. One is the
// chief (the one the panels show and single-object commands act on), the
// others are slaves. Objects are looked up in the attached group on demand,
// so a uid the group no longer holds is silently ignored.
#pragma once

#include "editor/vyedit_export.h"

#include <cstdint>
#include <functional>
#include <string>

#include "editor/document/uid_set.h"
#include "editor/model/drawing_object.h"

class CVylObjectGroup;

class VYEDIT_EXPORT CVylObjectSelection {
  public:
    virtual ~CVylObjectSelection() = default;

    void AttachGroup(const CVylObjectGroup* group) { m_group = group; }
    // Called with editing state 3 when a selection is made with its flag set.
    void SetEditingStateSink(std::function<void(int32_t)> sink) {
        m_editingState = std::move(sink);
    }

    // Told before the selection changes: a value the user typed for the
    // objects selected reaches them first.
    void SetBeforeChangeSink(std::function<void()> sink) { m_beforeChange = std::move(sink); }
    // Drops the uids the attached group no longer holds (after a rebuild);
    // when the chief goes, the first remaining slave becomes chief.
    void RemoveMissing();

    void RemoveAll();
    void SetSingleSelection(int32_t uid, bool flag);
    void SetMultiSelection(const VyUidSet& uids, bool flag);
    void AddSelObj(int32_t uid);
    void EnsureChiefSel(int32_t uid);

    int32_t GetChiefUid() const { return m_chief; }
    const VyUidSet& GetSlaves() const { return m_slaves; }
    int IsUidSelected(int32_t uid) const;
    int32_t GetSelState() const;
    int32_t GetEverySelCount() const;
    void GetEverySelUidMap(VyUidSet& out) const;

    const CVylObject* GetChiefSelectedObj() const;
    int32_t GetChiefSelectedObjKind() const;
    int32_t GetSelectedObjectsCommonKind() const;
    int32_t GetSelectedObjectsCommonLocalUi() const;
    int IsObjectKindAnySelected(int32_t kind) const;
    void GetAllSelectedObjectKindMap(VyUidSet& out) const;

    std::string GetSelExp() const;
    std::string GetSelectedUidListExp() const;

  private:
    // Kinds of the selected objects the group holds, in selection order.
    template <typename Visit>
    void ForEachSelectedKind(Visit visit) const;
    void MarkSelecting(bool flag);
    void BeforeChange() const;

    int32_t m_chief = -1;
    VyUidSet m_slaves;
    const CVylObjectGroup* m_group = nullptr;
    std::function<void(int32_t)> m_editingState;
    std::function<void()> m_beforeChange;
};

// The attribute panel for an object kind: 1 shape, 2 text, 3 bitmap, 0 none.
int32_t LocalUiOfKind(int32_t kind);
