#include <gtest/gtest.h>

#include "editor/link/lcd_option_commands.h"

namespace {

TEST(LcdOptionCommands, EachSettingIsOneShortCommand) {
    EXPECT_EQ(BacklightCommand(2), (VyByteArray{0x1B, 'B', 'L', 1}));
    EXPECT_EQ(GraphicLayerCommand(3), (VyByteArray{0x1B, 'P', 'G', 3}));
    EXPECT_EQ(OverlayModeCommand(3), (VyByteArray{0x1B, 'O', 'M', 2}));
    EXPECT_EQ(WriteModeCommand(1), (VyByteArray{0x1B, 'W', 'M', 0}));
    EXPECT_EQ(LayerStatesCommand(1, 1, 0), (VyByteArray{0x1B, 0x50, 0x4D, 1, 1, 0}));
    EXPECT_EQ(BrightnessCommand(450), (VyByteArray{0x1B, 0x56, 0x45, 0xC2, 0x01}));
    EXPECT_EQ(DotSizeCommand(3), (VyByteArray{0x1B, 'D', 'S', 3, 0}));
}

TEST(LcdOptionCommands, BrightnessGoesOutOnceATickLatestValueOnly) {
    CVylBrightnessThrottle throttle;
    EXPECT_FALSE(throttle.Tick());
    // Chosen before the first tick: the first tick sends it.
    throttle.Set(450);
    EXPECT_EQ(throttle.Tick(), BrightnessCommand(450));
    EXPECT_FALSE(throttle.Tick());
    throttle.Set(300);
    throttle.Set(310);
    throttle.Set(320);
    EXPECT_EQ(throttle.Tick(), BrightnessCommand(320));
    throttle.Set(320);
    EXPECT_FALSE(throttle.Tick());
}

}  // namespace
