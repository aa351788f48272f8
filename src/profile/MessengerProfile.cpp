#include "profile/MessengerProfile.h"

#include "platform/CodePage.h"
#include "platform/DataProtection.h"
#include "platform/Paths.h"
#include "profile/Base64.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane {

namespace {

// Messenger's protected files are a few hundred KB at most; anything far
// larger is not one of them and is not read into memory.
constexpr off_t kMaxProtectedFileSize = 256 * 1024 * 1024;

} // namespace

MessengerProfile::MessengerProfile(const ProfileServices& services) : m_services(services) {
    LocateMessengerFolder();
}

MessengerProfile::~MessengerProfile() = default;

bool MessengerProfile::ListObjects(std::string_view) {
    return true;
}

bool MessengerProfile::LocateMessengerFolder() {
    messengerFolder.clear();
    if (m_services.applicationDataFolder.empty())
        return false;
    messengerFolder = JoinPath(m_services.applicationDataFolder, "Microsoft/MSN Messenger");
    return true;
}

std::uint32_t MessengerProfile::AccountId(std::string_view passportText, const CodePage& codePage) {
    // Messenger names the account folder by a hash of the lower-cased
    // passport, each byte taken as a signed char.
    std::uint32_t hash = 0;
    for (char c : codePage.ToLower(passportText))
        hash = hash * 101u +
               static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<signed char>(c)));
    return hash;
}

bool MessengerProfile::SetPassport(std::string_view newPassport) {
    passport = std::string(newPassport);
    accountId = AccountId(passport, m_services.codePage);
    // Without an application-data folder this is a path from the root, which
    // finds nothing: the listing then fails on its pointer file.
    accountFolder = messengerFolder + "/" + std::to_string(accountId);
    mapFileFolder = JoinPath(accountFolder, "MapFile");
    return true;
}

ProtectedFileContent MessengerProfile::ReadProtectedFile(const std::string& path) const {
    ProtectedFileContent content;
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return content;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 2 ||
        info.st_size > kMaxProtectedFileSize) {
        close(fd);
        return content;
    }
    // The first two bytes are not part of the blob.
    std::vector<std::uint8_t> blob(static_cast<std::size_t>(info.st_size - 2));
    std::size_t got = 0;
    while (got < blob.size()) {
        ssize_t n = pread(fd, blob.data() + got, blob.size() - got, static_cast<off_t>(got + 2));
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    close(fd);
    if (got != blob.size())
        return content;
    content.read = true;

    const auto* entropy = reinterpret_cast<const std::uint8_t*>(passport.data());
    auto plain = m_services.protection.Unprotect(blob, std::span(entropy, passport.size()));
    if (!plain)
        return content;
    content.unprotected = true;
    content.decoded =
        DecodeBase64(std::string_view(reinterpret_cast<const char*>(plain->data()), plain->size()));
    return content;
}

} // namespace quorvane
