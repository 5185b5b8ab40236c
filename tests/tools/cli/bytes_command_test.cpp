#include "tools/cli/bytes_command.h"

#include <gtest/gtest.h>

#include <sstream>

#include "editor/command/command_lines.h"
#include "editor/document/object_group.h"
#include "tests/support/broken_drawing.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_files.h"

namespace {

struct CliRun {
    int code;
    std::string out;
    std::string err;
};

CliRun Bytes(const std::string& path) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = RunBytesCommand(path, out, err);
    return {code, out.str(), err.str()};
}

TEST(BytesCommand, SampleDrawingGivesTheKnownUpdate) {
    const CliRun run = Bytes(std::string(VY_SOURCE_ROOT) + "/samples/showcase.tpl");
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, ReadFixture("tools/cli/data/showcase.bytes.txt"));
}

TEST(BytesCommand, UnreadableFilesAreNamed) {
    VyTempFolder folder;
    const std::string missing = folder.File("no_such_drawing.tpl");
    CliRun run = Bytes(missing);
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(missing), std::string::npos);
    EXPECT_NE(run.err.find("No such file"), std::string::npos);

    run = Bytes(FixturePath("image/data/sample.png"));
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("not an object group"), std::string::npos);
}

TEST(BytesCommand, FailedExtractionStillPrintsWhatCameBefore) {
    VyTempFolder folder;
    const std::string path = folder.File("broken_bitmap.tpl");
    ASSERT_TRUE(WriteBoxAndEmptyBitmap(path));
    const CliRun run = Bytes(path);
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out,
              "1B 43 4C 00\n1B 44 53 01 00\n1B 4C 53 00\n1B 53 43 01\n"
              "1B 42 58 0A 00 14 00 64 00 32 00\n");
    EXPECT_NE(run.err.find("status 2"), std::string::npos);
}

std::string CommandLines(const VyByteArray& bytes, const VyLengthArray& lengths) {
    std::ostringstream out;
    WriteCommandLines(out, bytes, lengths);
    return out.str();
}

TEST(HexLines, LengthsThatDoNotAddUp) {
    const VyByteArray bytes = {0x1B, 0x41, 0x00, 0xFF, 0x10};
    EXPECT_EQ(CommandLines(bytes, {2, 1}), "1B 41\n00\nFF 10\n");
    EXPECT_EQ(CommandLines(bytes, {9}), "1B 41 00 FF 10\n");
    EXPECT_EQ(CommandLines({}, {3}), "");
}

}  // namespace
