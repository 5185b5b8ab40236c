#include "editor/document/drawing_read.h"

#include "editor/document/edit_history.h"
#include "editor/document/project_format.h"

namespace {

bool LooksLikeActionKey(std::string_view key) {
    return key.size() > 1 && key[0] == 'a' &&
           key.find_first_not_of("0123456789", 1) == std::string_view::npos;
}

// Every entry but the actions, which must follow one another from "a0" on.
struct Scan {
    CFxAssignGroupEx rest;
    size_t actions = 0;
    bool inOrder = true;
    int decoded = 0;
};

void ScanRecord(const CRevolver& bytes, Scan& scan) {
    scan.decoded = CFxAssignGroupEx::VisitEncoded(bytes, [&](const CFxEntryView& entry) {
        if (scan.inOrder && entry.key == ActionKey(scan.actions)) {
            ++scan.actions;
            return;
        }
        if (LooksLikeActionKey(entry.key)) {
            scan.inOrder = false;
        }
        scan.rest.SetFromView(entry, bytes);
    });
}

// Files whose actions are not in order are read the common way.
int ReadDecodingWhole(const CRevolver& bytes, CVylObjectGroup& group, VyDrawingRead& read) {
    CFxAssignGroupEx tree;
    const bool decoded = tree.FromRevolver(bytes) != 0;
    read.isProject = tree.Has(kKeyFileType);
    if (!read.isProject) {
        return group.ObjGroupFromTree(tree);
    }
    return decoded && CVylEditActionGroup::ReplayProjectTree(tree, group, &read.required,
                                                             &read.complete)
               ? 1
               : 0;
}

// Every action must read; those the file marks undone are not applied.
int ReplayActions(const CRevolver& bytes, const VyProjectHeader& header, CVylObjectGroup& group,
                  VyDrawingRead& read) {
    const int32_t count = header.count;
    group.RemoveAllObjectGroup();
    if (count <= 0) {
        return 1;
    }
    size_t next = 0;
    bool readable = true;
    bool applying = true;
    CFxAssignGroupEx::VisitEncoded(bytes, [&](const CFxEntryView& entry) {
        if (!readable || next >= static_cast<size_t>(count) || entry.key != ActionKey(next)) {
            return;
        }
        ++next;
        CVylEditAction action;
        if (entry.kind != CFxAssignEntry::kBytes ||
            !action.FromRevolver(bytes.Slice(entry.offset, entry.size))) {
            readable = false;
            return;
        }
        applying =
            applying && (next > static_cast<size_t>(header.applied) || action.ApplyTo(group));
    });
    read.complete = applying;
    return readable ? 1 : 0;
}

}  // namespace

int ReadDrawingFromBytes(const CRevolver& bytes, CVylObjectGroup& group, VyDrawingRead& read) {
    read = VyDrawingRead();
    Scan scan;
    ScanRecord(bytes, scan);
    read.isProject = scan.rest.Has(kKeyFileType);
    if (!scan.inOrder || (!read.isProject && scan.actions != 0)) {
        return ReadDecodingWhole(bytes, group, read);
    }
    if (!read.isProject) {
        return group.ObjGroupFromTree(scan.rest);
    }
    if (!scan.decoded) {
        return 0;
    }
    VyProjectHeader header;
    const VyHeaderVerdict verdict = ReadProjectHeader(scan.rest, header, read.required);
    if (verdict != VyHeaderVerdict::kActions) {
        group.RemoveAllObjectGroup();
        return verdict == VyHeaderVerdict::kNoActions ? 1 : 0;
    }
    // Every action the header counts must be there, as a full read requires.
    if (header.count > 0 && static_cast<size_t>(header.count) > scan.actions) {
        return 0;
    }
    return ReplayActions(bytes, header, group, read);
}
