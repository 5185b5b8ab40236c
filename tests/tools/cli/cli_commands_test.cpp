#include <gtest/gtest.h>

#include <QImage>
#include <sstream>

#include "app/source/source_settings.h"
#include "editor/document/edit_history.h"
#include "tests/support/object_builders.h"
#include "tests/support/stored_history.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_files.h"
#include "tools/cli/bytes_command.h"
#include "tools/cli/dump_command.h"
#include "tools/cli/lcd_command.h"
#include "tools/cli/source_command.h"

namespace {

struct CliRun {
    int code;
    std::string out;
    std::string err;
};

std::string Sample(const char* name) {
    return std::string(VY_SOURCE_ROOT) + "/samples/" + name;
}

template <typename Verb>
CliRun Capture(Verb verb) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = verb(out, err);
    return {code, out.str(), err.str()};
}

VySourceOptions WithSettings(const std::string& path) {
    VySourceOptions options;
    options.settingsPath = path;
    return options;
}

VySourceOptions RawCp949() {
    VySourceOptions options;
    options.rawCp949 = true;
    return options;
}

CliRun Source(const std::string& path, VySourceOptions options = {}) {
    return Capture(
        [&](std::ostream& o, std::ostream& e) { return RunSourceCommand(path, options, o, e); });
}

TEST(CliCommands, ProjectsReplayToTheSameDrawingAsTheirGroupFile) {
    const CliRun project = Capture([](std::ostream& o, std::ostream& e) {
        return RunBytesCommand(Sample("showcase.vyd"), o, e);
    });
    EXPECT_EQ(project.code, 0);
    // The sample project draws the sample, then thickens the line.
    const std::string group = ReadFixture("tools/cli/data/showcase.bytes.txt");
    EXPECT_EQ(project.out.substr(0, 60), group.substr(0, 60));
    EXPECT_NE(project.out.find("1B 44 53 03 00\n"), std::string::npos);

    const CliRun dump = Capture([](std::ostream& o, std::ostream& e) {
        return RunDumpCommand(Sample("showcase.vyd"), true, o, e);
    });
    EXPECT_EQ(dump.code, 0);
    EXPECT_EQ(dump.out, ReadFixture("tools/cli/data/showcase.dump.txt"));
    const CliRun notProject = Capture([](std::ostream& o, std::ostream& e) {
        return RunDumpCommand(Sample("showcase.tpl"), false, o, e);
    });
    EXPECT_EQ(notProject.code, 1);
    EXPECT_NE(notProject.err.find("not a project"), std::string::npos);
}

TEST(CliCommands, SourceWithDefaultAndSavedSettings) {
    const CliRun defaults = Source(Sample("showcase.tpl"));
    EXPECT_EQ(defaults.code, 0);
    EXPECT_EQ(defaults.out, ReadFixture("tools/cli/data/showcase.source.txt"));
    EXPECT_EQ(defaults.out.substr(0, 37), "CONST DEVICE = 3H\r\nSET HCODE KS5601\r\n");

    CVylSourceSettings settings;
    settings.Set("line_header", "  send(");
    settings.Set("line_foot", ");");
    settings.Set("bytes_per_line", "4");
    settings.Set("byte_header", "0x");
    settings.Set("operand_by_alphabet", "0");
    VyTempFolder folder;
    const std::string cfg = folder.File("src_genr_env.cfg");
    ASSERT_TRUE(settings.Save(cfg));
    const CliRun custom = Source(Sample("showcase.tpl"), WithSettings(cfg));
    EXPECT_EQ(custom.code, 0);
    EXPECT_NE(custom.out.find("\r\nsend(0x1B,0x44,0x53,0x01);\r\nsend(0x00,"), std::string::npos)
        << custom.out.substr(0, 120);

    settings.Set("bytes_per_line", "70000");
    ASSERT_TRUE(settings.Save(cfg));
    const CliRun invalid = Source(Sample("showcase.tpl"), WithSettings(cfg));
    EXPECT_EQ(invalid.code, 1);
    EXPECT_EQ(invalid.out, "");
    EXPECT_NE(invalid.err.find("65535"), std::string::npos);

    const CliRun missing = Source(Sample("showcase.tpl"), WithSettings(cfg + ".missing"));
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.err.find(cfg + ".missing"), std::string::npos);
}

TEST(CliCommands, SourceEncodingsAndEmptyDrawings) {
    const CliRun raw = Source(Sample("showcase.tpl"), RawCp949());
    EXPECT_EQ(raw.code, 0);
    EXPECT_EQ(raw.out, ReadFixture("tools/cli/data/showcase.source.txt"));

    CVylEditActionGroup history;
    VyTempFolder folder;
    const std::string empty = folder.File("empty.vyd");
    ASSERT_TRUE(history.EditActionGroupToFile(empty));
    const CliRun none = Source(empty);
    EXPECT_EQ(none.code, 1);
    EXPECT_EQ(
        none.err,
        "\xEA\xB7\xB8\xEB\x9E\x98\xED\x94\xBD \xEB\x8D\xB0\xEC\x9D\xB4\xED\x84\xB0\xEA\xB0\x80 "
        "\xEC\x97\x86\xEC\x8A\xB5\xEB\x8B\x88\xEB\x8B\xA4.\n");
}

TEST(CliCommands, SourceOutWritesTheBytesOfTheStandardOutput) {
    const CliRun printed = Source(Sample("showcase.tpl"));
    ASSERT_EQ(printed.code, 0);
    VyTempFolder folder;
    VySourceOptions options;
    options.outPath = folder.File("screen.txt");
    const CliRun written = Source(Sample("showcase.tpl"), options);
    EXPECT_EQ(written.code, 0) << written.err;
    EXPECT_TRUE(written.out.empty());
    EXPECT_EQ(ReadWholeFile(*options.outPath), printed.out);

    options.outPath = folder.File("missing/screen.txt");
    const CliRun refused = Source(Sample("showcase.tpl"), options);
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(refused.out.empty());
    EXPECT_NE(refused.err.find(*options.outPath + ": cannot write"), std::string::npos)
        << refused.err;
}

// A history that stops replaying still gives what came before, but the
// verbs must not report it as a success.
TEST(CliCommands, AProjectThatDoesNotReplayCompletelyFails) {
    auto box = [](int32_t uid, int32_t l, int32_t t, int32_t r, int32_t b) {
        return CVylEditAction::Create(uid, kObjBox, {l * kUnit, t * kUnit, r * kUnit, b * kUnit},
                                      MakeShape(0, kObjBox, 0, 0, 0, 0).Unique());
    };
    VyTempFolder folder;
    const std::string path = folder.File("partial.vyd");
    ASSERT_TRUE(WriteStoredHistory(
        path, {box(1, 10, 20, 100, 50), CVylEditAction::Delete(77), box(2, 30, 40, 60, 70)}));
    const CliRun bytes =
        Capture([&](std::ostream& o, std::ostream& e) { return RunBytesCommand(path, o, e); });
    EXPECT_EQ(bytes.code, 1);
    EXPECT_NE(bytes.out.find("1B 42 58 0A 00 14 00 64 00 32 00"), std::string::npos);
    EXPECT_EQ(bytes.out.find("1B 42 58 1E 00"), std::string::npos);
    EXPECT_NE(bytes.err.find("does not replay completely"), std::string::npos);
    EXPECT_EQ(Source(path).code, 1);
}

TEST(CliCommands, ProjectsThatCannotBeRead) {
    CFxAssignGroupEx newer;
    newer.SetString("internal_file_type", "vyd");
    newer.SetInt("this_ver", 130);
    newer.SetInt("min_ver", 120);
    VyTempFolder folder;
    const std::string path = folder.File("newer.vyd");
    ASSERT_TRUE(newer.SaveTreeToFile(path));
    const CliRun run =
        Capture([&](std::ostream& o, std::ostream& e) { return RunBytesCommand(path, o, e); });
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("v1.20"), std::string::npos);
}

}  // namespace

TEST(LcdCommand, WritesTheModulesScreenAtTheScale) {
    VyTempFolder folder;
    const std::string png = folder.File("screen.png");
    std::ostringstream err;
    ASSERT_EQ(RunLcdCommand(Sample("showcase.vyd"), png, 2, err), 0) << err.str();
    const QImage picture(QString::fromStdString(png));
    ASSERT_EQ(picture.size(), QSize(640, 480));
    // The sample's first box has its top left corner at (10, 10).
    EXPECT_EQ(qGray(picture.pixel(21, 21)), 0);
    EXPECT_EQ(qGray(picture.pixel(2, 2)), 255);

    EXPECT_EQ(RunLcdCommand(Sample("showcase.vyd"), folder.File("no/such/dir.png"), 1, err), 1);
    EXPECT_EQ(RunLcdCommand(folder.File("missing.vyd"), png, 1, err), 1);
    EXPECT_NE(err.str().find("cannot write the picture"), std::string::npos);
}
