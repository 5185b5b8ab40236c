#include "bench/bench_drawings.h"

#include "editor/image/bmp_codec.h"

namespace {

constexpr int32_t kUnit = 10000;

CVylObject Make(int i) {
    static constexpr int32_t kKinds[] = {kObjBox,       kObjLine,    kObjText,
                                         kObjFilledBox, kObjEllipse, kObjFilledEllipse};
    const int32_t kind = kKinds[i % 6];
    const int32_t x = (i * 7) % 250;
    const int32_t y = (i * 13) % 180;
    CVylObject object;
    object.SetCommonAttrs(i + 1, kind, {x * kUnit, y * kUnit, (x + 60) * kUnit, (y + 50) * kUnit});
    CVylObjectUniqueAttr& attrs = object.Unique();
    attrs.SetString("dot_size", std::to_string(1 + i % 3));
    attrs.SetString("color_switch", std::to_string(i % 2));
    attrs.SetString("dotted_spacing", std::to_string(i % 4));
    if (kind == kObjText) {
        attrs.SetString("text_content", "\xC7\xD1\xB1\xDB Text\r\nline " + std::to_string(i));
        attrs.SetString("kor_font_index", std::to_string(i % 9));
        attrs.SetString("alnum_font_index", std::to_string(i % 2));
    }
    return object;
}

}  // namespace

CVylObjectGroup MakeMixedDrawing(int count) {
    CVylObjectGroup group;
    for (int i = 0; i < count; ++i) {
        group.InsertOnTop(i + 1, Make(i));
    }
    return group;
}

namespace {

CRevolver SmallPicture(int32_t width, int32_t height) {
    VyRaster raster = MakeRaster(width, height, 1);
    raster.palette = {0xFF000000, 0xFFFFFFFF};
    for (size_t i = 0; i < raster.pixels.size(); ++i) {
        raster.pixels[i] = (i / static_cast<size_t>(width) + i % 3) % 4 == 0 ? 0 : 1;
    }
    return CRevolver::FromBytes(EncodeBmp(raster));
}

}  // namespace

CVylObjectGroup MakeScreenLayout(int count) {
    static constexpr int32_t kKinds[] = {kObjText, kObjBox,    kObjLine,
                                         kObjText, kObjBitmap, kObjFilledEllipse};
    const CRevolver picture = SmallPicture(12, 10);
    CVylObjectGroup group;
    for (int i = 0; i < count; ++i) {
        // Cells of 20 x 16 dots, a screen of 16 x 15.
        const int32_t cell = i % 240;
        const int32_t x = (cell % 16) * 20 + 1;
        const int32_t y = (cell / 16) * 16 + 1;
        CVylObject object = Make(i);
        const int32_t kind = kKinds[i % 6];
        object.SetCommonAttrs(i + 1, kind,
                              {x * kUnit, y * kUnit, (x + 17) * kUnit, (y + 13) * kUnit});
        CVylObjectUniqueAttr& attrs = object.Unique();
        attrs.SetString("color_switch", "1");
        if (kind == kObjText) {
            attrs.SetString("text_content", std::to_string(i % 100));
            attrs.SetString("kor_font_index", "0");
            attrs.SetString("alnum_font_index", "0");
        } else if (kind == kObjBitmap) {
            attrs.SetBytes(kKeyBmpBin, picture);
        }
        group.InsertOnTop(i + 1, object);
    }
    return group;
}

CVylObjectGroup MakeCanvasDrawing(int count) {
    VyRaster raster = MakeRaster(48, 32, 1);
    raster.palette = {0xFF000000, 0xFFFFFFFF};
    for (size_t i = 0; i < raster.pixels.size(); ++i) {
        raster.pixels[i] = (i / 48 + i % 48) % 5 == 0 ? 0 : 1;
    }
    const CRevolver picture = CRevolver::FromBytes(EncodeBmp(raster));
    CVylObjectGroup group;
    for (int i = 0; i < count; ++i) {
        CVylObject object = Make(i);
        if (i % 7 == 6) {
            const int32_t x = (i * 7) % 250;
            const int32_t y = (i * 13) % 180;
            object.SetCommonAttrs(i + 1, kObjBitmap,
                                  {x * kUnit, y * kUnit, (x + 48) * kUnit, (y + 32) * kUnit});
            object.Unique().SetBytes(kKeyBmpBin, picture);
        }
        group.InsertOnTop(i + 1, object);
    }
    return group;
}
