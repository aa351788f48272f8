#pragma once

#include "backup/Listing.h"

#include <QImage>

namespace quorvane {

// Pictures as Qt reads them: the format is recognised by content, not by
// the file name, and a picture counts only when it actually decodes.
class QtPictureDecoder final : public PictureDecoder {
public:
    QtPictureDecoder();
    bool CanDecode(const std::string& path) const override;

    // Whether PNG, JPEG and GIF can be read at all; checked once and
    // remembered.
    static bool EnsureImageCodec();

    // The picture in a file, recognised by content; a null image when it is
    // none. Only a regular file of sensible size reaches the decoder. Safe
    // on any thread.
    static QImage ReadPicture(const std::string& path);
};

} // namespace quorvane
