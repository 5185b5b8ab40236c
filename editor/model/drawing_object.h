// CVylObject: one element of the LCD screen, made of its common attribute tree
// (identity, kind, region) and its unique attribute tree (kind-specific).
#pragma once

#include "editor/vyedit_export.h"

#include <cstdint>
#include <string_view>

#include "editor/model/geometry.h"
#include "editor/tree/tree_writer.h"
#include "editor/tree/value_tree.h"

enum VyObjKind : int32_t {
    kObjBox = 2,
    kObjLine = 3,
    kObjText = 4,
    kObjFilledBox = 5,
    kObjEllipse = 6,
    kObjFilledEllipse = 7,
    kObjBitmap = 8,
    kObjArc = 9,
};

// Common attribute keys.
inline constexpr std::string_view kKeyObjUid = "obj_uid";
inline constexpr std::string_view kKeyObjKind = "obj_kind";
inline constexpr std::string_view kKeyObjLeft = "obj_left";
inline constexpr std::string_view kKeyObjTop = "obj_top";
inline constexpr std::string_view kKeyObjRight = "obj_right";
inline constexpr std::string_view kKeyObjBottom = "obj_bottom";

// Unique attribute keys.
inline constexpr std::string_view kKeyDotSize = "dot_size";
inline constexpr std::string_view kKeyDottedSpacing = "dotted_spacing";
inline constexpr std::string_view kKeyColorSwitch = "color_switch";
inline constexpr std::string_view kKeyTextContent = "text_content";
inline constexpr std::string_view kKeyKorFontIndex = "kor_font_index";
inline constexpr std::string_view kKeyAlnumFontIndex = "alnum_font_index";
inline constexpr std::string_view kKeyBoldState = "bold_state";
inline constexpr std::string_view kKeyInverse = "inverse";
inline constexpr std::string_view kKeyUnderline = "underline";
inline constexpr std::string_view kKeyLineCount = "line_count";
inline constexpr std::string_view kKeyLineContent = "line_content";
inline constexpr std::string_view kKeyLineTop = "line_top";
inline constexpr std::string_view kKeyBmpBin = "bmp_bin";
// A bitmap's picture before its reduction to one bit (a BMP file of grey
// levels; objects of older files have none), and the reduction chosen:
// the method's name, the threshold level, "1" for inverted.
inline constexpr std::string_view kKeyBmpSource = "bmp_src";
inline constexpr std::string_view kKeyBmpDither = "bmp_dither";
inline constexpr std::string_view kKeyBmpLevel = "bmp_level";
inline constexpr std::string_view kKeyBmpInvert = "bmp_invert";
inline constexpr std::string_view kKeyStartAngle = "start_angle";
inline constexpr std::string_view kKeyEndAngle = "end_angle";

// Record keys.
inline constexpr std::string_view kKeyRecordCommon = "ca";
inline constexpr std::string_view kKeyRecordUnique = "ua";

// The unique attributes of an object, and the current attributes of the tools.
class CVylObjectUniqueAttr : public CFxAssignGroupEx {
  public:
    using CFxAssignGroupEx::CFxAssignGroupEx;
    using CFxAssignGroupEx::operator=;
};

class VYEDIT_EXPORT CVylObject {
  public:
    CFxAssignGroupEx& Common() { return m_common; }
    const CFxAssignGroupEx& Common() const { return m_common; }
    CVylObjectUniqueAttr& Unique() { return m_unique; }
    const CVylObjectUniqueAttr& Unique() const { return m_unique; }

    void SetCommonAttrs(int32_t uid, int32_t kind, const VyRect& region);
    void SetRegion(const VyRect& region);
    VyRect GetRegion() const;
    int32_t GetUid(int32_t fallback = -1) const { return m_common.GetInt(kKeyObjUid, fallback); }
    int32_t GetKind(int32_t fallback = 0) const { return m_common.GetInt(kKeyObjKind, fallback); }

    // Record form: "ca" and "ua" hold the two encoded trees. The unique tree is
    // written whole except the laid-out text lines, which are derived data.
    int ToRecord(CRevolver& out) const;
    // The record's entries, for a writer that nests it in a larger record.
    void WriteRecord(CFxTreeWriter& writer) const;
    int FromRecord(const CRevolver& in);

  private:
    CFxAssignGroupEx m_common;
    CVylObjectUniqueAttr m_unique;
};

// True for the keys that text line preparation adds and removes.
bool IsLaidOutLineKey(std::string_view key);
