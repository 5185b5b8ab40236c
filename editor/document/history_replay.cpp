// The drawing as a function of the history: replaying every applied action.
#include "editor/document/edit_history.h"
#include "editor/document/object_group.h"

int CVylObjectGroup::CreateObjectGroupFromEditActionGroup(const CVylEditActionGroup& history) {
    RemoveAllObjectGroup();
    const int64_t current = history.GetCurrentIndex();
    for (int64_t i = 0; i <= current; ++i) {
        if (!history.GetAction(static_cast<size_t>(i)).ApplyTo(*this)) {
            return 0;
        }
    }
    return 1;
}
