#include "editor/virtual_lcd/lcd_command_parser.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tests/support/hex.h"

namespace {

// A bitmap command whose file header declares fileBytes; the rest is filler.
std::string BitmapCommand(uint32_t fileBytes, size_t bytesPresent) {
    std::string out = HexString("1B 42 44 05 00 06 00 01 42 4D");
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<char>(fileBytes >> (8 * i)));
    }
    out.resize(8 + bytesPresent, '\x7F');
    return out;
}

VyLcdScan Scan(const std::string& bytes) {
    return ScanLcdCommand(bytes);
}

TEST(LcdCommandScan, EveryCommandHasItsLength) {
    const std::vector<std::string> commands = {
        "1B 43 4C 00",
        "1B 42 58 0A 00 14 00 64 00 32 00",
        "1B 4C 49 64 00 05 00 03 00 EF 00",
        "1B 42 46 DC 00 5A 00 2C 01 82 00 00",
        "1B 45 4C 3C 00 BE 00 28 00 1E 00",
        "1B 45 46 96 00 BE 00 1E 00 1E 00",
        "1B 41 52 18 01 C8 00 19 00 00 00 B4 00",
        "1B 47 4C 14 00 5A 00",
        "1B 50 52 41 42 00",
        "1B 44 53 01 00",
        "1B 53 43 01",
        "1B 4C 53 03",
        "1B 46 4F 03 01",
        "1B 46 53 01 00 00",
        "1B 42 4C 01",
        "1B 50 47 02",
        "1B 4F 4D 02",
        "1B 57 4D 01",
        "1B 50 4D 01 01 00",
        "1B 56 45 C2 01",
    };
    for (const std::string& text : commands) {
        const std::string bytes = HexString(text);
        const VyLcdScan whole = Scan(bytes + HexString("1B 43 4C 00"));
        EXPECT_EQ(whole.status, VyLcdScanStatus::kComplete) << text;
        EXPECT_EQ(whole.length, bytes.size()) << text;
        EXPECT_EQ(Scan(bytes.substr(0, bytes.size() - 1)).status, VyLcdScanStatus::kNeedMore)
            << text;
    }
    const std::string bitmap = BitmapCommand(30, 30);
    EXPECT_EQ(Scan(bitmap).length, 38u);
    EXPECT_EQ(Scan(bitmap.substr(0, 37)).status, VyLcdScanStatus::kNeedMore);
}

TEST(LcdCommandScan, UnknownLettersAreNoCommand) {
    EXPECT_EQ(Scan(HexString("1B 58 59 00")).status, VyLcdScanStatus::kInvalid);
    EXPECT_EQ(Scan(HexString("1B 42 5A")).status, VyLcdScanStatus::kInvalid);
    // No command begins with "Z": rejected before the second letter arrives.
    EXPECT_EQ(Scan(HexString("1B 5A")).status, VyLcdScanStatus::kInvalid);
    EXPECT_EQ(Scan(HexString("1B 42")).status, VyLcdScanStatus::kNeedMore);
    EXPECT_EQ(Scan(HexString("43 4C 00")).status, VyLcdScanStatus::kInvalid);
    // Lower-case letters are other commands.
    EXPECT_EQ(Scan(HexString("1B 63 6C 00")).status, VyLcdScanStatus::kInvalid);
}

TEST(LcdCommandScan, BitmapHeaderThatLiesIsNoCommand) {
    EXPECT_EQ(Scan(BitmapCommand(0x7FFFFFFF, 6)).status, VyLcdScanStatus::kInvalid);
    EXPECT_EQ(Scan(BitmapCommand(kLcdMaxBmpBytes + 1, 6)).status, VyLcdScanStatus::kInvalid);
    EXPECT_EQ(Scan(BitmapCommand(kLcdMaxBmpBytes, 6)).status, VyLcdScanStatus::kNeedMore);
    EXPECT_EQ(Scan(BitmapCommand(kLcdMinBmpBytes - 1, 30)).status, VyLcdScanStatus::kInvalid);
    std::string wrongMode = BitmapCommand(30, 30);
    wrongMode[7] = 0x02;
    EXPECT_EQ(Scan(wrongMode.substr(0, 8)).status, VyLcdScanStatus::kInvalid);
    std::string wrongMagic = BitmapCommand(30, 30);
    wrongMagic[9] = 'X';
    EXPECT_EQ(Scan(wrongMagic.substr(0, 10)).status, VyLcdScanStatus::kInvalid);
}

TEST(LcdCommandScan, TextWithoutEndIsCutOff) {
    std::string text = HexString("1B 50 52") + std::string(kLcdMaxTextBytes, 'A');
    EXPECT_EQ(Scan(text).status, VyLcdScanStatus::kNeedMore);
    EXPECT_EQ(Scan(text + '\0').length, text.size() + 1);
    EXPECT_EQ(Scan(text + 'A').status, VyLcdScanStatus::kInvalid);
}

TEST(LcdCommandParser, KeepsPartialCommandsAcrossFeeds) {
    CVylLcdCommandParser parser;
    std::vector<VyLcdCommand> done;
    const std::string bytes = HexString("1B 42 58 0A 00 14 00 64 00 32 00 1B 50 52 41 42 00");
    for (size_t i = 0; i < 10; ++i) {
        parser.Feed(bytes.substr(i, 1), &done);
    }
    EXPECT_TRUE(done.empty());
    EXPECT_EQ(parser.GetPendingBytes(), 10u);
    parser.Feed(bytes.substr(10, 5), &done);
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0], (VyLcdCommand{"BX", HexString("0A 00 14 00 64 00 32 00")}));
    parser.Feed(bytes.substr(15), &done);
    ASSERT_EQ(done.size(), 2u);
    EXPECT_EQ(done[1], (VyLcdCommand{"PR", std::string("AB\0", 3)}));
    EXPECT_EQ(parser.GetPendingBytes(), 0u);
    EXPECT_EQ(parser.GetGarbageBytes(), 0);
}

TEST(LcdCommandParser, EscapeByteAsArgumentStartsNoCommand) {
    CVylLcdCommandParser parser;
    std::vector<VyLcdCommand> done;
    parser.Feed(HexString("1B 42 58 1B 00 1B 00 1B 43 4C 00 1B 43 4C 00"), &done);
    ASSERT_EQ(done.size(), 2u);
    EXPECT_EQ(done[0].args, HexString("1B 00 1B 00 1B 43 4C 00"));
    EXPECT_EQ(done[1].name, "CL");
}

TEST(LcdCommandParser, SkipsAndCountsGarbage) {
    CVylLcdCommandParser parser;
    std::vector<VyLcdCommand> done;
    parser.Feed(HexString("41 42 43 1B 43 4C 00"), &done);
    EXPECT_EQ(parser.GetGarbageBytes(), 3);
    parser.Feed(HexString("1B 58 59 01 02 1B 53"), &done);
    EXPECT_EQ(parser.GetGarbageBytes(), 8);
    parser.Feed(HexString("43 00"), &done);
    ASSERT_EQ(done.size(), 2u);
    EXPECT_EQ(done[1], (VyLcdCommand{"SC", HexString("00")}));
    // A doubled escape byte: the second one starts the command.
    parser.Feed(HexString("1B 1B 43 4C 00"), &done);
    EXPECT_EQ(parser.GetGarbageBytes(), 9);
    EXPECT_EQ(done.size(), 3u);
}

TEST(LcdCommandParser, LyingBitmapHeaderIsSkipped) {
    CVylLcdCommandParser parser;
    std::vector<VyLcdCommand> done;
    const std::string lie = BitmapCommand(0xFFFFFFF0u, 8);
    parser.Feed(lie, &done);
    EXPECT_EQ(parser.GetGarbageBytes(), static_cast<int64_t>(lie.size()));
    EXPECT_EQ(parser.GetPendingBytes(), 0u);
    parser.Feed(HexString("1B 43 4C 00"), &done);
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0].name, "CL");
}

TEST(LcdCommandParser, WholeBitmapIsOneCommand) {
    CVylLcdCommandParser parser;
    std::vector<VyLcdCommand> done;
    const std::string bitmap = BitmapCommand(40, 40);
    parser.Feed(bitmap.substr(0, 20), &done);
    parser.Feed(bitmap.substr(20) + HexString("1B 43 4C 00"), &done);
    ASSERT_EQ(done.size(), 2u);
    EXPECT_EQ(done[0].name, "BD");
    EXPECT_EQ(done[0].args.size(), 45u);
    EXPECT_EQ(parser.GetGarbageBytes(), 0);
}

}  // namespace
