#include "editor/document/object_list.h"

#include "editor/document/object_group.h"
#include "editor/document/object_selection.h"
#include "editor/tree/decimal_text.h"

namespace {

constexpr int32_t kUnitsPerDot = 10000;

VyRect DotsOf(const VyRect& region) {
    const VyRect n = region.Normalized();
    return {n.left / kUnitsPerDot, n.top / kUnitsPerDot, n.right / kUnitsPerDot,
            n.bottom / kUnitsPerDot};
}

VyObjectListRow RowOf(const CVylObject& object, int32_t lcdWidth, int32_t lcdHeight) {
    VyObjectListRow row;
    row.uid = object.GetUid();
    row.kind = object.GetKind();
    const VyRect region = object.GetRegion();
    row.dots = DotsOf(region);
    row.offLcd = IsWhollyOffLcd(region, lcdWidth, lcdHeight);
    if (row.kind == kObjText) {
        row.text = TextExcerpt(object.Unique().GetString(kKeyTextContent), kObjectListTextLength,
                               &row.textCut);
    }
    return row;
}

}  // namespace

bool VyObjectListRow::LooksLike(const VyObjectListRow& other) const {
    return uid == other.uid && kind == other.kind && dots == other.dots && text == other.text &&
           textCut == other.textCut && offLcd == other.offLcd;
}

std::vector<VyObjectListRow> ObjectListRows(const CVylObjectGroup& group,
                                            const CVylObjectSelection& selection, int32_t lcdWidth,
                                            int32_t lcdHeight) {
    const std::vector<int32_t>& order = group.GetZOrderList();
    std::vector<VyObjectListRow> rows;
    rows.reserve(order.size());
    for (auto uid = order.rbegin(); uid != order.rend(); ++uid) {
        const CVylObject* object = group.GetByObjUid(*uid);
        if (object == nullptr) {
            continue;
        }
        rows.push_back(RowOf(*object, lcdWidth, lcdHeight));
        rows.back().selected = selection.IsUidSelected(*uid) != 0;
    }
    return rows;
}

std::string RegionDotsText(const VyRect& dots) {
    return "(" + DecimalText(dots.left) + "," + DecimalText(dots.top) + ")-(" +
           DecimalText(dots.right) + "," + DecimalText(dots.bottom) + ")";
}

std::string TextExcerpt(const std::string& cp949, size_t characters, bool* cut) {
    std::string excerpt;
    size_t at = 0;
    for (size_t taken = 0; taken < characters && at < cp949.size(); ++taken) {
        const auto lead = static_cast<unsigned char>(cp949[at]);
        // A lead byte with its trail byte is one character; a lead byte
        // without one is dropped rather than shown cut in half.
        if (lead >= 0x81 && lead != 0xFF) {
            if (at + 1 < cp949.size()) {
                excerpt.append(cp949, at, 2);
            }
            at += 2;
            continue;
        }
        // A line break of two bytes is one blank.
        if (lead == '\r' && at + 1 < cp949.size() && cp949[at + 1] == '\n') {
            ++at;
        }
        excerpt += lead < 0x20 || lead == 0x7F ? ' ' : static_cast<char>(lead);
        ++at;
    }
    if (cut != nullptr) {
        *cut = at < cp949.size();
    }
    return excerpt;
}

bool IsWhollyOffLcd(const VyRect& region, int32_t lcdWidth, int32_t lcdHeight) {
    const VyRect n = region.Normalized();
    const int64_t lastX = int64_t{lcdWidth} * kUnitsPerDot - 1;
    const int64_t lastY = int64_t{lcdHeight} * kUnitsPerDot - 1;
    return n.right < 0 || n.bottom < 0 || n.left > lastX || n.top > lastY;
}
