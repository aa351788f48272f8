#include "protection/WindowsDataProtection.h"

#include "protection/WindowsBlob.h"

#include <cerrno>

namespace quorvane {

Result<Bytes> WindowsDataProtection::Unprotect(std::span<const std::uint8_t> blob,
                                               std::span<const std::uint8_t> entropy) const {
    try {
        const Result<WindowsBlob> parsed = ParseWindowsBlob(blob);
        if (!parsed)
            return Fail(FailureCode::Damaged, {});
        const Result<const dpapi::SecretBytes*> key = m_keyring.Key(parsed->masterKey);
        if (!key) {
            switch (key.error().code) {
            case FailureCode::Missing:
                return Fail(Failure{ENOENT, key.error().sentence, FailureCode::Missing});
            case FailureCode::WrongPassword:
                // For the blob, a key the password does not open is a key
                // it cannot have, as much as one that is not there.
                return Fail(Failure{0, key.error().sentence, FailureCode::Missing});
            default:
                return Fail(FailureCode::Damaged, key.error().sentence);
            }
        }
        Result<Bytes> plain = DecryptWindowsBlob(*parsed, (*key)->span(), entropy);
        if (plain || plain.error().code == FailureCode::WrongPassword)
            // A bad signature from a sound blob under an open key: the
            // entropy (the passport) differs, or the blob was changed.
            return plain;
        return Fail(FailureCode::Damaged, {});
    } catch (...) {
        return Fail(FailureCode::System, {});
    }
}

} // namespace quorvane
