// vylcd-lcdsim: acts as the LCD module on a pseudo-terminal. Prints the path
// a link should open as its first line, answers like the module, and on
// SIGINT or SIGTERM writes the module's screen as a PNG when asked to.

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>

#include "app/lcdsim/lcd_simulator.h"
#include "editor/link/frame_png.h"
#include "editor/link/pseudo_terminal.h"

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

bool ParseOptions(int argc, char** argv, Options* options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--baud" && hasValue) {
            options->sim.baud = static_cast<uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        } else if (arg == "--delay-ms" && hasValue) {
            options->sim.processingUs =
                static_cast<int64_t>(std::strtod(argv[++i], nullptr) * 1000);
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
    return options->sim.baud > 0;
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
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    std::cout << line.slavePath << std::endl;

    CVylLcdSimulator sim(options.sim);
    ServeLine(line.master, sim, g_stop);

    std::cerr << "vylcd-lcdsim: " << sim.Lcd().GetCommandCount() << " commands, "
              << sim.Lcd().GetGarbageBytes() << " bytes skipped";
    if (options.sim.check) {
        std::cerr << ", " << sim.GetViolations() << " bytes sent before an answer";
    }
    std::cerr << '\n';
    if (options.pngPath && !WriteFramePng(sim.Lcd().GetFrame(), *options.pngPath)) {
        std::cerr << "vylcd-lcdsim: cannot write " << *options.pngPath << '\n';
        return 1;
    }
    ClosePseudoTerminal(&line);
    return options.sim.check && sim.GetViolations() > 0 ? 4 : 0;
}
