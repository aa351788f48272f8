#pragma once

#include "app/AccountSelection.h"
#include "app/ListJob.h"

#include <string>

namespace quorvane {

// Why a listing gave nothing and what it left out, in the same words for
// both front ends: each is one or more sentences, every line ending in a
// newline, "" when there is nothing to say. The command line prints them
// after its name; the window shows them in its box.

// Why the catalogue could not be listed; "" when it was.
std::string ListingProblem(const CatalogueState& catalogue, const AccountSelection& selection);

// How many catalogue objects a listing left out and why, as one line; ""
// when none was.
std::string LeftOutSummary(const ListReport& result);

// Why a listing that could have the account gave nothing (interrupted, the
// cabinet tool failing, the catalogue unreadable or naming nothing to
// show); "" when it gave something.
std::string NothingListed(const ListReport& report, const AccountSelection& selection);

} // namespace quorvane
