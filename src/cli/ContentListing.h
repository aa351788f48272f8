#pragma once

#include "app/AccountSelection.h"
#include "app/ListJob.h"
#include "cli/AccountAccess.h"
#include "cli/CliOptions.h"
#include "profile/ContentCategory.h"

#include <iosfwd>
#include <string>
#include <string_view>

namespace quorvane::cli {

// The "--type" option and the table of content types for the help texts.
Option TypeOption();
std::string TypeChoices();
// The content type the command line names; a Usage failure when it names none.
Result<ContentCategory> CategoryOption(const ParsedOptions& options);

// What the commands that read an account's content are asked for: the
// content type, and the account where it is read from (which may ask for
// a Windows password); the first failure of the two.
struct ContentRequest {
    ContentCategory category;
    AccountSelection selection;
};
Result<ContentRequest> ContentRequestFromOptions(const ParsedOptions& options);

// The left list of the window after List, for the commands that work on
// it, listed on this thread; an interrupt cancels it. keepLock: the account
// stays locked for as long as the report's listing lives. problem: why
// nothing can be listed (also when another Quorvane works on the account,
// or an interrupt came first), one or more lines each ending in a newline;
// "" when something was.
ListReport ListContent(const AccountSelection& selection, ContentCategory category, bool keepLock,
                       std::string& problem);

// The window's check before it lists: the passport must look like one.
// False, with the window's message on err, when it cannot be an account.
bool CheckPassport(const AccountSelection& selection, std::string_view commandName,
                   std::ostream& err);

} // namespace quorvane::cli
