// Project files of any content are read without a fault; an accepted history
// replays, dumps, and writes a file that reads back to the same file; the
// drawing it rebuilds on opening, and after undos and redos, is exactly the
// full replay.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "editor/document/drawing_read.h"
#include "editor/document/edit_history.h"
#include "editor/document/full_update.h"
#include "fuzz/fuzz_device.h"
#include "tests/support/exact_drawing.h"

namespace {

CRevolver Encoded(const CVylObjectGroup& group) {
    CRevolver bytes;
    group.ObjGroupToRevolver(bytes);
    return bytes;
}

// The drawing-only read gives what reading everything and replaying gives.
void CompareDrawingRead(const CRevolver& in, int historyRead, const CVylObjectGroup& replayed,
                        bool complete) {
    CVylObjectGroup streamed;
    VyDrawingRead read;
    const int streamedRead = ReadDrawingFromBytes(in, streamed, read);
    if (!read.isProject) {
        CVylObjectGroup group;
        if (streamedRead != group.ObjGroupFromRevolver(in) ||
            (streamedRead && !(Encoded(streamed) == Encoded(group)))) {
            std::abort();
        }
        return;
    }
    if (streamedRead != historyRead ||
        (streamedRead &&
         (read.complete != complete || !(Encoded(streamed) == Encoded(replayed))))) {
        std::abort();
    }
}

// Walks back and forth over the history, comparing every rebuild with the
// full replay of the same position.
void CompareRebuilds(CVylEditActionGroup& history, const uint8_t* data, size_t size) {
    for (size_t i = 0; i < size && i < 64; ++i) {
        if (data[i] % 3 == 0) {
            history.RedoEditAction();
        } else {
            history.UndoEditAction();
        }
        CVylObjectGroup full;
        const bool complete = full.CreateObjectGroupFromEditActionGroup(history) != 0;
        if (ExactDrawingState(history.GetCurrentDrawing()) != ExactDrawingState(full) ||
            history.ReplaysToCurrent() != complete) {
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const CRevolver in =
        CRevolver::FromBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    CVylEditActionGroup history;
    history.SetReplayLimits(2, 3, 4);
    int32_t required = 0;
    const int historyRead = history.EdtActionGrpFromRevolver(in, &required);
    CVylObjectGroup group;
    const bool complete = historyRead && group.CreateObjectGroupFromEditActionGroup(history) != 0;
    CompareDrawingRead(in, historyRead, group, complete);
    if (historyRead && ExactDrawingState(history.GetCurrentDrawing()) != ExactDrawingState(group)) {
        std::abort();
    }
    if (!historyRead) {
        if (history.GetCount() != 0) {
            std::abort();  // a refused file leaves no actions behind
        }
        return 0;
    }
    history.GetEditActionGroupExp(true);

    // What a file says is normalised by one reading: writing what was read
    // and reading that again must reproduce the same file exactly. (An empty
    // history is the exception: it reads back without its counters.)
    CRevolver written;
    if (history.GetCount() == 0 || !history.EdtActionGrpToRevolver(written)) {
        return 0;  // a repair record of an unknown type cannot be written
    }
    CVylEditActionGroup back;
    CRevolver again;
    if (!back.EdtActionGrpFromRevolver(written, nullptr) || !back.EdtActionGrpToRevolver(again) ||
        !(again == written)) {
        std::abort();
    }
    VyByteArray bytes;
    VyLengthArray lengths;
    BuildFullLcdUpdate(FuzzDeviceContext(), group, bytes, lengths);
    CompareRebuilds(history, data, size);
    return 0;
}
