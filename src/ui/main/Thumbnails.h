#pragma once

#include <QImage>

#include <string>

namespace quorvane::ui {

inline constexpr int kThumbnailSize = 50;

// A 50 x 50, 24-bit thumbnail of a picture file: the whole picture stretched
// into the square without keeping its aspect ratio and without smoothing,
// on white (transparency is not honoured). Made in the device pixels of a
// screen of the ratio (100 x 100 at 2), so a sharp screen shows the
// picture's own detail. A null image when the file is no picture Qt can
// read. Safe on any thread.
QImage MakeThumbnail(const std::string& picturePath, qreal ratio = 1);
QImage MakeThumbnail(const QImage& picture, qreal ratio = 1);

} // namespace quorvane::ui
