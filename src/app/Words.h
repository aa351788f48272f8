#pragma once

#include <QString>

namespace quorvane {

// The sentences both front ends show in the same words, translated.
QString BackupSucceededText();
QString NothingSelectedText();
QString InvalidPassportText();

} // namespace quorvane
