#pragma once

#include "cli/CliOptions.h"
#include "protection/UserCredentials.h"
#include "sources/WindowsProfile.h"

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quorvane::cli {

// --windows-profile, --password-stdin and --nt-hash: reading an account
// from a Windows user's folder instead of a Wine prefix.
std::vector<Option> WindowsOptions();
// --password-stdin and --nt-hash alone, for commands that take the keys'
// folder themselves.
std::vector<Option> PasswordOptions();

// The user's credentials: the NT hash given, the password from standard
// input (--password-stdin; one final newline is not part of it), or typed
// at a prompt on the terminal without echo. Never from an argument. A Usage
// failure for a malformed hash or when there is no way to ask.
Result<dpapi::UserCredentials> CredentialsFromOptions(const ParsedOptions& options,
                                                      const std::string& userName);

// The Windows source a command line names, the password checked on the
// user's newest master key; null when --windows-profile is not given. A
// Usage failure when it is given with the Wine options, Cancelled when an
// interrupt stopped the check, and a failure with the reason when the folder
// or the password is not right.
Result<std::shared_ptr<const WindowsSource>> WindowsSourceFromOptions(const ParsedOptions& options);

} // namespace quorvane::cli
