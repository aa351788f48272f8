#pragma once

#include "sources/WineAccount.h"

#include <QString>

namespace quorvane::ui {

// What the window tells a user whose Wine prefix holds no Messenger data, in
// plain words: what Quorvane looked for and where, and what to check.
QString MissingMessengerDataNotice(const WineAccount& wine);

} // namespace quorvane::ui
