#include "app/source/source_presets.h"

#include <algorithm>
#include <array>

#include "editor/tree/decimal_text.h"

namespace {

constexpr std::string_view kBreak = "\r\n";

// "기본", "사용자 설정", "C 배열".
constexpr std::string_view kDefaultLabel = "\xB1\xE2\xBA\xBB";
constexpr std::string_view kCustomLabel = "\xBB\xE7\xBF\xEB\xC0\xDA\x20\xBC\xB3\xC1\xA4";
constexpr std::string_view kCArrayLabel = "C \xB9\xE8\xBF\xAD";

using PresetValues = std::array<std::string_view, kSourceSettingKeys.size()>;

// Values in the order of kSourceSettingKeys: source header, line header,
// line foot, bytes per line, line division, byte header, byte foot, letters.
// Every command on a line of its own, as hexadecimal literals.
constexpr PresetValues kCArray = {
    "#include <stdint.h>\r\n"
    "\r\n"
    "/* The screen's LCD commands, one a line. Send one command, wait for the\r\n"
    "   module's \"K\", then send the next. */\r\n"
    "const uint8_t vylcd_screen[] = {",
    "    ",
    ",",
    "65535",
    "cmd",
    "0x",
    "",
    "0"};

constexpr PresetValues kArduino = {
    "#include <Arduino.h>\r\n"
    "\r\n"
    "// The screen's LCD commands, one a line, kept in program memory.\r\n"
    "const uint8_t vylcd_screen[] PROGMEM = {",
    "    ",
    ",",
    "65535",
    "cmd",
    "0x",
    "",
    "0"};

constexpr PresetValues kPython = {
    "#!/usr/bin/env python3\r\n"
    "\"\"\"Draws a screen on the VYB3224 LCD module over a serial line.\r\n"
    "\r\n"
    "Usage: python3 SCRIPT PORT [BAUD]     (needs pyserial: pip install pyserial)\r\n"
    "\r\n"
    "Each command goes out only after the module has answered the one before\r\n"
    "with \"K\"; a module silent for 6.1 s ends the script with exit status 3.\r\n"
    "\"\"\"\r\n"
    "import sys\r\n"
    "import time\r\n"
    "\r\n"
    "import serial\r\n"
    "\r\n"
    "COMMANDS = [",
    "    bytes([",
    "]),",
    "65535",
    "cmd",
    "0x",
    "",
    "0"};

constexpr std::string_view kPythonBody =
    "\r\n"
    "\r\n"
    "def wait_for_answer(line):\r\n"
    "    \"\"\"True once the module says K, False after NO_ANSWER_SECONDS.\"\"\"\r\n"
    "    deadline = time.monotonic() + NO_ANSWER_SECONDS\r\n"
    "    while True:\r\n"
    "        left = deadline - time.monotonic()\r\n"
    "        if left <= 0:\r\n"
    "            return False\r\n"
    "        line.timeout = left\r\n"
    "        if line.read(1) == b\"K\":\r\n"
    "            return True\r\n"
    "\r\n"
    "\r\n"
    "def main(argv):\r\n"
    "    if len(argv) not in (2, 3):\r\n"
    "        print(\"usage: %s PORT [BAUD]\" % argv[0], file=sys.stderr)\r\n"
    "        return 2\r\n"
    "    baud = int(argv[2]) if len(argv) == 3 else BAUD\r\n"
    "    with serial.Serial(argv[1], baud) as line:\r\n"
    "        for number, command in enumerate(COMMANDS, 1):\r\n"
    "            line.write(command)\r\n"
    "            if not wait_for_answer(line):\r\n"
    "                print(\"no answer from the LCD module after command %d of %d\"\r\n"
    "                      % (number, len(COMMANDS)), file=sys.stderr)\r\n"
    "                return 3\r\n"
    "    print(\"sent %d commands\" % len(COMMANDS))\r\n"
    "    return 0\r\n"
    "\r\n"
    "\r\n"
    "if __name__ == \"__main__\":\r\n"
    "    sys.exit(main(sys.argv))\r\n";

constexpr std::string_view kArduinoSender =
    "\r\n"
    "// Sends the screen, each command after the module's \"K\" for the one\r\n"
    "// before; false when the module stays silent for timeoutMs.\r\n"
    "bool vylcdSendScreen(HardwareSerial& port, unsigned long timeoutMs = 6100) {\r\n"
    "    unsigned long at = 0;\r\n"
    "    for (unsigned int i = 0; i < VYLCD_SCREEN_COMMANDS; ++i) {\r\n"
    "        const unsigned int length = pgm_read_word(&vylcd_screen_lengths[i]);\r\n"
    "        for (unsigned int k = 0; k < length; ++k) {\r\n"
    "            port.write(pgm_read_byte(&vylcd_screen[at + k]));\r\n"
    "        }\r\n"
    "        at += length;\r\n"
    "        const unsigned long start = millis();\r\n"
    "        for (;;) {\r\n"
    "            if (port.available() > 0 && port.read() == 'K') {\r\n"
    "                break;\r\n"
    "            }\r\n"
    "            if (millis() - start > timeoutMs) {\r\n"
    "                return false;\r\n"
    "            }\r\n"
    "        }\r\n"
    "    }\r\n"
    "    return true;\r\n"
    "}\r\n";

const PresetValues* ValuesOf(VySourcePreset preset) {
    switch (preset) {
        case VySourcePreset::kCArray:
            return &kCArray;
        case VySourcePreset::kArduino:
            return &kArduino;
        case VySourcePreset::kPython:
            return &kPython;
        default:
            return nullptr;
    }
}

// The default preset is the generator's own defaults with no line division
// chosen.
PresetValues DefaultValues() {
    PresetValues values{};
    for (size_t i = 0; i < kSourceSettingKeys.size(); ++i) {
        values[i] = CVylSourceSettings::DefaultText(kSourceSettingKeys[i]);
    }
    return values;
}

// The command lengths, ten a line, as the items of an initialiser.
std::string LengthLines(const VyLengthArray& lengths, std::string_view indent) {
    std::string out;
    for (size_t i = 0; i < lengths.size(); ++i) {
        out += i % 10 == 0
                   ? std::string(i == 0 ? "" : ",") + std::string(kBreak) + std::string(indent)
                   : ", ";
        out += DecimalText(lengths[i]);
    }
    return out;
}

// The closing of the byte array and the table of command lengths, in the
// element type that holds the longest command.
std::string LengthTable(const VyLengthArray& lengths, std::string_view storage) {
    const uint32_t longest =
        lengths.empty() ? 0 : *std::max_element(lengths.begin(), lengths.end());
    const std::string type = longest > 0xFFFF ? "uint32_t" : "uint16_t";
    std::string out(kBreak);
    out += "};";
    out += kBreak;
    out += kBreak;
    out += "/* Bytes of each command, in order. */";
    out += kBreak;
    out += "const " + type + " vylcd_screen_lengths[]" + std::string(storage) + " = {";
    out += LengthLines(lengths, "    ");
    out += kBreak;
    out += "};";
    out += kBreak;
    out += kBreak;
    out += "enum { VYLCD_SCREEN_COMMANDS = " + DecimalText(static_cast<int64_t>(lengths.size())) +
           " };";
    out += kBreak;
    return out;
}

}  // namespace

const std::vector<VyPresetInfo>& SourcePresets() {
    static const std::vector<VyPresetInfo> presets = {
        {VySourcePreset::kDefault, "default", kDefaultLabel},
        {VySourcePreset::kCArray, "c_array", kCArrayLabel},
        {VySourcePreset::kArduino, "arduino", "Arduino"},
        {VySourcePreset::kPython, "python", "Python (pyserial)"},
        {VySourcePreset::kCustom, "custom", kCustomLabel}};
    return presets;
}

const VyPresetInfo& PresetInfo(VySourcePreset preset) {
    const auto& presets = SourcePresets();
    return *std::find_if(presets.begin(), presets.end(),
                         [preset](const VyPresetInfo& info) { return info.preset == preset; });
}

std::optional<VySourcePreset> PresetByName(std::string_view name) {
    for (const VyPresetInfo& info : SourcePresets()) {
        if (info.name == name) {
            return info.preset;
        }
    }
    return std::nullopt;
}

std::string_view SettingMeaning(std::string_view key, std::string_view value) {
    // Any line division but "cmd" divides by byte count.
    if (key == kSrcKeyLineDivision && value != kLineDivisionCmd) {
        return kLineDivisionBytes;
    }
    return value;
}

bool PresetStartsWithClear(VySourcePreset preset) {
    return preset == VySourcePreset::kCArray || preset == VySourcePreset::kArduino ||
           preset == VySourcePreset::kPython;
}

void ApplyPreset(VySourcePreset preset, CVylSourceSettings& settings) {
    const PresetValues* chosen = ValuesOf(preset);
    const PresetValues defaults = DefaultValues();
    if (preset == VySourcePreset::kDefault) {
        chosen = &defaults;
    }
    if (chosen == nullptr) {
        return;
    }
    for (size_t i = 0; i < kSourceSettingKeys.size(); ++i) {
        settings.Set(kSourceSettingKeys[i], (*chosen)[i]);
    }
}

VySourcePreset MatchingPreset(const CVylSourceSettings& settings) {
    for (const VyPresetInfo& info : SourcePresets()) {
        if (info.preset == VySourcePreset::kCustom) {
            continue;
        }
        CVylSourceSettings preset;
        ApplyPreset(info.preset, preset);
        // Compared as the generator uses them: trimmed.
        preset.TrimAll();
        CVylSourceSettings trimmed = settings;
        trimmed.TrimAll();
        const bool same = std::all_of(kSourceSettingKeys.begin(), kSourceSettingKeys.end(),
                                      [&](std::string_view key) {
                                          return SettingMeaning(key, preset.Get(key)) ==
                                                 SettingMeaning(key, trimmed.Get(key));
                                      });
        if (same) {
            return info.preset;
        }
    }
    return VySourcePreset::kCustom;
}

VySourcePreset StoredPreset(const CVylSourceSettings& settings) {
    return PresetByName(settings.GetPresetName()).value_or(MatchingPreset(settings));
}

std::string PresetTail(VySourcePreset preset, const VyLengthArray& lengths, uint32_t baud) {
    switch (preset) {
        case VySourcePreset::kCArray:
            return LengthTable(lengths, "");
        case VySourcePreset::kArduino:
            return LengthTable(lengths, " PROGMEM") + std::string(kArduinoSender);
        case VySourcePreset::kPython:
            return std::string(kBreak) + "]" + std::string(kBreak) + std::string(kBreak) +
                   "BAUD = " + DecimalText(baud) + std::string(kBreak) + "NO_ANSWER_SECONDS = 6.1" +
                   std::string(kBreak) + std::string(kPythonBody);
        default:
            return {};
    }
}
