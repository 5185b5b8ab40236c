// CVylDeviceContext: the LCD module the drawing is made for: model name,
// resolution, built-in fonts with their metrics and the command tables, all
// held as values of its own tree so that it travels as one record.
#pragma once

#include "editor/vyedit_export.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/model/column_table.h"
#include "editor/tree/value_tree.h"

inline constexpr std::string_view kModelVyb3224 = "VYB3224";

// Model tree keys.
inline constexpr std::string_view kKeyModel = "model";
inline constexpr std::string_view kKeyResolutionX = "resolution_x";
inline constexpr std::string_view kKeyResolutionY = "resolution_y";
inline constexpr std::string_view kKeyKorFontSpec = "kor_font_spec";
inline constexpr std::string_view kKeyAlnumVarFontSpec = "alnum_var_font_spec";
inline constexpr std::string_view kKeyAlnumFixFontSpec = "alnum_fix_font_spec";
inline constexpr std::string_view kKeyAlnumFontStartChar = "alnum_font_start_char";
inline constexpr std::string_view kKeyCmdExtractReference = "cmd_extract_reference";
inline constexpr std::string_view kKeyCmdDependenceReference = "cmd_dependence_reference";
inline constexpr std::string_view kKeyCmdOptionReference = "cmd_option_reference";
inline constexpr std::string_view kKeyByteProps = "byte_props";
inline constexpr std::string_view kKeyByteColors = "byte_colors";
inline constexpr std::string_view kKeyEscapeCode = "escape_code";

class VYEDIT_EXPORT CVylDeviceContext : public CFxAssignGroupEx {
  public:
    // Fills the model tree for the named model; any other name than the one
    // known model stores only "model", and every query then finds nothing.
    void InitDeviceContext(std::string_view modelName);

    int32_t GetKorFontWidth(int32_t fontIndex) const;
    int32_t GetKorFontHeight(int32_t fontIndex) const;
    std::string GetKorFontFace(int32_t fontIndex) const;
    // Advance of a one-byte character; noEntry tells that the proportional
    // table has no width for it (the Korean font width is returned then).
    int32_t GetAlnumCharWidth(int32_t fontIndex, bool proportional, uint8_t character,
                              bool* noEntry) const;
    int32_t GetAlnumAverageWidth(int32_t fontIndex) const;

    // Entries of the text panel's font list: "10x16,<face>" per font index.
    std::vector<std::string> GetKorFontList() const;
    // The alphanumeric modes: fixed (index 0) and proportional (index 1).
    static std::vector<std::string> GetAlnumModeList();

  private:
    struct FontTables {
        bool korOk = false;
        CVylColumnTable kor;
        bool varOk = false;
        CVylColumnTable var;
        std::vector<std::string> fixed;
    };
    const FontTables& Tables() const;
    int32_t KorCell(int32_t fontIndex, std::string_view column) const;
    std::string SizeKey(int32_t fontIndex) const;
    void StoreAverageWidths();

    std::map<std::string, std::string> m_averageWidths;
    // Parsed once per context on first use: the queries run once per character.
    mutable std::optional<FontTables> m_tables;
};
