// The chief bitmap's picture: loaded with its source kept, reduced again
// from that source whenever the reduction chosen changes, one undo step
// each time; older objects without a source behave as before.
#include <gtest/gtest.h>

#include <random>

#include "editor/command/bitmap_source.h"
#include "editor/image/bmp_codec.h"
#include "editor/image/one_bit_reduction.h"
#include "tests/support/canvas_driver.h"

namespace {

// A source picture: grey levels rising to the right and downwards, from a
// seed so that pictures differ.
std::string GreySource(int32_t width, int32_t height, uint32_t seed = 0) {
    VyRaster raster = MakeRaster(width, height, 32);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t g = (x * 255 / width + y * 40 + seed * 37) % 256;
            raster.pixels[static_cast<size_t>(y * width + x)] = 0xFF000000u | g << 16 | g << 8 | g;
        }
    }
    return EncodeBmp(GreyRaster(raster));
}

std::string Bytes(const CVylObject& object, std::string_view key) {
    const CRevolver* bytes = object.Unique().FindBytes(key);
    return bytes != nullptr ? bytes->ToString() : std::string();
}

CVylObjectRepairAction Choice(std::string_view key, const std::string& value) {
    return CVylObjectRepairAction::Text(key, value);
}

// What the user sees of a bitmap and what it keeps.
struct PictureState {
    std::string bits;
    std::string source;
    VyReduction reduction;
    bool operator==(const PictureState&) const = default;
};

PictureState StateOf(const CVylObject& bitmap) {
    return {Bytes(bitmap, kKeyBmpBin), Bytes(bitmap, kKeyBmpSource), ReductionOf(bitmap.Unique())};
}

std::ostream& operator<<(std::ostream& out, const PictureState& s) {
    return out << DitherName(s.reduction.dither) << "/" << s.reduction.level << "/"
               << s.reduction.invert << " bits " << s.bits.size() << " source " << s.source.size();
}

class CanvasPictures : public ::testing::Test {
  protected:
    // A selected bitmap object holding a picture of 24 x 16.
    int32_t LoadedBitmap() {
        const int32_t uid = c.Draw(kToolBitmap, 10, 10, 40, 30);
        EXPECT_EQ(c.core.LoadChiefPicture(source), 1);
        return uid;
    }
    const CVylObject& Object(int32_t uid) { return *c.core.Group().GetByObjUid(uid); }
    // Undo and redo leave nothing selected: a click on the bitmap's middle.
    static void Reselect(CanvasDriver& d, int32_t uid) {
        const VyRect r = d.Region(uid);
        d.Click((r.left + r.right) / 2.0 / kUnitDots, (r.top + r.bottom) / 2.0 / kUnitDots);
        ASSERT_EQ(d.core.Selection().GetChiefUid(), uid);
    }
    static constexpr double kUnitDots = 10000;
    // The one-bit picture is always the reduction of the source chosen.
    void ExpectConsistent(int32_t uid) {
        const CVylObject& bitmap = Object(uid);
        EXPECT_EQ(Bytes(bitmap, kKeyBmpBin),
                  ReducePictureFile(PictureSourceOf(bitmap.Unique()).View(),
                                    ReductionOf(bitmap.Unique())));
    }

    CanvasDriver c;
    const std::string source = GreySource(24, 16);
};

TEST_F(CanvasPictures, ALoadedPictureKeepsItsSourceInOneUndoStep) {
    const int32_t uid = c.Draw(kToolBitmap, 10, 10, 40, 30);
    const size_t before = c.Actions();
    ASSERT_EQ(c.core.LoadChiefPicture(source), 1);
    EXPECT_EQ(Bytes(Object(uid), kKeyBmpSource), source);
    EXPECT_EQ(Bytes(Object(uid), kKeyBmpBin), ReducePictureFile(source, {}));
    EXPECT_EQ(c.Actions(), before + 2);
    // The same picture again changes nothing.
    EXPECT_EQ(c.core.LoadChiefPicture(source), 0);
    EXPECT_EQ(c.Actions(), before + 2);
    c.core.UndoEditActionAndDrawAll();
    EXPECT_EQ(c.core.History().GetCurrentIndex(), static_cast<int64_t>(before) - 1);
    EXPECT_EQ(Bytes(Object(uid), kKeyBmpBin), "");
    EXPECT_EQ(Bytes(Object(uid), kKeyBmpSource), "");

    // A new picture is reduced as the object chooses.
    c.core.RedoEditActionAndDrawAll();
    Reselect(c, uid);
    ASSERT_EQ(c.core.ChangeChiefReduction(Choice(kKeyBmpDither, "ordered")), 1);
    const std::string other = GreySource(30, 20, 3);
    ASSERT_EQ(c.core.LoadChiefPicture(other), 1);
    EXPECT_EQ(Bytes(Object(uid), kKeyBmpBin),
              ReducePictureFile(other, {VyDither::kOrdered, 128, false}));

    // Only bitmaps take pictures, and only pictures that decode.
    EXPECT_EQ(c.core.LoadChiefPicture("junk"), 0);
    c.Draw(kToolBox, 100, 100, 120, 120);
    const size_t count = c.Actions();
    EXPECT_EQ(c.core.LoadChiefPicture(source), 0);
    EXPECT_EQ(c.core.ChangeChiefReduction(Choice(kKeyBmpInvert, "1")), 0);
    EXPECT_EQ(c.Actions(), count);
}

TEST_F(CanvasPictures, EachChoiceReducesTheSourceAgainAndUndoesInOneStep) {
    const int32_t uid = LoadedBitmap();
    const struct {
        std::string_view key;
        std::string value;
    } choices[] = {
        {kKeyBmpLevel, "60"},         {kKeyBmpInvert, "1"},
        {kKeyBmpDither, "atkinson"},  {kKeyBmpDither, "floyd-steinberg"},
        {kKeyBmpDither, "ordered"},   {kKeyBmpInvert, "0"},
        {kKeyBmpDither, "threshold"}, {kKeyBmpLevel, "200"},
    };
    std::vector<PictureState> states{StateOf(Object(uid))};
    for (const auto& choice : choices) {
        const size_t before = c.Actions();
        ASSERT_EQ(c.core.ChangeChiefReduction(Choice(choice.key, choice.value)), 1)
            << choice.key << "=" << choice.value;
        EXPECT_EQ(Object(uid).Unique().GetString(choice.key), choice.value);
        EXPECT_EQ(Bytes(Object(uid), kKeyBmpSource), source) << "the source never changes";
        ExpectConsistent(uid);
        EXPECT_LE(c.Actions(), before + 2);
        states.push_back(StateOf(Object(uid)));
    }
    EXPECT_EQ(states.back().reduction, (VyReduction{VyDither::kThreshold, 200, false}));
    EXPECT_NE(states[1].bits, states[0].bits) << "a lower level makes more dots white";
    // Back through every step, one undo each, to the exact bytes before it.
    for (size_t i = states.size() - 1; i > 0; --i) {
        c.core.UndoEditActionAndDrawAll();
        EXPECT_EQ(StateOf(Object(uid)), states[i - 1]) << "undo of step " << i;
    }
    for (size_t i = 1; i < states.size(); ++i) {
        c.core.RedoEditActionAndDrawAll();
        EXPECT_EQ(StateOf(Object(uid)), states[i]) << "redo of step " << i;
    }
    // What changes nothing records nothing; other keys are no choice.
    const size_t count = c.Actions();
    EXPECT_EQ(c.core.ChangeChiefReduction(Choice(kKeyBmpLevel, "200")), 0);
    EXPECT_EQ(c.core.ChangeChiefReduction(Choice(kKeyDotSize, "3")), 0);
    EXPECT_EQ(c.core.ChangeChiefReduction(
                  CVylObjectRepairAction::Bytes(kKeyBmpDither, CRevolver::FromBytes("x"))),
              0);
    EXPECT_EQ(c.Actions(), count);
}

TEST_F(CanvasPictures, AChoiceWithTheSameDotsIsStillOneStep) {
    const int32_t uid = LoadedBitmap();
    ASSERT_EQ(c.core.ChangeChiefReduction(Choice(kKeyBmpDither, "ordered")), 1);
    const PictureState ordered = StateOf(Object(uid));
    // The level is kept for the threshold but changes no ordered dot.
    const size_t before = c.Actions();
    ASSERT_EQ(c.core.ChangeChiefReduction(Choice(kKeyBmpLevel, "10")), 1);
    EXPECT_EQ(c.Actions(), before + 1);
    EXPECT_EQ(Bytes(Object(uid), kKeyBmpBin), ordered.bits);
    c.Draw(kToolBox, 100, 100, 120, 120);
    c.core.UndoEditActionAndDrawAll();
    c.core.UndoEditActionAndDrawAll();
    EXPECT_EQ(StateOf(Object(uid)), ordered);
    EXPECT_EQ(c.core.History().GetCurrentIndex(), static_cast<int64_t>(before) - 1);
}

TEST_F(CanvasPictures, OlderBitmapsAreTheirOwnSource) {
    const int32_t uid = c.Draw(kToolBitmap, 10, 10, 40, 30);
    // As older files hold them: the one-bit picture alone.
    const std::string bits = ReducePictureFile(source, {VyDither::kFloydSteinberg, 128, false});
    c.core.RepairChief(CVylObjectRepairAction::Bytes(kKeyBmpBin, CRevolver::FromBytes(bits)));
    ASSERT_FALSE(Object(uid).Unique().Has(kKeyBmpSource));
    EXPECT_EQ(ReductionOf(Object(uid).Unique()), VyReduction());
    ExpectConsistent(uid);

    ASSERT_EQ(c.core.ChangeChiefReduction(Choice(kKeyBmpInvert, "1")), 1);
    EXPECT_EQ(Bytes(Object(uid), kKeyBmpSource), bits);
    ExpectConsistent(uid);
    EXPECT_NE(Bytes(Object(uid), kKeyBmpBin), bits);
    // Dithering black and white changes nothing; inverting back gives the
    // picture it had.
    ASSERT_EQ(c.core.ChangeChiefReduction(Choice(kKeyBmpDither, "atkinson")), 1);
    ASSERT_EQ(c.core.ChangeChiefReduction(Choice(kKeyBmpInvert, "0")), 1);
    EXPECT_EQ(Bytes(Object(uid), kKeyBmpBin), bits);
    c.core.UndoEditActionAndDrawAll();
    c.core.UndoEditActionAndDrawAll();
    c.core.UndoEditActionAndDrawAll();
    EXPECT_EQ(Bytes(Object(uid), kKeyBmpBin), bits);
    EXPECT_FALSE(Object(uid).Unique().Has(kKeyBmpSource)) << "the first change's undo takes it";
    EXPECT_EQ(ReductionOf(Object(uid).Unique()), VyReduction());

    // Without any picture the choice is kept for the one to come.
    const int32_t empty = c.Draw(kToolBitmap, 100, 100, 120, 120);
    ASSERT_EQ(c.core.ChangeChiefReduction(Choice(kKeyBmpDither, "ordered")), 1);
    EXPECT_EQ(Bytes(Object(empty), kKeyBmpBin), "");
    ASSERT_EQ(c.core.LoadChiefPicture(source), 1);
    EXPECT_EQ(Bytes(Object(empty), kKeyBmpBin), ReducePictureFile(source, {VyDither::kOrdered}));
}

TEST_F(CanvasPictures, DroppedPicturesKeepTheirSourceAndNewBitmapsStartEmpty) {
    c.Draw(kToolBox, 200, 200, 220, 220);
    const int32_t dropped = c.core.CreatePictureAt(CanvasDriver::Screen(50, 50), source);
    ASSERT_GE(dropped, 0);
    ASSERT_NE(c.core.Group().GetByObjUid(dropped), nullptr);
    EXPECT_EQ(c.Region(dropped), (VyRect{D(50), D(50), D(73), D(65)}));
    EXPECT_EQ(Bytes(Object(dropped), kKeyBmpSource), source);
    ExpectConsistent(dropped);
    // The tool attributes follow the selected object; a bitmap drawn next
    // takes neither its picture nor its source.
    c.core.UpdateUniqueAttrFromSelectedObject();
    const int32_t drawn = c.Draw(kToolBitmap, 100, 100, 150, 150);
    EXPECT_EQ(Bytes(Object(drawn), kKeyBmpBin), "");
    EXPECT_FALSE(Object(drawn).Unique().Has(kKeyBmpSource));
    // Too large, or no picture at all: nothing is made.
    const size_t count = c.Actions();
    EXPECT_EQ(c.core.CreatePictureAt(CanvasDriver::Screen(0, 0), GreySource(321, 10)), -1);
    EXPECT_EQ(c.core.CreatePictureAt(CanvasDriver::Screen(0, 0), "junk"), -1);
    EXPECT_EQ(c.Actions(), count);
}

// Random choices, loads, undos and redos on one bitmap: after each step the
// dots are the reduction of the source chosen, an undo gives back the exact
// bytes before the step, and saving and opening keep the choice and the
// source.
TEST_F(CanvasPictures, RandomChoicesUndoRedoAndSaveStaySound) {
    for (uint32_t seed = 1; seed <= 12; ++seed) {
        CanvasDriver d;
        std::mt19937 random(seed);
        const int32_t uid = d.Draw(kToolBitmap, 10, 10, 40, 30);
        ASSERT_EQ(d.core.LoadChiefPicture(GreySource(20, 12, seed)), 1);
        auto object = [&] { return *d.core.Group().GetByObjUid(uid); };
        std::vector<PictureState> done{StateOf(object())};
        std::vector<PictureState> undone;
        int changes = 0;
        for (int step = 0; step < 40; ++step) {
            const uint32_t what = random() % 8;
            const PictureState before = StateOf(object());
            int changed = 0;
            if (what < 4) {
                const std::string_view keys[] = {kKeyBmpDither, kKeyBmpLevel, kKeyBmpInvert};
                const std::string_view key = keys[random() % 3];
                const std::string value =
                    key == kKeyBmpDither  ? DitherText(AllDithers()[random() % 4])
                    : key == kKeyBmpLevel ? LevelText(1 + static_cast<int32_t>(random() % 255))
                                          : InvertText(random() % 2 == 0);
                changed = d.core.ChangeChiefReduction(Choice(key, value));
            } else if (what == 4) {
                const auto width = static_cast<int32_t>(8 + random() % 20);
                changed = d.core.LoadChiefPicture(GreySource(width, 5, random()));
            } else if (what < 7) {
                if (done.size() > 1) {
                    d.core.UndoEditActionAndDrawAll();
                    Reselect(d, uid);
                    undone.push_back(done.back());
                    done.pop_back();
                    ASSERT_EQ(StateOf(object()), done.back())
                        << "seed " << seed << " step " << step;
                }
                continue;
            } else {
                if (!undone.empty()) {
                    d.core.RedoEditActionAndDrawAll();
                    Reselect(d, uid);
                    done.push_back(undone.back());
                    undone.pop_back();
                    ASSERT_EQ(StateOf(object()), done.back())
                        << "seed " << seed << " step " << step;
                }
                continue;
            }
            if (changed != 0) {
                ++changes;
                done.push_back(StateOf(object()));
                undone.clear();
            } else {
                ASSERT_EQ(StateOf(object()), before) << "seed " << seed << " step " << step;
            }
            const CVylObject current = object();
            ASSERT_EQ(Bytes(current, kKeyBmpBin),
                      ReducePictureFile(PictureSourceOf(current.Unique()).View(),
                                        ReductionOf(current.Unique())))
                << "seed " << seed << " step " << step;

            CRevolver saved;
            ASSERT_TRUE(d.core.History().EdtActionGrpToRevolver(saved));
            CVylEditActionGroup opened;
            int32_t required = 0;
            ASSERT_TRUE(opened.EdtActionGrpFromRevolver(saved, &required));
            const CVylObject* reopened = opened.GetCurrentDrawing().GetByObjUid(uid);
            ASSERT_NE(reopened, nullptr);
            ASSERT_EQ(StateOf(*reopened), StateOf(current)) << "seed " << seed << " step " << step;
        }
        EXPECT_GT(changes, 10) << "seed " << seed;
    }
}

}  // namespace
