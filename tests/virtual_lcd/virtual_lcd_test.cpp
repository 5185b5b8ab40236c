#include "editor/virtual_lcd/virtual_lcd.h"

#include <gtest/gtest.h>

#include <fstream>
#include <limits>
#include <sstream>

#include "editor/image/bmp_codec.h"

#include "tests/support/hex.h"

namespace {

// Escape, the letters and 16-bit values, low byte first.
std::string Words(const std::string& name, std::initializer_list<int32_t> values) {
    std::string out = "\x1B" + name;
    for (int32_t v : values) {
        out.push_back(static_cast<char>(v & 0xFF));
        out.push_back(static_cast<char>((v >> 8) & 0xFF));
    }
    return out;
}

std::string Bytes(const std::string& name, std::initializer_list<int32_t> values) {
    std::string out = "\x1B" + name;
    for (int32_t v : values) {
        out.push_back(static_cast<char>(v));
    }
    return out;
}

std::string Print(const std::string& text) {
    return "\x1B"
           "PR" +
           text + '\0';
}

struct Span {
    int32_t left = 1 << 30;
    int32_t right = -1;
    int32_t top = 1 << 30;
    int32_t bottom = -1;
};

Span DotSpan(const CVylVirtualLcd& lcd) {
    Span s;
    for (int32_t y = 0; y < kLcdHeight; ++y) {
        for (int32_t x = 0; x < kLcdWidth; ++x) {
            if (lcd.GetDot(x, y)) {
                s = {std::min(s.left, x), std::max(s.right, x), std::min(s.top, y),
                     std::max(s.bottom, y)};
            }
        }
    }
    return s;
}

int32_t DotsInColumns(const CVylVirtualLcd& lcd, int32_t left, int32_t right) {
    int32_t count = 0;
    for (int32_t y = 0; y < kLcdHeight; ++y) {
        for (int32_t x = left; x <= right; ++x) {
            count += lcd.GetDot(x, y) ? 1 : 0;
        }
    }
    return count;
}

std::vector<std::string> SampleCommands() {
    std::ifstream in(std::string(VY_SOURCE_ROOT) + "/tests/tools/cli/data/showcase.bytes.txt");
    std::vector<std::string> commands;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty()) {
            commands.push_back(HexString(line));
        }
    }
    return commands;
}

TEST(VirtualLcd, AnswersEveryCompleteCommandOnce) {
    CVylVirtualLcd lcd;
    EXPECT_EQ(lcd.Feed(HexString("1B 43 4C 00 1B 53 43 01 1B 42 58")), "KK");
    EXPECT_EQ(lcd.Feed(HexString("0A 00 14 00 64 00")), "");
    EXPECT_EQ(lcd.Feed(HexString("32 00 1B")), "K");
    EXPECT_EQ(lcd.Feed(HexString("58 59 1B 43 4C 00")), "K");
    EXPECT_EQ(lcd.GetCommandCount(), 4);
    EXPECT_EQ(lcd.GetGarbageBytes(), 3);
}

TEST(VirtualLcd, BoxOfOneDotLines) {
    CVylVirtualLcd lcd;
    lcd.Feed(Bytes("DS", {0, 0}) + Words("BX", {100, 50, 10, 20}));
    EXPECT_EQ(lcd.GetFrame().CountDots(), 2 * 91 + 2 * 29);
    for (int32_t x = 10; x <= 100; ++x) {
        ASSERT_TRUE(lcd.GetDot(x, 20) && lcd.GetDot(x, 50)) << x;
    }
    for (int32_t y = 20; y <= 50; ++y) {
        ASSERT_TRUE(lcd.GetDot(10, y) && lcd.GetDot(100, y)) << y;
    }
}

TEST(VirtualLcd, LineWidthIsDotSizePlusOne) {
    CVylVirtualLcd lcd;
    lcd.Feed(Bytes("DS", {1, 0}) + Words("BX", {10, 20, 100, 50}));
    const Span s = DotSpan(lcd);
    EXPECT_EQ(s.left, 10);
    EXPECT_EQ(s.top, 20);
    EXPECT_EQ(s.right, 101);
    EXPECT_EQ(s.bottom, 51);
    EXPECT_EQ(lcd.GetFrame().CountDots(), 92 * 32 - 88 * 28);
    EXPECT_TRUE(lcd.GetDot(11, 30));
    EXPECT_FALSE(lcd.GetDot(12, 30));
}

TEST(VirtualLcd, LineKeepsItsDirection) {
    CVylVirtualLcd lcd;
    lcd.Feed(Words("LI", {100, 5, 3, 239}));
    EXPECT_TRUE(lcd.GetDot(100, 5));
    EXPECT_TRUE(lcd.GetDot(3, 239));
    EXPECT_EQ(lcd.GetFrame().CountDots(), 235);
    // Dashes start where the line starts: right to left, the right end is on.
    CVylVirtualLcd dotted;
    dotted.Feed(Bytes("LS", {4}) + Words("LI", {50, 10, 10, 10}) + Words("LI", {11, 30, 50, 30}));
    for (int32_t x = 10; x <= 50; ++x) {
        EXPECT_EQ(dotted.GetDot(x, 10), (50 - x) % 4 == 0) << x;
        EXPECT_EQ(dotted.GetDot(x, 30), x <= 47 && (x - 11) % 4 == 0) << x;
    }
}

TEST(VirtualLcd, DottedSpacingAndWidth) {
    CVylVirtualLcd lcd;
    lcd.Feed(Bytes("DS", {2, 0}) + Bytes("LS", {5}) + Words("LI", {0, 100, 19, 100}));
    for (int32_t x = 0; x <= 21; ++x) {
        const bool dash = x <= 19 && x % 5 < 3;
        for (int32_t y = 98; y <= 102; ++y) {
            EXPECT_EQ(lcd.GetDot(x, y), dash && y >= 99 && y <= 101) << x << "," << y;
        }
    }
}

TEST(VirtualLcd, FilledBoxAndColour) {
    CVylVirtualLcd lcd;
    lcd.Feed(Words("BF", {30, 40, 20, 35}) + '\0');
    EXPECT_EQ(lcd.GetFrame().CountDots(), 11 * 6);
    EXPECT_TRUE(lcd.GetDot(30, 40));
    EXPECT_TRUE(lcd.GetDot(20, 35));
    lcd.Feed(Bytes("SC", {0}) + Words("BF", {21, 36, 29, 39}) + '\0');
    EXPECT_EQ(lcd.GetFrame().CountDots(), 11 * 6 - 9 * 4);
    EXPECT_FALSE(lcd.GetDot(25, 37));
    lcd.Feed(HexString("1B 53 43 01 1B 43 4C 00"));
    EXPECT_EQ(lcd.GetFrame().CountDots(), 0);
}

TEST(VirtualLcd, EllipsesAndArcs) {
    CVylVirtualLcd lcd;
    lcd.Feed(Words("EL", {160, 120, 40, 30}));
    EXPECT_TRUE(lcd.GetDot(200, 120) && lcd.GetDot(120, 120));
    EXPECT_TRUE(lcd.GetDot(160, 90) && lcd.GetDot(160, 150));
    EXPECT_FALSE(lcd.GetDot(160, 120));
    const Span s = DotSpan(lcd);
    EXPECT_EQ(s.left, 120);
    EXPECT_EQ(s.right, 200);
    CVylVirtualLcd filled;
    filled.Feed(Words("EF", {160, 120, 40, 30}));
    EXPECT_TRUE(filled.GetDot(160, 120) && filled.GetDot(200, 120));
    EXPECT_FALSE(filled.GetDot(201, 120) || filled.GetDot(199, 91));
    CVylVirtualLcd arc;
    arc.Feed(Words("AR", {160, 120, 25, 0, 180}));
    EXPECT_TRUE(arc.GetDot(185, 120) && arc.GetDot(135, 120) && arc.GetDot(160, 95));
    EXPECT_FALSE(arc.GetDot(160, 145));
    EXPECT_EQ(DotSpan(arc).bottom, 120);
    // Outlines far larger than the screen still show the part that crosses it.
    CVylVirtualLcd huge;
    huge.Feed(Words("EL", {160, 30120, 20000, 30000}) + Words("EL", {30300, 60, 30000, 20000}));
    EXPECT_TRUE(huge.GetDot(160, 120) && huge.GetDot(300, 60));
    EXPECT_FALSE(huge.GetDot(160, 121) || huge.GetDot(299, 60));
    // Seen from either side, such an outline is the same, mirrored.
    CVylVirtualLcd right;
    CVylVirtualLcd left;
    right.Feed(Words("EL", {30300, 100, 30200, 200}));
    left.Feed(Words("EL", {-29981, 100, 30200, 200}));
    int mismatches = 0;
    for (int32_t y = 0; y < kLcdHeight; ++y) {
        for (int32_t x = 0; x < kLcdWidth; ++x) {
            mismatches += right.GetDot(x, y) != left.GetDot(kLcdWidth - 1 - x, y) ? 1 : 0;
        }
    }
    EXPECT_GT(right.GetFrame().CountDots(), 100);
    EXPECT_EQ(mismatches, 0);
}

// Positions beyond 32 bits (text that only moves on, stamps of far corners)
// must neither wrap back onto the screen nor out of the frame.
TEST(VirtualLcd, FarAwayDrawingNeverWraps) {
    CVylLcdFrame frame;
    frame.FillRect(int64_t{1} << 32, 0, (int64_t{1} << 32) + 10, 10, true);
    frame.FillRect((int64_t{1} << 31) + 5, 0, (int64_t{1} << 31) + 9, 10, true);
    frame.FillRect(-(int64_t{1} << 33), 5, -(int64_t{1} << 32), 5, true);
    EXPECT_EQ(frame.CountDots(), 0);
    CVylDeviceContext dc;
    dc.InitDeviceContext(kModelVyb3224);
    const int32_t next = DrawLcdText(frame, dc, {std::numeric_limits<int32_t>::max() - 10, 100},
                                     "WWWW", VyLcdTextStyle{});
    EXPECT_EQ(next, std::numeric_limits<int32_t>::max());
    EXPECT_EQ(frame.CountDots(), 0);
}

TEST(VirtualLcd, FixedWidthTextAdvances) {
    CVylVirtualLcd lcd;
    lcd.Feed(Bytes("FO", {3, 0}) + Words("GL", {40, 100}) + Print("WW"));
    EXPECT_EQ(lcd.GetDrawState().textPos, (VyDot{56, 100}));
    // Each glyph is centred in its eight-dot cell, one row below the line top.
    for (int32_t left : {41, 49}) {
        EXPECT_TRUE(lcd.GetDot(left, 101) && lcd.GetDot(left + 4, 101)) << left;
        EXPECT_FALSE(lcd.GetDot(left + 1, 101)) << left;
    }
    EXPECT_EQ(DotsInColumns(lcd, 46, 48), 0);
    const Span s = DotSpan(lcd);
    EXPECT_EQ(s.left, 41);
    EXPECT_EQ(s.right, 53);
    EXPECT_GE(s.top, 100);
    EXPECT_LE(s.bottom, 115);
}

TEST(VirtualLcd, ProportionalTextAdvances) {
    CVylVirtualLcd lcd;
    lcd.Feed(Bytes("FO", {3, 1}) + Words("GL", {40, 100}) + Print("W") + Print("i"));
    EXPECT_EQ(lcd.GetDrawState().textPos.x, 40 + 15 + 3);
    EXPECT_GT(DotsInColumns(lcd, 40, 54), 0);
    EXPECT_GT(DotsInColumns(lcd, 55, 57), 0);
    EXPECT_EQ(DotsInColumns(lcd, 58, kLcdWidth - 1), 0);
}

TEST(VirtualLcd, DoubleByteCharactersAndSmallFontShift) {
    CVylVirtualLcd lcd;
    const std::string wide = "\xB0\xA1";
    lcd.Feed(Bytes("FO", {1, 0}) + Words("GL", {40, 100}) + Print(wide + "A"));
    EXPECT_EQ(lcd.GetDrawState().textPos.x, 40 + 11 + 7);
    const Span s = DotSpan(lcd);
    EXPECT_EQ(s.left, 40);
    EXPECT_LE(s.right, 57);
    EXPECT_LE(s.bottom, 100 + 13);
    // Font 1 stands three dots above the line for double-byte characters and
    // two for one-byte ones; each glyph starts a row below its cell's top.
    EXPECT_TRUE(lcd.GetDot(40, 98) && lcd.GetDot(49, 98));
    EXPECT_FALSE(lcd.GetDot(40, 97));
    EXPECT_EQ(DotsInColumns(lcd, 50, 51), 0);
    EXPECT_TRUE(lcd.GetDot(53, 99) && lcd.GetDot(55, 99));
    EXPECT_FALSE(lcd.GetDot(53, 98));
}

TEST(VirtualLcd, TextStyles) {
    CVylVirtualLcd lcd;
    lcd.Feed(Bytes("FO", {3, 0}) + Bytes("FS", {2, 1, 1}) + Words("GL", {40, 100}) + Print("I"));
    const VyLcdTextStyle& style = lcd.GetDrawState().text;
    EXPECT_EQ(style.boldState, 2);
    EXPECT_TRUE(style.inverse && style.underline);
    EXPECT_TRUE(lcd.GetDot(39, 100) && lcd.GetDot(48, 114));
    EXPECT_FALSE(lcd.GetDot(43, 101));  // the glyph is cut out of the inverse cell
    EXPECT_TRUE(lcd.GetDot(37, 115) && lcd.GetDot(50, 115));  // underline
}

TEST(VirtualLcd, BitmapAtItsPosition) {
    VyRaster picture = MakeRaster(8, 4, 1);
    picture.palette = {0xFF000000u, 0xFFFFFFFFu};
    for (int32_t y = 0; y < 4; ++y) {
        for (int32_t x = 0; x < 8; ++x) {
            picture.pixels[static_cast<size_t>(y * 8 + x)] = (x + y) % 3 == 0 ? 0 : 1;
        }
    }
    CVylVirtualLcd lcd;
    EXPECT_EQ(lcd.Feed(Words("BF", {104, 50, 107, 53}) + '\0' + Words("BD", {100, 50}) + '\x01' +
                       EncodeBmp(picture)),
              "KK");
    for (int32_t y = 0; y < 4; ++y) {
        for (int32_t x = 0; x < 8; ++x) {
            EXPECT_EQ(lcd.GetDot(100 + x, 50 + y), (x + y) % 3 == 0 || x >= 4) << x << "," << y;
        }
    }
    EXPECT_EQ(lcd.GetFrame().CountDots(), 16 + 6);
}

std::string Little32(uint32_t v) {
    return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
            static_cast<char>(v >> 24)};
}

// A run-length coded 32768 x 1024 picture in about 66 KB: every line ends at
// once, so every dot is palette entry 0 (black).
std::string HugeRunLengthBmp() {
    const std::string info = Little32(40) + Little32(32768) + Little32(1024) +
                             HexString("01 00 08 00") + Little32(1) + Little32(0) + Little32(0) +
                             Little32(0) + Little32(2) + Little32(0);
    const std::string palette = HexString("00 00 00 00 FF FF FF 00");
    std::string data;
    for (int line = 0; line < 33000; ++line) {
        data += std::string("\0\0", 2);
    }
    data += HexString("00 01");
    const auto offset = static_cast<uint32_t>(14 + info.size() + palette.size());
    const auto size = static_cast<uint32_t>(offset + data.size());
    return "BM" + Little32(size) + Little32(0) + Little32(offset) + info + palette + data;
}

TEST(VirtualLcd, UnreadableBitmapIsAnsweredAndDrawsNothing) {
    CVylVirtualLcd lcd;
    std::string file = HexString("42 4D 20 00 00 00");
    file.resize(32, '\x55');
    EXPECT_EQ(lcd.Feed(Words("BD", {0, 0}) + '\x01' + file), "K");
    EXPECT_EQ(lcd.GetFrame().CountDots(), 0);
    // Far more dots than any bitmap command can carry uncompressed: refused
    // rather than held in full for the few the screen shows.
    EXPECT_EQ(lcd.Feed(Words("BD", {0, 0}) + '\x01' + HugeRunLengthBmp()), "K");
    EXPECT_EQ(lcd.GetFrame().CountDots(), 0);
}

TEST(VirtualLcd, StateAndOptionCommands) {
    CVylVirtualLcd lcd;
    lcd.Feed(HexString("1B 44 53 03 00 1B 53 43 00 1B 4C 53 07 1B 46 4F 06 01 1B 42 4C 01"));
    lcd.Feed(HexString("1B 50 47 02 1B 4F 4D 02 1B 57 4D 01 1B 50 4D 01 00 03 1B 56 45 C2 01"));
    const VyLcdDrawState& state = lcd.GetDrawState();
    EXPECT_EQ(state.dotSize, 3);
    EXPECT_FALSE(state.colorOn);
    EXPECT_EQ(state.dottedSpacing, 7);
    EXPECT_EQ(state.text.korFont, 6);
    EXPECT_EQ(state.text.alnumFont, 1);
    const VyLcdOptions& options = lcd.GetOptions();
    EXPECT_EQ(options.backlight, 1);
    EXPECT_EQ(options.graphicLayer, 2);
    EXPECT_EQ(options.overlayMode, 2);
    EXPECT_EQ(options.writeMode, 1);
    EXPECT_EQ(options.layerStates, (std::array<int32_t, 3>{1, 0, 3}));
    EXPECT_EQ(options.brightness, 450);
    EXPECT_EQ(lcd.GetCommandCount(), 10);
}

TEST(VirtualLcd, SampleDrawingParsesWithoutGarbage) {
    const std::vector<std::string> commands = SampleCommands();
    ASSERT_EQ(commands.size(), 21u);
    std::string all;
    for (const std::string& command : commands) {
        all += command;
    }
    CVylVirtualLcd whole;
    EXPECT_EQ(whole.Feed(all), std::string(commands.size(), 'K'));
    EXPECT_EQ(whole.GetGarbageBytes(), 0);
    EXPECT_TRUE(whole.GetDot(10, 10) && whole.GetDot(151, 71));     // box, two dots wide
    EXPECT_TRUE(whole.GetDot(195, 173) && whole.GetDot(242, 150));  // bitmap frame
    EXPECT_FALSE(whole.GetDot(200, 155));                           // its white inside
    EXPECT_TRUE(whole.GetDot(150, 190));                            // filled ellipse
    CVylVirtualLcd byteByByte;
    std::string replies;
    for (char byte : all) {
        replies += byteByByte.Feed(std::string(1, byte));
    }
    EXPECT_EQ(replies, std::string(commands.size(), 'K'));
    EXPECT_TRUE(byteByByte.GetFrame() == whole.GetFrame());
}

}  // namespace
