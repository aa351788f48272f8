#include "ui/main/Thumbnails.h"

#include "platform/FileIo.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QPainter>

namespace quorvane::ui {

namespace {
constexpr std::size_t kMaxPictureBytes = 64u * 1024 * 1024;
}

QImage MakeThumbnail(const std::string& picturePath) {
    // Read by us: only a regular file of sensible size reaches the decoder.
    const FileRead file = ReadRegularFile(picturePath, kMaxPictureBytes);
    if (!file.bytes)
        return {};
    QByteArray bytes = QByteArray::fromStdString(*file.bytes);
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    const QImage picture = reader.read();
    if (picture.isNull())
        return {};
    QImage thumbnail(kThumbnailSize, kThumbnailSize, QImage::Format_RGB888);
    thumbnail.fill(Qt::white);
    QPainter painter(&thumbnail);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    // A transparent pixel shows the colour stored in it, as a plain copy
    // into a 24-bit bitmap does.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(thumbnail.rect(), picture.convertToFormat(QImage::Format_RGB32));
    painter.end();
    return thumbnail;
}

} // namespace quorvane::ui
