#include "cli/DemoCommand.h"

#include "app/DemoAccount.h"
#include "platform/SystemFolders.h"
#include "platform/TranslatedSentence.h"
#include "sources/WineAccount.h"

#include <QCoreApplication>

#include <algorithm>
#include <ostream>

namespace quorvane::cli {

namespace {

Result<int> RunDemo(const ParsedOptions& options, std::ostream& out, std::ostream& err) {
    const std::optional<std::string> user = options.Value("wine-user");
    if (user && user->empty())
        return UsageFailure(Sentence(
            QCoreApplication::translate("quorvane::cli", "--%1 must not be empty"), "wine-user"));
    const WineAccount wine = WineAccount::Discover(DemoPrefixPath(), user);
    if (wine.user.empty()) {
        err << "quorvane-cli demo: "
            << QCoreApplication::translate("quorvane::cli",
                                           "no Wine user name is known ($USER is not set); give "
                                           "one with --wine-user.")
                   .toStdString()
            << "\n";
        return kExitFailure;
    }

    const Result<DemoAccount> made = EnsureDemoAccount(wine.prefix, wine);
    if (!made) {
        err << "quorvane-cli demo: "
            << Sentence(QCoreApplication::translate("quorvane::cli",
                                                    "the demo account cannot be written: %1."),
                        made.error().sentence)
            << "\n";
        return kExitFailure;
    }
    const DemoAccount& demo = *made;

    std::string example = "quorvane-cli list --type winks --passport " +
                          ShellQuoted(demo.passport) + " --wine-prefix " + ShellQuoted(demo.prefix);
    // "list" finds the Wine user as this command does without --wine-user;
    // another user must be named there too, or the catalogues stay shut.
    if (demo.user != WineAccount::Discover().user)
        example += " --wine-user " + ShellQuoted(demo.user);
    out << demo.prefix << "\n" << demo.user << "\n" << demo.passport << "\n" << example << "\n";
    out.flush();
    if (!out) {
        err << "quorvane-cli demo: "
            << QCoreApplication::translate("quorvane::cli", "cannot write to the standard output")
                   .toStdString()
            << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace

std::string ShellQuoted(std::string_view argument) {
    constexpr std::string_view kPlain = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                        "0123456789@%+=:,./_-";
    // Bytes of UTF-8 characters beyond ASCII mean nothing to the shell.
    const bool plain = std::all_of(argument.begin(), argument.end(), [&](char c) {
        return static_cast<unsigned char>(c) >= 0x80 || kPlain.find(c) != std::string_view::npos;
    });
    if (!argument.empty() && plain)
        return std::string(argument);
    std::string quoted = "'";
    for (char c : argument) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted.push_back(c);
    }
    return quoted + "'";
}

Command DemoCommand() {
    Command command;
    command.name = "demo";
    command.summary =
        QCoreApplication::translate("quorvane::cli",
                                    "Write a demo Messenger account to try Quorvane without one.")
            .toStdString();
    command.options.push_back(
        {"wine-user", "NAME",
         QCoreApplication::translate("quorvane::cli",
                                     "the Wine user to write the account for (default: $USER); "
                                     "\"list\" and \"backup\" must then be given the same user")
             .toStdString(),
         false});
    command.description =
        Sentence(
            QCoreApplication::translate(
                "quorvane::cli",
                "The demo account, %1, is written into a Wine prefix of\n"
                "Quorvane's own, $XDG_DATA_HOME/quorvane/demo-wine (else\n"
                "~/.local/share/quorvane/demo-wine), exactly as Messenger keeps an account:\n"
                "protected catalogues, cabinets holding a picture and a Flash movie, pictures.\n"
                "It holds every content type: 6 Winks, 4 Dynamic Display Pictures, 3 Dynamic\n"
                "Backgrounds, 8 Custom Emoticons, 4 Backgrounds and 4 Display Pictures. A\n"
                "complete demo account is left as it is; what is missing or damaged is written\n"
                "again. Nothing outside the demo's prefix and Quorvane's scratch is touched.\n"),
            kDemoPassport) +
        "\n" +
        QCoreApplication::translate(
            "quorvane::cli",
            "Four lines on the standard output, in UTF-8: the Wine prefix, the Wine user,\n"
            "the passport, and a \"list\" command line for the demo's Winks, ready to paste.\n")
            .toStdString() +
        "\n" +
        QCoreApplication::translate(
            "quorvane::cli",
            "Exit status: 0 when the demo account is there, 1 when it cannot be written\n"
            "(the reason goes to the standard error), 2 for a wrong command line.\n")
            .toStdString();
    command.run = RunDemo;
    return command;
}

} // namespace quorvane::cli
