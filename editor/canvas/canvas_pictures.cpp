// Pictures on the canvas: bitmap objects made from dropped pictures, and
// the loading and reduction of the chief bitmap's picture.
#include <algorithm>

#include "editor/canvas/canvas_core.h"
#include "editor/command/bitmap_source.h"
#include "editor/image/bmp_codec.h"

namespace {

bool IsReductionKey(std::string_view key) {
    return key == kKeyBmpDither || key == kKeyBmpLevel || key == kKeyBmpInvert;
}

bool KeepsSource(const CVylObject& bitmap) {
    const CRevolver* source = bitmap.Unique().FindBytes(kKeyBmpSource);
    return source != nullptr && source->GetLength() > 0;
}

}  // namespace

const CVylObject* CVylCanvasCore::ChiefBitmap() const {
    const CVylObject* chief = m_group.GetByObjUid(m_selection.GetChiefUid());
    return chief != nullptr && chief->GetKind() == kObjBitmap ? chief : nullptr;
}

bool CVylCanvasCore::RecordRepairBlock(int32_t uid,
                                       const std::vector<CVylObjectRepairAction>& repairs) {
    bool recorded = false;
    for (size_t i = 0; i < repairs.size(); ++i) {
        // A refused last repair closes the block on the one before it.
        const int32_t swift = i + 1 < repairs.size() ? 1 : 0;
        recorded = Record(CVylEditAction::Repair(uid, repairs[i], swift)) || recorded;
    }
    return recorded;
}

int CVylCanvasCore::LoadChiefPicture(const std::string& sourceBmp) {
    PrepareToRecord();
    const CVylObject* chief = ChiefBitmap();
    if (chief == nullptr) {
        return 0;
    }
    const std::string bits = ReducePictureFile(sourceBmp, ReductionOf(chief->Unique()));
    if (bits.empty()) {
        return 0;
    }
    const bool recorded = RecordRepairBlock(
        chief->GetUid(),
        {CVylObjectRepairAction::Bytes(kKeyBmpSource, CRevolver::FromBytes(sourceBmp)),
         CVylObjectRepairAction::Bytes(kKeyBmpBin, CRevolver::FromBytes(bits))});
    OnAgain(1, 1, 0, 1, 1, 1);
    return recorded ? 1 : 0;
}

int CVylCanvasCore::ChangeChiefReduction(const CVylObjectRepairAction& choice) {
    PrepareToRecord();
    const CVylObject* chief = ChiefBitmap();
    if (chief == nullptr || choice.type != CVylObjectRepairAction::kSetText ||
        !IsReductionKey(choice.attrName)) {
        return 0;
    }
    const int32_t uid = chief->GetUid();
    const CRevolver source = PictureSourceOf(chief->Unique());
    const bool keptSource = KeepsSource(*chief);
    CVylObject changed = *chief;
    choice.ApplyTo(changed);
    const std::string bits = ReducePictureFile(source.View(), ReductionOf(changed.Unique()));
    // The choice first: when it changes nothing, nothing is recorded.
    CVylEditAction action = CVylEditAction::Repair(uid, choice, bits.empty() ? 0 : 1);
    if (!Record(std::move(action))) {
        return 0;
    }
    if (!bits.empty()) {
        std::vector<CVylObjectRepairAction> rest;
        if (!keptSource) {
            rest.push_back(CVylObjectRepairAction::Bytes(kKeyBmpSource, source));
        }
        rest.push_back(CVylObjectRepairAction::Bytes(kKeyBmpBin, CRevolver::FromBytes(bits)));
        RecordRepairBlock(uid, rest);
    }
    OnAgain(1, 1, 0, 1, 1, 1);
    return 1;
}

int32_t CVylCanvasCore::CreatePictureAt(VyPoint screen, const std::string& sourceBmp) {
    const int32_t lcdWidth = m_dc.GetInt(kKeyResolutionX, 320);
    const int32_t lcdHeight = m_dc.GetInt(kKeyResolutionY, 240);
    int32_t width = 0;
    int32_t height = 0;
    // Pictures are shrunk to the LCD before they come here.
    if (!ReadBmpSize(sourceBmp, &width, &height) || width <= 0 || height <= 0 || width > lcdWidth ||
        height > lcdHeight) {
        return -1;
    }
    PrepareToRecord();
    CVylObjectUniqueAttr attrs = m_toolAttrs;
    const std::string bits = ReducePictureFile(sourceBmp, ReductionOf(attrs));
    if (bits.empty()) {
        return -1;
    }
    const VyPoint at = m_fit.ScreenToVirtualEnlarged(screen);
    const auto place = [](int32_t virtualAt, int32_t size, int32_t lcdSize) {
        return std::clamp(virtualAt / 10000, 0, lcdSize - size) * 10000;
    };
    const int32_t left = place(at.x, width, lcdWidth);
    const int32_t top = place(at.y, height, lcdHeight);
    const VyRect region{left, top, left + (width - 1) * 10000, top + (height - 1) * 10000};
    attrs.SetBytes(kKeyBmpSource, CRevolver::FromBytes(sourceBmp));
    attrs.SetBytes(kKeyBmpBin, CRevolver::FromBytes(bits));
    const int32_t uid = m_history.TakeObjectUid();
    CVylEditAction create = CVylEditAction::Create(uid, kObjBitmap, region, attrs);
    // Complete as it is, like a pasted object: an undo step of its own.
    create.swift = 0;
    if (!Record(std::move(create))) {
        return -1;
    }
    m_selection.SetSingleSelection(uid, false);
    m_mouseState = kMouseSelected;
    m_host->ObjectCreated(kObjBitmap);
    OnAgain(1, 1, 1, 1, 1, 1);
    return uid;
}
