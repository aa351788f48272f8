#include "sources/WindowsProfile.h"

#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/TranslatedSentence.h"

#include <QCoreApplication>

#include <algorithm>
#include <dirent.h>
#include <optional>

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
    for (const std::string& name : Subfolders(protect))
        if (name.rfind("S-1-5-21-", 0) == 0)
            profile.keyFolders.push_back({name, JoinPath(protect, name)});
    if (!profile.keyFolders.empty()) {
        profile.sid = profile.keyFolders.front().sid;
        profile.protectFolder = profile.keyFolders.front().folder;
    }
    profile.credHist = FindEntryIgnoringCase(protect, "CREDHIST");
}

// What checking the password on one folder of keys found.
struct PasswordCheck {
    enum class Verdict { Opened, Refused, NoKeys, Unreadable, TooMuchWork, Cancelled };
    Verdict verdict = Verdict::NoKeys;
    // The first key file that could not be read, and why.
    std::string unreadableKey;
    Failure why;
};

// Checks the password on the key Windows used last; when that one cannot be
// read (cut short, not a file) or is gone, on the folder's other keys, until
// one gives a verdict. The first sound key decides.
PasswordCheck CheckPassword(const WindowsKeyring& keyring, const CancelFlag* cancel) {
    using Verdict = PasswordCheck::Verdict;
    std::vector<dpapi::Guid> keys = keyring.KeyFiles();
    if (const auto preferred = keyring.PreferredKey()) {
        std::erase(keys, *preferred);
        keys.insert(keys.begin(), *preferred);
    }
    PasswordCheck check;
    for (const dpapi::Guid& guid : keys) {
        const Result<const dpapi::SecretBytes*> key = keyring.Key(guid, cancel);
        if (key)
            return {Verdict::Opened, {}, {}};
        switch (key.error().code) {
        case FailureCode::WrongPassword:
            return {Verdict::Refused, {}, {}};
        case FailureCode::TooMuchWork:
            return {Verdict::TooMuchWork, {}, {}};
        case FailureCode::Cancelled:
            return {Verdict::Cancelled, {}, {}};
        case FailureCode::Missing:
            break;
        default:
            if (check.verdict != Verdict::Unreadable)
                check = {Verdict::Unreadable, JoinPath(keyring.Folder(), dpapi::GuidText(guid)),
                         key.error()};
            break;
        }
    }
    return check;
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

Result<std::shared_ptr<const WindowsSource>> WindowsSource::Open(WindowsProfile profile,
                                                                 dpapi::UserCredentials credentials,
                                                                 const CancelFlag* cancel) {
    const std::string& user = profile.userName;
    std::optional<PasswordCheck> unreadable;
    std::vector<std::string> refusedBy;
    // One budget of rounds for every folder tried, and the listing after.
    std::uint64_t rounds = kMaxKeyringRounds;
    for (const WindowsProfile::KeyFolder& folder : profile.keyFolders) {
        auto keyring = std::make_unique<WindowsKeyring>(
            folder.folder, folder.sid, credentials.Copy(), profile.credHist, rounds);
        const PasswordCheck check = CheckPassword(*keyring, cancel);
        rounds = keyring->RoundsLeft();
        switch (check.verdict) {
        case PasswordCheck::Verdict::Opened: {
            auto source = std::make_shared<WindowsSource>();
            profile.sid = folder.sid;
            profile.protectFolder = folder.folder;
            source->profile = std::move(profile);
            source->keyring = std::move(keyring);
            return std::shared_ptr<const WindowsSource>(std::move(source));
        }
        case PasswordCheck::Verdict::Refused:
            refusedBy.push_back(folder.sid);
            break;
        case PasswordCheck::Verdict::NoKeys:
            break;
        case PasswordCheck::Verdict::Unreadable:
            if (!unreadable)
                unreadable = check;
            break;
        case PasswordCheck::Verdict::TooMuchWork:
            return Fail(FailureCode::TooMuchWork,
                        Sentence(QCoreApplication::translate(
                                     "quorvane::Outcomes",
                                     "the master keys of %1 ask for more hashing than Windows "
                                     "ever needs (over %2 rounds in all), so the password was "
                                     "not checked: its Protect folder or CREDHIST is damaged"),
                                 user, std::to_string(kMaxKeyringRounds)));
        case PasswordCheck::Verdict::Cancelled:
            return Fail(FailureCode::Cancelled,
                        Sentence(QCoreApplication::translate(
                                     "quorvane::Outcomes",
                                     "interrupted while checking the password of the Windows "
                                     "profile of %1"),
                                 user));
        }
    }
    if (!refusedBy.empty()) {
        std::string sentence =
            credentials.Sha1Hash() != nullptr
                ? Sentence(QCoreApplication::translate(
                               "quorvane::Outcomes",
                               "the password does not unlock the Windows profile of %1"),
                           user)
                : Sentence(QCoreApplication::translate(
                               "quorvane::Outcomes",
                               "the NT hash does not unlock the Windows profile of %1 (the keys "
                               "of a local account are opened by its password, not by its NT "
                               "hash: give the password instead)"),
                           user);
        // A disk with more than one user's keys: the ones tried are named.
        if (profile.keyFolders.size() > 1) {
            std::string sids;
            for (const WindowsProfile::KeyFolder& folder : profile.keyFolders)
                sids += (sids.empty() ? "" : ", ") + folder.sid;
            sentence = Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                            "%1; it opens none of the keys of %2"),
                                sentence, sids);
        }
        return Fail(FailureCode::WrongPassword, std::move(sentence));
    }
    if (unreadable) {
        // A key file the system would not give is the system's failure; any
        // other that cannot be used is a damaged one.
        const bool system = unreadable->why.code == FailureCode::System;
        return Fail(Failure{system ? unreadable->why.osError : 0,
                            Sentence(QCoreApplication::translate(
                                         "quorvane::Outcomes",
                                         "the master key file %1 is damaged or cannot be read"),
                                     unreadable->unreadableKey),
                            system ? FailureCode::System : FailureCode::Damaged});
    }
    // Any password would do for a folder without keys; none can open it.
    return Fail(FailureCode::Missing,
                Sentence(QCoreApplication::translate(
                             "quorvane::Outcomes",
                             "%1 has no master keys (in Microsoft/Protect/S-1-5-21-...), "
                             "so its protected files cannot be read"),
                         profile.applicationDataFolder));
}

} // namespace quorvane
