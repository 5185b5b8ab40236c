// The probe verb, in process and as the tool, against the simulated module
// run as its own program at one rate.
#include "tools/cli/probe_command.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <iterator>
#include <sstream>

#include "editor/link/serial_port.h"
#include "tests/support/rate_gated_module.h"
#include "tests/support/temp_folder.h"

extern char** environ;

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The first line a descriptor gives within the timeout, without its "\n".
std::string ReadLine(int fd, int timeoutMs) {
    std::string line;
    char c = 0;
    struct pollfd waiter {
        fd, POLLIN, 0
    };
    while (::poll(&waiter, 1, timeoutMs) > 0 && ::read(fd, &c, 1) == 1 && c != '\n') {
        line += c;
    }
    return line;
}

// vylcd-lcdsim as a program of its own; what it says at the end goes to a file.
class SimulatorProcess {
  public:
    SimulatorProcess(std::vector<std::string> args, const std::string& errPath) {
        args.insert(args.begin(), VY_LCDSIM_PATH);
        std::vector<char*> argv;
        for (std::string& arg : args) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        int out[2];
        if (::pipe(out) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        if (::posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
            m_pid = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        m_path = ReadLine(out[0], 10000);
        ::close(out[0]);
    }
    ~SimulatorProcess() { Stop(); }

    const std::string& Path() const { return m_path; }
    // Ends it as a user would; its exit code.
    int Stop() {
        if (m_pid < 0) {
            return -1;
        }
        ::kill(m_pid, SIGTERM);
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

  private:
    pid_t m_pid = -1;
    std::string m_path;
};

class ProbeTool : public ::testing::Test {
  protected:
    // The tool's exit code; its output is in out and err.
    int Probe(const std::string& arguments) {
        const std::string command = std::string(VY_CLI_PATH) + " probe " + arguments + " >" +
                                    folder.File("out") + " 2>" + folder.File("err");
        const int status = std::system(command.c_str());
        out = ReadFile(folder.File("out"));
        err = ReadFile(folder.File("err"));
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    VyTempFolder folder;
    std::string out;
    std::string err;
};

TEST_F(ProbeTool, PrintsTheRateTheSimulatedModuleListensAt) {
    SimulatorProcess sim({"--baud", "57600"}, folder.File("sim_err"));
    ASSERT_FALSE(sim.Path().empty());
    EXPECT_EQ(Probe("--port " + sim.Path() + " --wait-ms 200"), 0) << err;
    EXPECT_EQ(out, "57600\n");
    EXPECT_EQ(sim.Stop(), 0);
    // 19200, 115200 and 9600 came first and went unheard.
    EXPECT_NE(ReadFile(folder.File("sim_err"))
                  .find("1 commands, 0 bytes skipped, 15 bytes at "
                        "another rate"),
              std::string::npos)
        << ReadFile(folder.File("sim_err"));
}

TEST_F(ProbeTool, ExitsThreeWhenNoRateIsAnswered) {
    // A rate the probe never tries.
    SimulatorProcess sim({"--baud", "1200"}, folder.File("sim_err"));
    ASSERT_FALSE(sim.Path().empty());
    EXPECT_EQ(Probe("--port " + sim.Path() + " --wait-ms 30"), 3);
    EXPECT_EQ(out, "");
    EXPECT_EQ(err, sim.Path() + ": no answer at any of 10 rates\n");
}

TEST_F(ProbeTool, PortAndUsageErrors) {
    EXPECT_EQ(Probe("--port /dev/no-such-port"), 1);
    EXPECT_NE(err.find("/dev/no-such-port: "), std::string::npos);
    EXPECT_EQ(Probe("--wait-ms 20"), 2);
    EXPECT_EQ(Probe("--port /dev/null --wait-ms soon"), 2);
    EXPECT_EQ(Probe("--port /dev/null --wait-ms 0"), 2);
    EXPECT_EQ(Probe("--port"), 2);
    EXPECT_NE(err.find("vylcd-cli probe --port DEVICE [--wait-ms N]"), std::string::npos);
}

// A module at 9600 hears nothing from a link at 19200, as on a real line.
TEST(SimulatorAtOneRate, DoesNotAnswerALinkAtAnotherRate) {
    VyTempFolder folder;
    SimulatorProcess sim({"--baud", "9600"}, folder.File("sim_err"));
    ASSERT_FALSE(sim.Path().empty());
    CVylSerialPort link;
    ASSERT_EQ(link.Open(sim.Path(), 19200), "");
    const std::string dotSize("\x1B\x44\x53\x00\x00", 5);
    const auto answerWithin = [&link](int ms) {
        std::string received;
        bool gone = false;
        struct pollfd waiter {
            link.Descriptor(), POLLIN, 0
        };
        if (::poll(&waiter, 1, ms) > 0) {
            received = link.ReadAvailable(&gone);
        }
        return received;
    };
    ASSERT_TRUE(link.WriteAll(dotSize));
    EXPECT_EQ(answerWithin(300), "");
    ASSERT_TRUE(link.ApplyBaud(9600));
    ASSERT_TRUE(link.WriteAll(dotSize));
    EXPECT_EQ(answerWithin(5000), "K");
}

TEST(ProbeVerb, PrintsTheRateOnItsOutput) {
    // Room for the module's thread on a loaded machine.
    RateGatedModule module(76800);
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunProbeCommand(module.SlavePath(), std::chrono::milliseconds(200), out, err), 0);
    EXPECT_EQ(out.str(), "76800\n");
    EXPECT_EQ(err.str(), "");
}

}  // namespace
