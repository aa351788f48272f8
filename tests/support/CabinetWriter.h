#pragma once

#include <string>
#include <utility>
#include <vector>

namespace quorvane::test {

// Writes a cabinet (MSZIP) holding the given files under their names, for
// test accounts. Throws on failure: test support only.
void WriteCabinet(const std::string& path,
                  const std::vector<std::pair<std::string, std::string>>& files);

} // namespace quorvane::test
