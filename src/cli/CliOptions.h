#pragma once

#include "platform/Result.h"

#include <functional>
#include <iosfwd>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1; // the command could not do its work
inline constexpr int kExitUsage = 2;   // the command line itself was wrong

// A wrong command line: RunCommandLine reports it with the usage text and
// exit status 2.
inline tl::unexpected<Failure> UsageFailure(std::string sentence) {
    return Fail(FailureCode::Usage, std::move(sentence));
}

// One "--name" option a command accepts.
struct Option {
    std::string name;      // without the leading "--"
    std::string valueName; // shown in the usage ("DIR"); empty for a flag
    std::string help;
    bool required = false;

    bool TakesValue() const { return !valueName.empty(); }
};

// What the parser found: option values by name (a flag has an empty value)
// and the arguments that are not options.
class ParsedOptions {
public:
    bool Has(std::string_view name) const;
    std::optional<std::string> Value(std::string_view name) const;
    // The value of an option declared required, which the parser has made
    // sure of; asking for any other is the caller's mistake.
    const std::string& Required(std::string_view name) const;

    std::vector<std::string> positionals;

private:
    friend Result<ParsedOptions> ParseOptions(std::span<const Option>, std::span<const std::string>,
                                              std::size_t);
    std::map<std::string, std::string, std::less<>> m_values;
};

// Parses a command's arguments against its options: "--name value",
// "--name=value", "--flag"; "--" ends the options. A Usage failure for an
// unknown or repeated option, a missing value, a missing required option or
// more than maxPositionals other arguments.
Result<ParsedOptions> ParseOptions(std::span<const Option> declared,
                                   std::span<const std::string> args,
                                   std::size_t maxPositionals = 0);

// One command of the program: it declares its options, the parser checks
// them, and run does the work (writing results to out, problems to err) and
// returns the exit status, or the Failure that stopped it for RunCommandLine
// to report.
struct Command {
    std::string name;
    std::string summary;     // one line for the program's usage
    std::string description; // the paragraphs after the command's options
    std::vector<Option> options;
    std::size_t maxPositionals = 0;
    std::string positionalsName; // shown in the synopsis when positionals are taken
    std::function<Result<int>(const ParsedOptions&, std::ostream& out, std::ostream& err)> run;
};

// The full usage for "--help", or the brief one (synopsis and options) that
// follows a usage error.
std::string CommandUsage(std::string_view program, const Command& command, bool brief = false);
std::string ProgramUsage(std::string_view program, std::span<const Command> commands);

// The whole command line after the program name: "--help", "--version" or a
// command and its arguments ("COMMAND --help" shows the command's usage).
// A command's failure is printed on err and gives its exit status by its
// code: Usage adds the brief usage and gives kExitUsage, Cancelled gives
// 128 + the signal that asked (InterruptedStatus), any other kExitFailure.
int RunCommandLine(std::string_view program, std::string_view version,
                   std::span<const Command> commands, std::span<const std::string> args,
                   std::ostream& out, std::ostream& err);

} // namespace quorvane::cli
