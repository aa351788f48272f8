#include "app/QtPictureDecoder.h"

#include "platform/FileIo.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

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

QImage QtPictureDecoder::ReadPicture(const std::string& path) {
    if (!EnsureImageCodec())
        return {};
    // Read by us first: a FIFO must not hang the decoder, and a huge file is
    // no picture of Messenger's.
    const Result<std::string> file = ReadRegularFile(path, kMaxPictureBytes);
    if (!file)
        return {};
    QByteArray bytes = QByteArray::fromStdString(*file);
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

bool QtPictureDecoder::CanDecode(const std::string& path) const {
    return !ReadPicture(path).isNull();
}

} // namespace quorvane
