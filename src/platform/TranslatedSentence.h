#pragma once

#include <QCoreApplication>
#include <QString>

#include <concepts>
#include <string>
#include <string_view>

namespace quorvane {

// The program's sentences are written in English in the source and looked up
// in the user's language with QCoreApplication::translate (which lupdate
// finds); Sentence fills in the %1, %2, ... of the looked-up pattern with
// UTF-8 text or numbers and gives UTF-8 back. All markers are filled in one
// pass, so a "%2" inside a file name put in for %1 stays as it is. The
// core's sentences share the one context "quorvane::Outcomes", so moving a
// sentence to another file keeps its translations.
//
// The order in which the arguments are worked out is not fixed, and the
// lookup may change errno: take errno first.
//
//   const int error = errno;
//   reason = Sentence(QCoreApplication::translate("quorvane::Outcomes",
//                                                 "%1 could not be written: %2"),
//                     path, ErrorText(error));
namespace detail {
inline QString SentencePart(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline QString SentencePart(const char* text) {
    return QString::fromUtf8(text);
}
inline QString SentencePart(const QString& text) {
    return text;
}
template <std::integral Number> QString SentencePart(Number number) {
    return QString::number(number);
}
} // namespace detail

template <typename... Parts> std::string Sentence(const QString& pattern, const Parts&... parts) {
    if constexpr (sizeof...(parts) == 0)
        return pattern.toStdString();
    else
        return pattern.arg(detail::SentencePart(parts)...).toStdString();
}

} // namespace quorvane
