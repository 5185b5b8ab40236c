#include "editor/canvas/hex_listing.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kBrown = 0xAA461E;  // escape bytes
constexpr uint32_t kGreen = 0x46AA1E;  // opcode bytes
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kGrey = 0x787882;  // the character column

class HexListing : public ::testing::Test {
  protected:
    void SetUp() override { dc.InitDeviceContext(kModelVyb3224); }
    CVylDeviceContext dc;
};

TEST_F(HexListing, ColoursBytesByTheirPlaceInTheCommandAndAlignsTheLastLine) {
    // "DS" 1, then a box command.
    const VyByteArray bytes{0x1B, 0x44, 0x53, 0x01, 0x1B, 0x42, 0x58, 0x0A,
                            0x00, 0x14, 0x00, 0x64, 0x00, 0x32, 0x00};
    const VyHexListing listing = BuildHexListing(bytes, {4, 11}, dc, 8, true);
    EXPECT_FALSE(listing.cut);
    EXPECT_EQ(listing.runs, (std::vector<VyHexRun>{{"1B", kBrown},
                                                   {" ", kBlack},
                                                   {"44", kGreen},
                                                   {" ", kBlack},
                                                   {"53", kGreen},
                                                   {" 01 ", kBlack},
                                                   {"1B", kBrown},
                                                   {" ", kBlack},
                                                   {"42", kGreen},
                                                   {" ", kBlack},
                                                   {"58", kGreen},
                                                   {" 0A", kBlack},
                                                   {"     .DS..BX.\r\n", kGrey},
                                                   {"00 14 00 64 00 32 00", kBlack},
                                                   {"        ...d.2.\r\n", kGrey}}));
    EXPECT_EQ(HexListingText(listing),
              "1B 44 53 01 1B 42 58 0A     .DS..BX.\n"
              "00 14 00 64 00 32 00        ...d.2.\n");
}

TEST_F(HexListing, ListsThirtyBytesAtMostAndSaysItWasCut) {
    VyByteArray bytes(40, 0x41);
    VyHexListing listing = BuildHexListing(bytes, {40}, dc, 8, true);
    EXPECT_TRUE(listing.cut);
    const std::string text = HexListingText(listing);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4);
    EXPECT_EQ(text.substr(text.rfind("41 41 41 41 41 41")), "41 41 41 41 41 41           AAAAAA\n");
    // Every line's column starts in the same place.
    for (size_t start = 0; start < text.size(); start = text.find('\n', start) + 1) {
        EXPECT_EQ(text.find('A', start) - start, 28u);
    }
    listing = BuildHexListing(bytes, {40}, dc, 8, false);
    EXPECT_FALSE(listing.cut);
    const std::string whole = HexListingText(listing);
    EXPECT_EQ(std::count(whole.begin(), whole.end(), '\n'), 5);
}

TEST_F(HexListing, EmptyBytesAndUnknownColours) {
    EXPECT_TRUE(BuildHexListing({}, {}, dc, 8, true).runs.empty());
    CVylDeviceContext plain;
    plain.InitDeviceContext("OTHER");
    const VyHexListing listing = BuildHexListing({0x1B, 0x7F, 0x20}, {3}, plain, 1, true);
    EXPECT_EQ(HexListingText(listing), "1B     .\n7F     \x7F\n20     .\n");
    for (const VyHexRun& run : listing.runs) {
        EXPECT_TRUE(run.rgb == kBlack || run.rgb == kGrey);
    }
}

TEST(HexPaneSettings, BytesPerLineAndTheRoleLists) {
    EXPECT_EQ(HexBytesPerLine(0), 1);
    EXPECT_EQ(HexBytesPerLine(20), 4);
    EXPECT_EQ(HexBytesPerLine(1000), 127);
    const auto roles = ParseKeyValueList("0=escape&1=opcode&junk&2=opcode&");
    EXPECT_EQ(roles.size(), 3u);
    EXPECT_EQ(roles.at("2"), "opcode");
}

}  // namespace
