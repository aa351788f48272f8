#pragma once

#include "export/Gallery.h"

#include <string_view>

namespace quorvane {

// The export gallery's words in the language the program's texts are shown
// in, with the passport in the title; its lang attribute is that language's.
GalleryWords TranslatedGalleryWords(std::string_view passport);

} // namespace quorvane
