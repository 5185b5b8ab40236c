// The generated pyserial script drives a simulated module on a
// pseudo-terminal to the very screen the studio's own link draws, one
// command at a time, and ends with an error when the module is silent.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

#include "editor/virtual_lcd/pseudo_terminal.h"
#include "tests/support/temp_folder.h"
#include "tools/cli/send_command.h"
#include "tools/cli/source_command.h"
#include "tools/lcdsim/lcd_simulator.h"

namespace {

constexpr uint32_t kBaud = 115200;

std::string Sample() {
    return std::string(VY_SOURCE_ROOT) + "/samples/showcase.tpl";
}

// Debian's interpreter, which has pyserial from the python3-serial package.
std::string Python() {
    return std::ifstream("/usr/bin/python3").good() ? "/usr/bin/python3" : "python3";
}

// A simulated module on a pseudo-terminal, served by a thread of its own.
class SimulatedModule {
  public:
    explicit SimulatedModule(const VySimOptions& options) : m_sim(options) {
        m_open = OpenPseudoTerminal(&m_line);
        if (m_open) {
            m_thread = std::thread([this] { ServeLine(m_line.master, m_sim, m_stop); });
        }
    }
    ~SimulatedModule() {
        Stop();
        if (m_open) {
            ClosePseudoTerminal(&m_line);
        }
    }
    void Stop() {
        m_stop = 1;
        if (m_thread.joinable()) {
            m_thread.join();
        }
    }
    bool IsOpen() const { return m_open; }
    const std::string& Path() const { return m_line.slavePath; }
    const CVylLcdSimulator& Sim() const { return m_sim; }

  private:
    CVylLcdSimulator m_sim;
    VyPseudoTerminal m_line;
    bool m_open = false;
    volatile std::sig_atomic_t m_stop = 0;
    std::thread m_thread;
};

std::string WriteScript(const VyTempFolder& folder) {
    VySourceOptions options;
    options.preset = VySourcePreset::kPython;
    options.baud = kBaud;
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunSourceCommand(Sample(), options, out, err), 0) << err.str();
    const std::string path = folder.File("screen.py");
    std::ofstream(path, std::ios::binary) << out.str();
    return path;
}

int RunScript(const std::string& script, const std::string& port) {
    const std::string command = Python() + " " + script + " " + port + " >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST(PythonPreset, ScriptDrawsTheScreenTheLinkDraws) {
    if (std::system((Python() + " -c 'import serial' 2>/dev/null").c_str()) != 0) {
        GTEST_SKIP() << "pyserial is not installed";
    }
    VyTempFolder folder;
    const std::string script = WriteScript(folder);

    SimulatedModule byScript(VySimOptions{kBaud, 0, false, true});
    ASSERT_TRUE(byScript.IsOpen());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(RunScript(script, byScript.Path()), 0);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    byScript.Stop();

    SimulatedModule byLink(VySimOptions{kBaud, 0, false, true});
    ASSERT_TRUE(byLink.IsOpen());
    std::ostringstream err;
    ASSERT_EQ(RunSendCommand(Sample(), {byLink.Path(), kBaud, 6100}, err), 0) << err.str();
    byLink.Stop();

    EXPECT_GT(byScript.Sim().Lcd().GetFrame().CountDots(), 1000);
    EXPECT_TRUE(byScript.Sim().Lcd().GetFrame() == byLink.Sim().Lcd().GetFrame());
    EXPECT_EQ(byScript.Sim().GetViolations(), 0) << "a command went out before the last answer";
    EXPECT_EQ(byScript.Sim().Lcd().GetGarbageBytes(), 0);
    RecordProperty("script_seconds", std::to_string(seconds));
}

TEST(PythonPreset, ScriptEndsWithAnErrorWhenTheModuleIsSilent) {
    if (std::system((Python() + " -c 'import serial' 2>/dev/null").c_str()) != 0) {
        GTEST_SKIP() << "pyserial is not installed";
    }
    VyTempFolder folder;
    std::string text;
    {
        std::ifstream in(WriteScript(folder), std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), {});
    }
    // The no-answer limit shortened so the test does not wait 6.1 s.
    const size_t limit = text.find("NO_ANSWER_SECONDS = 6.1");
    ASSERT_NE(limit, std::string::npos);
    text.replace(limit, 23, "NO_ANSWER_SECONDS = 0.2");
    const std::string script = folder.File("silent.py");
    std::ofstream(script, std::ios::binary) << text;

    SimulatedModule silent(VySimOptions{kBaud, 0, true, false});
    ASSERT_TRUE(silent.IsOpen());
    EXPECT_EQ(RunScript(script, silent.Path()), 3);
    silent.Stop();
    EXPECT_EQ(silent.Sim().Lcd().GetCommandCount(), 1) << "nothing after the unanswered command";
}
