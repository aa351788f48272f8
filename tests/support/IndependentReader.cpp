#include "support/IndependentReader.h"

#include "support/ChildRun.h"

#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "profile/PackCipher.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace quorvane::test {

std::string FindOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string rest = path != nullptr ? path : "";
    while (!rest.empty()) {
        const std::size_t colon = rest.find(':');
        const std::string folder = rest.substr(0, colon);
        rest = colon == std::string::npos ? std::string() : rest.substr(colon + 1);
        const std::string candidate = JoinPath(folder, name);
        if (!folder.empty() && access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

std::map<std::string, std::string> FilesIn(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        files[name] = entry.is_regular_file() && !entry.is_symlink()
                          ? ReadRegularFile(entry.path().string()).value_or("<unreadable>")
                          : "<not a file>";
    }
    return files;
}

std::map<std::string, std::string>
ReadWithCabextract(const std::string& cabinet, const std::string& outFolder, std::string& error) {
    static const std::string cabextract = FindOnPath("cabextract");
    error.clear();
    if (cabextract.empty()) {
        error = "cabextract is not installed";
        return {};
    }
    if (!MakeFolders(outFolder)) {
        error = "cannot make " + outFolder;
        return {};
    }
    const ChildResult run = RunChild({cabextract, "-q", "-d", outFolder, cabinet});
    if (run.exitCode != 0) {
        error = "cabextract failed on " + cabinet + ": " + run.err;
        return {};
    }
    return FilesIn(outFolder);
}

std::map<std::string, std::string>
OpenSealedPack(const std::string& pack, const std::string& workFolder, std::string& error) {
    const std::string copy = JoinPath(workFolder, "copy.cab");
    auto bytes = ReadRegularFile(pack);
    if (bytes)
        SealPackBytes(std::span(reinterpret_cast<std::uint8_t*>(bytes->data()), bytes->size()));
    if (!bytes || !MakeFolders(workFolder) || !WriteWholeFile(copy, *bytes)) {
        error = "cannot undo the seal of " + pack;
        return {};
    }
    return ReadWithCabextract(copy, JoinPath(workFolder, "out"), error);
}

} // namespace quorvane::test
