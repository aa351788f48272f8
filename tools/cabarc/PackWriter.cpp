#include "PackWriter.h"

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

std::string TakeMessage(GError* error) {
    std::unique_ptr<GError, GErrorFree> owned(error);
    return owned ? owned->message : "unknown error";
}

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

std::string RandomSuffix() {
    static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string suffix;
    for (int i = 0; i < 8; ++i) {
        suffix.push_back(kAlphabet[g_random_int_range(0, 36)]);
    }
    return suffix;
}

bool SyncPath(const std::string& path, int flags) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | flags);
    if (fd < 0) {
        return false;
    }
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
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
    if (m_baseName.empty()) {
        error = "pack name \"" + tools::Printable(m_packPath) + "\" names a folder";
        return false;
    }
    struct stat existing {};
    if (::stat(m_packPath.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode)) {
        error = "pack \"" + tools::Printable(m_packPath) + "\" is a folder";
        return false;
    }

    // The temporary file is created exclusively, so two writers never share
    // one, and it is hidden so a folder listing taken meanwhile skips it.
    const std::string prefix = (m_folder == "/" ? "/" : m_folder + "/") + "." + m_baseName + ".";
    std::string temporary;
    GPtr<GFileIOStream> stream;
    for (int attempt = 0; attempt < 100 && !stream; ++attempt) {
        temporary = prefix + RandomSuffix() + ".tmp";
        GPtr<GFile> file(g_file_new_for_path(temporary.c_str()));
        GError* gerror = nullptr;
        stream.reset(g_file_create_readwrite(file.get(), G_FILE_CREATE_NONE, nullptr, &gerror));
        if (!stream) {
            const bool exists = g_error_matches(gerror, G_IO_ERROR, G_IO_ERROR_EXISTS);
            const std::string message = TakeMessage(gerror);
            if (!exists) {
                error = "cannot create a temporary file beside \"" + tools::Printable(m_packPath) +
                        "\": " + message;
                return false;
            }
        }
    }
    if (!stream) {
        error = "cannot find a free temporary name beside \"" + tools::Printable(m_packPath) + "\"";
        return false;
    }
    if (!WriteTemporary(stream.get(), files, error)) {
        ::unlink(temporary.c_str());
        return false;
    }
    if (!SyncPath(temporary, 0)) {
        error = "cannot flush \"" + tools::Printable(temporary) + "\": " + std::strerror(errno);
        ::unlink(temporary.c_str());
        return false;
    }
    if (::rename(temporary.c_str(), m_packPath.c_str()) != 0) {
        error = "cannot rename the new pack to \"" + tools::Printable(m_packPath) +
                "\": " + std::strerror(errno);
        ::unlink(temporary.c_str());
        return false;
    }
    // The rename itself is only durable once the folder is flushed.
    SyncPath(m_folder, O_DIRECTORY);
    return true;
}

bool PackWriter::WriteTemporary(GFileIOStream* stream, const std::vector<PackInput>& files,
                                std::string& error) {
    GPtr<GCabCabinet> cabinet(gcab_cabinet_new());
    GPtr<GCabFolder> folder(gcab_folder_new(GCAB_COMPRESSION_MSZIP));
    std::vector<GPtr<GCabFile>> entries;
    entries.reserve(files.size());

    for (const auto& input : files) {
        GPtr<GFile> source(g_file_new_for_path(input.path.c_str()));
        GPtr<GCabFile> entry(gcab_file_new_with_file(input.name.c_str(), source.get()));
        GDateTime* date = LocalDosTime(input.modified);
        gcab_file_set_date_time(entry.get(), date);
        g_date_time_unref(date);
        GError* gerror = nullptr;
        if (!gcab_folder_add_file(folder.get(), entry.get(), FALSE, nullptr, &gerror)) {
            error = "cannot add \"" + tools::Printable(input.path) + "\": " + TakeMessage(gerror);
            return false;
        }
        // libgcab reads the size again when the file is added; a file that
        // changed since it was counted would upset the limits and offsets.
        if (gcab_file_get_size(entry.get()) != input.size) {
            error = tools::Quoted(input.path) + " changed while it was being packed";
            return false;
        }
        entries.push_back(std::move(entry));
    }
    GError* gerror = nullptr;
    if (!gcab_cabinet_add_folder(cabinet.get(), folder.get(), &gerror)) {
        error = "cannot build the cabinet: " + TakeMessage(gerror);
        return false;
    }

    // libgcab fills in the header last, so it needs a stream it can seek.
    GOutputStream* output = g_io_stream_get_output_stream(G_IO_STREAM(stream));
    const gboolean written =
        gcab_cabinet_write_simple(cabinet.get(), output, nullptr, nullptr, nullptr, &gerror);
    if (!written) {
        error = "cannot write the cabinet: " + TakeMessage(gerror);
        g_io_stream_close(G_IO_STREAM(stream), nullptr, nullptr);
        return false;
    }
    if (!g_io_stream_close(G_IO_STREAM(stream), nullptr, &gerror)) {
        error = "cannot write the cabinet: " + TakeMessage(gerror);
        return false;
    }

    // libgcab copies each file up to its end, whatever size it recorded; a
    // file that grew meanwhile would shift every later member's data.
    for (const auto& input : files) {
        struct stat now {};
        if (::stat(input.path.c_str(), &now) != 0 ||
            static_cast<std::uint64_t>(now.st_size) != input.size) {
            error = tools::Quoted(input.path) + " changed while it was being packed";
            return false;
        }
    }
    return true;
}

} // namespace quorvane::cabarc
