#pragma once

#include "FdSystem.h"
#include "SafeFolder.h"

#include <mspack.h>

#include <string>
#include <vector>

namespace quorvane::extract {

// Writes one member at a time below the destination. A member is
// decompressed into a new hidden file in its target folder and renamed over
// the target only when every byte arrived, so a member that fails leaves no
// file, and one that replaces an older file replaces it whole. Files and
// folders that did not exist before are recorded, for a run that must be
// taken back.
class MemberExtractor {
public:
    MemberExtractor(mscab_decompressor* decompressor, FdSystem& system,
                    const SafeFolder& destination, CreatedByRun& created);

    enum class Outcome {
        kWritten,
        kRefused, // this member only (the reason is on stderr); the run goes on
        kStopped, // the run's cap was reached: no member may follow
        // The destination took no more (a full disk, no permission, an I/O
        // error): no member may follow, and the cabinet is not to blame.
        kCannotWrite,
    };
    Outcome Extract(mscabd_file* member);

private:
    bool WriteMember(mscabd_file* member, const SafeFolder& folder,
                     const std::vector<std::string>& parts, std::string& error);

    mscab_decompressor* m_decompressor;
    FdSystem& m_system;
    const SafeFolder& m_destination;
    CreatedByRun& m_created;
    bool m_cannotWrite = false; // set by WriteMember for a fault of the destination
};

} // namespace quorvane::extract
