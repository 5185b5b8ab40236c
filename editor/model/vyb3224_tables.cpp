#include "editor/model/vyb3224_tables.h"

#include <string>

namespace vyb3224 {

namespace {

// Font faces in the system code page: 돋움, 샘물, 바탕, 돋움, 굴림, 으뜸, 돋움, 바탕, 돋움.
constexpr std::string_view kKorFaces =
    "\xB5\xB8\xBF\xF2|\xBB\xF9\xB9\xB0|\xB9\xD9\xC5\xC1|\xB5\xB8\xBF\xF2|\xB1\xBC\xB8\xB2|"
    "\xC0\xB8\xB6\xE4|\xB5\xB8\xBF\xF2|\xB9\xD9\xC5\xC1|\xB5\xB8\xBF\xF2";

constexpr std::string_view kWidths16x16 =
    "8|3|5|11|9|14|11|3|6|6|7|9|4|9|3|8|9|5|9|9|10|9|9|9|9|9|3|4|9|9|9|8|13|11|10|11|10|10|10|"
    "12|10|3|7|11|10|14|11|12|10|12|10|10|11|11|11|15|11|11|10|5|14|5|9|9|5|10|9|9|9|9|7|9|9|"
    "3|5|10|3|13|9|10|9|9|6|9|7|9|9|11|9|9|9|7|3|7|12";
constexpr std::string_view kWidths24x24 =
    "7|6|8|15|13|21|21|5|9|9|11|16|5|14|5|10|14|8|14|14|15|14|14|14|14|14|5|5|14|14|14|14|21|"
    "17|15|16|16|15|15|17|16|5|11|16|15|19|15|18|16|17|16|16|16|16|16|22|16|17|16|8|21|8|14|"
    "15|7|14|14|14|14|14|10|13|13|5|7|13|5|19|13|13|14|14|9|12|10|13|14|20|13|13|13|9|5|9|20";
constexpr std::string_view kWidths48x48 =
    "23|12|20|30|30|45|34|10|17|17|20|26|11|28|10|22|28|19|28|27|29|27|28|29|28|28|11|11|24|"
    "26|24|28|40|38|34|36|34|31|30|38|33|12|26|34|30|38|33|38|31|37|32|32|34|33|35|48|35|37|"
    "32|16|22|16|28|28|28|28|30|28|30|29|20|29|28|11|14|29|11|42|28|30|30|30|20|28|19|28|30|"
    "42|29|30|28|20|10|20|28";

std::string Repeated(std::string_view piece, int times, std::string_view last) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += piece;
    }
    return text += last;
}

}  // namespace

CVylColumnTable KorFontTable() {
    CVylColumnTable table;
    table.AppendCellsFromText("width", "10|10|16|16|16|16|24|24|48");
    table.AppendCellsFromText("height", "16|16|16|16|16|16|24|24|48");
    table.AppendCellsFromText("face", kKorFaces);
    return table;
}

CVylColumnTable AlnumVarFontTable() {
    CVylColumnTable table;
    table.AppendCellsFromText("10x16", Repeated("7|", 94, "7"));
    table.AppendCellsFromText("16x16", kWidths16x16);
    table.AppendCellsFromText("24x24", kWidths24x24);
    table.AppendCellsFromText("48x48", kWidths48x48);
    return table;
}

CVylColumnTable ExtractTable() {
    CVylColumnTable table;
    const std::string_view corners = "rs:*:left|rs:*:top|rs:*:right|rs:*:bottom";
    const std::string_view ellipse = "rs:*:center_x|rs:*:center_y|rs:*:half_width|rs:*:half_height";
    table.AppendCellsFromText("2", "esc:*:*|st:*:BX|" + std::string(corners));
    table.AppendCellsFromText("3", "esc:*:*|st:*:LI|" + std::string(corners));
    table.AppendCellsFromText("4",
                              "loop_start:line_count|esc:*:*|st:*:GL|rs:*:left|ip:2:line_top|"
                              "esc:*:*|st:*:PR|sp:*:line_content|iv:1:0|loop_end");
    table.AppendCellsFromText("5", "esc:*:*|st:*:BF|" + std::string(corners) + "|iv:1:0");
    table.AppendCellsFromText("6", "esc:*:*|st:*:EL|" + std::string(ellipse));
    table.AppendCellsFromText("7", "esc:*:*|st:*:EF|" + std::string(ellipse));
    table.AppendCellsFromText("8",
                              "esc:*:*|st:*:BD|rs:*:left|rs:*:top|hx:*:01|"
                              "bv:*:bmp_bin~fit_bmp:cancel_if_this_is_zero_length");
    table.AppendCellsFromText("9",
                              "esc:*:*|st:*:AR|rs:*:center_x|rs:*:center_y|rs:*:half_width|"
                              "iv:2:start_angle|iv:2:end_angle");
    return table;
}

CVylColumnTable DependenceTable() {
    CVylColumnTable table;
    const std::string_view outline = "dot_size|color_switch|line_style";
    table.AppendCellsFromText("2", outline);
    table.AppendCellsFromText("3", outline);
    table.AppendCellsFromText("4", "font_kind|font_style|%text_content");
    table.AppendCellsFromText("5", "color_switch");
    table.AppendCellsFromText("6", outline);
    table.AppendCellsFromText("7", "color_switch");
    table.AppendCellsFromText("8", "%bmp_bin");
    table.AppendCellsFromText("9", "dot_size|color_switch");
    return table;
}

CVylColumnTable OptionTable() {
    CVylColumnTable table;
    table.AppendCellsFromText("dot_size", "esc:*:*|st:*:DS|iv:1:dot_size|ic:1:0");
    table.AppendCellsFromText("color_switch", "esc:*:*|st:*:SC|iv:1:color_switch");
    table.AppendCellsFromText("font_kind",
                              "esc:*:*|st:*:FO|iv:1:kor_font_index|iv:1:alnum_font_index");
    table.AppendCellsFromText("font_style",
                              "esc:*:*|st:*:FS|iv:1:bold_state|iv:1:inverse|iv:1:underline");
    table.AppendCellsFromText("line_style", "esc:*:*|st:*:LS|iv:1:dotted_spacing");
    return table;
}

}  // namespace vyb3224
