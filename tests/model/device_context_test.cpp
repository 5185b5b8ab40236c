#include "editor/model/device_context.h"

#include <gtest/gtest.h>

namespace {

class DeviceContext : public ::testing::Test {
  protected:
    void SetUp() override { dc.InitDeviceContext(kModelVyb3224); }
    CVylDeviceContext dc;
};

TEST_F(DeviceContext, ModelTreeKeys) {
    EXPECT_EQ(dc.GetString("model"), "VYB3224");
    EXPECT_EQ(dc.GetInt("resolution_x", 0), 320);
    EXPECT_EQ(dc.GetInt("resolution_y", 0), 240);
    EXPECT_EQ(dc.GetInt("escape_code", 0), 27);
    EXPECT_EQ(dc.GetInt("alnum_font_start_char", 0), 32);
    EXPECT_EQ(dc.GetString("alnum_fix_font_spec"), "7|7|8|8|8|8|12|12|25");
    EXPECT_EQ(dc.GetString("byte_colors"), "escape=1984170&opcode=2009670");
    EXPECT_EQ(dc.GetString("byte_props"), "0=escape&1=opcode&2=opcode");
    EXPECT_EQ(dc.GetString("kor_font_spec").substr(0, 33),
              "3|width|height|face|10|16|\xB5\xB8\xBF\xF2|10");
    const std::string extract = dc.GetString("cmd_extract_reference");
    EXPECT_EQ(extract.substr(0, 52), "8|2|3|4|5|6|7|8|9|esc:*:*|esc:*:*|loop_start:line_co");
}

TEST_F(DeviceContext, KoreanFontTable) {
    EXPECT_EQ(dc.GetKorFontWidth(0), 10);
    EXPECT_EQ(dc.GetKorFontHeight(0), 16);
    EXPECT_EQ(dc.GetKorFontWidth(6), 24);
    EXPECT_EQ(dc.GetKorFontHeight(8), 48);
    EXPECT_EQ(dc.GetKorFontWidth(9), 0);
    EXPECT_EQ(dc.GetKorFontWidth(-1), 0);
    EXPECT_EQ(dc.GetKorFontFace(1), "\xBB\xF9\xB9\xB0");
    EXPECT_EQ(dc.GetKorFontFace(9), "");
    const std::vector<std::string> fonts = dc.GetKorFontList();
    ASSERT_EQ(fonts.size(), 9u);
    EXPECT_EQ(fonts[0], "10x16,\xB5\xB8\xBF\xF2");
    EXPECT_EQ(fonts[8], "48x48,\xB5\xB8\xBF\xF2");
    EXPECT_EQ(CVylDeviceContext::GetAlnumModeList(),
              (std::vector<std::string>{"\xB0\xED\xC1\xA4", "\xB0\xA1\xBA\xAF"}));
}

TEST_F(DeviceContext, AlphanumericWidths) {
    bool noEntry = true;
    EXPECT_EQ(dc.GetAlnumCharWidth(3, false, 'W', &noEntry), 8);
    EXPECT_FALSE(noEntry);
    EXPECT_EQ(dc.GetAlnumCharWidth(3, true, 'W', &noEntry), 15);
    EXPECT_EQ(dc.GetAlnumCharWidth(3, true, ' ', &noEntry), 8);
    EXPECT_EQ(dc.GetAlnumCharWidth(6, true, '~', &noEntry), 20);
    EXPECT_EQ(dc.GetAlnumCharWidth(8, true, 'W', &noEntry), 48);
    for (int c = 32; c <= 126; ++c) {
        EXPECT_EQ(dc.GetAlnumCharWidth(0, true, static_cast<uint8_t>(c), &noEntry), 7);
    }
    EXPECT_FALSE(noEntry);
    EXPECT_EQ(dc.GetAlnumCharWidth(3, true, 31, &noEntry), 16);
    EXPECT_TRUE(noEntry);
    EXPECT_EQ(dc.GetAlnumCharWidth(6, true, 127, &noEntry), 24);
    EXPECT_TRUE(noEntry);
    EXPECT_EQ(dc.GetAlnumCharWidth(9, false, 'A', &noEntry), -1);
    EXPECT_EQ(dc.GetAlnumCharWidth(6, false, 'A', &noEntry), 12);
}

TEST_F(DeviceContext, AverageWidths) {
    EXPECT_EQ(dc.GetAlnumAverageWidth(0), 7);
    EXPECT_EQ(dc.GetAlnumAverageWidth(4), 8);
    EXPECT_EQ(dc.GetAlnumAverageWidth(7), 13);
    EXPECT_EQ(dc.GetAlnumAverageWidth(8), 27);
    EXPECT_EQ(dc.GetAlnumAverageWidth(9), 0);
}

TEST(DeviceContextOtherModel, KeepsOnlyTheModelName) {
    CVylDeviceContext dc;
    dc.InitDeviceContext("VYB3224");
    dc.InitDeviceContext("OTHER");
    EXPECT_EQ(dc.Count(), 1u);
    EXPECT_EQ(dc.GetString("model"), "OTHER");
    EXPECT_EQ(dc.GetKorFontWidth(0), 0);
    EXPECT_EQ(dc.GetKorFontFace(0), "");
    EXPECT_TRUE(dc.GetKorFontList().empty());
}

TEST(DeviceContextBrokenTables, UnparsableTablesGiveMinusOne) {
    CVylDeviceContext dc;
    dc.InitDeviceContext(kModelVyb3224);
    CVylDeviceContext broken = dc;
    broken.SetString("kor_font_spec", "2|a|b|c");
    bool noEntry = false;
    EXPECT_EQ(broken.GetKorFontWidth(0), -1);
    broken.SetString("alnum_var_font_spec", "5|x");
    EXPECT_EQ(broken.GetAlnumCharWidth(3, true, 'A', &noEntry), -1);
}

}  // namespace
