#include "editor/document/full_update.h"

#include "editor/command/extract_context.h"

int32_t BuildFullLcdUpdate(const CVylDeviceContext& dc, CVylObjectGroup& group, VyByteArray& bytes,
                           VyLengthArray& lengths) {
    bytes.assign(std::begin(kLcdClearCommand), std::end(kLcdClearCommand));
    lengths.assign(1, static_cast<uint32_t>(sizeof kLcdClearCommand));
    return ExtractDrawingCommands(dc, group, bytes, lengths);
}

int32_t ExtractDrawingCommands(const CVylDeviceContext& dc, CVylObjectGroup& group,
                               VyByteArray& bytes, VyLengthArray& lengths) {
    group.AdoptLoops(dc);
    CVylCmdExtractContext context;
    context.Init(&dc, &group);
    context.ExtractCmdByteArrayAndAppend(bytes, &lengths);
    group.ReleaseLoops();
    return context.GetStatus();
}
