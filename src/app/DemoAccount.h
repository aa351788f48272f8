#pragma once

#include "backup/CabinetTools.h"
#include "platform/Result.h"
#include "sources/WineAccount.h"

#include <cstdint>
#include <string>

namespace quorvane {

// A Messenger account of Quorvane's own, so that someone without Messenger
// data can watch the program list and back up content that looks like the
// real thing. It is written exactly as Messenger keeps an account under Wine:
// protected pointer files and catalogues, cabinets, pictures. The pictures
// and Flash movies are files of the program's data (share/quorvane/demo).
struct DemoAccount {
    std::string prefix;   // the demo Wine prefix
    std::string user;     // the Wine user (UTF-8) the account was written for
    std::string passport; // UTF-8
};

// The sign-in name of the demo account.
inline constexpr const char* kDemoPassport = "demo@quorvane.example";

// How many objects the demo account holds in each category, in the order of
// ContentCategory.
inline constexpr int kDemoObjectCounts[] = {6, 4, 3, 8, 4, 4};

// Where the demo lives: $XDG_DATA_HOME/quorvane/demo-wine, else
// ~/.local/share/quorvane/demo-wine.
std::string DemoPrefixPath();

// Makes sure a complete demo account exists in prefix for the Wine user
// (UTF-8): each category that is missing or incomplete (a protected file
// that does not open for this user, a catalogue other than the demo's, an
// object file missing or damaged, a picture other than the data's) is written
// anew; a complete one is left as it is. Cabinets are made by the cabinet
// tool "cabarc" through tools.
// Gives the account, or why it cannot be written.
Result<DemoAccount> EnsureDemoAccount(const std::string& prefix, const std::string& wineUser,
                                      CabinetTools& tools);

// The same with the program's own cabinet tool, as the front ends run it;
// wine names the Wine user the account is written for.
Result<DemoAccount> EnsureDemoAccount(const std::string& prefix, const WineAccount& wine);

// True when a Wine account has Messenger data at all: its application-data
// folder holds "Microsoft/MSN Messenger".
bool HasMessengerData(const WineAccount& wine);

} // namespace quorvane
