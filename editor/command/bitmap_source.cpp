#include "editor/command/bitmap_source.h"

#include <optional>

#include "editor/image/bmp_codec.h"
#include "editor/model/drawing_object.h"
#include "editor/tree/decimal_text.h"

VyReduction ReductionOf(const CFxAssignGroupEx& attrs) {
    VyReduction reduction;
    if (const std::optional<VyDither> dither = DitherByName(attrs.GetString(kKeyBmpDither))) {
        reduction.dither = *dither;
    }
    if (attrs.Has(kKeyBmpLevel)) {
        const int32_t level = attrs.GetInt(kKeyBmpLevel, kDefaultReductionLevel);
        reduction.level = level >= kMinReductionLevel && level <= kMaxReductionLevel
                              ? level
                              : kDefaultReductionLevel;
    }
    reduction.invert = attrs.GetInt(kKeyBmpInvert, 0) == 1;
    return reduction;
}

std::string DitherText(VyDither dither) {
    return std::string(DitherName(dither));
}

std::string LevelText(int32_t level) {
    return DecimalText(level);
}

std::string InvertText(bool invert) {
    return invert ? "1" : "0";
}

void SetReduction(CFxAssignGroupEx& attrs, const VyReduction& reduction) {
    attrs.SetString(kKeyBmpDither, DitherText(reduction.dither));
    attrs.SetString(kKeyBmpLevel, LevelText(reduction.level));
    attrs.SetString(kKeyBmpInvert, InvertText(reduction.invert));
}

CRevolver PictureSourceOf(const CFxAssignGroupEx& attrs) {
    if (const CRevolver* source = attrs.FindBytes(kKeyBmpSource); source && source->GetLength()) {
        return *source;
    }
    const CRevolver* bits = attrs.FindBytes(kKeyBmpBin);
    return bits != nullptr ? *bits : CRevolver();
}

std::string ReducePictureFile(std::string_view sourceBmp, const VyReduction& reduction) {
    const std::optional<VyRaster> source = DecodeBmp(sourceBmp);
    if (!source || source->IsEmpty()) {
        return {};
    }
    return EncodeBmp(ReduceToOneBit(*source, reduction));
}
