#include "platform/WindowsProfile.h"

#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/Sentence.h"

#include <QCoreApplication>

#include <algorithm>
#include <dirent.h>

namespace quorvane {

namespace {

// The entries of a folder that are folders themselves, in name order.
std::vector<std::string> Subfolders(const std::string& folder) {
    std::vector<std::string> names;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), &::closedir);
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string name = entry->d_name;
        if (name != "." && name != ".." && IsDirectory(JoinPath(folder, name)))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A user's application-data folder: Vista's layout first, then XP's.
std::string ApplicationDataOf(const std::string& userFolder) {
    for (const char* relative : {"AppData/Roaming", "Application Data"}) {
        const std::string path = ResolveIgnoringCase(userFolder, relative);
        if (IsDirectory(path))
            return path;
    }
    return {};
}

// Windows keeps a user's master keys in a folder named by the user's SID;
// "S-1-5-21-..." marks an account's (the machine's own keys use others).
void FindProtectFolder(WindowsProfile& profile) {
    const std::string protect =
        ResolveIgnoringCase(profile.applicationDataFolder, "Microsoft/Protect");
    for (const std::string& name : Subfolders(protect)) {
        if (name.rfind("S-1-5-21-", 0) == 0) {
            profile.sid = name;
            profile.protectFolder = JoinPath(protect, name);
            break;
        }
    }
    profile.credHist = FindEntryIgnoringCase(protect, "CREDHIST");
}

std::string TrimmedFolder(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

} // namespace

std::vector<std::string> WindowsProfile::UsersUnder(const std::string& folder) {
    std::vector<std::string> users;
    for (const char* parent : {"Documents and Settings", "Users", ""}) {
        const std::string base = *parent ? FindEntryIgnoringCase(folder, parent) : folder;
        if (base.empty() || !IsDirectory(base))
            continue;
        for (const std::string& name : Subfolders(base)) {
            const std::string user = JoinPath(base, name);
            if (!ApplicationDataOf(user).empty())
                users.push_back(user);
        }
        if (!users.empty())
            break;
    }
    return users;
}

Result<WindowsProfile> WindowsProfile::Open(const std::string& given) {
    WindowsProfile profile;
    profile.folder = TrimmedFolder(AbsolutePath(given));
    profile.userName = BaseName(profile.folder);
    if (!IsDirectory(profile.folder))
        return Fail(
            Sentence(QCoreApplication::translate("quorvane::Outcomes", "%1 is not a folder"),
                     profile.folder));
    profile.applicationDataFolder = ApplicationDataOf(profile.folder);
    if (profile.applicationDataFolder.empty()) {
        const std::vector<std::string> users = UsersUnder(profile.folder);
        if (users.empty())
            return Fail(Sentence(
                QCoreApplication::translate(
                    "quorvane::Outcomes",
                    "%1 is not the folder of a Windows user (it has neither \"Application "
                    "Data\" nor \"AppData/Roaming\"), and no user's folder was found in it"),
                profile.folder));
        // One user on the disk: that is the one meant.
        if (users.size() == 1)
            return Open(users.front());
        std::string list;
        for (const std::string& user : users)
            list += "\n  " + user;
        return Fail(Sentence(QCoreApplication::translate(
                                 "quorvane::Outcomes",
                                 "%1 holds the folders of several Windows users; give the one "
                                 "to read:%2"),
                             profile.folder, list));
    }
    FindProtectFolder(profile);
    return profile;
}

Result<std::shared_ptr<const WindowsSource>>
WindowsSource::Open(WindowsProfile profile, dpapi::UserCredentials credentials) {
    const auto noKeys = [](const std::string& folder) {
        return Fail(Sentence(QCoreApplication::translate(
                                 "quorvane::Outcomes",
                                 "%1 has no master keys (in Microsoft/Protect/S-1-5-21-...), "
                                 "so its protected files cannot be read"),
                             folder));
    };
    if (profile.protectFolder.empty())
        return noKeys(profile.applicationDataFolder);
    auto source = std::make_shared<WindowsSource>();
    source->keyring = std::make_unique<WindowsKeyring>(profile.protectFolder, profile.sid,
                                                       std::move(credentials), profile.credHist);
    source->profile = std::move(profile);
    // Any password would do for a folder without keys; none can open it.
    const auto preferred = source->keyring->PreferredKey();
    if (!preferred)
        return noKeys(source->profile.applicationDataFolder);
    using Status = WindowsKeyring::Status;
    const Status status = source->keyring->Key(*preferred).status;
    if (status == Status::WrongPassword)
        return Fail(Sentence(
            QCoreApplication::translate("quorvane::Outcomes",
                                        "the password does not unlock the Windows profile of %1"),
            source->profile.userName));
    // A key Windows used last that cannot be read at all is said now, not
    // later as a damaged catalogue.
    if (status != Status::Unlocked && status != Status::Missing)
        return Fail(Sentence(
            QCoreApplication::translate("quorvane::Outcomes",
                                        "the master key file %1 is damaged or cannot be read"),
            JoinPath(source->profile.protectFolder, dpapi::GuidText(*preferred))));
    return std::shared_ptr<const WindowsSource>(std::move(source));
}

} // namespace quorvane
