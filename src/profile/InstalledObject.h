#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// One listed object. The fields hold code-page text of at most
// kMaxFieldLength bytes, as Messenger's 260-byte fields do.
struct InstalledObject {
    static constexpr std::size_t kMaxFieldLength = 259;

    std::string location;    // the object's file name in its object folder
    std::string tag;         // packaged: content id, naming its scratch; emoticons: key sequence
    std::string displayName; // the friendly name

    // Cuts a value to what a field holds.
    static std::string Field(std::string_view value);
};

} // namespace quorvane
