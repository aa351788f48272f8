#pragma once

#include <tl/expected.hpp>

#include <string>
#include <utility>

namespace quorvane {

// What kind of failure it was, for a program to act on; the sentence is
// only ever shown. System means the system said no and osError says why.
enum class FailureCode {
    System,
    Cancelled,     // the user or a signal asked to stop
    WrongPassword, // the password or key given does not open it
    Damaged,       // the bytes do not hold what they should
    Unsupported,   // well formed, of a kind this program does not read
    TooMuchWork,   // past a limit set against hostile input
    Missing,       // something needed is not there
    Refused,       // asked for something this program will not do
    Usage,         // a command written other than the program takes it
};

// Why something could not be done: its code, the system's error number when
// the system said no (0 otherwise), and a sentence for the user that names
// what failed, in the user's language.
struct Failure {
    int osError = 0;
    std::string sentence;
    FailureCode code = FailureCode::System;
};

// What every function that can fail gives back: the value, or the Failure.
template <typename T = void> using Result = tl::expected<T, Failure>;

// The failure side of a Result, for "return Fail(...)".
inline tl::unexpected<Failure> Fail(std::string sentence, int osError = 0) {
    return tl::unexpected<Failure>(Failure{osError, std::move(sentence)});
}
inline tl::unexpected<Failure> Fail(FailureCode code, std::string sentence) {
    return tl::unexpected<Failure>(Failure{0, std::move(sentence), code});
}
inline tl::unexpected<Failure> Fail(Failure failure) {
    return tl::unexpected<Failure>(std::move(failure));
}

} // namespace quorvane
