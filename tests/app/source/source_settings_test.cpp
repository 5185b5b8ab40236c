#include "app/source/source_settings.h"

#include <gtest/gtest.h>

#include <string>

#include "editor/tree/code_page.h"
#include "tests/support/temp_folder.h"

namespace {

// Expected texts are written in readable Korean and compared in CP949.
std::string K(const char* utf8) {
    return Utf8ToCp949(utf8);
}

TEST(SourceSettings, DefaultsLabelsAndChoices) {
    CVylSourceSettings settings;
    EXPECT_EQ(settings.Get("src_header"), "CONST DEVICE = 3H\r\nSET HCODE KS5601\r\n");
    EXPECT_EQ(settings.Get("line_header"), "SEROUT 0,47,0,0,[");
    EXPECT_EQ(settings.Get("line_foot"), "]");
    EXPECT_EQ(settings.Get("bytes_per_line"), "25");
    EXPECT_EQ(settings.Get("line_division"), "");
    EXPECT_EQ(settings.Get("byte_header"), "&H");
    EXPECT_EQ(settings.Get("byte_foot"), "");
    EXPECT_EQ(settings.Get("operand_by_alphabet"), "1");
    EXPECT_EQ(CVylSourceSettings::Label("bytes_per_line"), K("행당 (최대) 바이트 수"));
    EXPECT_EQ(CVylSourceSettings::LongLabel("bytes_per_line"), K("한 행당 커맨드 바이트 수"));
    const auto choices = CVylSourceSettings::LineDivisionChoices();
    ASSERT_EQ(choices.size(), 2u);
    EXPECT_EQ(choices[0].value + "=" + choices[0].label, "bytes=" + K("바이트 수에 따라"));
    EXPECT_EQ(choices[1].value + "=" + choices[1].label, "cmd=" + K("커맨드에 따라"));
    EXPECT_EQ(settings.Set("no_such_key", "x"), 0);
    EXPECT_EQ(settings.Get("no_such_key"), "");
}

TEST(SourceSettings, ResetKeepsTheLineDivision) {
    CVylSourceSettings settings;
    settings.Set("line_division", "cmd");
    settings.Set("byte_header", "0x");
    settings.ResetToDefaults();
    EXPECT_EQ(settings.Get("byte_header"), "&H");
    EXPECT_EQ(settings.Get("line_division"), "cmd");
}

TEST(SourceSettings, SaveLoadRoundTripAndDefaultsForWhatIsMissing) {
    VyTempFolder folder;
    const std::string path = folder.File("env.cfg");
    CVylSourceSettings saved;
    saved.Set("src_header", "  REM top \r\n\t");
    saved.Set("line_division", "cmd");
    saved.TrimAll();
    ASSERT_EQ(saved.Save(path), 1);
    CVylSourceSettings loaded;
    loaded.Set("byte_foot", "h");
    ASSERT_EQ(loaded.Load(path), 1);
    EXPECT_EQ(loaded.Get("src_header"), "REM top");
    EXPECT_EQ(loaded.Get("line_division"), "cmd");
    EXPECT_EQ(loaded.Get("byte_foot"), "");

    CFxAssignGroupEx partial;
    partial.SetString("line_foot", ");");
    ASSERT_EQ(partial.SaveTreeToFile(path), 1);
    ASSERT_EQ(loaded.Load(path), 1);
    EXPECT_EQ(loaded.Get("line_foot"), ");");
    EXPECT_EQ(loaded.Get("src_header"), CVylSourceSettings::DefaultText("src_header"));

    EXPECT_EQ(loaded.Load(folder.File("missing.cfg")), 0);
    EXPECT_EQ(loaded.Get("line_foot"), "]");
}

TEST(SourceSettings, TrimAllStripsBlanksTabsAndLineBreaksOnly) {
    CVylSourceSettings settings;
    settings.Set("byte_header", "\t &H \r\n");
    settings.Set("line_header", "a \t b");
    settings.TrimAll();
    EXPECT_EQ(settings.Get("byte_header"), "&H");
    EXPECT_EQ(settings.Get("line_header"), "a \t b");
    EXPECT_EQ(settings.Get("src_header"), "CONST DEVICE = 3H\r\nSET HCODE KS5601");
}

TEST(SourceSettings, BytesPerLineRulesInOrder) {
    const struct {
        const char* value;
        const char* message;
    } refused[] = {
        {"", "한 행당 커맨드 바이트 수의 길이는 1~5자여야 합니다."},
        {"123456", "한 행당 커맨드 바이트 수의 길이는 1~5자여야 합니다."},
        {"abc", "한 행당 커맨드 바이트 수는 숫자로만 구성되야합니다."},
        {"0", "한 행당 커맨드 바이트 수는 1 이상이어야 합니다."},
        {"70000", "한 행당 커맨드 바이트 수는 65535 이하여야 합니다."},
    };
    CVylSourceSettings settings;
    for (const auto& c : refused) {
        settings.Set("bytes_per_line", c.value);
        const VySourceValidation result = settings.Validate();
        EXPECT_FALSE(result.IsValid()) << c.value;
        EXPECT_EQ(result.key, "bytes_per_line") << c.value;
        EXPECT_EQ(result.message, K(c.message)) << c.value;
    }
    for (const char* value : {"1", "65535", "00025"}) {
        settings.Set("bytes_per_line", value);
        EXPECT_TRUE(settings.Validate().IsValid()) << value;
    }
}

}  // namespace
