#pragma once

#include <string>

#include <sys/types.h>

namespace quorvane::tools {

// What kind of file a st_mode is, for messages: "a FIFO", "a folder", ...
const char* FileKind(mode_t mode);

// Opens a file the tool is to read. Anything but a regular file is refused,
// before it is opened where possible and after it is opened in any case: a
// FIFO would block the open (and then every read) until some other program
// wrote to it, a device may never end, and the program that runs the tool
// would wait for it forever. The open itself never blocks (O_NONBLOCK, which
// changes nothing for reads of a regular file). `what` names the file in the
// message ("cabinet", "input"). The descriptor, or -1 with the reason.
int OpenRegularFile(const std::string& path, const char* what, std::string& error);

// The message for a file that is not a regular one:
// `input "x" is not a regular file (a FIFO)`.
std::string NotRegularFile(const std::string& path, const char* what, mode_t mode);

} // namespace quorvane::tools
