#pragma once

#include <cstddef>
#include <string>

namespace quorvane::tools {

// count letters and digits from the kernel's random source, for temporary
// names that others cannot guess. getrandom needs no set-up, so a tool that
// makes one name pays one system call for it.
std::string RandomLetters(std::size_t count);

} // namespace quorvane::tools
