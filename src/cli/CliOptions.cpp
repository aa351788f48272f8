#include "cli/CliOptions.h"

#include "cli/AccountAccess.h"
#include "platform/TranslatedSentence.h"

#include <QCoreApplication>

#include <algorithm>
#include <cassert>
#include <ostream>

namespace quorvane::cli {

namespace {

constexpr std::string_view kHelp = "help";

const Option* FindOption(std::span<const Option> declared, std::string_view name) {
    auto it = std::find_if(declared.begin(), declared.end(),
                           [name](const Option& option) { return option.name == name; });
    return it == declared.end() ? nullptr : &*it;
}

std::string Synopsis(const Command& command) {
    std::string text = command.name;
    bool optional = false;
    for (const Option& option : command.options) {
        if (!option.required) {
            optional = true;
            continue;
        }
        text += " --" + option.name;
        if (option.TakesValue())
            text += " " + option.valueName;
    }
    if (optional)
        text += " [OPTIONS]";
    if (command.maxPositionals > 0)
        text += " " + command.positionalsName;
    return text;
}

// The columns a UTF-8 text takes on a terminal: one per character (the help
// texts hold no wide or combining ones).
std::size_t Columns(std::string_view utf8) {
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xc0) != 0x80;
    }));
}

// Two columns: the option with its value, then its help.
std::string OptionLines(std::span<const Option> declared) {
    std::vector<std::pair<std::string, std::string>> rows;
    for (const Option& option : declared)
        rows.emplace_back("--" + option.name + (option.TakesValue() ? " " + option.valueName : ""),
                          option.help);
    rows.emplace_back(
        "--help",
        QCoreApplication::translate("quorvane::cli", "show this help and exit").toStdString());
    std::size_t width = 0;
    for (const auto& row : rows)
        width = std::max(width, row.first.size());
    // Help texts are wrapped at word boundaries to fit 80 columns.
    const std::size_t indent = width + 4;
    const std::size_t room = indent < 60 ? 80 - indent : 20;
    std::string text;
    for (const auto& [left, right] : rows) {
        text += "  " + left + std::string(width - left.size() + 2, ' ');
        std::size_t column = 0;
        std::size_t at = 0;
        while (at < right.size()) {
            std::size_t end = right.find(' ', at);
            if (end == std::string::npos)
                end = right.size();
            const std::string word = right.substr(at, end - at);
            if (column > 0 && column + 1 + Columns(word) > room) {
                text += "\n" + std::string(indent, ' ');
                column = 0;
            } else if (column > 0) {
                text += ' ';
                ++column;
            }
            text += word;
            column += Columns(word);
            at = end + 1;
        }
        text += "\n";
    }
    return text;
}

bool IsHelp(const std::string& arg) {
    return arg == "--help" || arg == "-h";
}

} // namespace

bool ParsedOptions::Has(std::string_view name) const {
    return m_values.find(name) != m_values.end();
}

std::optional<std::string> ParsedOptions::Value(std::string_view name) const {
    auto it = m_values.find(name);
    if (it == m_values.end())
        return std::nullopt;
    return it->second;
}

const std::string& ParsedOptions::Required(std::string_view name) const {
    static const std::string kNotGiven;
    auto it = m_values.find(name);
    assert(it != m_values.end());
    return it == m_values.end() ? kNotGiven : it->second;
}

Result<ParsedOptions> ParseOptions(std::span<const Option> declared,
                                   std::span<const std::string> args, std::size_t maxPositionals) {
    ParsedOptions parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg.compare(0, 1, "-") != 0) {
            if (parsed.positionals.size() >= maxPositionals)
                return UsageFailure(Sentence(
                    QCoreApplication::translate("quorvane::cli", "unexpected argument \"%1\""),
                    arg));
            parsed.positionals.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg.compare(0, 2, "--") != 0)
            return UsageFailure(Sentence(
                QCoreApplication::translate("quorvane::cli", "unknown option \"%1\""), arg));

        const std::size_t equals = arg.find('=');
        const std::string name =
            arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
        const Option* option = FindOption(declared, name);
        if (option == nullptr)
            return UsageFailure(
                Sentence(QCoreApplication::translate("quorvane::cli", "unknown option \"%1\""),
                         "--" + name));
        if (parsed.Has(name))
            return UsageFailure(Sentence(
                QCoreApplication::translate("quorvane::cli", "--%1 is given more than once"),
                name));

        std::string value;
        if (equals != std::string::npos) {
            if (!option->TakesValue())
                return UsageFailure(Sentence(
                    QCoreApplication::translate("quorvane::cli", "--%1 takes no value"), name));
            value = arg.substr(equals + 1);
        } else if (option->TakesValue()) {
            // A following option is not taken for the value: "--passport
            // --type 0" means the passport was forgotten.
            if (i + 1 >= args.size() || args[i + 1].compare(0, 2, "--") == 0)
                return UsageFailure(Sentence(
                    QCoreApplication::translate("quorvane::cli", "--%1 needs a value (%2)"), name,
                    option->valueName));
            value = args[++i];
        }
        parsed.m_values.emplace(name, std::move(value));
    }
    for (const Option& option : declared) {
        if (option.required && !parsed.Has(option.name))
            return UsageFailure(Sentence(
                QCoreApplication::translate("quorvane::cli", "missing --%1"), option.name));
    }
    return parsed;
}

std::string CommandUsage(std::string_view program, const Command& command, bool brief) {
    const std::string usage = Sentence(QCoreApplication::translate("quorvane::cli", "Usage: %1 %2"),
                                       program, Synopsis(command));
    const std::string options =
        QCoreApplication::translate("quorvane::cli", "Options:").toStdString() + "\n" +
        OptionLines(command.options);
    if (brief)
        return usage + "\n" + options +
               Sentence(
                   QCoreApplication::translate("quorvane::cli", "Run \"%1 %2 --help\" for more."),
                   program, command.name) +
               "\n";
    std::string text = usage + "\n\n" + command.summary + "\n\n" + options;
    if (!command.description.empty())
        text += "\n" + command.description;
    return text;
}

std::string ProgramUsage(std::string_view program, std::span<const Command> commands) {
    //: COMMAND and OPTIONS are the manual's names and stay as they are. The spaces before the
    //: second %1 put the program's name under the first one's.
    std::string text =
        Sentence(QCoreApplication::translate(
                     "quorvane::cli", "Usage: %1 COMMAND [OPTIONS]\n       %1 --help | --version"),
                 program) +
        "\n\n" + QCoreApplication::translate("quorvane::cli", "Commands:").toStdString() + "\n";
    std::size_t width = 0;
    for (const Command& command : commands)
        width = std::max(width, command.name.size());
    for (const Command& command : commands)
        text += "  " + command.name + std::string(width - command.name.size() + 3, ' ') +
                command.summary + "\n";
    text +=
        "\n" +
        //: COMMAND is the manual's name and stays as it is.
        Sentence(QCoreApplication::translate(
                     "quorvane::cli", "Run \"%1 COMMAND --help\" for the options of a command."),
                 program) +
        "\n";
    return text;
}

int RunCommandLine(std::string_view program, std::string_view version,
                   std::span<const Command> commands, std::span<const std::string> args,
                   std::ostream& out, std::ostream& err) {
    const std::string name(program);
    if (args.empty()) {
        err << name << ": "
            << QCoreApplication::translate("quorvane::cli", "no command given").toStdString()
            << "\n\n"
            << ProgramUsage(program, commands);
        return kExitUsage;
    }
    const std::string& first = args.front();
    if (IsHelp(first) || first == kHelp) {
        out << ProgramUsage(program, commands);
        return kExitOk;
    }
    if (first == "--version") {
        out << name << " " << version << "\n";
        return kExitOk;
    }
    auto command = std::find_if(commands.begin(), commands.end(),
                                [&first](const Command& c) { return c.name == first; });
    if (command == commands.end()) {
        err << name << ": "
            << Sentence(QCoreApplication::translate("quorvane::cli", "unknown command \"%1\""),
                        first)
            << "\n\n"
            << ProgramUsage(program, commands);
        return kExitUsage;
    }

    const std::span<const std::string> rest = args.subspan(1);
    // "--help" anywhere among the options wins over everything else on the
    // line, so a half-typed command can still ask for its usage.
    for (const std::string& arg : rest) {
        if (arg == "--")
            break;
        if (IsHelp(arg)) {
            out << CommandUsage(program, *command);
            return kExitOk;
        }
    }
    const Result<int> status = ParseOptions(command->options, rest, command->maxPositionals)
                                   .and_then([&](const ParsedOptions& options) {
                                       return command->run(options, out, err);
                                   });
    if (status)
        return *status;
    err << name << " " << command->name << ": " << status.error().sentence << "\n";
    switch (status.error().code) {
    case FailureCode::Usage:
        err << CommandUsage(program, *command, true);
        return kExitUsage;
    case FailureCode::Cancelled:
        return InterruptedStatus();
    default:
        return kExitFailure;
    }
}

} // namespace quorvane::cli
