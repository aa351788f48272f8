#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace quorvane {

// Text that came in as UTF-8 from names a stranger chose, made valid: each
// malformed sequence (a stray byte, an overlong form, a surrogate) becomes
// U+FFFD, so what is written out is always well-formed UTF-8.
inline std::string ValidUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toStdString();
}

} // namespace quorvane
