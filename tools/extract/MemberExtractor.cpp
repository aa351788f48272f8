#include "MemberExtractor.h"

#include "CabinetSet.h"
#include "MemberName.h"
#include "RandomName.h"
#include "Utf8.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

namespace quorvane::extract {

namespace {

// Fixed length, so a member whose name is already as long as a file name
// may be still has room for its temporary.
std::string TemporaryName() {
    return ".qv-extract-" + tools::RandomLetters(12);
}

// Cabinet times are local wall-clock times; invalid ones leave the file with
// the time it was written.
void StampModified(int fd, const mscabd_file* member) {
    std::tm local{};
    local.tm_year = member->date_y - 1900;
    local.tm_mon = member->date_m - 1;
    local.tm_mday = member->date_d;
    local.tm_hour = member->time_h;
    local.tm_min = member->time_m;
    local.tm_sec = member->time_s;
    local.tm_isdst = -1;
    if (local.tm_mon < 0 || local.tm_mon > 11 || local.tm_mday < 1 || local.tm_mday > 31 ||
        local.tm_hour < 0 || local.tm_hour > 23 || local.tm_min < 0 || local.tm_min > 59 ||
        local.tm_sec < 0 || local.tm_sec > 59) {
        return;
    }
    const std::time_t seconds = std::mktime(&local);
    if (seconds == static_cast<std::time_t>(-1)) {
        return;
    }
    timeval times[2] = {};
    times[0].tv_sec = seconds;
    times[1].tv_sec = seconds;
    ::futimes(fd, times);
}

// Errors of the destination's file system rather than of the member: no
// other member would fare better, whatever the cabinet holds.
bool IsDestinationFault(int error) {
    switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EIO:
    case EROFS:
    case EACCES:
    case EPERM:
    case EFBIG:
    case EMFILE:
    case ENFILE:
    case ENOMEM:
        return true;
    default:
        return false;
    }
}

} // namespace

MemberExtractor::MemberExtractor(mscab_decompressor* decompressor, FdSystem& system,
                                 const SafeFolder& destination, CreatedByRun& created)
    : m_decompressor(decompressor), m_system(system), m_destination(destination),
      m_created(created) {}

MemberExtractor::Outcome MemberExtractor::Extract(mscabd_file* member) {
    const std::string raw = member->filename == nullptr ? "" : member->filename;
    const MemberPath path = ParseMemberName(raw, (member->attribs & MSCAB_ATTRIB_UTF_NAME) != 0);
    std::string error;
    if (path.refusal.empty()) {
        auto folder = m_destination.Descend(path.parts, path.parts.size() - 1, m_created, error);
        if (folder && WriteMember(member, *folder, path.parts, error)) {
            return Outcome::kWritten;
        }
        if (m_system.RunLimitReached()) {
            return Outcome::kStopped;
        }
        if (m_cannotWrite) {
            std::fprintf(stderr, "extract: cannot write member %s: %s\n",
                         tools::Quoted(raw).c_str(), error.c_str());
            return Outcome::kCannotWrite;
        }
    } else {
        error = path.refusal;
    }
    std::fprintf(stderr, "extract: refused member %s: %s\n", tools::Quoted(raw).c_str(),
                 error.c_str());
    return Outcome::kRefused;
}

bool MemberExtractor::WriteMember(mscabd_file* member, const SafeFolder& folder,
                                  const std::vector<std::string>& parts, std::string& error) {
    const std::string& fileName = parts.back();
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = TemporaryName();
        fd = ::openat(folder.Fd(), temporary.c_str(),
                      O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            m_cannotWrite = IsDestinationFault(errno);
            error = std::string("cannot create a file: ") + std::strerror(errno);
            return false;
        }
    }
    if (fd < 0) {
        error = "cannot find a free temporary name";
        return false;
    }

    m_system.SetOutput(fd, member->length);
    const int result = m_decompressor->extract(m_decompressor, member, "member");
    m_system.ClearOutput();

    bool ok = true;
    if (m_system.RunLimitReached()) {
        error = "the run's cap was reached";
        ok = false;
    } else if (m_system.OutputError() != 0) {
        m_cannotWrite = true;
        error = std::string("cannot write the file: ") + std::strerror(m_system.OutputError());
        ok = false;
    } else if (result != MSPACK_ERR_OK) {
        error = MspackErrorText(result);
        ok = false;
    } else if (m_system.OutputOverflowed() || m_system.OutputWritten() != member->length) {
        error = "decompressed size does not match the size the cabinet gives";
        ok = false;
    }
    if (ok) {
        StampModified(fd, member);
    }
    if (::close(fd) != 0 && ok) {
        m_cannotWrite = IsDestinationFault(errno);
        error = std::string("cannot write the file: ") + std::strerror(errno);
        ok = false;
    }
    // Whether the name is new decides whether taking the run back removes
    // the file: a file that was replaced has no older self to return to.
    struct stat existing {};
    const bool isNew =
        ::fstatat(folder.Fd(), fileName.c_str(), &existing, AT_SYMLINK_NOFOLLOW) != 0 &&
        errno == ENOENT;
    if (ok && ::renameat(folder.Fd(), temporary.c_str(), folder.Fd(), fileName.c_str()) != 0) {
        m_cannotWrite = IsDestinationFault(errno);
        error = "cannot put the file in place: " + std::string(std::strerror(errno));
        ok = false;
    }
    if (!ok) {
        ::unlinkat(folder.Fd(), temporary.c_str(), 0);
    } else if (isNew) {
        m_created.Inner(parts, false);
    }
    return ok;
}

} // namespace quorvane::extract
