#pragma once

#include "platform/CancelFlag.h"

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// How a watched run of a program ended.
struct WatchedRun {
    bool started = false;
    int exitCode = -1;          // -1 when it did not exit normally
    int signal = 0;             // the signal that ended it, when one did
    bool cancelled = false;     // stopped because cancel was requested
    bool timedOut = false;      // stopped at the time limit
    bool tooMuchOutput = false; // stopped for a line longer than the cap
    bool stopped = false;       // stopped because the output was not wanted any more
    bool quiet = false;         // stopped for writing nothing for too long
    std::string errorText;      // its standard error, cut to a few KB
    std::string startError;     // why it could not be started
};

// Runs a program (arguments[0] is its path; never through a shell) with no
// input, handing each line it writes to standard output to onLine as it
// comes, without the line end. The program and everything it started are
// killed at once when cancel is requested, when timeLimit passes, or when a
// line passes mostLineBytes: the program may be reading something made to
// make it hang, and a user who presses Cancel must not wait for it.
WatchedRun RunWatched(const std::vector<std::string>& arguments,
                      const std::function<void(std::string_view line)>& onLine,
                      const CancelFlag* cancel, std::chrono::milliseconds timeLimit,
                      std::size_t mostLineBytes = 64 * 1024);

// The same for a program whose standard output is a stream of bytes: onOutput
// is handed each piece as it comes, and stops the program (stopped is set)
// by giving false. The program is also stopped when it writes nothing for
// quietLimit.
WatchedRun RunWatchedStream(const std::vector<std::string>& arguments,
                            const std::function<bool(std::string_view bytes)>& onOutput,
                            const CancelFlag* cancel, std::chrono::milliseconds timeLimit,
                            std::chrono::milliseconds quietLimit);

} // namespace quorvane
