#include "support/CabinetWriter.h"

#include <gio/gio.h>
#include <libgcab.h>

#include <memory>
#include <stdexcept>

namespace quorvane::test {

namespace {

struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
template <typename T> using GPtr = std::unique_ptr<T, GObjectUnref>;

struct GBytesUnref {
    void operator()(GBytes* bytes) const { g_bytes_unref(bytes); }
};
struct GDateTimeUnref {
    void operator()(GDateTime* time) const { g_date_time_unref(time); }
};

[[noreturn]] void Fail(const std::string& path, const char* step, GError* error) {
    std::string message = "cannot write the cabinet " + path + " (" + step + ")";
    if (error != nullptr) {
        message += ": ";
        message += error->message;
        g_error_free(error);
    }
    throw std::runtime_error(message);
}

} // namespace

void WriteCabinet(const std::string& path,
                  const std::vector<std::pair<std::string, std::string>>& files) {
    GPtr<GCabCabinet> cabinet(gcab_cabinet_new());
    // Not owned here once added: the cabinet takes its own reference.
    GPtr<GCabFolder> folder(gcab_folder_new(GCAB_COMPRESSION_MSZIP));
    // A fixed date keeps cabinets of the same files identical from run to run.
    std::unique_ptr<GDateTime, GDateTimeUnref> date(g_date_time_new_utc(2008, 6, 14, 12, 0, 0));
    GError* error = nullptr;

    for (const auto& [name, bytes] : files) {
        std::unique_ptr<GBytes, GBytesUnref> data(g_bytes_new(bytes.data(), bytes.size()));
        GPtr<GCabFile> file(gcab_file_new_with_bytes(name.c_str(), data.get()));
        gcab_file_set_date_time(file.get(), date.get());
        if (!gcab_folder_add_file(folder.get(), file.get(), FALSE, nullptr, &error))
            Fail(path, "adding a file", error);
    }
    if (!gcab_cabinet_add_folder(cabinet.get(), folder.get(), &error))
        Fail(path, "adding the folder", error);

    GPtr<GFile> target(g_file_new_for_path(path.c_str()));
    GPtr<GFileOutputStream> stream(
        g_file_replace(target.get(), nullptr, FALSE, G_FILE_CREATE_NONE, nullptr, &error));
    if (!stream)
        Fail(path, "creating the file", error);
    auto* output = G_OUTPUT_STREAM(stream.get());
    if (!gcab_cabinet_write_simple(cabinet.get(), output, nullptr, nullptr, nullptr, &error))
        Fail(path, "writing", error);
    if (!g_output_stream_close(output, nullptr, &error))
        Fail(path, "closing", error);
}

} // namespace quorvane::test
