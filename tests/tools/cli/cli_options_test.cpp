// vylcd-cli's own options: help and version on the standard output, usage
// errors on the standard error.
#include <gtest/gtest.h>

#include "tests/support/program_run.h"

namespace {

class CliOptions : public ::testing::Test {
  protected:
    VyProgramRun Cli(const std::string& arguments) const {
        return RunWithoutDisplay(std::string(VY_CLI_PATH) + " " + arguments, folder);
    }

    VyTempFolder folder;
};

TEST_F(CliOptions, HelpGoesToTheStandardOutputAndIsNoError) {
    for (const char* option : {"--help", "-h"}) {
        const VyProgramRun run = Cli(option);
        EXPECT_EQ(run.code, 0) << option;
        EXPECT_TRUE(run.out.starts_with("usage: vylcd-cli bytes FILE\n")) << run.out;
        EXPECT_NE(run.out.find("vylcd-cli --help | --version\n"), std::string::npos);
        EXPECT_EQ(run.err, "");
    }
}

TEST_F(CliOptions, VersionNamesTheStudiosRelease) {
    const VyProgramRun run = Cli("--version");
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "vylcd-cli (VYLCD Studio) " VY_VERSION "\n");
    EXPECT_EQ(run.err, "");
}

TEST_F(CliOptions, AnythingElseAloneIsAUsageError) {
    for (const char* arguments : {"", "--nonsense", "--version extra", "bytes"}) {
        const VyProgramRun run = Cli(arguments);
        EXPECT_EQ(run.code, 2) << arguments;
        EXPECT_EQ(run.out, "") << arguments;
        EXPECT_TRUE(run.err.starts_with("usage: vylcd-cli")) << arguments;
    }
}

}  // namespace
