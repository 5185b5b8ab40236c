// vylcd-lcdsim: acts as the LCD module on a pseudo-terminal. Prints the path
// a link should open as its first line, answers like the module, and on
// SIGINT or SIGTERM writes the module's screen as a PNG when asked to.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>

#include "editor/virtual_lcd/frame_png.h"
#include "editor/virtual_lcd/pseudo_terminal.h"
#include "tools/lcdsim/lcd_simulator.h"

namespace {

volatile std::sig_atomic_t g_stop = 0;

void OnSignal(int) {
    g_stop = 1;
}

struct Options {
    VySimOptions sim;
    std::optional<std::string> pngPath;
};

int Usage() {
    std::cerr << "usage: vylcd-lcdsim [--baud N] [--delay-ms MS] [--silent] [--check] "
                 "[--png PATH]\n";
    return 2;
}

// A whole number or decimal within [low, high], or nothing.
std::optional<double> NumberIn(const char* text, double low, double high) {
    char* end = nullptr;
    const double value = std::strtod(text, &end);
    if (end == text || *end != '\0' || !std::isfinite(value) || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

bool ParseOptions(int argc, char** argv, Options* options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--baud" && hasValue) {
            const std::optional<double> baud = NumberIn(argv[++i], 1, 4'000'000);
            if (!baud) {
                return false;
            }
            options->sim.baud = static_cast<uint32_t>(*baud);
            options->sim.onlyAtBaud = true;
        } else if (arg == "--delay-ms" && hasValue) {
            // Up to a minute a command; a module that slow is a silent one.
            const std::optional<double> delayMs = NumberIn(argv[++i], 0, 60'000);
            if (!delayMs) {
                return false;
            }
            options->sim.processingUs = static_cast<int64_t>(*delayMs * 1000);
        } else if (arg == "--silent") {
            options->sim.silent = true;
        } else if (arg == "--check") {
            options->sim.check = true;
        } else if (arg == "--png" && hasValue) {
            options->pngPath = argv[++i];
        } else {
            return false;
        }
    }
    return true;
}

// Without SA_RESTART, so that a signal also ends a wait in a system call.
void StopOn(int signal) {
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal, &action, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, &options)) {
        return Usage();
    }
    VyPseudoTerminal line;
    if (!OpenPseudoTerminal(&line)) {
        std::perror("vylcd-lcdsim: cannot open a pseudo-terminal");
        return 1;
    }
    StopOn(SIGINT);
    StopOn(SIGTERM);
    std::cout << line.slavePath << std::endl;

    CVylLcdSimulator sim(options.sim);
    ServeLine(line.master, sim, g_stop, line.keeper);

    std::cerr << "vylcd-lcdsim: " << sim.Lcd().GetCommandCount() << " commands, "
              << sim.Lcd().GetGarbageBytes() << " bytes skipped";
    if (options.sim.check) {
        std::cerr << ", " << sim.GetViolations() << " bytes sent before an answer";
    }
    if (options.sim.onlyAtBaud) {
        std::cerr << ", " << sim.GetWrongRateBytes() << " bytes at another rate";
    }
    std::cerr << '\n';
    if (options.pngPath && !WriteFramePng(sim.Lcd().GetFrame(), *options.pngPath)) {
        std::cerr << "vylcd-lcdsim: cannot write " << *options.pngPath << '\n';
        return 1;
    }
    ClosePseudoTerminal(&line);
    return options.sim.check && sim.GetViolations() > 0 ? 4 : 0;
}
