#include "editor/tree/decimal_text.h"

#include <gtest/gtest.h>

namespace {

TEST(DecimalText, AtoiRule) {
    EXPECT_EQ(AtoiValue("  -12xy"), -12);
    EXPECT_EQ(AtoiValue("+7"), 7);
    EXPECT_EQ(AtoiValue("abc"), 0);
    EXPECT_EQ(AtoiValue(""), 0);
    EXPECT_EQ(AtoiValue("- 3"), 0);
    EXPECT_EQ(AtoiValue("99999999999"), 2147483647);
    EXPECT_EQ(AtoiValue("-99999999999"), -2147483647 - 1);
}

TEST(DecimalText, IntToTextRadixAndWidth) {
    EXPECT_EQ(IntToText(255, 16, 4), "00FF");
    EXPECT_EQ(IntToText(255, 16, -1), "ff");
    EXPECT_EQ(IntToText(-5, 10, -1), "-5");
    EXPECT_EQ(IntToText(-1, 16, -1), "ffffffff");
    EXPECT_EQ(IntToText(0x12345, 16, 3), "345");
    EXPECT_EQ(IntToText(5, 2, 20), "0000000000101");
    EXPECT_EQ(IntToText(5, 1, -1), "");
}

}  // namespace
