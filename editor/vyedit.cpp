// The shared editor library's own entry: the version it was built as.
#include "editor/document/edit_history.h"
#include "editor/vyedit_export.h"

VYEDIT_EXPORT int32_t VyEditVersionNumber() {
    return kEditorVersionNumber;
}
