#include "PackWriter.h"

#include "FdOutputStream.h"
#include "InputFile.h"
#include "RandomName.h"
#include "Utf8.h"

#include <libgcab.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane::cabarc {

namespace {

struct GObjectUnref {
    void operator()(gpointer object) const {
        if (object != nullptr) {
            g_object_unref(object);
        }
    }
};
template <typename T> using GPtr = std::unique_ptr<T, GObjectUnref>;

struct GErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};

struct GBytesUnref {
    void operator()(GBytes* bytes) const { g_bytes_unref(bytes); }
};
using BytesPtr = std::unique_ptr<GBytes, GBytesUnref>;

std::string TakeMessage(GError* error) {
    std::unique_ptr<GError, GErrorFree> owned(error);
    return owned ? owned->message : "unknown error";
}

// Closes a descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    int Get() const { return m_fd; }
    // Closes now, reporting what close says (a late write error shows here).
    bool Close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

// Cabinets keep a DOS date: local wall-clock time from 1980 to 2107 in two
// second steps. libgcab takes the fields of whatever GDateTime it is given,
// so the local fields go in a UTC value to keep them unshifted; times outside
// the range are pinned to its ends rather than wrapped into nonsense.
GDateTime* LocalDosTime(std::int64_t modified) {
    const auto seconds = static_cast<std::time_t>(modified);
    std::tm local{};
    if (::localtime_r(&seconds, &local) == nullptr || local.tm_year + 1900 < 1980) {
        return g_date_time_new_utc(1980, 1, 1, 0, 0, 0);
    }
    if (local.tm_year + 1900 > 2107) {
        return g_date_time_new_utc(2107, 12, 31, 23, 59, 58);
    }
    // A leap second would be second 60, which the DOS format cannot hold.
    const int second = local.tm_sec > 59 ? 59 : local.tm_sec;
    return g_date_time_new_utc(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                               local.tm_min, second);
}

std::string Changed(const PackInput& input) {
    return tools::Quoted(input.path) + " changed while it was being packed";
}

// The whole of one input, read through a descriptor opened as a regular
// file: libgcab never opens an input by name, so nothing swapped in after
// the checks (a FIFO, a device) can block it. The bytes must be those of the
// file that was counted, whole: the sizes went into the limits, and a file
// that grew or shrank would shift every later member's data.
BytesPtr ReadInput(const PackInput& input, std::string& error) {
    Descriptor fd(tools::OpenRegularFile(input.path, "input", error));
    if (fd.Get() < 0) {
        return nullptr;
    }
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0 || info.st_dev != input.device ||
        info.st_ino != input.inode || static_cast<std::uint64_t>(info.st_size) != input.size) {
        error = Changed(input);
        return nullptr;
    }
    const auto size = static_cast<gsize>(input.size);
    // One byte more than expected is asked for, to see a file that grew.
    auto* data = static_cast<char*>(g_malloc(size + 1));
    gsize done = 0;
    while (done <= size) {
        const ssize_t got = ::read(fd.Get(), data + done, size + 1 - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            error = "cannot read " + tools::Quoted(input.path) + ": " + std::strerror(errno);
            g_free(data);
            return nullptr;
        }
        if (got == 0) {
            break;
        }
        done += static_cast<gsize>(got);
    }
    if (done != size) {
        error = Changed(input);
        g_free(data);
        return nullptr;
    }
    return BytesPtr(g_bytes_new_take(data, size));
}

} // namespace

PackWriter::PackWriter(std::string packPath) : m_packPath(std::move(packPath)) {
    const auto slash = m_packPath.rfind('/');
    if (slash == std::string::npos) {
        m_folder.assign(1, '.');
        m_baseName = m_packPath;
    } else {
        m_folder = slash == 0 ? "/" : m_packPath.substr(0, slash);
        m_baseName = m_packPath.substr(slash + 1);
    }
}

bool PackWriter::Write(const std::vector<PackInput>& files, std::string& error) {
    if (m_baseName.empty() || m_baseName == "." || m_baseName == "..") {
        error = "pack name " + tools::Quoted(m_packPath) + " names a folder";
        return false;
    }
    struct stat existing {};
    if (::stat(m_packPath.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode)) {
        error = "pack " + tools::Quoted(m_packPath) + " is a folder";
        return false;
    }
    // The folder is opened once and every name below is reached from it.
    // Links on the way to it are followed: the caller named that path.
    Descriptor folder(::open(m_folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() < 0) {
        error = "cannot open the pack's folder " + tools::Quoted(m_folder) + ": " +
                std::strerror(errno);
        return false;
    }

    // Created exclusively and never through a link, so two writers never
    // share a file and nobody can point the write elsewhere; hidden, so a
    // folder listing taken meanwhile skips it.
    std::string temporary;
    int created = -1;
    for (int attempt = 0; attempt < 100 && created < 0; ++attempt) {
        temporary = "." + m_baseName + "." + tools::RandomLetters(8) + ".tmp";
        created = ::openat(folder.Get(), temporary.c_str(),
                           O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (created < 0 && errno != EEXIST) {
            error = "cannot create a temporary file beside " + tools::Quoted(m_packPath) + ": " +
                    std::strerror(errno);
            return false;
        }
    }
    if (created < 0) {
        error = "cannot find a free temporary name beside " + tools::Quoted(m_packPath);
        return false;
    }
    Descriptor output(created);
    // No sync here: the program that runs cabarc seals the pack afterwards,
    // rewriting it, and syncs once for its whole run before any pack takes
    // its final name. A sync per pack would double the time of a backup.
    bool ok = WriteCabinet(output.Get(), files, error);
    if (!output.Close() && ok) {
        error =
            "cannot write the new pack " + tools::Quoted(m_packPath) + ": " + std::strerror(errno);
        ok = false;
    }
    if (ok && ::renameat(folder.Get(), temporary.c_str(), folder.Get(), m_baseName.c_str()) != 0) {
        error = "cannot rename the new pack to " + tools::Quoted(m_packPath) + ": " +
                std::strerror(errno);
        ok = false;
    }
    if (!ok) {
        ::unlinkat(folder.Get(), temporary.c_str(), 0);
        return false;
    }
    return true;
}

bool PackWriter::WriteCabinet(int fd, const std::vector<PackInput>& files, std::string& error) {
    GPtr<GCabCabinet> cabinet(gcab_cabinet_new());
    GPtr<GCabFolder> folder(gcab_folder_new(GCAB_COMPRESSION_MSZIP));

    // Every input is held in memory until the cabinet is written: libgcab
    // compresses them all in one pass at the end. Packs are objects of a few
    // megabytes; the folder limit caps the worst case.
    for (const auto& input : files) {
        BytesPtr bytes = ReadInput(input, error);
        if (!bytes) {
            return false;
        }
        GPtr<GCabFile> entry(gcab_file_new_with_bytes(input.name.c_str(), bytes.get()));
        GDateTime* date = LocalDosTime(input.modified);
        gcab_file_set_date_time(entry.get(), date);
        g_date_time_unref(date);
        GError* gerror = nullptr;
        if (!gcab_folder_add_file(folder.get(), entry.get(), FALSE, nullptr, &gerror)) {
            error = "cannot add " + tools::Quoted(input.path) + ": " + TakeMessage(gerror);
            return false;
        }
    }
    GError* gerror = nullptr;
    if (!gcab_cabinet_add_folder(cabinet.get(), folder.get(), &gerror)) {
        error = "cannot build the cabinet: " + TakeMessage(gerror);
        return false;
    }

    // libgcab fills in the header last, so it needs a stream it can seek.
    GPtr<GOutputStream> stream(NewFdOutputStream(fd));
    if (!gcab_cabinet_write_simple(cabinet.get(), stream.get(), nullptr, nullptr, nullptr,
                                   &gerror)) {
        error = "cannot write the cabinet: " + TakeMessage(gerror);
        return false;
    }
    if (!g_output_stream_close(stream.get(), nullptr, &gerror)) {
        error = "cannot write the cabinet: " + TakeMessage(gerror);
        return false;
    }
    return true;
}

} // namespace quorvane::cabarc
