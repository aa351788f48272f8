#include "CabinetSet.h"

#include "InputFile.h"
#include "Utf8.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <set>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane::extract {

namespace {

// More parts than any real set has; a guard against a chain that, through
// links or renamed copies, would never end.
constexpr std::size_t kMaxParts = 1000;

bool EqualIgnoringAsciiCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto x = static_cast<unsigned char>(a[i]);
        auto y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') {
            x = static_cast<unsigned char>(x - 'A' + 'a');
        }
        if (y >= 'A' && y <= 'Z') {
            y = static_cast<unsigned char>(y - 'A' + 'a');
        }
        if (x != y) {
            return false;
        }
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The stored name of the next part, reduced to a bare name: whatever folder
// it mentions, only the cabinet's own folder is searched.
std::string BareName(const char* stored) {
    std::string name = stored == nullptr ? "" : stored;
    const auto separator = name.find_last_of("/\\");
    if (separator != std::string::npos) {
        name = name.substr(separator + 1);
    }
    if (name == "." || name == "..") {
        return {};
    }
    return name;
}

// An exact match wins; otherwise the first entry equal but for ASCII case.
std::string FindInFolder(const std::string& folder, const std::string& name) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return {};
    }
    DIR* dir = ::fdopendir(fd);
    if (dir == nullptr) {
        ::close(fd);
        return {};
    }
    std::string found;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string candidate = entry->d_name;
        if (candidate == name) {
            found = candidate;
            break;
        }
        if (found.empty() && EqualIgnoringAsciiCase(candidate, name)) {
            found = candidate;
        }
    }
    ::closedir(dir);
    if (found.empty()) {
        return {};
    }
    return folder == "/" ? "/" + found : folder + "/" + found;
}

} // namespace

const char* MspackErrorText(int code) {
    switch (code) {
    case MSPACK_ERR_OK:
        return "no error";
    case MSPACK_ERR_ARGS:
        return "bad arguments";
    case MSPACK_ERR_OPEN:
        return "cannot open file";
    case MSPACK_ERR_READ:
        return "read error";
    case MSPACK_ERR_WRITE:
        return "write error";
    case MSPACK_ERR_SEEK:
        return "seek error";
    case MSPACK_ERR_NOMEMORY:
        return "out of memory";
    case MSPACK_ERR_SIGNATURE:
        return "not a cabinet (bad signature)";
    case MSPACK_ERR_DATAFORMAT:
        return "damaged cabinet (bad data format)";
    case MSPACK_ERR_CHECKSUM:
        return "damaged data (checksum mismatch)";
    case MSPACK_ERR_DECRUNCH:
        return "damaged data (decompression failed)";
    default:
        return "unknown error";
    }
}

CabinetSet::CabinetSet(FdSystem& system) : m_system(system) {
    m_decompressor = mspack_create_cab_decompressor(system.Get());
    // Neither repair nor salvage: a damaged member is reported, not guessed at.
    if (m_decompressor != nullptr) {
        m_decompressor->set_param(m_decompressor, MSCABD_PARAM_FIXMSZIP, 0);
        m_decompressor->set_param(m_decompressor, MSCABD_PARAM_SALVAGE, 0);
    }
}

CabinetSet::~CabinetSet() {
    if (m_decompressor != nullptr) {
        // Joined parts share their member and folder lists, and closing the
        // first cabinet frees the whole set; closing each would free twice.
        if (!m_cabinets.empty()) {
            m_decompressor->close(m_decompressor, m_cabinets.front());
        }
        mspack_destroy_cab_decompressor(m_decompressor);
    }
}

bool CabinetSet::Open(const std::string& path, std::string& error) {
    if (m_decompressor == nullptr) {
        error = "cannot start the cabinet decompressor";
        return false;
    }
    m_paths.push_back(path);
    mscabd_cabinet* first = m_decompressor->open(m_decompressor, m_paths.back().c_str());
    if (first == nullptr) {
        // The file layer says why it would not open the file; anything
        // later is libmspack's own verdict on the contents.
        error = m_system.OpenError();
        if (error.empty()) {
            error = "cannot open cabinet " + tools::Quoted(path) + ": " +
                    MspackErrorText(m_decompressor->last_error(m_decompressor));
        }
        return false;
    }
    m_cabinets.push_back(first);
    if (first->files == nullptr) {
        error = "cabinet " + tools::Quoted(path) + " holds no files";
        return false;
    }
    JoinFollowingParts(path);
    return true;
}

mscabd_file* CabinetSet::Files() const {
    return m_cabinets.empty() ? nullptr : m_cabinets.front()->files;
}

void CabinetSet::JoinFollowingParts(const std::string& firstPath) {
    const std::string folder = FolderOf(firstPath);
    std::set<std::pair<dev_t, ino_t>> seen;
    struct stat info {};
    if (::stat(firstPath.c_str(), &info) == 0) {
        seen.insert({info.st_dev, info.st_ino});
    }
    while (m_cabinets.size() < kMaxParts) {
        mscabd_cabinet* last = m_cabinets.back();
        if ((last->flags & MSCAB_HDR_NEXTCAB) == 0) {
            return;
        }
        const std::string wanted = BareName(last->nextname);
        const std::string path = wanted.empty() ? std::string() : FindInFolder(folder, wanted);
        if (path.empty()) {
            std::fprintf(stderr,
                         "extract: next part \"%s\" of the cabinet set is missing; members "
                         "continued there cannot be extracted\n",
                         tools::Printable(last->nextname == nullptr ? "" : last->nextname).c_str());
            return;
        }
        if (::stat(path.c_str(), &info) != 0) {
            std::fprintf(stderr, "extract: cannot open next part %s: %s\n",
                         tools::Quoted(path).c_str(), std::strerror(errno));
            return;
        }
        if (!S_ISREG(info.st_mode)) {
            std::fprintf(stderr, "extract: %s; members continued there cannot be extracted\n",
                         tools::NotRegularFile(path, "next part", info.st_mode).c_str());
            return;
        }
        if (!seen.insert({info.st_dev, info.st_ino}).second) {
            std::fprintf(stderr, "extract: next part %s is a part already joined\n",
                         tools::Quoted(path).c_str());
            return;
        }
        m_paths.push_back(path);
        mscabd_cabinet* next = m_decompressor->open(m_decompressor, m_paths.back().c_str());
        if (next == nullptr) {
            if (m_system.OpenError().empty()) {
                std::fprintf(stderr, "extract: cannot open next part %s: %s\n",
                             tools::Quoted(path).c_str(),
                             MspackErrorText(m_decompressor->last_error(m_decompressor)));
            } else {
                std::fprintf(stderr, "extract: %s; members continued there cannot be extracted\n",
                             m_system.OpenError().c_str());
            }
            return;
        }
        if (m_decompressor->append(m_decompressor, last, next) != MSPACK_ERR_OK) {
            std::fprintf(stderr, "extract: next part %s does not continue this cabinet\n",
                         tools::Quoted(path).c_str());
            m_decompressor->close(m_decompressor, next);
            return;
        }
        m_cabinets.push_back(next);
    }
}

} // namespace quorvane::extract
