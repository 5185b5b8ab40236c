#include "editor/document/full_update.h"

#include <unordered_map>

#include "editor/command/extract_context.h"
#include "editor/command/text_layout.h"

namespace {

// The drawing as the extraction reads it, with the text objects laid out
// when first asked for.
class CVylLaidOutSource : public CVylObjectSource {
  public:
    CVylLaidOutSource(const CVylDeviceContext& dc, const CVylObjectGroup& group)
        : m_dc(dc), m_group(group) {}

    const std::vector<int32_t>& GetZOrderList() const override { return m_group.GetZOrderList(); }
    const CVylObject* GetByObjUid(int32_t uid) const override {
        const CVylObject* object = m_group.GetByObjUid(uid);
        if (object == nullptr || object->GetKind() != kObjText) {
            return object;
        }
        auto [laid, added] = m_laidOut.try_emplace(uid, *object);
        if (added) {
            PrepareTextLines(laid->second, m_dc);
        }
        return &laid->second;
    }

  private:
    const CVylDeviceContext& m_dc;
    const CVylObjectGroup& m_group;
    mutable std::unordered_map<int32_t, CVylObject> m_laidOut;
};

}  // namespace

int32_t ExtractLeadingCommands(const CVylDeviceContext& dc, const CVylObjectGroup& group,
                               size_t byteLimit, VyByteArray& bytes, VyLengthArray& lengths) {
    const CVylLaidOutSource source(dc, group);
    CVylCmdExtractContext context;
    context.Init(&dc, &source);
    context.ExtractCmdByteArrayAndAppend(bytes, &lengths, byteLimit);
    return context.GetStatus();
}

int32_t BuildFullLcdUpdate(const CVylDeviceContext& dc, const CVylObjectGroup& group,
                           VyByteArray& bytes, VyLengthArray& lengths) {
    bytes.assign(std::begin(kLcdClearCommand), std::end(kLcdClearCommand));
    lengths.assign(1, static_cast<uint32_t>(sizeof kLcdClearCommand));
    return ExtractDrawingCommands(dc, group, bytes, lengths);
}

int32_t ExtractDrawingCommands(const CVylDeviceContext& dc, const CVylObjectGroup& group,
                               VyByteArray& bytes, VyLengthArray& lengths) {
    return ExtractLeadingCommands(dc, group, SIZE_MAX, bytes, lengths);
}
