#pragma once

#include <QString>

namespace quorvane {

// The program's read-only data (skin pictures, icons): share/quorvane beside
// the bin folder the program runs from, in the build tree as when installed.
QString DataFolder();

// relativePath inside DataFolder(), e.g. "icons/backup.png".
QString DataFilePath(const QString& relativePath);

} // namespace quorvane
