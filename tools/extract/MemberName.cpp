#include "MemberName.h"

#include "Utf8.h"

namespace quorvane::extract {

MemberPath ParseMemberName(std::string_view raw, bool flaggedUtf8) {
    MemberPath result;
    std::string name;
    if (flaggedUtf8) {
        if (!tools::IsValidUtf8(raw)) {
            result.refusal = "name is flagged as UTF-8 but is not valid UTF-8";
            return result;
        }
        name = std::string(raw);
    } else {
        name = tools::Windows1252ToUtf8(raw);
    }

    // "/" and "\" are single bytes that never occur inside a longer UTF-8
    // sequence, so splitting the decoded bytes cannot cut a character.
    std::size_t start = 0;
    bool first = true;
    while (start <= name.size()) {
        std::size_t end = name.find_first_of("/\\", start);
        if (end == std::string::npos) {
            end = name.size();
        }
        std::string part = name.substr(start, end - start);
        start = end + 1;
        if (part.empty() || part == ".") {
            continue;
        }
        if (part == "..") {
            result.parts.clear();
            result.refusal = "name climbs out of the destination with \"..\"";
            return result;
        }
        if (first && part.back() == ':') {
            first = false;
            continue;
        }
        first = false;
        result.parts.push_back(std::move(part));
    }
    if (result.parts.empty()) {
        result.refusal = "name is empty once slashes and drive are taken away";
    }
    return result;
}

} // namespace quorvane::extract
