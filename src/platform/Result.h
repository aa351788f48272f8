#pragma once

#include <tl/expected.hpp>

#include <string>
#include <utility>

namespace quorvane {

// Why something could not be done: the system's error number, when the
// system said no (0 otherwise), and a sentence for the user that names what
// failed, in the user's language.
struct Failure {
    int osError = 0;
    std::string sentence;
};

// What every function that can fail gives back: the value, or the Failure.
template <typename T = void> using Result = tl::expected<T, Failure>;

// The failure side of a Result, for "return Fail(...)".
inline tl::unexpected<Failure> Fail(std::string sentence, int osError = 0) {
    return tl::unexpected<Failure>(Failure{osError, std::move(sentence)});
}
inline tl::unexpected<Failure> Fail(Failure failure) {
    return tl::unexpected<Failure>(std::move(failure));
}

} // namespace quorvane
