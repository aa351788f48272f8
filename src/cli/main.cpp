#include "cli/AccountAccess.h"
#include "cli/BackupCommand.h"
#include "cli/CatalogueCommand.h"
#include "cli/CliOptions.h"
#include "cli/DemoCommand.h"
#include "cli/ExportCommand.h"
#include "cli/ListCommand.h"
#include "cli/RescueCommand.h"
#include "cli/UnprotectCommand.h"
#include "cli/VerifyCommand.h"

#include "app/Translations.h"
#include "platform/CodePage.h"

#include <QCoreApplication>

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    // A closed pipe ("| head") must make the write fail, not kill the program
    // before it has cleaned up after a listing.
    std::signal(SIGPIPE, SIG_IGN);
    // Likewise a file size limit (ulimit -f): the write fails with EFBIG, the
    // item is reported as not written and its temporary file removed.
    std::signal(SIGXFSZ, SIG_IGN);
    quorvane::cli::InstallInterruptHandlers();
    const std::vector<std::string> args(argv + 1, argv + argc);
    // The texts in the user's language, where there is a translation.
    QCoreApplication application(argc, argv);
    quorvane::Translations translations;
    translations.InstallForSystem();
    if (const quorvane::Result<> ansi = quorvane::CodePage::LoadAnsi(); !ansi) {
        std::cerr << "quorvane-cli: " << ansi.error().sentence << "\n";
        return quorvane::cli::kExitFailure;
    }

    using namespace quorvane::cli;
    const std::vector<Command> commands = {CatalogueCommand(), ListCommand(),   BackupCommand(),
                                           ExportCommand(),    VerifyCommand(), UnprotectCommand(),
                                           RescueCommand(),    DemoCommand()};
    const int status =
        RunCommandLine("quorvane-cli", QUORVANE_VERSION, commands, args, std::cout, std::cerr);
    std::cout.flush();
    return status;
}
