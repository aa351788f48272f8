#include "cli/VerifyCommand.h"

#include "backup/CabinetTools.h"
#include "backup/PackVerifier.h"
#include "cli/AccountAccess.h"
#include "cli/CatalogueCommand.h"
#include "platform/PrivateFolder.h"
#include "platform/ProcessRunner.h"
#include "platform/SystemFolders.h"
#include "platform/TranslatedSentence.h"

#include <QCoreApplication>

#include <limits>
#include <ostream>

namespace quorvane::cli {

namespace {

Result<int> RunVerify(const ParsedOptions& options, std::ostream& out, std::ostream& err) {
    if (options.positionals.empty())
        return UsageFailure(
            QCoreApplication::translate("quorvane::cli", "name at least one pack to verify")
                .toStdString());
    SpawnProcessRunner runner;
    // No Wine prefix is involved: extract runs in the working folder of the
    // command, and the packs are read from copies in Quorvane's own folder.
    CabinetTools tools(runner, ExecutableFolder(), std::string());
    const std::string tempFolder = PrivateFolderPath();
    if (Result<> ensured = EnsurePrivateFolder(tempFolder); !ensured) {
        err << "quorvane-cli verify: "
            << Sentence(QCoreApplication::translate("quorvane::cli",
                                                    "Quorvane's own folder cannot be used: %1"),
                        ensured.error().sentence)
            << "\n";
        return kExitFailure;
    }

    std::size_t bad = 0;
    for (const std::string& pack : options.positionals) {
        const Result<std::vector<std::string>> files = VerifyPack(pack, tools, tempFolder);
        std::string line = (files ? "ok\t" : "bad\t") + EscapeField(pack);
        if (files) {
            for (const std::string& file : *files)
                line += "\t" + EscapeField(file);
        } else {
            ++bad;
            line += "\t" + EscapeField(files.error().sentence);
        }
        out << line << "\n";
    }
    out.flush();
    if (!out) {
        err << "quorvane-cli verify: "
            << QCoreApplication::translate("quorvane::cli",
                                           "cannot write the results to the standard output")
                   .toStdString()
            << "\n";
        return kExitFailure;
    }
    if (bad > 0) {
        const auto packs = static_cast<int>(options.positionals.size());
        err << "quorvane-cli verify: "
            << Sentence(QCoreApplication::translate(
                            "quorvane::cli", "%1 of %n packs are not sound.", nullptr, packs),
                        bad)
            << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace

Command VerifyCommand() {
    Command command;
    command.name = "verify";
    command.summary = QCoreApplication::translate(
                          "quorvane::cli", "Check .msn packs the way Messenger will read them.")
                          .toStdString();
    command.maxPositionals = std::numeric_limits<std::size_t>::max();
    command.positionalsName = "PACK.msn...";
    command.description =
        QCoreApplication::translate(
            "quorvane::cli",
            "Each pack is checked on a copy in Quorvane's own folder (under\n"
            "$XDG_CACHE_HOME): its seal is undone, the cabinet expanded and its content.xml\n"
            "must be well-formed XML that names only files the pack holds, and the pack\n"
            "must hold nothing else. The packs themselves are not changed.\n")
            .toStdString() +
        "\n" +
        //: "ok" and "bad" are the words the program prints; they stay as they are.
        QCoreApplication::translate(
            "quorvane::cli",
            "One line per pack on the standard output, fields separated by tabs: \"ok\", the\n"
            "pack and the files it holds, or \"bad\", the pack and the reason (escaped as in\n"
            "\"list\").\n")
            .toStdString() +
        "\n" +
        QCoreApplication::translate(
            "quorvane::cli",
            "Exit status: 0 when every pack is sound, 1 when any is not, 2 for a wrong\n"
            "command line.\n")
            .toStdString();
    command.run = RunVerify;
    return command;
}

} // namespace quorvane::cli
