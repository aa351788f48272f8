#pragma once

#include <optional>
#include <string_view>

namespace quorvane {

// The six kinds of content, numbered in the order of the backup-type list.
enum class ContentCategory {
    Winks = 0,
    DynamicDisplayPictures = 1,
    DynamicBackgrounds = 2,
    CustomEmoticons = 3,
    RegularBackgrounds = 4,
    RegularDisplayPictures = 5,
};

inline constexpr int kCategoryCount = 6;

// Winks, Dynamic Display Pictures and Dynamic Backgrounds are cabinets with a
// stamp; the others are plain pictures.
constexpr bool IsPackaged(ContentCategory category) {
    return static_cast<int>(category) >= 0 && static_cast<int>(category) <= 2;
}

// The folder in the account folder that holds the category's objects
// ("Winks3", ...), without separator.
std::string_view CategoryFolderName(ContentCategory category);
// The label of the backup-type list ("MSN Winks", ...).
std::string CategoryLabel(ContentCategory category);
// The command-line name ("winks", "dynamic-display-pictures", ...).
std::string_view CategoryKeyword(ContentCategory category);
// A number 0 to 5 or a command-line name.
std::optional<ContentCategory> ParseCategory(std::string_view text);

} // namespace quorvane
