#include "ui/main/Thumbnails.h"

#include "app/QtPictureDecoder.h"

#include <QPainter>

namespace quorvane::ui {

QImage MakeThumbnail(const std::string& picturePath) {
    return MakeThumbnail(QtPictureDecoder::ReadPicture(picturePath));
}

QImage MakeThumbnail(const QImage& picture) {
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
