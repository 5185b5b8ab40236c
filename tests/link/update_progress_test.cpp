#include "editor/link/update_progress.h"

#include <gtest/gtest.h>

#include <thread>

TEST(UpdateProgress, SizeTextGroupsThousandsAndGivesTheWireTime) {
    EXPECT_EQ(UpdateSizeText({2345, 3, 3}, 115200), "2,345 B, 0.20 s");
    EXPECT_EQ(UpdateSizeText({999, 1, 1}, 9600), "999 B, 1.04 s");
    EXPECT_EQ(UpdateSizeText({1234567, 1, 1}, 230400), "1,234,567 B, 53.58 s");
    EXPECT_EQ(UpdateSizeText({0, 0, 0}, 19200), "0 B, 0.00 s");
    EXPECT_EQ(UpdateSizeText({100, 1, 1}, 0), "100 B, 0.00 s") << "no rate, no division";
}

TEST(UpdateProgress, AnswersCountUpToTheUpdatesCommands) {
    CVylUpdateProgress progress;
    EXPECT_FALSE(progress.Get().IsRunning());
    progress.Begin(500, 4);
    EXPECT_TRUE(progress.Get().IsRunning());
    progress.Acknowledge(3);
    EXPECT_EQ(progress.Get().acknowledged, 3);
    progress.Acknowledge(5);  // answers to commands of others
    EXPECT_EQ(progress.Get().acknowledged, 4);
    EXPECT_FALSE(progress.Get().IsRunning());
    progress.Begin(10, 2);
    EXPECT_EQ(progress.Get().acknowledged, 0);
    EXPECT_EQ(progress.Get().bytes, 10);
}

// The link's reader thread answers while the strip reads.
TEST(UpdateProgress, ReadersSeeConsistentCounts) {
    CVylUpdateProgress progress;
    progress.Begin(1000, 10000);
    std::thread answers([&] {
        for (int i = 0; i < 10000; ++i) {
            progress.Acknowledge(1);
        }
    });
    for (int i = 0; i < 1000; ++i) {
        const VyUpdateProgress seen = progress.Get();
        ASSERT_LE(seen.acknowledged, seen.commands);
    }
    answers.join();
    EXPECT_EQ(progress.Get().acknowledged, 10000);
}

TEST(UpdateProgress, TheSavingIsThePartOfTheFullUpdateLeftOut) {
    CVylUpdateProgress progress;
    progress.Begin(500, 4);
    EXPECT_EQ(progress.Get().fullBytes, 500) << "a full update saves nothing";
    EXPECT_EQ(progress.Get().SavedPercent(), 0);
    progress.Begin(30, 2, 1000);
    EXPECT_EQ(progress.Get().SavedPercent(), 97);
    progress.Begin(0, 0, 1000);
    EXPECT_EQ(progress.Get().SavedPercent(), 100) << "nothing changed, nothing sent";
    progress.Begin(0, 0, 0);
    EXPECT_EQ(progress.Get().SavedPercent(), 0);
}
