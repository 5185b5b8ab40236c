#include "app/source/source_presets.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/source/source_generator.h"
#include "editor/document/object_group.h"
#include "editor/tree/code_page.h"
#include "tests/support/hex.h"
#include "tests/support/temp_folder.h"

namespace {

// Three commands, one with the escape byte among its operands.
const VyByteArray kBytes = Hex("1B 43 4C 00  1B 42 58 1B 00 0A 00 96 00 46 00  1B 53 43 01");
const VyLengthArray kLengths = {4, 11, 4};

std::string Generate(VySourcePreset preset, uint32_t baud = 19200) {
    CVylSourceSettings settings;
    ApplyPreset(preset, settings);
    settings.TrimAll();
    return FormatProgramSource(kBytes, kLengths, 27, settings) + PresetTail(preset, kLengths, baud);
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// Runs a shell command; its standard output, and its exit status in status.
std::string RunShell(const std::string& command, int* status) {
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        *status = -1;
        return out;
    }
    char buffer[256];
    while (std::fgets(buffer, sizeof(buffer), pipe) != nullptr) {
        out += buffer;
    }
    *status = ::pclose(pipe);
    return out;
}

}  // namespace

TEST(SourcePresets, ListNamesAndMatching) {
    std::vector<std::string> labels;
    for (const VyPresetInfo& info : SourcePresets()) {
        labels.push_back(Cp949ToUtf8(info.label));
        EXPECT_EQ(PresetByName(info.name), info.preset);
    }
    EXPECT_EQ(labels, (std::vector<std::string>{"기본", "C 배열", "Arduino", "Python (pyserial)",
                                                "사용자 설정"}));
    EXPECT_FALSE(PresetByName("pascal"));

    // The default preset is the generator's defaults, unchanged.
    EXPECT_EQ(MatchingPreset(CVylSourceSettings()), VySourcePreset::kDefault);
    for (VySourcePreset preset :
         {VySourcePreset::kCArray, VySourcePreset::kArduino, VySourcePreset::kPython}) {
        CVylSourceSettings settings;
        ApplyPreset(preset, settings);
        EXPECT_EQ(MatchingPreset(settings), preset);
        settings.Set(kSrcKeyByteFoot, "h");
        EXPECT_EQ(MatchingPreset(settings), VySourcePreset::kCustom);
    }
    CVylSourceSettings custom;
    custom.Set(kSrcKeyLineHeader, "SEND [");
    ApplyPreset(VySourcePreset::kCustom, custom);
    EXPECT_EQ(custom.Get(kSrcKeyLineHeader), "SEND [") << "custom keeps what was typed";
    EXPECT_EQ(PresetTail(VySourcePreset::kDefault, kLengths, 9600), "");
    EXPECT_EQ(PresetTail(VySourcePreset::kCustom, kLengths, 9600), "");
}

TEST(SourcePresets, TheChoiceIsKeptAndOlderFilesStillRead) {
    VyTempFolder folder;
    const std::string path = folder.File("src_genr_env.cfg");
    CVylSourceSettings chosen;
    ApplyPreset(VySourcePreset::kArduino, chosen);
    chosen.SetPresetName("arduino");
    ASSERT_TRUE(chosen.Save(path));
    CVylSourceSettings loaded;
    ASSERT_TRUE(loaded.Load(path));
    EXPECT_EQ(StoredPreset(loaded), VySourcePreset::kArduino);

    // A file without the key: its settings decide.
    CVylSourceSettings older;
    older.Set(kSrcKeyByteHeader, "$");
    ASSERT_TRUE(older.Save(path));
    ASSERT_TRUE(loaded.Load(path));
    EXPECT_EQ(loaded.GetPresetName(), "");
    EXPECT_EQ(StoredPreset(loaded), VySourcePreset::kCustom);
    ASSERT_TRUE(CVylSourceSettings().Save(path));
    ASSERT_TRUE(loaded.Load(path));
    EXPECT_EQ(StoredPreset(loaded), VySourcePreset::kDefault);
}

TEST(SourcePresets, CArrayCompilesWithOneCommandALine) {
    const std::string text = Generate(VySourcePreset::kCArray);
    EXPECT_NE(text.find("\r\n0x1B,0x42,0x58,0x1B,0x00,0x0A,0x00,0x96,0x00,0x46,0x00,\r\n"),
              std::string::npos)
        << "an escape byte among the operands starts no line";
    EXPECT_NE(text.find("const uint16_t vylcd_screen_lengths[] = {\r\n    4, 11, 4\r\n};"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("VYLCD_SCREEN_COMMANDS = 3"), std::string::npos);

    VyTempFolder folder;
    WriteText(folder.File("screen.c"), text);
    int status = 0;
    RunShell("cc -std=c99 -Wall -Wextra -pedantic -Werror -c " + folder.File("screen.c") + " -o " +
                 folder.File("screen.o") + " 2>&1",
             &status);
    EXPECT_EQ(status, 0);

    // Commands longer than 65535 bytes need wider lengths.
    EXPECT_NE(PresetTail(VySourcePreset::kCArray, {70000}, 9600).find("const uint32_t"),
              std::string::npos);
}

TEST(SourcePresets, ArduinoSketchSendsEachCommandAfterTheAnswer) {
    VyTempFolder folder;
    WriteText(folder.File("sketch.inc"), Generate(VySourcePreset::kArduino));
    const std::string stub = VY_TEST_DATA "/app/source/arduino";
    int status = 0;
    const std::string log =
        RunShell("c++ -std=c++11 -Wall -Wextra -Werror -I" + stub + " -I" + folder.Path() + " " +
                     stub + "/sketch_driver.cpp -o " + folder.File("sketch") + " 2>&1",
                 &status);
    ASSERT_EQ(status, 0) << log;
    EXPECT_EQ(RunShell(folder.File("sketch"), &status),
              "1B 43 4C 00 \n1B 42 58 1B 00 0A 00 96 00 46 00 \n1B 53 43 01 \ndone\n");
    EXPECT_EQ(RunShell(folder.File("sketch") + " silent", &status), "1B 43 4C 00 \nsilent\n");
}

TEST(SourcePresets, PythonScriptCarriesTheCommandsAndTheRate) {
    const std::string text = Generate(VySourcePreset::kPython, 57600);
    EXPECT_NE(text.find("\r\nbytes([0x1B,0x43,0x4C,0x00]),\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n]\r\n\r\nBAUD = 57600\r\nNO_ANSWER_SECONDS = 6.1\r\n"),
              std::string::npos);
    VyTempFolder folder;
    WriteText(folder.File("screen.py"), text);
    int status = 0;
    const std::string python =
        std::ifstream("/usr/bin/python3").good() ? "/usr/bin/python3" : "python3";
    const std::string log =
        RunShell(python + " -c \"import ast, sys; ast.parse(open(sys.argv[1]).read())\" " +
                     folder.File("screen.py") + " 2>&1",
                 &status);
    EXPECT_EQ(status, 0) << log;
}

// Generated from a drawing, the program presets start with the clear
// command the studio's own full update starts with; the default keeps the
// drawing's commands alone.
TEST(SourcePresets, ProgramPresetsClearTheModuleFirst) {
    CVylDeviceContext dc;
    dc.InitDeviceContext(kModelVyb3224);
    CVylObjectGroup group;
    CVylObject box;
    box.SetCommonAttrs(0, kObjBox, {100000, 100000, 500000, 300000});
    box.Unique().SetString("dot_size", "0");
    box.Unique().SetString("color_switch", "1");
    box.Unique().SetString("dotted_spacing", "0");
    group.InsertOnTop(0, box);
    const auto source = [&](VySourcePreset preset) {
        CVylSourceSettings settings;
        ApplyPreset(preset, settings);
        settings.SetPresetName(PresetInfo(preset).name);
        CVylObjectGroup copy = group;
        return GenerateProgramSource(dc, copy, settings, 19200).text;
    };
    for (VySourcePreset preset :
         {VySourcePreset::kCArray, VySourcePreset::kArduino, VySourcePreset::kPython}) {
        const std::string text = source(preset);
        const size_t clear = text.find("0x1B,0x43,0x4C,0x00");
        EXPECT_NE(clear, std::string::npos) << PresetInfo(preset).name;
        EXPECT_EQ(text.find("0x1B"), clear) << "the first command: " << PresetInfo(preset).name;
        EXPECT_TRUE(PresetStartsWithClear(preset));
    }
    EXPECT_FALSE(PresetStartsWithClear(VySourcePreset::kDefault));
    // The default output's first command is the drawing's own (with letters).
    const std::string plain = source(VySourcePreset::kDefault);
    EXPECT_EQ(plain.find("&H1B,\"CL\""), std::string::npos) << plain;
    EXPECT_NE(plain.find("[&H1B,\"DS\""), std::string::npos) << plain;
    // The empty line division of the defaults means "by byte count".
    EXPECT_EQ(SettingMeaning(kSrcKeyLineDivision, ""), kLineDivisionBytes);
    EXPECT_EQ(SettingMeaning(kSrcKeyLineDivision, "cmd"), kLineDivisionCmd);
}
