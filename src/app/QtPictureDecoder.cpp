#include "app/QtPictureDecoder.h"

#include "platform/FileIo.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QString>

namespace quorvane {

namespace {
constexpr std::size_t kMaxPictureBytes = 64u * 1024 * 1024;
}

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
    // Read by us first: only a regular file, and never more than a picture
    // can sensibly hold, reaches the decoder.
    const FileRead file = ReadRegularFile(path, kMaxPictureBytes);
    if (!file.bytes)
        return false;
    QByteArray bytes = QByteArray::fromStdString(*file.bytes);
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    return !image.isNull();
}

} // namespace quorvane
