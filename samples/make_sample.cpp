// Writes the bundled sample drawing: one object of every kind, among them a
// two-line Korean text and a one-bit picture, as an object group file and as
// a project whose history draws it and then edits it a little.
// Usage: vylcd-make-sample OUTPUT.tpl OUTPUT.vyd
#include <cmath>
#include <iostream>
#include <string>

#include "editor/document/edit_history.h"
#include "editor/document/object_group.h"
#include "editor/document/paste.h"
#include "editor/image/bmp_codec.h"
#include "editor/tree/code_page.h"

namespace {

constexpr int32_t kUnit = 10000;

CVylObject Shape(int32_t kind, int32_t l, int32_t t, int32_t r, int32_t b) {
    CVylObject object;
    object.SetCommonAttrs(0, kind, {l * kUnit, t * kUnit, r * kUnit, b * kUnit});
    object.Unique().SetString("dot_size", "1");
    object.Unique().SetString("color_switch", "1");
    object.Unique().SetString("dotted_spacing", "0");
    return object;
}

// A 48 x 24 frame with a filled disc in the middle.
std::string Picture() {
    VyRaster raster = MakeRaster(48, 24, 1);
    raster.palette = {0xFF000000u, 0xFFFFFFFFu};
    for (int32_t y = 0; y < raster.height; ++y) {
        for (int32_t x = 0; x < raster.width; ++x) {
            const bool frame = x == 0 || y == 0 || x == raster.width - 1 || y == raster.height - 1;
            const bool disc = std::hypot(x - 23.5, y - 11.5) < 8.0;
            raster.pixels[static_cast<size_t>(y * raster.width + x)] = frame || disc ? 0 : 1;
        }
    }
    return EncodeBmp(raster);
}

// Every object drawn on its own, then a nudge of the box and a bolder line.
void FillSampleHistory(const CVylObjectGroup& drawing, CVylEditActionGroup& history) {
    for (int32_t uid : drawing.GetZOrderList()) {
        CVylObjectGroup one;
        one.InsertOnTop(uid, *drawing.GetByObjUid(uid));
        PasteFromObjectGroup(history, one);
    }
    history.AddEditAction(CVylEditAction::MoveMulti({0}, {kUnit, kUnit}));
    history.AddEditAction(
        CVylEditAction::Repair(1, CVylObjectRepairAction::Text("dot_size", "3"), 0));
    history.AddEditAction(CVylEditAction::MoveMulti({0}, {-kUnit, -kUnit}));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: vylcd-make-sample OUTPUT.tpl OUTPUT.vyd\n";
        return 2;
    }
    CVylObjectGroup group;
    int32_t uid = 1;
    auto add = [&](const CVylObject& object) { group.InsertOnTop(uid++, object); };

    add(Shape(kObjBox, 10, 10, 150, 70));
    CVylObject line = Shape(kObjLine, 310, 10, 170, 70);
    line.Unique().SetString("dot_size", "2");
    line.Unique().SetString("dotted_spacing", "3");
    add(line);

    CVylObject text = Shape(kObjText, 20, 90, 200, 140);
    text.Unique().SetString(
        "text_content", Utf8ToCp949("\xEC\x95\x88\xEB\x85\x95\xED\x95\x98\xEC\x84\xB8\xEC\x9A\x94"
                                    "\r\n\xEA\xB7\xB8\xEB\x9E\x98\xED\x94\xBD LCD 123"));
    text.Unique().SetString("kor_font_index", "3");
    text.Unique().SetString("alnum_font_index", "1");
    text.Unique().SetString("bold_state", "1");
    add(text);

    add(Shape(kObjFilledBox, 220, 90, 300, 130));
    add(Shape(kObjEllipse, 20, 160, 100, 220));
    add(Shape(kObjFilledEllipse, 120, 160, 180, 220));

    CVylObject bitmap = Shape(kObjBitmap, 195, 150, 242, 173);
    bitmap.Unique().SetBytes("bmp_bin", CRevolver::FromBytes(Picture()));
    add(bitmap);

    CVylObject arc = Shape(kObjArc, 255, 175, 305, 225);
    arc.Unique().SetString("start_angle", "0");
    arc.Unique().SetString("end_angle", "1800000");
    add(arc);

    CRevolver bytes;
    if (!group.ObjGroupToRevolver(bytes) || !bytes.SaveToFile(argv[1])) {
        std::cerr << argv[1] << ": cannot write the sample\n";
        return 1;
    }
    CVylEditActionGroup history;
    FillSampleHistory(group, history);
    if (!history.EditActionGroupToFile(argv[2])) {
        std::cerr << argv[2] << ": cannot write the sample project\n";
        return 1;
    }
    return 0;
}
