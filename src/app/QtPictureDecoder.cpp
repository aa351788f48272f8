#include "app/QtPictureDecoder.h"

#include <QImage>
#include <QImageReader>
#include <QString>

namespace quorvane {

QtPictureDecoder::QtPictureDecoder() = default;

bool QtPictureDecoder::EnsureImageCodec() {
    static const bool usable = [] {
        const auto formats = QImageReader::supportedImageFormats();
        return formats.contains("png") && formats.contains("jpeg") && formats.contains("gif");
    }();
    return usable;
}

bool QtPictureDecoder::CanDecode(const std::string& path) const {
    if (!EnsureImageCodec())
        return false;
    QImageReader reader(QString::fromStdString(path));
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    return !image.isNull();
}

} // namespace quorvane
