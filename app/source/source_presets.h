// Ready-made generator settings for common targets: the default settings,
// a C array, an Arduino sketch fragment and a pyserial script. Each preset
// is the generator's eight settings plus, where they cannot say it, a tail
// written after the generated lines (the closing brace, the table of
// command lengths, the sending code).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/source/source_settings.h"
#include "editor/command/command_bytes.h"

enum class VySourcePreset { kDefault, kCArray, kArduino, kPython, kCustom };

struct VyPresetInfo {
    VySourcePreset preset;
    std::string_view name;   // the value kept in the settings file
    std::string_view label;  // the shown text (CP949)
};

// In the order of the dialog's list: "기본", "C 배열", "Arduino",
// "Python (pyserial)", "사용자 설정".
const std::vector<VyPresetInfo>& SourcePresets();
const VyPresetInfo& PresetInfo(VySourcePreset preset);
std::optional<VySourcePreset> PresetByName(std::string_view name);

// What a setting's value means, so that values meaning the same compare
// equal (an empty line division divides by byte count, as "bytes" does).
std::string_view SettingMeaning(std::string_view key, std::string_view value);
// The program presets start with the LCD's clear command, as the studio's
// own full update does, so that a module drops what it showed before; the
// default settings keep their output as it always was.
bool PresetStartsWithClear(VySourcePreset preset);

// The preset's eight settings; the custom preset leaves them as they are.
void ApplyPreset(VySourcePreset preset, CVylSourceSettings& settings);
// The preset whose eight settings these are, or the custom one.
VySourcePreset MatchingPreset(const CVylSourceSettings& settings);
// The preset the settings name, or for settings without a known name the
// one they match.
VySourcePreset StoredPreset(const CVylSourceSettings& settings);

// What the preset writes after the generated lines; empty for the default
// and custom presets. baud is the rate a script opens its port with.
std::string PresetTail(VySourcePreset preset, const VyLengthArray& lengths, uint32_t baud);
