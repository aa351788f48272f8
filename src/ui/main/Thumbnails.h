#pragma once

#include <QImage>

#include <string>

namespace quorvane::ui {

inline constexpr int kThumbnailSize = 50;

// A 50 x 50, 24-bit thumbnail of a picture file: the whole picture stretched
// into the square without keeping its aspect ratio and without smoothing,
// on white (transparency is not honoured). A null image when the file is no
// picture Qt can read. Safe on any thread.
QImage MakeThumbnail(const std::string& picturePath);
QImage MakeThumbnail(const QImage& picture);

} // namespace quorvane::ui
