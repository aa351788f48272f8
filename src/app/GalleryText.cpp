#include "app/GalleryText.h"

#include <QCoreApplication>

namespace quorvane {

namespace {

std::string Tr(const char* text) {
    return QCoreApplication::translate("quorvane::Gallery", text).toStdString();
}

} // namespace

GalleryWords TranslatedGalleryWords(std::string_view passport) {
    GalleryWords words;
    // The page says which language it is in, for screen readers and
    // hyphenation: the translation names its own.
    words.language = QCoreApplication::translate("quorvane::Gallery", "en",
                                                 "The BCP 47 tag of this translation's language "
                                                 "(pt-BR, es), for the gallery page's lang "
                                                 "attribute")
                         .toStdString();
    words.title =
        QCoreApplication::translate("quorvane::Gallery", "Messenger content of %1")
            .arg(QString::fromUtf8(passport.data(), static_cast<qsizetype>(passport.size())))
            .toStdString();
    words.original = Tr(QT_TRANSLATE_NOOP("quorvane::Gallery", "Original"));
    words.video = Tr(QT_TRANSLATE_NOOP("quorvane::Gallery", "Video (WebM)"));
    words.animation = Tr(QT_TRANSLATE_NOOP("quorvane::Gallery", "Animation (WebP)"));
    words.gif = Tr(QT_TRANSLATE_NOOP("quorvane::Gallery", "Animation (GIF)"));
    words.still = Tr(QT_TRANSLATE_NOOP("quorvane::Gallery", "First frame (PNG)"));
    words.picture = Tr(QT_TRANSLATE_NOOP("quorvane::Gallery", "Thumbnail"));
    words.shortcut = Tr(QT_TRANSLATE_NOOP("quorvane::Gallery", "Shortcut:"));
    words.playHint =
        Tr(QT_TRANSLATE_NOOP("quorvane::Gallery", "Play the video to hear its sound."));
    words.noItems = Tr(QT_TRANSLATE_NOOP("quorvane::Gallery", "Nothing was exported."));
    words.failed = Tr(QT_TRANSLATE_NOOP("quorvane::Gallery", "Failed:"));
    words.typeHeadings = {
        {"winks", Tr(QT_TRANSLATE_NOOP("quorvane::Gallery", "Winks"))},
        {"dynamic-display-pictures",
         Tr(QT_TRANSLATE_NOOP("quorvane::Gallery", "Dynamic Display Pictures"))},
        {"dynamic-backgrounds", Tr(QT_TRANSLATE_NOOP("quorvane::Gallery", "Dynamic Backgrounds"))},
        {"custom-emoticons", Tr(QT_TRANSLATE_NOOP("quorvane::Gallery", "Custom Emoticons"))},
        {"backgrounds", Tr(QT_TRANSLATE_NOOP("quorvane::Gallery", "Backgrounds"))},
        {"display-pictures", Tr(QT_TRANSLATE_NOOP("quorvane::Gallery", "Display Pictures"))},
    };
    return words;
}

} // namespace quorvane
