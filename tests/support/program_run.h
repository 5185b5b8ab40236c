// A program of the build run through the shell, with its exit code and what
// it wrote to its two outputs.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "tests/support/temp_folder.h"
#include "tests/support/test_files.h"

struct VyProgramRun {
    int code = -1;
    std::string out;
    std::string err;
};

// commandLine goes to the shell as it is; the outputs pass through folder.
inline VyProgramRun RunProgram(const std::string& commandLine, const VyTempFolder& folder) {
    const std::string command =
        commandLine + " >" + folder.File("run_out") + " 2>" + folder.File("run_err");
    const int status = std::system(command.c_str());
    VyProgramRun run;
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = ReadWholeFile(folder.File("run_out"));
    run.err = ReadWholeFile(folder.File("run_err"));
    return run;
}

// The same without a display or a chosen Qt platform, as from a console.
inline VyProgramRun RunWithoutDisplay(const std::string& commandLine, const VyTempFolder& folder) {
    return RunProgram("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + commandLine,
                      folder);
}
