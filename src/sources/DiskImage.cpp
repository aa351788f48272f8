#include "sources/DiskImage.h"
#include "sources/WindowsProfile.h"

#include "platform/PrivateFolder.h"
#include "platform/ProcessRunner.h"
#include "platform/SystemFolders.h"
#include "platform/TranslatedSentence.h"
#include "platform/WatchedProcess.h"

#include <QCoreApplication>

#include <charconv>
#include <chrono>
#include <cstring>
#include <string_view>

namespace quorvane {

namespace {

// Finding the users reads a few folders; copying reads a few megabytes.
// Far more than either needs on the slowest disk, far less than forever.
constexpr std::chrono::minutes kMostFindTime{3};
constexpr std::chrono::minutes kMostCopyTime{15};

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string_view::npos)
            return fields;
        start = tab + 1;
    }
}

bool ParseNumber(std::string_view text, auto& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// What the tool said went wrong, without its name.
std::string ToolReason(const WatchedRun& run) {
    std::string reason = run.errorText;
    if (reason.rfind("diskimage: ", 0) == 0)
        reason.erase(0, std::strlen("diskimage: "));
    return reason;
}

tl::unexpected<Failure> NotInstalled() {
    return Fail(
        FailureCode::Missing,
        Sentence(QCoreApplication::translate(
            "quorvane::Outcomes", "Quorvane's disk-image reader (diskimage) is not installed")));
}

// A run that did not end as the tool ends: cancelled, too slow, killed.
std::optional<Failure> AbnormalEnd(const WatchedRun& run, const std::string& image) {
    if (!run.started)
        return Failure{
            0,
            Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                 "the disk-image reader could not be started: %1"),
                     run.startError),
            FailureCode::Missing};
    if (run.cancelled)
        return Failure{
            0,
            Sentence(QCoreApplication::translate("quorvane::Outcomes", "reading %1 was cancelled"),
                     image),
            FailureCode::Cancelled};
    if (run.timedOut || run.tooMuchOutput)
        return Failure{
            0,
            Sentence(QCoreApplication::translate(
                         "quorvane::Outcomes",
                         "reading %1 took far longer than any disk needs, so it was stopped"),
                     image),
            FailureCode::TooMuchWork};
    if (run.signal != 0)
        return Failure{
            0,
            Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                 "the disk-image reader stopped on %1 (signal %2): "
                                                 "the image is damaged or made to do harm"),
                     image, std::to_string(run.signal)),
            FailureCode::Damaged};
    return std::nullopt;
}

// The reader's exit statuses that say something of the image: no NTFS or
// FAT volume on it, and (for /COPY) not one user that fits.
constexpr int kNoVolume = 4;
constexpr int kNotOneUser = 5;

// A "user" line of the reader, as both /USERS and /COPY print it.
std::optional<DiskImageUser> UserOf(const std::vector<std::string_view>& fields) {
    DiskImageUser user;
    if (fields.size() != 4 || fields[0] != "user" || !ParseNumber(fields[1], user.partition) ||
        fields[3].empty())
        return std::nullopt;
    user.messenger = fields[2] == "messenger";
    user.name = std::string(fields[3]);
    return user;
}

// The image has no volume the reader knows; said here, in the user's
// language, since the reader's own words are English.
tl::unexpected<Failure> NoVolume(const std::string& image) {
    return Fail(FailureCode::Unsupported,
                Sentence(QCoreApplication::translate(
                             "quorvane::Outcomes",
                             "%1 is not a disk image Quorvane can read: there is no NTFS or "
                             "FAT volume on it"),
                         image));
}

tl::unexpected<Failure> NoUserFolder(const std::string& image) {
    return Fail(FailureCode::Missing,
                Sentence(QCoreApplication::translate(
                             "quorvane::Outcomes", "no Windows user folder on any partition of %1"),
                         image));
}

} // namespace

std::string DiskImageTool() {
    return FindTool("diskimage", ExecutableFolder());
}

Result<std::vector<DiskImageUser>>
FindDiskImageUsers(const std::string& tool, const std::string& image, const CancelFlag* cancel) {
    if (tool.empty())
        return NotInstalled();
    std::vector<DiskImageUser> users;
    bool anyVolume = false;
    const WatchedRun run = RunWatched(
        {tool, "/USERS", image},
        [&](std::string_view line) {
            const std::vector<std::string_view> fields = Fields(line);
            if (fields.size() == 3 && fields[0] == "volume")
                anyVolume = true;
            else if (std::optional<DiskImageUser> user = UserOf(fields))
                users.push_back(std::move(*user));
        },
        cancel, kMostFindTime);
    if (std::optional<Failure> failure = AbnormalEnd(run, image))
        return Fail(std::move(*failure));
    if (run.exitCode == kNoVolume || (run.exitCode == 0 && !anyVolume))
        return NoVolume(image);
    if (run.exitCode != 0)
        return Fail(FailureCode::Unsupported,
                    Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                         "not a disk image Quorvane can read: %1"),
                             ToolReason(run)));
    if (users.empty())
        return NoUserFolder(image);
    return users;
}

std::string DescribeDiskImageUsers(const std::vector<DiskImageUser>& users) {
    std::string text;
    for (const DiskImageUser& user : users) {
        if (!text.empty())
            text += ", ";
        text += Sentence(QCoreApplication::translate("quorvane::Outcomes", "%1 (partition %2)"),
                         user.name, std::to_string(user.partition));
    }
    return text;
}

Result<DiskImageUser> ChooseDiskImageUser(const std::vector<DiskImageUser>& users,
                                          const std::string& image, const std::string& name,
                                          int partition) {
    std::vector<DiskImageUser> chosen;
    for (const DiskImageUser& user : users) {
        const bool named = name.empty() ? user.messenger : SameName(user.name, name);
        if (named && (partition == 0 || user.partition == partition))
            chosen.push_back(user);
    }
    if (chosen.size() == 1)
        return chosen.front();
    if (chosen.size() > 1)
        return Fail(FailureCode::Refused,
                    Sentence(QCoreApplication::translate(
                                 "quorvane::Outcomes",
                                 "%1 holds Messenger data of more than one Windows user: %2"),
                             image, DescribeDiskImageUsers(chosen)));
    if (!name.empty())
        return Fail(FailureCode::Refused,
                    Sentence(QCoreApplication::translate(
                                 "quorvane::Outcomes",
                                 "%1 has no Windows user named %2 there (users found: %3)"),
                             image, name, DescribeDiskImageUsers(users)));
    return Fail(FailureCode::Missing,
                Sentence(QCoreApplication::translate(
                             "quorvane::Outcomes",
                             "no Windows user on %1 has Messenger data (users found: %2)"),
                         image, DescribeDiskImageUsers(users)));
}

namespace {

// One /COPY run: of the user named on the partition given, or (name empty)
// of the one user with Messenger data. users receives the users the tool
// names: the one it chose, or all when not one fitted (notOne).
Result<DiskImageCopy> RunCopy(const std::string& tool, const std::string& image,
                              const std::string& name, int partition,
                              const std::string& scratchParent, const CancelFlag* cancel,
                              const DiskImageProgress& progress, std::vector<DiskImageUser>& users,
                              bool& notOne) {
    notOne = false;
    if (tool.empty())
        return NotInstalled();
    if (Result<> made = EnsurePrivateFolder(scratchParent); !made)
        return Fail(made.error());
    // The copies a killed run left hold a user's keys: they go first.
    SweepStaleScratch(scratchParent, "image-");
    auto scratch = ScratchFolder::Make(scratchParent, "image-");
    if (!scratch)
        return Fail(scratch.error());
    std::vector<std::string> arguments = {tool, "/COPY"};
    if (partition != 0)
        arguments.push_back("/PART:" + std::to_string(partition));
    if (!name.empty())
        arguments.push_back("/USER:" + name);
    arguments.insert(arguments.end(), {image, (*scratch)->Path()});
    const WatchedRun run = RunWatched(
        arguments,
        [&](std::string_view line) {
            const std::vector<std::string_view> fields = Fields(line);
            std::uint64_t files = 0;
            std::uint64_t bytes = 0;
            if (progress && fields.size() == 3 && fields[0] == "progress" &&
                ParseNumber(fields[1], files) && ParseNumber(fields[2], bytes))
                progress(files, bytes);
            else if (std::optional<DiskImageUser> user = UserOf(fields))
                users.push_back(std::move(*user));
        },
        cancel, kMostCopyTime);
    if (std::optional<Failure> failure = AbnormalEnd(run, image))
        return Fail(std::move(*failure));
    if (run.exitCode == kNoVolume)
        return NoVolume(image);
    notOne = run.exitCode == kNotOneUser;
    const std::string who = users.size() == 1 ? users.front().name : name;
    if (run.exitCode != 0)
        return Fail(
            FailureCode::Damaged,
            Sentence(QCoreApplication::translate(
                         "quorvane::Outcomes", "the Windows user %1 could not be read from %2: %3"),
                     who, image, ToolReason(run)));
    DiskImageCopy copy{std::move(*scratch), {}};
    // The copy holds this one user's folder and nothing else.
    const std::vector<std::string> copied = WindowsProfile::UsersUnder(copy.scratch->Path());
    if (copied.size() == 1)
        copy.userFolder = copied.front();
    if (copy.userFolder.empty())
        return Fail(
            FailureCode::Missing,
            Sentence(
                QCoreApplication::translate(
                    "quorvane::Outcomes",
                    "the Windows user %1 on %2 has no data protection keys or Messenger folders"),
                who, image));
    return copy;
}

} // namespace

Result<DiskImageCopy> CopyDiskImageUser(const std::string& tool, const std::string& image,
                                        const DiskImageUser& user, const std::string& scratchParent,
                                        const CancelFlag* cancel,
                                        const DiskImageProgress& progress) {
    std::vector<DiskImageUser> users;
    bool notOne = false;
    return RunCopy(tool, image, user.name, user.partition, scratchParent, cancel, progress, users,
                   notOne);
}

Result<DiskImageCopy> ReadDiskImageUser(const std::string& tool, const std::string& image,
                                        const std::string& name, int partition,
                                        const std::string& scratchParent, const CancelFlag* cancel,
                                        const DiskImageProgress& progress) {
    std::vector<DiskImageUser> users;
    bool notOne = false;
    Result<DiskImageCopy> copy =
        RunCopy(tool, image, name, partition, scratchParent, cancel, progress, users, notOne);
    if (copy || !notOne)
        return copy;
    if (users.empty())
        return NoUserFolder(image);
    // Said in the same words as a choice among the users found; should the
    // choice find one after all, that one is read.
    Result<DiskImageUser> chosen = ChooseDiskImageUser(users, image, name, partition);
    if (!chosen)
        return Fail(chosen.error());
    return CopyDiskImageUser(tool, image, *chosen, scratchParent, cancel, progress);
}

} // namespace quorvane
