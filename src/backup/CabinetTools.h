#pragma once

#include "platform/ProcessRunner.h"
#include "platform/Result.h"

#include <optional>
#include <string>
#include <vector>

namespace quorvane {

// How one cabinet tool run went, in words a user can act on.
struct ToolRun {
    bool started = false;
    bool succeeded = false; // started and exited 0
    int exitCode = -1;      // -1 when it did not exit by itself
    bool installed = true;
    std::string reason; // why not, when it did not succeed
    std::string output; // what it printed (cut to 64 KiB)
};

// A sealed pack of this run and a file found under its name, to be compared.
struct PackPair {
    std::string pack;
    std::string other;
};

// extract's exit status for a cabinet it refuses (damaged, hostile, over
// the cap); a folder it cannot write into ends it with 3, a wrong command
// line with 2.
inline constexpr int kExtractRefusedCabinet = 1;

// The two cabinet tools, "cabarc" (create) and "extract" (expand), run by
// name with the same command lines on every platform. The argument vectors
// are built by pure functions; one runner starts and waits for the child.
class CabinetTools {
public:
    CabinetTools(ProcessRunner& runner, std::string programFolder, std::string windowsFolder);

    // cabarc N "<pack>" "<manifest>" "<objectFolder>/<objectFile>"
    static std::vector<std::string> ObjectPackArguments(const std::string& pack,
                                                        const std::string& manifest,
                                                        const std::string& objectFolder,
                                                        const std::string& objectFile);
    // cabarc N "<pack>" "<folder>/<name>"... with the names in the order
    // given; cabarc expands no wildcards, so every file packed is named.
    static std::vector<std::string> FolderPackArguments(const std::string& pack,
                                                        const std::string& folder,
                                                        const std::vector<std::string>& names);
    // extract /Y /E /L "<folder>" "<cabinet>"
    static std::vector<std::string> ExtractArguments(const std::string& folder,
                                                     const std::string& cabinet);

    // extract /SAME /SEALED "<pack>" "<other>" ["<pack>" "<other>"]...
    static std::vector<std::string> SamePacksArguments(const std::vector<PackPair>& pairs);

    // Runs a command whose first argument is the bare tool name. The three
    // runs below make their paths absolute first: the tool works in the
    // Windows folder, not the caller's.
    ToolRun RunTool(std::vector<std::string> arguments, const std::string& workingFolder);

    // Each fails with why the tool did not do its work: Damaged when
    // extract refused the cabinet (damaged, hostile, over its cap: another
    // cabinet may still do), Missing when the tool is not installed, System
    // for a run that failed by itself (not started, killed, unable to
    // write), which no other input would fare better with.
    Result<> PackObject(const std::string& pack, const std::string& manifest,
                        const std::string& objectFolder, const std::string& objectFile);
    Result<> PackFolder(const std::string& folder, const std::vector<std::string>& names,
                        const std::string& pack);
    Result<> ExtractCabinet(const std::string& cabinet, const std::string& destination);
    // For each pair, whether other holds the same members as the sealed pack
    // besides its manifest, byte for byte: read by the extract tool (which
    // undoes the seals in memory), as other may be anybody's. The pairs are
    // asked in as few runs as the command line allows, since starting the
    // tool costs more than a comparison. An answer is empty when no run
    // gave it (the tool missing, or ended before it); false when they differ
    // or either cannot be read as a cabinet within the tool's cap.
    std::vector<std::optional<bool>> SamePacks(const std::vector<PackPair>& pairs);

    // The tools' working folder: the account's Windows folder (the place
    // cabarc and extract ran in on Windows), held here and nowhere else.
    const std::string& WindowsFolder() const { return m_windowsFolder; }

private:
    ProcessRunner& m_runner;
    std::string m_programFolder;
    std::string m_windowsFolder;
};

} // namespace quorvane
