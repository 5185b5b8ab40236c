#include "editor/document/paste.h"

VyUidSet PasteFromObjectGroup(CVylEditActionGroup& history, const CVylObjectGroup& source) {
    VyUidSet pasted;
    if (source.GetCount() == 0) {
        return pasted;
    }
    if (source.GetCount() == 1) {
        const CVylObject& object = *source.GetByObjUid(source.GetZOrderList().front());
        const int32_t uid = history.TakeObjectUid();
        CVylEditAction create =
            CVylEditAction::Create(uid, object.GetKind(), object.GetRegion(), object.Unique());
        // A pasted object is complete: no resize follows that the undo must
        // take along, so the action stands alone.
        create.swift = 0;
        history.AddEditAction(std::move(create));
        pasted.insert(uid);
        return pasted;
    }
    CVylEditAction createMulti = CVylEditAction::CreateMulti(source, history.ObjectCounter());
    createMulti.Group().GetAllUidMap(pasted);
    history.AddEditAction(std::move(createMulti));
    return pasted;
}
