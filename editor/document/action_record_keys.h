// The keys of an edit action's record.
#pragma once

#include <string_view>

inline constexpr std::string_view kKeyActionKind = "ack";
inline constexpr std::string_view kKeyActionSwift = "sw";
inline constexpr std::string_view kKeyActionIsSingle = "iss";  // written, never needed back
inline constexpr std::string_view kKeySinglePart = "oea";
inline constexpr std::string_view kKeyMultiPart = "gea";
// In the single part.
inline constexpr std::string_view kKeyObjectRecord = "oa";
inline constexpr std::string_view kKeyContactUid = "cid";
inline constexpr std::string_view kKeyContactCorner = "ccr";
// In either part.
inline constexpr std::string_view kKeyRepairRecord = "rp";
inline constexpr std::string_view kKeyLinkerUid = "lnk";
// In the multi part (the group form also beside it).
inline constexpr std::string_view kKeyGroupForm = "gak";
inline constexpr std::string_view kKeyHandleCode = "grc";
inline constexpr std::string_view kKeyHandleX = "gnsf_x";
inline constexpr std::string_view kKeyHandleY = "gnsf_y";
inline constexpr std::string_view kKeyOffsetX = "gos_x";
inline constexpr std::string_view kKeyOffsetY = "gos_y";
inline constexpr std::string_view kKeyUids = "uids";
inline constexpr std::string_view kKeyGroupRecord = "obg";
inline constexpr std::string_view kRectKeys[] = {"rect_left", "rect_top", "rect_right",
                                                 "rect_bottom"};
