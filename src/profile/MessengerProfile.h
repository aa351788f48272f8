#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

class Clock;
class CodePage;
class DataProtection;

// What the profile store needs of the platform, handed in by the front end
// (or a test).
struct ProfileServices {
    const DataProtection& protection;
    const Clock& clock;
    const CodePage& codePage;
    std::string applicationDataFolder; // "" when it could not be found
    std::string privateFolder;         // Quorvane's own per-user folder for scratch
    // Names are looked up ignoring case, as Windows did: for a disk or a
    // folder copied from Windows rather than a Wine prefix.
    bool caseBlindNames = false;
};

// What reading one protected file gave.
struct ProtectedFileContent {
    // Why it gave nothing, so a front end can tell a damaged file from a
    // wrong passport.
    enum class Problem {
        None,
        Missing,
        Unreadable, // not a regular file, too large, or the system refused: see detail
        Empty,      // 0 bytes
        Damaged,    // too short or not a protected blob
        WrongKey,   // a sound blob that does not open with this passport and Wine user
        MissingKey, // read from Windows: the blob's master key is not in the user's folder
        Locked,     // read from Windows: the password does not open the blob's master key
    };

    bool read = false;        // the file could be opened and read
    bool unprotected = false; // the blob could be unprotected
    std::vector<std::uint8_t> decoded;
    Problem problem = Problem::None;
    std::string detail; // the system's reason for Unreadable
};

// Finds an account's Messenger folders from its passport. The folder of an
// account is named by a hash of the lower-cased passport; the passport as
// typed is the entropy of the account's protected files.
class MessengerProfile {
public:
    explicit MessengerProfile(const ProfileServices& services);
    virtual ~MessengerProfile();
    MessengerProfile(const MessengerProfile&) = delete;
    MessengerProfile& operator=(const MessengerProfile&) = delete;

    // passport in code-page bytes.
    virtual bool ListObjects(std::string_view passport);

    // messengerFolder stays empty when no application-data folder is known.
    void LocateMessengerFolder();
    void SetPassport(std::string_view passport);

    // The two bytes Messenger puts before the blob are skipped; the
    // plain text is Base64 of UTF-16LE text.
    ProtectedFileContent ReadProtectedFile(const std::string& path) const;

    // The account number of a passport (code-page bytes).
    static std::uint32_t AccountId(std::string_view passport, const CodePage& codePage);

    std::string passport;
    std::uint32_t accountId = 0;
    std::string messengerFolder;
    std::string accountFolder;
    std::string mapFileFolder;

protected:
    // folder/relative, looked up ignoring case where the services say so.
    std::string Under(const std::string& folder, std::string_view relative) const;

    ProfileServices m_services;
};

} // namespace quorvane
