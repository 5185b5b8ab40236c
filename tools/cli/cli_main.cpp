// vylcd-cli: headless access to drawings, projects and their LCD commands.
#include <charconv>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/source/source_presets.h"
#include "editor/virtual_lcd/frame_png.h"
#include "tools/cli/bytes_command.h"
#include "tools/cli/dump_command.h"
#include "tools/cli/lcd_command.h"
#include "tools/cli/picture_command.h"
#include "tools/cli/probe_command.h"
#include "tools/cli/render_command.h"
#include "tools/cli/send_command.h"
#include "tools/cli/source_command.h"

namespace {

constexpr int kUsageError = 2;

constexpr const char* kUsage =
    "usage: vylcd-cli bytes FILE\n"
    "       vylcd-cli dump FILE.vyd [--regions]\n"
    "       vylcd-cli source FILE [--settings CFG] [--preset NAME] [--baud N]\n"
    "                        [--encoding cp949] [--out PATH]\n"
    "       vylcd-cli send FILE --port DEVICE [--baud N]\n"
    "       vylcd-cli probe --port DEVICE [--wait-ms N]\n"
    "       vylcd-cli render FILE --png OUT [--size WxH] [--select all|UID[,UID...]]\n"
    "                        [--no-grid]\n"
    "       vylcd-cli lcd FILE --png OUT [--scale N]\n"
    "       vylcd-cli picture IMAGE --out FILE.tpl [--size WxH] [--dither NAME]\n"
    "                        [--level N] [--invert]\n"
    "       vylcd-cli --help | --version\n"
    "FILE is a project (.vyd) or an object group file (.tpl).\n"
    "  bytes    the full LCD update, one command a line in hexadecimal\n"
    "  dump     the project's edit history, one action a line\n"
    "  source   the generated program source (UTF-8 unless --encoding cp949);\n"
    "           NAME is default, c_array, arduino, python or custom, N the\n"
    "           rate a python script opens its port with (19200); --out writes\n"
    "           it to PATH instead of the standard output\n"
    "  send     the full LCD update sent to the module on DEVICE (a serial\n"
    "           device, a pseudo-terminal, or \"virtual\")\n"
    "  probe    the rate the module on DEVICE answers at, trying each rate for\n"
    "           N milliseconds (300); exits 3 when no rate is answered\n"
    "  render   the drawing as the canvas shows it, as a PNG picture (690x530\n"
    "           unless --size; the first uid of --select is the chief)\n"
    "  lcd      the module's screen after the full update, as the virtual\n"
    "           module draws it, as a PNG picture (N pixels a dot, 1 to 8)\n"
    "  picture  a template of one bitmap object made of the picture IMAGE (BMP,\n"
    "           JPEG, GIF, PNG, ICO, TIFF or PCX): shrunk to fit the LCD unless\n"
    "           --size (at most 320x240), reduced to one bit by NAME: threshold\n"
    "           (the default, at level N from 1 to 255, 128 unless --level),\n"
    "           floyd-steinberg, atkinson or ordered; --invert swaps black and\n"
    "           white\n";

int Usage() {
    std::cerr << kUsage;
    return kUsageError;
}

// Asked for on its own, the usage goes to the standard output and is no error.
bool AnswersAlone(const std::string& option) {
    if (option == "--help" || option == "-h") {
        std::cout << kUsage;
        return true;
    }
    if (option == "--version") {
        std::cout << "vylcd-cli (VYLCD Studio) " VY_VERSION "\n";
        return true;
    }
    return false;
}

// A whole decimal number from min to max.
bool ParseNumber(const std::string& text, int64_t min, int64_t max, int64_t* value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), *value);
    return error == std::errc() && end == text.data() + text.size() && *value >= min &&
           *value <= max;
}

// A rate any serial driver offers, up to 4,000,000.
bool ParseBaud(const std::string& text, uint32_t* baud) {
    int64_t value = 0;
    if (!ParseNumber(text, 1, 4'000'000, &value)) {
        return false;
    }
    *baud = static_cast<uint32_t>(value);
    return true;
}

int Source(const std::vector<std::string>& args) {
    VySourceOptions options;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--settings" && i + 1 < args.size()) {
            options.settingsPath = args[++i];
        } else if (args[i] == "--encoding" && i + 1 < args.size() &&
                   (args[i + 1] == "cp949" || args[i + 1] == "utf-8")) {
            options.rawCp949 = args[++i] == "cp949";
        } else if (args[i] == "--preset" && i + 1 < args.size() && PresetByName(args[i + 1])) {
            options.preset = PresetByName(args[++i]);
        } else if (args[i] == "--baud" && i + 1 < args.size() &&
                   ParseBaud(args[i + 1], &options.baud)) {
            ++i;
        } else if (args[i] == "--out" && i + 1 < args.size()) {
            options.outPath = args[++i];
        } else {
            return Usage();
        }
    }
    return RunSourceCommand(args[0], options, std::cout, std::cerr);
}

int Send(const std::vector<std::string>& args) {
    VySendOptions options;
    for (size_t i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == "--port") {
            options.device = args[i + 1];
        } else if (args[i] == "--baud") {
            if (!ParseBaud(args[i + 1], &options.baud)) {
                return Usage();
            }
        } else {
            return Usage();
        }
    }
    if (options.device.empty() || options.baud == 0 || args.size() % 2 == 0) {
        return Usage();
    }
    return RunSendCommand(args[0], options, std::cerr);
}

int Probe(const std::vector<std::string>& args) {
    std::string device;
    int64_t waitMs = 300;
    for (size_t i = 0; i + 1 < args.size(); i += 2) {
        if (args[i] == "--port") {
            device = args[i + 1];
        } else if (args[i] != "--wait-ms" || !ParseNumber(args[i + 1], 1, 60'000, &waitMs)) {
            return Usage();
        }
    }
    if (device.empty() || args.size() % 2 != 0) {
        return Usage();
    }
    return RunProbeCommand(device, std::chrono::milliseconds(waitMs), std::cout, std::cerr);
}

bool ParseSize(const std::string& text, VyRenderOptions& options) {
    const size_t x = text.find('x');
    int64_t width = 0;
    int64_t height = 0;
    if (x == std::string::npos || !ParseNumber(text.substr(0, x), 1, 16384, &width) ||
        !ParseNumber(text.substr(x + 1), 1, 16384, &height)) {
        return false;
    }
    options.width = static_cast<int32_t>(width);
    options.height = static_cast<int32_t>(height);
    return true;
}

bool ParseSelection(const std::string& text, VyRenderOptions& options) {
    if (text == "all") {
        options.selectAll = true;
        return true;
    }
    size_t start = 0;
    for (;;) {
        const size_t comma = std::min(text.find(',', start), text.size());
        int64_t uid = 0;
        if (!ParseNumber(text.substr(start, comma - start), INT32_MIN, INT32_MAX, &uid)) {
            return false;
        }
        options.selection.push_back(static_cast<int32_t>(uid));
        if (comma == text.size()) {
            return true;
        }
        start = comma + 1;
    }
}

int Render(const std::vector<std::string>& args) {
    VyRenderOptions options;
    for (size_t i = 1; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--png" && hasValue) {
            options.pngPath = args[++i];
        } else if (args[i] == "--size" && hasValue) {
            if (!ParseSize(args[++i], options)) {
                return Usage();
            }
        } else if (args[i] == "--select" && hasValue) {
            if (!ParseSelection(args[++i], options)) {
                return Usage();
            }
        } else if (args[i] == "--no-grid") {
            options.grid = false;
        } else {
            return Usage();
        }
    }
    if (options.pngPath.empty()) {
        return Usage();
    }
    return RunRenderCommand(args[0], options, std::cerr);
}

int Lcd(const std::vector<std::string>& args) {
    std::string png;
    int64_t scale = 1;
    for (size_t i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == "--png") {
            png = args[i + 1];
        } else if (args[i] != "--scale" ||
                   !ParseNumber(args[i + 1], 1, kMaxFramePngScale, &scale)) {
            return Usage();
        }
    }
    if (png.empty() || args.size() % 2 == 0) {
        return Usage();
    }
    return RunLcdCommand(args[0], png, static_cast<int32_t>(scale), std::cerr);
}

// A usage error with its reason first.
int UsageBecause(const std::string& reason) {
    std::cerr << "vylcd-cli: " << reason << '\n';
    return Usage();
}

// A picture's exact size: the LCD's at most.
bool ParsePictureSize(const std::string& text, VyPictureSize* size) {
    const size_t x = text.find('x');
    int64_t width = 0;
    int64_t height = 0;
    if (x == std::string::npos || !ParseNumber(text.substr(0, x), 1, 320, &width) ||
        !ParseNumber(text.substr(x + 1), 1, 240, &height)) {
        return false;
    }
    *size = {static_cast<int32_t>(width), static_cast<int32_t>(height)};
    return true;
}

// One option of the picture verb with its value.
int PictureOption(const std::string& option, const std::string& value, VyPictureOptions& options) {
    if (option == "--out") {
        options.outPath = value;
    } else if (option == "--size") {
        if (!ParsePictureSize(value, &options.size)) {
            return UsageBecause("--size " + value + ": WxH from 1x1 to 320x240");
        }
    } else if (option == "--dither") {
        const std::optional<VyDither> dither = DitherByName(value);
        if (!dither) {
            return UsageBecause("--dither " + value +
                                ": threshold, floyd-steinberg, atkinson or ordered");
        }
        options.reduction.dither = *dither;
    } else {
        int64_t level = 0;
        if (!ParseNumber(value, kMinReductionLevel, kMaxReductionLevel, &level)) {
            return UsageBecause("--level " + value + ": a whole number from 1 to 255");
        }
        options.reduction.level = static_cast<int32_t>(level);
    }
    return 0;
}

int Picture(const std::vector<std::string>& args) {
    VyPictureOptions options;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--invert") {
            options.reduction.invert = true;
            continue;
        }
        if (option != "--out" && option != "--size" && option != "--dither" &&
            option != "--level") {
            return UsageBecause("unknown option " + option);
        }
        if (i + 1 == args.size()) {
            return UsageBecause(option + " needs a value");
        }
        if (const int code = PictureOption(option, args[++i], options); code != 0) {
            return code;
        }
    }
    if (options.outPath.empty()) {
        return UsageBecause("picture needs --out FILE.tpl");
    }
    return RunPictureCommand(args[0], options, std::cerr);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && AnswersAlone(argv[1])) {
        return 0;
    }
    if (argc < 3) {
        return Usage();
    }
    const std::string verb = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (verb == "bytes" && args.size() == 1) {
        return RunBytesCommand(args[0], std::cout, std::cerr);
    }
    if (verb == "dump" && (args.size() == 1 || (args.size() == 2 && args[1] == "--regions"))) {
        return RunDumpCommand(args[0], args.size() == 2, std::cout, std::cerr);
    }
    if (verb == "source") {
        return Source(args);
    }
    if (verb == "send") {
        return Send(args);
    }
    if (verb == "probe") {
        return Probe(args);
    }
    if (verb == "render") {
        return Render(args);
    }
    if (verb == "lcd") {
        return Lcd(args);
    }
    if (verb == "picture") {
        return Picture(args);
    }
    return Usage();
}
