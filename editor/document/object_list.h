// The object list: one row per object of the drawing, the top of the
// stacking order first, with what the list shows of it (kind, region in
// dots, the start of a text, whether it lies wholly off the LCD, whether it
// is selected). Texts stay in the system code page; the list's window
// converts them.
#pragma once

#include "editor/vyedit_export.h"

#include <cstdint>
#include <string>
#include <vector>

#include "editor/model/geometry.h"

class CVylObjectGroup;
class CVylObjectSelection;

// Characters of a text object's content a row shows.
inline constexpr size_t kObjectListTextLength = 16;

struct VYEDIT_EXPORT VyObjectListRow {
    int32_t uid = -1;
    int32_t kind = 0;
    VyRect dots;       // the region in dots, left <= right and top <= bottom
    std::string text;  // a text object's first characters, line breaks as blanks
    bool textCut = false;
    bool offLcd = false;
    bool selected = false;

    // Whether two rows show the same (the selection is shown apart).
    bool LooksLike(const VyObjectListRow& other) const;
};

// Every object of the group, top first, on an LCD of lcdWidth x lcdHeight dots.
VYEDIT_EXPORT std::vector<VyObjectListRow> ObjectListRows(const CVylObjectGroup& group,
                                                          const CVylObjectSelection& selection,
                                                          int32_t lcdWidth, int32_t lcdHeight);

// "(10,20)-(150,70)".
VYEDIT_EXPORT std::string RegionDotsText(const VyRect& dots);

// The first characters (one or two bytes each) of a text in the system code
// page, control characters as blanks; *cut is set when more followed.
VYEDIT_EXPORT std::string TextExcerpt(const std::string& cp949, size_t characters, bool* cut);

// Whether a region (in virtual units) lies wholly outside an LCD of
// lcdWidth x lcdHeight dots.
VYEDIT_EXPORT bool IsWhollyOffLcd(const VyRect& region, int32_t lcdWidth, int32_t lcdHeight);
