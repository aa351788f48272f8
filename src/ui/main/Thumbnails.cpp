#include "ui/main/Thumbnails.h"

#include "app/QtPictureDecoder.h"

#include <QPainter>

#include <algorithm>

namespace quorvane::ui {

QImage MakeThumbnail(const std::string& picturePath, qreal ratio) {
    return MakeThumbnail(QtPictureDecoder::ReadPicture(picturePath), ratio);
}

QImage MakeThumbnail(const QImage& picture, qreal ratio) {
    if (picture.isNull())
        return {};
    const int side = qRound(kThumbnailSize * std::max<qreal>(ratio, 1));
    QImage thumbnail(side, side, QImage::Format_RGB888);
    thumbnail.fill(Qt::white);
    QPainter painter(&thumbnail);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    // A transparent pixel shows the colour stored in it, as a plain copy
    // into a 24-bit bitmap does.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(thumbnail.rect(), picture.convertToFormat(QImage::Format_RGB32));
    painter.end();
    thumbnail.setDevicePixelRatio(static_cast<qreal>(side) / kThumbnailSize);
    return thumbnail;
}

} // namespace quorvane::ui
