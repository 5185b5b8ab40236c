#include "app/source/source_generator.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "editor/tree/code_page.h"
#include "tests/support/hex.h"
#include "tests/support/object_builders.h"

namespace {

// Trimmed defaults, as the dialog hands them over, with some settings changed.
CVylSourceSettings Settings(std::vector<std::pair<const char*, const char*>> changes = {}) {
    CVylSourceSettings settings;
    for (const auto& [key, value] : changes) {
        settings.Set(key, value);
    }
    settings.TrimAll();
    return settings;
}

constexpr int32_t kEsc = 27;

TEST(FormatProgramSource, WorkedExampleWithAndWithoutLetters) {
    const VyByteArray bytes = Hex("1B 42 58 00 0A 01");
    EXPECT_EQ(FormatProgramSource(bytes, {6}, kEsc, Settings()),
              "CONST DEVICE = 3H\r\nSET HCODE KS5601\r\n"
              "SEROUT 0,47,0,0,[&H1B,\"BX\",&H00,&H0A,&H01]");
    EXPECT_EQ(FormatProgramSource({}, {}, kEsc, Settings({{"src_header", "H"}})), "H\r\n");
    const auto hex =
        Settings({{"operand_by_alphabet", "0"}, {"byte_foot", "h"}, {"src_header", ""}});
    EXPECT_EQ(FormatProgramSource(bytes, {6}, kEsc, hex),
              "\r\nSEROUT 0,47,0,0,[&H1Bh,&H42h,&H58h,&H00h,&H0Ah,&H01h]");
}

TEST(FormatProgramSource, ByteDivisionCountsBytesNotItems) {
    const auto three = Settings({{"src_header", "H"}, {"bytes_per_line", "3"}});
    EXPECT_EQ(FormatProgramSource(Hex("1B 41 42 01 02 03 04 05"), {8}, kEsc, three),
              "H\r\nSEROUT 0,47,0,0,[&H1B,\"AB\"]\r\n"
              "SEROUT 0,47,0,0,[&H01,&H02,&H03]\r\n"
              "SEROUT 0,47,0,0,[&H04,&H05]");
    // A mnemonic cut by the line end starts the next line as a new item.
    const auto two = Settings(
        {{"src_header", "H"}, {"bytes_per_line", "2"}, {"line_foot", ";"}, {"line_header", "L:"}});
    EXPECT_EQ(FormatProgramSource(Hex("1B 41 42"), {3}, kEsc, two),
              "H\r\nL:&H1B,\"A\";\r\nL:\"B\";");
}

TEST(FormatProgramSource, CommandDivisionStartsEveryCommandOnALine) {
    const VyByteArray bytes = Hex("1B 01 02 03 04 1B 05 06 07 08 09 0A");
    const VyLengthArray lengths = {5, 7};
    auto settings = Settings({{"src_header", "H"},
                              {"line_header", "<"},
                              {"line_foot", ">"},
                              {"byte_header", ""},
                              {"operand_by_alphabet", "0"}});
    EXPECT_EQ(FormatProgramSource(bytes, lengths, kEsc, settings),
              "H\r\n<1B,01,02,03,04,1B,05,06,07,08,09,0A>");
    settings.Set("line_division", "cmd");
    EXPECT_EQ(FormatProgramSource(bytes, lengths, kEsc, settings),
              "H\r\n<1B,01,02,03,04>\r\n<1B,05,06,07,08,09,0A>");
    // An operand equal to the escape code (a box at x = 27) is no command.
    EXPECT_EQ(FormatProgramSource(Hex("1B 01 1B 00 1B 05"), {4, 2}, kEsc, settings),
              "H\r\n<1B,01,1B,00>\r\n<1B,05>");
    settings.Set("bytes_per_line", "4");
    EXPECT_EQ(FormatProgramSource(bytes, lengths, 0x11B, settings),
              "H\r\n<1B,01,02,03>\r\n<04>\r\n<1B,05,06,07>\r\n<08,09,0A>");
}

class GenerateProgramSourceTest : public ::testing::Test {
  protected:
    void SetUp() override { dc.InitDeviceContext(kModelVyb3224); }
    CVylDeviceContext dc;
    CVylObjectGroup group;
};

constexpr const char* kBoxLine =
    "SEROUT 0,47,0,0,[&H1B,\"DS\",&H01,&H00,&H1B,\"LS\",&H00,&H1B,\"SC\",&H01,"
    "&H1B,\"BX\",&H0A,&H00,&H14,&H00,&H64,&H00,&H32,&H00]";

TEST_F(GenerateProgramSourceTest, RefusesAnEmptyDrawingAndABadSetting) {
    VySourceResult result = GenerateProgramSource(dc, group, Settings());
    EXPECT_EQ(result.status, VySourceStatus::kNoObjects);
    EXPECT_EQ(result.message, Utf8ToCp949("그래픽 데이터가 없습니다."));
    EXPECT_EQ(result.text, "");

    group.InsertOnTop(1, MakeShape(1, kObjBox, 10, 20, 100, 50));
    result = GenerateProgramSource(dc, group, Settings({{"bytes_per_line", "70000"}}));
    EXPECT_EQ(result.status, VySourceStatus::kInvalidSetting);
    EXPECT_EQ(result.validation.key, "bytes_per_line");
    EXPECT_EQ(result.message, result.validation.message);
    EXPECT_EQ(result.text, "");
}

TEST_F(GenerateProgramSourceTest, FormatsTheDrawingAndKeepsWhatCameBeforeAFailure) {
    group.InsertOnTop(1, MakeShape(1, kObjBox, 10, 20, 100, 50));
    const std::string expected = std::string("X\r\n") + kBoxLine;
    VySourceResult result = GenerateProgramSource(dc, group, Settings({{"src_header", "X"}}));
    EXPECT_EQ(result.status, VySourceStatus::kOk);
    EXPECT_EQ(result.text, expected);

    group.InsertOnTop(2, MakeObject(2, kObjBitmap, 0, 0, 1, 1));
    result = GenerateProgramSource(dc, group, Settings({{"src_header", "X"}}));
    EXPECT_EQ(result.status, VySourceStatus::kExtractionStopped);
    EXPECT_EQ(result.extractStatus, kExtractBytesAttrMissing);
    EXPECT_EQ(result.text, expected);
}

}  // namespace
