#include "profile/MessengerProfile.h"

#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "profile/Base64.h"
#include "protection/DataProtection.h"

#include <cerrno>

namespace quorvane {

namespace {

// Messenger's protected files are a few hundred KB at most; anything far
// larger is not one of them and is not read into memory.
constexpr std::size_t kMaxProtectedFileSize = 256 * 1024 * 1024;

} // namespace

MessengerProfile::MessengerProfile(const ProfileServices& services) : m_services(services) {
    LocateMessengerFolder();
}

MessengerProfile::~MessengerProfile() = default;

bool MessengerProfile::ListObjects(std::string_view) {
    return true;
}

std::string MessengerProfile::Under(const std::string& folder, std::string_view relative) const {
    return m_services.caseBlindNames ? ResolveIgnoringCase(folder, relative)
                                     : JoinPath(folder, relative);
}

void MessengerProfile::LocateMessengerFolder() {
    messengerFolder.clear();
    if (!m_services.applicationDataFolder.empty())
        messengerFolder = Under(m_services.applicationDataFolder, "Microsoft/MSN Messenger");
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

void MessengerProfile::SetPassport(std::string_view newPassport) {
    passport = std::string(newPassport);
    accountId = AccountId(passport, m_services.codePage);
    // Without an application-data folder this is a path from the root, which
    // finds nothing: the listing then fails on its pointer file.
    accountFolder = Under(messengerFolder, std::to_string(accountId));
    mapFileFolder = Under(accountFolder, "MapFile");
}

ProtectedFileContent MessengerProfile::ReadProtectedFile(const std::string& path) const {
    ProtectedFileContent content;
    const Result<std::string> file = ReadRegularFile(path, kMaxProtectedFileSize);
    if (!file) {
        using Problem = ProtectedFileContent::Problem;
        content.problem = file.error().osError == ENOENT ? Problem::Missing : Problem::Unreadable;
        content.detail = file.error().sentence;
        return content;
    }
    if (file->size() < 2) {
        content.problem = file->empty() ? ProtectedFileContent::Problem::Empty
                                        : ProtectedFileContent::Problem::Damaged;
        return content;
    }
    content.read = true;
    // The first two bytes are not part of the blob.
    const auto* blob = reinterpret_cast<const std::uint8_t*>(file->data()) + 2;
    const auto* entropy = reinterpret_cast<const std::uint8_t*>(passport.data());
    const Result<Bytes> plain = m_services.protection.Unprotect(
        std::span(blob, file->size() - 2), std::span(entropy, passport.size()));
    if (!plain) {
        using Problem = ProtectedFileContent::Problem;
        const Failure& failure = plain.error();
        content.problem = failure.code == FailureCode::Damaged ? Problem::Damaged
                          : failure.code == FailureCode::Missing
                              ? (failure.osError == ENOENT ? Problem::MissingKey : Problem::Locked)
                              : Problem::WrongKey;
        return content;
    }
    content.unprotected = true;
    content.decoded =
        DecodeBase64(std::string_view(reinterpret_cast<const char*>(plain->data()), plain->size()));
    return content;
}

} // namespace quorvane
