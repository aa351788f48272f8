#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvane::extract {

// Where a member may go below the destination, or why it may go nowhere.
struct MemberPath {
    std::vector<std::string> parts; // folders, then the file name; all UTF-8
    std::string refusal;            // empty when the member may be written
};

// Turns a member's raw name into path parts. Names flagged as UTF-8 must be
// valid UTF-8; other names are Windows-1252. Both "/" and "\" separate parts,
// empty and "." parts are dropped, and so is a leading drive ("C:"), which
// keeps absolute names inside the destination. A ".." part refuses the
// member: there is no honest place inside the destination for "a/../../b".
MemberPath ParseMemberName(std::string_view raw, bool flaggedUtf8);

} // namespace quorvane::extract
