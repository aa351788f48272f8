#pragma once

#include <QString>

namespace quorvane {

// The sentences both front ends show in the same words, translated.
QString BackupSucceededText();
QString NothingSelectedText();
QString InvalidPassportText();
// What still saves something from a Windows folder without the password:
// a sentence, then the rescue command for folder on a line of its own (so
// a window does not break it at one of its dashes).
QString WithoutPasswordText(const QString& folder);
// The same for a Windows user on a disk image.
QString WithoutPasswordFromImageText(const QString& image);

} // namespace quorvane
