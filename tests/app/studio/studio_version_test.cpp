// vylcd-studio --version: answered from a console, before any window.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/program_run.h"

namespace {

TEST(StudioVersion, AnswersWithoutADisplayAndOpensNoWindow) {
    VyTempFolder folder;
    // A data root of its own: the answer must come before any folder is made.
    const std::string root = folder.File("data");
    const VyProgramRun run =
        RunWithoutDisplay("VYLCD_DATA_ROOT=" + root + " " VY_STUDIO_PATH " --version", folder);
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "VYLCD Studio " VY_VERSION "\n");
    EXPECT_EQ(run.err, "");
    EXPECT_FALSE(std::filesystem::exists(root));
}

}  // namespace
