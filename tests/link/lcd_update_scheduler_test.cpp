#include "editor/link/lcd_update_scheduler.h"

#include <gtest/gtest.h>

#include "tests/support/object_builders.h"
#include "tests/support/virtual_link.h"

namespace {

class LcdUpdates : public ::testing::Test {
  protected:
    void SetUp() override {
        dc.InitDeviceContext(kModelVyb3224);
        link.SetString("device", "virtual");
        link.Pool().Setup(2, 1, 10);
        ASSERT_TRUE(link.OpenPort());
        drawing.InsertOnTop(1, MakeShape(1, kObjBox, 10, 20, 100, 50));
        drawing.InsertOnTop(2, MakeShape(2, kObjFilledBox, 1, 2, 3, 4));
    }

    int64_t Commands() { return VirtualModuleCommands(link); }
    bool WaitIdle() { return WaitLinkIdle(link); }

    CVylDeviceContext dc;
    CVylMSComm link;
    CVylObjectGroup drawing;
    CVylLcdUpdateScheduler scheduler{&link, dc};
};

TEST_F(LcdUpdates, RequestsWhileATransferRunsGiveOneMoreUpdate) {
    ASSERT_EQ(scheduler.RequestUpdate(drawing), VyUpdateStart::kStarted);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(scheduler.RequestUpdate(drawing), VyUpdateStart::kNothing);
    }
    ASSERT_TRUE(WaitIdle());
    // Clear, three states and two shapes.
    EXPECT_EQ(Commands(), 6);
    EXPECT_EQ(scheduler.TryToStartUpdatingLcd(drawing), VyUpdateStart::kStarted);
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(scheduler.TryToStartUpdatingLcd(drawing), VyUpdateStart::kNothing);
    EXPECT_EQ(Commands(), 12);
}

TEST_F(LcdUpdates, AClosedPortIsReportedOncePerRequest) {
    link.Finalize();
    EXPECT_EQ(scheduler.RequestUpdate(drawing), VyUpdateStart::kPortClosed);
    EXPECT_EQ(scheduler.TryToStartUpdatingLcd(drawing), VyUpdateStart::kNothing);
    EXPECT_EQ(scheduler.RequestUpdate(drawing), VyUpdateStart::kPortClosed);
    link.InitCredits();
    EXPECT_FALSE(link.Credits().IsUpdatePending());
}

TEST_F(LcdUpdates, AnEmptyDrawingStillClearsTheScreen) {
    ASSERT_EQ(scheduler.RequestUpdate(CVylObjectGroup()), VyUpdateStart::kStarted);
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(Commands(), 1);
    EXPECT_EQ(VirtualModuleScreen(link).CountDots(), 0);
}

TEST_F(LcdUpdates, InitCreditsDropsAWaitingRequest) {
    ASSERT_EQ(scheduler.RequestUpdate(drawing), VyUpdateStart::kStarted);
    EXPECT_EQ(scheduler.RequestUpdate(drawing), VyUpdateStart::kNothing);
    link.InitCredits();
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(scheduler.TryToStartUpdatingLcd(drawing), VyUpdateStart::kNothing);
}

}  // namespace
