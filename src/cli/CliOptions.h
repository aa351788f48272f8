#pragma once

#include <functional>
#include <iosfwd>
#include <map>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1; // the command could not do its work
inline constexpr int kExitUsage = 2;   // the command line itself was wrong

// A wrong command line: reported with the usage text and exit status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// SIGINT or SIGTERM stopped the command before it had anything else to
// report: the message is printed and the command exits with status.
class Interrupted : public std::runtime_error {
public:
    Interrupted(const std::string& what, int status) : std::runtime_error(what), m_status(status) {}
    int Status() const { return m_status; }

private:
    int m_status;
};

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
    // The value of an option the parser has already made sure of.
    const std::string& Required(std::string_view name) const;

    std::vector<std::string> positionals;

private:
    friend ParsedOptions ParseOptions(std::span<const Option>, std::span<const std::string>,
                                      std::size_t);
    std::map<std::string, std::string, std::less<>> m_values;
};

// Parses a command's arguments against its options: "--name value",
// "--name=value", "--flag"; "--" ends the options. Throws UsageError for an
// unknown or repeated option, a missing value, a missing required option or
// more than maxPositionals other arguments.
ParsedOptions ParseOptions(std::span<const Option> declared, std::span<const std::string> args,
                           std::size_t maxPositionals = 0);

// One command of the program: it declares its options, the parser checks
// them, and run does the work (writing results to out, problems to err) and
// returns the exit status.
struct Command {
    std::string name;
    std::string summary;     // one line for the program's usage
    std::string description; // the paragraphs after the command's options
    std::vector<Option> options;
    std::size_t maxPositionals = 0;
    std::string positionalsName; // shown in the synopsis when positionals are taken
    std::function<int(const ParsedOptions&, std::ostream& out, std::ostream& err)> run;
};

// The full usage for "--help", or the brief one (synopsis and options) that
// follows a usage error.
std::string CommandUsage(std::string_view program, const Command& command, bool brief = false);
std::string ProgramUsage(std::string_view program, std::span<const Command> commands);

// The whole command line after the program name: "--help", "--version" or a
// command and its arguments ("COMMAND --help" shows the command's usage).
// Usage errors print the message and the usage on err and give kExitUsage;
// any other exception is reported on err and gives kExitFailure.
int RunCommandLine(std::string_view program, std::string_view version,
                   std::span<const Command> commands, std::span<const std::string> args,
                   std::ostream& out, std::ostream& err);

} // namespace quorvane::cli
