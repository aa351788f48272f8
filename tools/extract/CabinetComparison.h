#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>

namespace quorvane::extract {

// The members of a cabinet held in memory besides its "content.xml", by
// name, with their bytes; nothing when it is not a single cabinet of plain
// files whose members (the manifest aside) hold mostBytes or less in all,
// or when reaching them would mean expanding more than that and a
// manifest's worth. Two packs of the same object hold the same such
// members, while their manifests differ (a manifest carries the content id
// of the listing it came from).
std::optional<std::map<std::string, std::string>> CabinetMembers(const std::string& cabinet,
                                                                 std::size_t mostBytes);

} // namespace quorvane::extract
