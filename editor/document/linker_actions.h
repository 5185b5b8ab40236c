// Joining line end points and keeping joined points together. Joints change
// only through edit actions, so undo, redo and files carry them like any edit.
#pragma once

#include <cstdint>
#include <string_view>

#include "editor/document/edit_history.h"
#include "editor/document/object_group.h"
#include "editor/document/object_selection.h"

enum class VyJoinResult { kJoined, kAlreadyJoined, kBadSelection, kNotLines };

// Notices for the two refused joins, in the system code page.
// "객체가 올바르게 선택되지 않았습니다."
inline constexpr std::string_view kNoticeBadSelection =
    "\xB0\xB4\xC3\xBC\xB0\xA1 \xBF\xC3\xB9\xD9\xB8\xA3\xB0\xD4 \xBC\xB1\xC5\xC3\xB5\xC7\xC1\xF6 "
    "\xBE\xCA\xBE\xD2\xBD\xC0\xB4\xCF\xB4\xD9.";
// "두 객체가 모두 라인이어야 접점 연결이 가능합니다."
inline constexpr std::string_view kNoticeNotLines =
    "\xB5\xCE \xB0\xB4\xC3\xBC\xB0\xA1 \xB8\xF0\xB5\xCE \xB6\xF3\xC0\xCE\xC0\xCC\xBE\xEE\xBE\xDF "
    "\xC1\xA2\xC1\xA1 \xBF\xAC\xB0\xE1\xC0\xCC \xB0\xA1\xB4\xC9\xC7\xD5\xB4\xCF\xB4\xD9.";

// The contact command: joins the nearest end points of the two selected lines
// (new actions are appended and applied to the group at once), then adds the
// follow-up moves and places the points. The caller replays and redraws.
VyJoinResult JoinNearestEndPoints(CVylEditActionGroup& history, CVylObjectGroup& group,
                                  const CVylObjectSelection& selection);

// For every linker of two or more points: "mod_resize" actions that move the
// other points onto the reference point. Returns how many were made.
int AddFollowUpActions(CVylEditActionGroup& history, const CVylObjectGroup& group,
                       const CVylObjectSelection& selection, int32_t swift);

// The same placement applied to the group directly, for showing a drag.
void ApplyLivePass(CVylObjectGroup& group, const CVylObjectSelection& selection);

// Detaches every joined corner of the selected objects; with closeBlock the
// last action ends the undo block. Returns how many actions were made.
int AddActionsForDetachSelectedObjectsPointsFromLinker(CVylEditActionGroup& history,
                                                       const CVylObjectGroup& group,
                                                       const CVylObjectSelection& selection,
                                                       bool closeBlock);
