#include "profile/ContentCategory.h"

#include <array>

namespace quorvane {

namespace {

struct CategoryNames {
    std::string_view folder;
    std::string_view label;
    std::string_view keyword;
};

constexpr std::array<CategoryNames, kCategoryCount> kNames{{
    {"Winks3", "MSN Winks", "winks"},
    {"DeluxeDisplayPictures", "MSN Dynamic Display Pictures", "dynamic-display-pictures"},
    {"DynamicBackgrounds", "MSN Dynamic Backgrounds", "dynamic-backgrounds"},
    {"CustomEmoticons", "MSN Custom Emoticons", "custom-emoticons"},
    {"Backgrounds", "MSN Regular Backgrounds", "backgrounds"},
    {"UserTile", "MSN Regular Display Pictures", "display-pictures"},
}};

const CategoryNames& Names(ContentCategory category) {
    return kNames[static_cast<std::size_t>(category)];
}

} // namespace

std::string_view CategoryFolderName(ContentCategory category) {
    return Names(category).folder;
}

std::string_view CategoryLabel(ContentCategory category) {
    return Names(category).label;
}

std::string_view CategoryKeyword(ContentCategory category) {
    return Names(category).keyword;
}

std::optional<ContentCategory> ParseCategory(std::string_view text) {
    for (int i = 0; i < kCategoryCount; ++i) {
        if (text == kNames[static_cast<std::size_t>(i)].keyword ||
            (text.size() == 1 && text[0] == static_cast<char>('0' + i)))
            return static_cast<ContentCategory>(i);
    }
    return std::nullopt;
}

} // namespace quorvane
