// CVylSourceSettings: the texts that wrap the drawing's command bytes into
// program source, with their defaults, labels, file form and validation.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "editor/tree/value_tree.h"

// Setting keys, in the order of the settings file and the dialog.
inline constexpr std::string_view kSrcKeySrcHeader = "src_header";
inline constexpr std::string_view kSrcKeyLineHeader = "line_header";
inline constexpr std::string_view kSrcKeyLineFoot = "line_foot";
inline constexpr std::string_view kSrcKeyBytesPerLine = "bytes_per_line";
inline constexpr std::string_view kSrcKeyLineDivision = "line_division";
inline constexpr std::string_view kSrcKeyByteHeader = "byte_header";
inline constexpr std::string_view kSrcKeyByteFoot = "byte_foot";
inline constexpr std::string_view kSrcKeyOperandByAlphabet = "operand_by_alphabet";

inline constexpr std::array<std::string_view, 8> kSourceSettingKeys = {
    kSrcKeySrcHeader,    kSrcKeyLineHeader, kSrcKeyLineFoot, kSrcKeyBytesPerLine,
    kSrcKeyLineDivision, kSrcKeyByteHeader, kSrcKeyByteFoot, kSrcKeyOperandByAlphabet};

// The chosen preset's name; older files lack it and older readers skip it.
inline constexpr std::string_view kSrcKeyPreset = "preset";

// Values of "line_division"; anything but "cmd" divides by byte count.
inline constexpr std::string_view kLineDivisionBytes = "bytes";
inline constexpr std::string_view kLineDivisionCmd = "cmd";

// Name of the settings file in the text data folder.
inline constexpr std::string_view kSourceSettingsFileName = "src_genr_env.cfg";

// One entry of a drop-down list: the stored value and the shown text.
struct VySourceChoice {
    std::string value;
    std::string label;
};

// Entries of an option text "value=label&value=label"; an entry without "="
// shows its value, empty entries are skipped.
std::vector<VySourceChoice> ParseChoiceText(std::string_view text);

// The first setting that breaks a rule, or none.
struct VySourceValidation {
    std::string key;      // empty when every setting is valid
    std::string message;  // CP949, names the setting by its long label

    bool IsValid() const { return key.empty(); }
};

class CVylSourceSettings {
  public:
    // Every setting at its default.
    CVylSourceSettings();

    // Unknown keys read as empty and are refused (0) by Set.
    std::string Get(std::string_view key) const;
    int Set(std::string_view key, std::string_view text);

    // The preset's name as chosen or read ("" when a file had none).
    std::string GetPresetName() const { return m_values.GetString(kSrcKeyPreset); }
    void SetPresetName(std::string_view name) { m_values.SetString(kSrcKeyPreset, name); }

    // The reset button: every default except the line division, which has
    // none and keeps the current choice.
    void ResetToDefaults();

    // Defaults first, then every setting the file holds as text replaces its
    // default; 0 (defaults only) when the file cannot be read or decoded.
    int Load(const std::string& path);
    // All settings as one value tree; 1 on success.
    int Save(const std::string& path) const;

    // Strips blanks, tabs, CR and LF from both ends of every value.
    void TrimAll();
    VySourceValidation Validate() const;

    // Shown texts for the dialog, all CP949; empty for unknown keys.
    static std::string_view DefaultText(std::string_view key);
    static std::string_view Label(std::string_view key);
    // The longer name used in validation messages.
    static std::string_view LongLabel(std::string_view key);
    static std::vector<VySourceChoice> LineDivisionChoices();

  private:
    void SetDefaults(bool keepLineDivision);

    CFxAssignGroupEx m_values;
};
