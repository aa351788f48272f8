#include "cli/DiskImageAccess.h"

#include "cli/AccountAccess.h"
#include "platform/PrivateFolder.h"
#include "platform/TranslatedSentence.h"

#include <QCoreApplication>

#include <charconv>
#include <iostream>

#include <unistd.h>

namespace quorvane::cli {

namespace {

// The copies stay until the program ends: the account is read from them
// for the whole command.
std::vector<std::shared_ptr<const DiskImageCopy>>& HeldCopies() {
    static std::vector<std::shared_ptr<const DiskImageCopy>> copies;
    return copies;
}

} // namespace

std::vector<Option> DiskImageOptions() {
    return {
        {"disk-image", "FILE",
         QCoreApplication::translate(
             "quorvane::cli",
             "read the account from an old computer's disk image (raw, .001, VMDK, VHD, VHDX "
             "or E01), which is only read, instead of the Wine prefix")
             .toStdString(),
         false},
        {"windows-user", "NAME",
         QCoreApplication::translate("quorvane::cli",
                                     "with --disk-image: the Windows user to read, when more "
                                     "than one on the disk has Messenger data")
             .toStdString(),
         false},
        {"partition", "N",
         QCoreApplication::translate("quorvane::cli",
                                     "with --disk-image: the partition to read (from 1), when "
                                     "that user's name is on more than one")
             .toStdString(),
         false},
    };
}

Result<std::shared_ptr<const DiskImageCopy>>
DiskImageCopyFromOptions(const ParsedOptions& options) {
    const auto image = options.Value("disk-image");
    if (!image) {
        if (options.Has("windows-user") || options.Has("partition"))
            return UsageFailure(
                QCoreApplication::translate("quorvane::cli",
                                            "--windows-user and --partition go with --disk-image")
                    .toStdString());
        return std::shared_ptr<const DiskImageCopy>();
    }
    if (image->empty())
        return UsageFailure(Sentence(
            QCoreApplication::translate("quorvane::cli", "--%1 must not be empty"), "disk-image"));
    for (const char* other : {"windows-profile", "wine-prefix", "wine-user"}) {
        if (options.Has(other))
            return UsageFailure(
                Sentence(QCoreApplication::translate("quorvane::cli",
                                                     "--disk-image cannot be used with --%1"),
                         other));
    }
    int partition = 0;
    if (const auto given = options.Value("partition")) {
        const auto [end, error] =
            std::from_chars(given->data(), given->data() + given->size(), partition);
        if (error != std::errc() || end != given->data() + given->size() || partition < 1)
            return UsageFailure(
                QCoreApplication::translate("quorvane::cli",
                                            "--partition takes a partition's number, from 1")
                    .toStdString());
    }
    const std::string tool = DiskImageTool();
    const bool terminal = ::isatty(STDERR_FILENO) == 1;
    if (terminal)
        std::cerr << Sentence(QCoreApplication::translate("quorvane::cli",
                                                          "Looking for the Windows users on %1..."),
                              *image)
                  << std::endl;
    bool counted = false;
    const auto progress = [&](std::uint64_t files, std::uint64_t) {
        counted = terminal;
        if (terminal)
            std::cerr << '\r'
                      << Sentence(QCoreApplication::translate("quorvane::cli",
                                                              "Copying from %1: %n file(s)",
                                                              nullptr, static_cast<int>(files)),
                                  *image)
                      << std::flush;
    };
    // One run of the reader finds the user and copies the folders out.
    Result<DiskImageCopy> copy =
        ReadDiskImageUser(tool, *image, options.Value("windows-user").value_or(""), partition,
                          PrivateFolderPath(), &Interrupts(), progress);
    if (counted)
        std::cerr << '\n';
    if (!copy && copy.error().code == FailureCode::Refused)
        return Fail(FailureCode::Refused,
                    Sentence(QCoreApplication::translate(
                                 "quorvane::cli",
                                 "%1; choose one with --windows-user NAME (and --partition N "
                                 "when a name is on more than one)"),
                             copy.error().sentence));
    if (!copy)
        return Fail(copy.error());
    auto held = std::make_shared<const DiskImageCopy>(std::move(*copy));
    HeldCopies().push_back(held);
    return held;
}

} // namespace quorvane::cli
