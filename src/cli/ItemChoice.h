#pragma once

#include "app/ListJob.h"
#include "cli/CliOptions.h"

#include <vector>

namespace quorvane::cli {

// The items the command line chooses: every listed one, or these numbers in
// this order (possibly none).
struct ItemChoice {
    bool all = false;
    std::vector<std::size_t> numbers;
};

// --all or --items "0,2,5" (in the order given; "" chooses nothing). A Usage
// failure for anything but decimal numbers, a number given twice, or both
// options.
Result<ItemChoice> ChosenItems(const ParsedOptions& options);

// The item data of the chosen items, in the order chosen; a Usage failure
// for a number that is not an item of the listing.
Result<std::vector<std::size_t>> ItemData(const ItemChoice& choice,
                                          const std::vector<ListedEntry>& items);

} // namespace quorvane::cli
