#pragma once

#include "FdSystem.h"
#include "SafeFolder.h"

#include <mspack.h>

#include <string>

namespace quorvane::extract {

// Writes one member at a time below the destination. A member is
// decompressed into a new hidden file in its target folder and renamed over
// the target only when every byte arrived, so a member that fails leaves no
// file, and one that replaces an older file replaces it whole.
class MemberExtractor {
public:
    MemberExtractor(mscab_decompressor* decompressor, FdSystem& system,
                    const SafeFolder& destination);

    // False (with the reason on stderr) when the member was not written.
    bool Extract(mscabd_file* member);

private:
    bool WriteMember(mscabd_file* member, const SafeFolder& folder, const std::string& fileName,
                     std::string& error);

    mscab_decompressor* m_decompressor;
    FdSystem& m_system;
    const SafeFolder& m_destination;
};

} // namespace quorvane::extract
