#include "CabinetComparison.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <mspack.h>
#include <string_view>

namespace quorvane::extract {

namespace {

// libmspack reads and writes through a table of functions; these keep the
// cabinet and the member being expanded in memory, so comparing two packs
// writes no file. libmspack hands a "file name" back
// to open() untouched, so the name is the address of one of these.
struct MemoryFile {
    const std::string* in = nullptr; // the cabinet
    std::string* out = nullptr;      // a member's bytes
    std::size_t mostBytes = 0;       // what out may grow to
};

struct MemoryHandle {
    MemoryFile* file = nullptr;
    std::size_t position = 0;
};

MemoryHandle* HandleOf(mspack_file* file) {
    return reinterpret_cast<MemoryHandle*>(file);
}

mspack_file* OpenMemory(mspack_system*, const char* name, int mode) {
    auto* file = reinterpret_cast<MemoryFile*>(const_cast<char*>(name));
    const bool reading = mode == MSPACK_SYS_OPEN_READ;
    if (reading ? file->in == nullptr : (mode != MSPACK_SYS_OPEN_WRITE || file->out == nullptr))
        return nullptr;
    if (!reading)
        file->out->clear();
    return reinterpret_cast<mspack_file*>(new MemoryHandle{file, 0});
}

void CloseMemory(mspack_file* file) {
    delete HandleOf(file);
}

int ReadMemory(mspack_file* file, void* buffer, int bytes) {
    MemoryHandle* handle = HandleOf(file);
    const std::string* in = handle->file->in;
    if (in == nullptr || bytes < 0)
        return -1;
    const std::size_t left = in->size() - std::min(handle->position, in->size());
    const std::size_t count = std::min(left, static_cast<std::size_t>(bytes));
    std::memcpy(buffer, in->data() + handle->position, count);
    handle->position += count;
    return static_cast<int>(count);
}

int WriteMemory(mspack_file* file, void* buffer, int bytes) {
    MemoryFile* target = HandleOf(file)->file;
    if (target->out == nullptr || bytes < 0 ||
        target->out->size() + static_cast<std::size_t>(bytes) > target->mostBytes)
        return -1;
    target->out->append(static_cast<const char*>(buffer), static_cast<std::size_t>(bytes));
    return bytes;
}

int SeekMemory(mspack_file* file, off_t offset, int mode) {
    MemoryHandle* handle = HandleOf(file);
    const std::string* in = handle->file->in;
    if (in == nullptr)
        return -1;
    off_t base = 0;
    if (mode == MSPACK_SYS_SEEK_CUR)
        base = static_cast<off_t>(handle->position);
    else if (mode == MSPACK_SYS_SEEK_END)
        base = static_cast<off_t>(in->size());
    else if (mode != MSPACK_SYS_SEEK_START)
        return -1;
    const off_t position = base + offset;
    if (position < 0 || position > static_cast<off_t>(in->size()))
        return -1;
    handle->position = static_cast<std::size_t>(position);
    return 0;
}

off_t TellMemory(mspack_file* file) {
    return static_cast<off_t>(HandleOf(file)->position);
}

void NoMessage(mspack_file*, const char*, ...) {}

void* Allocate(mspack_system*, std::size_t bytes) {
    return std::malloc(bytes);
}

void Release(void* memory) {
    std::free(memory);
}

void CopyMemory(void* from, void* to, std::size_t bytes) {
    std::memcpy(to, from, bytes);
}

mspack_system kMemorySystem = {OpenMemory, CloseMemory, ReadMemory, WriteMemory,
                               SeekMemory, TellMemory,  NoMessage,  Allocate,
                               Release,    CopyMemory,  nullptr};

} // namespace

std::optional<std::map<std::string, std::string>> CabinetMembers(const std::string& cabinet,
                                                                 std::size_t mostBytes) {
    using Decompressor = std::unique_ptr<mscab_decompressor, void (*)(mscab_decompressor*)>;
    Decompressor decompressor(mspack_create_cab_decompressor(&kMemorySystem),
                              mspack_destroy_cab_decompressor);
    if (!decompressor)
        return std::nullopt;
    MemoryFile in{&cabinet, nullptr, 0};
    mscabd_cabinet* opened = decompressor->open(decompressor.get(), reinterpret_cast<char*>(&in));
    if (opened == nullptr)
        return std::nullopt;
    std::unique_ptr<mscabd_cabinet, std::function<void(mscabd_cabinet*)>> held(
        opened,
        [&decompressor](mscabd_cabinet* cab) { decompressor->close(decompressor.get(), cab); });
    if (opened->next != nullptr || (opened->flags & (MSCAB_HDR_PREVCAB | MSCAB_HDR_NEXTCAB)) != 0)
        return std::nullopt;
    // The sizes are counted first, so a cabinet that claims more than the
    // caller's pack holds is not expanded at all. Reaching a member means
    // expanding its folder up to it, so the members of a folder must come in
    // order (each folder is then expanded once) and all the folders together
    // may be expanded no further than the members and a manifest's worth.
    constexpr std::size_t kManifestAllowance = 1024 * 1024;
    const std::size_t reach =
        mostBytes > SIZE_MAX - kManifestAllowance ? SIZE_MAX : mostBytes + kManifestAllowance;
    std::map<const mscabd_folder*, std::size_t> folderEnds;
    std::size_t total = 0;
    std::size_t expanded = 0;
    for (const mscabd_file* file = opened->files; file != nullptr; file = file->next) {
        const std::string_view name = file->filename;
        // A member in a subfolder is none of ours.
        if (name.find_first_of("/\\") != std::string_view::npos)
            return std::nullopt;
        if (name == "content.xml")
            continue;
        total += file->length;
        std::size_t& folderEnd = folderEnds[file->folder];
        const std::size_t start = file->offset;
        if (start < folderEnd)
            return std::nullopt;
        expanded += start + file->length - folderEnd;
        folderEnd = start + file->length;
        if (total > mostBytes || expanded > reach)
            return std::nullopt;
    }
    std::map<std::string, std::string> files;
    for (const mscabd_file* file = opened->files; file != nullptr; file = file->next) {
        if (std::string_view(file->filename) == "content.xml")
            continue;
        std::string bytes;
        MemoryFile out{nullptr, &bytes, file->length};
        if (decompressor->extract(decompressor.get(), const_cast<mscabd_file*>(file),
                                  reinterpret_cast<char*>(&out)) != MSPACK_ERR_OK ||
            bytes.size() != file->length)
            return std::nullopt;
        if (!files.emplace(file->filename, std::move(bytes)).second)
            return std::nullopt;
    }
    return files;
}

} // namespace quorvane::extract
