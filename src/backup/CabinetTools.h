#pragma once

#include "platform/ProcessRunner.h"

#include <string>
#include <vector>

namespace quorvane {

// How one cabinet tool run went, in words a user can act on.
struct ToolRun {
    bool started = false;
    bool succeeded = false; // started and exited 0
    int exitCode = -1;      // -1 when it did not exit by itself
    // The tool ran to its end and refused what it was given (for extract: a
    // damaged or hostile cabinet), as opposed to a run that failed by
    // itself: the tool missing or not starting, killed, or unable to write
    // where it was told to.
    bool inputRefused = false;
    std::string reason; // why not, when it did not succeed
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

    // extract /SAME "<cabinet>" "<other>"
    static std::vector<std::string> SameArguments(const std::string& cabinet,
                                                  const std::string& other);

    // Runs a command whose first argument is the bare tool name. The three
    // runs below make their paths absolute first: the tool works in the
    // Windows folder, not the caller's.
    ToolRun RunTool(std::vector<std::string> arguments, const std::string& workingFolder);

    ToolRun PackObject(const std::string& pack, const std::string& manifest,
                       const std::string& objectFolder, const std::string& objectFile);
    ToolRun PackFolder(const std::string& folder, const std::vector<std::string>& names,
                       const std::string& pack);
    ToolRun ExtractCabinet(const std::string& cabinet, const std::string& destination);
    // Whether other holds the same members as cabinet besides its manifest,
    // byte for byte: read by the extract tool, as other may be anybody's.
    // succeeded means the same; inputRefused that they differ or other
    // cannot be read as a cabinet.
    ToolRun SameCabinets(const std::string& cabinet, const std::string& other);

    // The tools' working folder: the account's Windows folder (the place
    // cabarc and extract ran in on Windows), held here and nowhere else.
    const std::string& WindowsFolder() const { return m_windowsFolder; }

private:
    ProcessRunner& m_runner;
    std::string m_programFolder;
    std::string m_windowsFolder;
};

} // namespace quorvane
