#include "editor/link/lcd_screen_mirror.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "editor/document/full_update.h"
#include "editor/link/lcd_option_commands.h"
#include "editor/virtual_lcd/lcd_unifont.h"
#include "tests/support/mirror_session.h"
#include "tests/support/object_builders.h"

namespace {

class LcdScreenMirror : public ::testing::Test {
  protected:
    LcdScreenMirror() { dc.InitDeviceContext(kModelVyb3224); }

    // A screen of boxes in a grid, each alone on its patch.
    void FillWithBoxes(int count) {
        for (int i = 0; i < count; ++i) {
            const int32_t x = (i % 16) * 20;
            const int32_t y = (i / 16) * 18;
            drawing.InsertOnTop(i + 1, MakeShape(i + 1, kObjBox, x, y, x + 15, y + 14));
        }
    }
    VyLcdUpdatePlan Plan() { return mirror.PlanUpdate(dc, drawing, true); }
    static std::string_view View(const VyByteArray& bytes) {
        return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
    }

    CVylDeviceContext dc;
    CVylObjectGroup drawing;
    CVylLcdScreenMirror mirror{&CVylUnifont::System()};
};

TEST_F(LcdScreenMirror, TheFirstUpdateIsFullAndANewObjectOnTopSendsOnlyItself) {
    FillWithBoxes(100);
    const VyLcdUpdatePlan first = Plan();
    EXPECT_TRUE(first.full);
    EXPECT_EQ(first.bytes.size(), static_cast<size_t>(first.fullBytes));
    ASSERT_EQ(first.bytes[2], 'L') << "a full update starts by clearing";

    const CVylObject line = MakeShape(500, kObjLine, 3, 230, 40, 236);
    drawing.InsertOnTop(500, line);
    const VyLcdUpdatePlan added = Plan();
    EXPECT_FALSE(added.full);
    // Its state commands and the line; nothing is erased or redrawn.
    CVylObjectGroup justTheLine;
    justTheLine.InsertOnTop(500, line);
    VyByteArray lineBytes;
    VyLengthArray lineLengths;
    ExtractDrawingCommands(dc, justTheLine, lineBytes, lineLengths);
    EXPECT_EQ(added.bytes, lineBytes);
    EXPECT_EQ(added.fullBytes, first.fullBytes + static_cast<int64_t>(lineLengths.back()))
        << "in the full update the line shares the boxes' state commands";
}

TEST_F(LcdScreenMirror, NothingChangedSendsNothingAndAForgottenScreenGetsAllAgain) {
    FillWithBoxes(20);
    Plan();
    const VyLcdUpdatePlan same = Plan();
    EXPECT_FALSE(same.full);
    EXPECT_TRUE(same.bytes.empty());
    mirror.Forget();
    EXPECT_TRUE(Plan().full);
    EXPECT_FALSE(mirror.PlanUpdate(dc, drawing, false).bytes.empty());
    EXPECT_TRUE(mirror.PlanUpdate(dc, drawing, false).full) << "the option off sends all";
}

TEST_F(LcdScreenMirror, AMovedObjectIsErasedWhereItWasAndItsNeighboursRedrawn) {
    FillWithBoxes(64);
    // A filled box over two boxes of the grid.
    drawing.InsertOnTop(100, MakeShape(100, kObjFilledBox, 10, 5, 30, 10));
    CVylVirtualLcd lcd;
    lcd.Feed(View(Plan().bytes));
    drawing.MoveRegion(100, {0, 100 * kUnit});
    const VyLcdUpdatePlan moved = Plan();
    ASSERT_FALSE(moved.full);
    lcd.Feed(View(moved.bytes));
    CVylObjectGroup copy = drawing;
    VyByteArray full;
    VyLengthArray lengths;
    BuildFullLcdUpdate(dc, copy, full, lengths);
    EXPECT_TRUE(lcd.GetFrame() == ScreenOfCommands(View(full), nullptr));
    EXPECT_LT(moved.bytes.size() * 10, full.size()) << "a small part of the screen";
}

TEST_F(LcdScreenMirror, AChangeOverMostOfTheScreenGoesAsAFullUpdate) {
    FillWithBoxes(150);
    Plan();
    for (int32_t uid = 1; uid <= 150; ++uid) {
        drawing.MoveRegion(uid, {2 * kUnit, 0});
    }
    EXPECT_TRUE(Plan().full);
}

TEST_F(LcdScreenMirror, ADrawingThatFailsToExtractLeavesTheScreenUnknown) {
    FillWithBoxes(4);
    Plan();
    CVylObject text = MakeObject(9, kObjText, 10, 10, 60, 30);  // no font attributes
    text.Common().SetInt(kKeyObjKind, 77);
    drawing.InsertOnTop(9, text);
    const VyLcdUpdatePlan broken = Plan();
    EXPECT_TRUE(broken.full);
    EXPECT_NE(broken.status, kExtractOk);
    EXPECT_FALSE(mirror.IsKnown());
}

TEST(DisplayModes, OnlyLayerOneInOverlayOrAndFastWritingIsPlain) {
    CVylDisplayModes modes;
    EXPECT_TRUE(modes.IsPlain()) << "never set";
    modes.Note(GraphicLayerCommand(1));
    modes.Note(OverlayModeCommand(1));
    modes.Note(WriteModeCommand(1));
    modes.Note(BacklightCommand(1));
    EXPECT_TRUE(modes.IsPlain());
    modes.Note(OverlayModeCommand(3));
    EXPECT_FALSE(modes.IsPlain());
    modes.Note(OverlayModeCommand(1));
    modes.Note(GraphicLayerCommand(2));
    EXPECT_FALSE(modes.IsPlain());
    modes.Note(GraphicLayerCommand(1));
    modes.Note(WriteModeCommand(2));
    EXPECT_FALSE(modes.IsPlain());
}

// Thousands of edits of every kind: after each one the module that got only
// the changes shows exactly what a full update shows.
TEST(LcdScreenMirrorSequence, RandomEditsKeepTheScreenDotForDotAFullUpdate) {
    const auto seed =
        static_cast<uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    std::mt19937 random(seed);
    MirrorSession session;
    const MirrorSession::NumberSource next = [&] { return static_cast<uint32_t>(random()); };
    for (int step = 0; step < 2500; ++step) {
        const std::string failure = session.Step(next);
        ASSERT_EQ(failure, "") << "seed " << seed << ", step " << step << "\n" << session.Trace();
    }
    // The changes went as changes most of the time, and saved much.
    EXPECT_GT(session.GetIncrementalUpdates() * 2, session.GetUpdates());
    EXPECT_LT(session.GetIncrementalBytes() * 2, session.GetFullBytes());
}

}  // namespace
