#include "tools/cli/probe_command.h"

#include "editor/link/baud_probe.h"

namespace {

constexpr int kPortProblem = 1;
constexpr int kNoAnswer = 3;

}  // namespace

int RunProbeCommand(const std::string& device, std::chrono::milliseconds wait, std::ostream& out,
                    std::ostream& err) {
    VyBaudProbeOptions options;
    options.wait = wait;
    const VyBaudProbeResult result = ProbeBaudRate(device, options);
    if (!result.error.empty()) {
        err << device << ": " << result.error << '\n';
        return kPortProblem;
    }
    if (result.baud == 0) {
        err << device << ": no answer at any of " << result.tried.size() << " rates\n";
        return kNoAnswer;
    }
    out << result.baud << '\n';
    return 0;
}
