#include "profile/ContentCategory.h"

#include <QCoreApplication>

#include <array>

namespace quorvane {

namespace {

struct CategoryNames {
    std::string_view folder;
    const char* label; // English; shown translated
    std::string_view keyword;
};

constexpr std::array<CategoryNames, kCategoryCount> kNames{{
    {"Winks3", QT_TRANSLATE_NOOP("quorvane::Outcomes", "MSN Winks"), "winks"},
    {"DeluxeDisplayPictures",
     QT_TRANSLATE_NOOP("quorvane::Outcomes", "MSN Dynamic Display Pictures"),
     "dynamic-display-pictures"},
    {"DynamicBackgrounds", QT_TRANSLATE_NOOP("quorvane::Outcomes", "MSN Dynamic Backgrounds"),
     "dynamic-backgrounds"},
    {"CustomEmoticons", QT_TRANSLATE_NOOP("quorvane::Outcomes", "MSN Custom Emoticons"),
     "custom-emoticons"},
    {"Backgrounds", QT_TRANSLATE_NOOP("quorvane::Outcomes", "MSN Regular Backgrounds"),
     "backgrounds"},
    {"UserTile", QT_TRANSLATE_NOOP("quorvane::Outcomes", "MSN Regular Display Pictures"),
     "display-pictures"},
}};

const CategoryNames& Names(ContentCategory category) {
    return kNames[static_cast<std::size_t>(category)];
}

} // namespace

std::string_view CategoryFolderName(ContentCategory category) {
    return Names(category).folder;
}

std::string CategoryLabel(ContentCategory category) {
    return QCoreApplication::translate("quorvane::Outcomes", Names(category).label).toStdString();
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
