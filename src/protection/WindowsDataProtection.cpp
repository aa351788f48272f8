#include "protection/WindowsDataProtection.h"

#include "protection/WindowsBlob.h"

namespace quorvane {

std::optional<Bytes> WindowsDataProtection::Unprotect(std::span<const std::uint8_t> blob,
                                                      std::span<const std::uint8_t> entropy,
                                                      UnprotectFailure* failure) const {
    const auto fail = [failure](UnprotectFailure why) -> std::optional<Bytes> {
        if (failure)
            *failure = why;
        return std::nullopt;
    };
    if (failure)
        *failure = UnprotectFailure::None;
    try {
        WindowsBlob parsed;
        if (ParseWindowsBlob(blob, parsed) != BlobProblem::None)
            return fail(UnprotectFailure::Damaged);
        const WindowsKeyring::Lookup key = m_keyring.Key(parsed.masterKey);
        switch (key.status) {
        case WindowsKeyring::Status::Unlocked:
            break;
        case WindowsKeyring::Status::Missing:
            return fail(UnprotectFailure::MissingKey);
        case WindowsKeyring::Status::WrongPassword:
            return fail(UnprotectFailure::Locked);
        default:
            return fail(UnprotectFailure::Damaged);
        }
        Bytes plain;
        switch (DecryptWindowsBlob(parsed, key.key->span(), entropy, plain)) {
        case BlobProblem::None:
            return plain;
        case BlobProblem::BadSignature:
            // A sound blob under an open key: the entropy (the passport)
            // differs, or the blob was changed.
            return fail(UnprotectFailure::WrongKey);
        default:
            return fail(UnprotectFailure::Damaged);
        }
    } catch (...) {
        return std::nullopt;
    }
}

} // namespace quorvane
