#include "backup/CabinetTools.h"

#include "platform/Paths.h"
#include "platform/TranslatedSentence.h"

#include <csignal>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

namespace quorvane {

CabinetTools::CabinetTools(ProcessRunner& runner, std::string programFolder,
                           std::string windowsFolder)
    : m_runner(runner), m_programFolder(std::move(programFolder)),
      m_windowsFolder(std::move(windowsFolder)) {}

std::vector<std::string> CabinetTools::ObjectPackArguments(const std::string& pack,
                                                           const std::string& manifest,
                                                           const std::string& objectFolder,
                                                           const std::string& objectFile) {
    return {"cabarc", "N", pack, manifest, JoinPath(objectFolder, objectFile)};
}

std::vector<std::string> CabinetTools::FolderPackArguments(const std::string& pack,
                                                           const std::string& folder,
                                                           const std::vector<std::string>& names) {
    std::vector<std::string> arguments{"cabarc", "N", pack};
    for (const std::string& name : names)
        arguments.push_back(JoinPath(folder, name));
    return arguments;
}

std::vector<std::string> CabinetTools::ExtractArguments(const std::string& folder,
                                                        const std::string& cabinet) {
    return {"extract", "/Y", "/E", "/L", folder, cabinet};
}

std::vector<std::string> CabinetTools::SamePacksArguments(const std::vector<PackPair>& pairs) {
    std::vector<std::string> arguments{"extract", "/SAME", "/SEALED"};
    for (const PackPair& pair : pairs) {
        arguments.push_back(pair.pack);
        arguments.push_back(pair.other);
    }
    return arguments;
}

ToolRun CabinetTools::RunTool(std::vector<std::string> arguments,
                              const std::string& workingFolder) {
    ToolRun run;
    const std::string name = arguments.front();
    std::string program = FindTool(name, m_programFolder);
    if (program.empty()) {
        run.installed = false;
        run.reason = Sentence(QCoreApplication::translate(
                                  "quorvane::Outcomes", "the cabinet tool \"%1\" is not installed"),
                              name);
        return run;
    }
    arguments.front() = program;
    ProcessResult result = m_runner.Run(arguments, workingFolder);
    run.started = result.started;
    if (!result.started) {
        run.reason =
            Sentence(QCoreApplication::translate(
                         "quorvane::Outcomes", "the cabinet tool \"%1\" could not be started: %2"),
                     name, result.startError);
        return run;
    }
    run.exitCode = result.exitCode;
    run.output = std::move(result.outputText);
    run.succeeded = result.exitCode == 0;
    if (result.signal == SIGXFSZ) {
        // Our tools ignore SIGXFSZ and report EFBIG themselves; another
        // program of that name may still be killed at the file size limit.
        run.reason = Sentence(
            QCoreApplication::translate("quorvane::Outcomes",
                                        "the cabinet tool \"%1\" was stopped because a file it "
                                        "wrote grew beyond the file size limit (ulimit -f)"),
            name);
    } else if (result.signal != 0) {
        run.reason = Sentence(
            QCoreApplication::translate("quorvane::Outcomes",
                                        "the cabinet tool \"%1\" was killed by signal %2 (%3)"),
            name, result.signal, ::strsignal(result.signal));
    } else if (!run.succeeded) {
        if (result.errorText.empty())
            run.reason = Sentence(
                QCoreApplication::translate("quorvane::Outcomes", "the cabinet tool \"%1\" failed"),
                name);
        else
            run.reason = Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                              "the cabinet tool \"%1\" failed: %2"),
                                  name, result.errorText);
    }
    return run;
}

namespace {

Result<> Outcome(const ToolRun& run, bool inputRefused = false) {
    if (run.succeeded)
        return {};
    return Fail(inputRefused     ? FailureCode::Damaged
                : !run.installed ? FailureCode::Missing
                                 : FailureCode::System,
                run.reason);
}

} // namespace

Result<> CabinetTools::PackObject(const std::string& pack, const std::string& manifest,
                                  const std::string& objectFolder, const std::string& objectFile) {
    return Outcome(RunTool(ObjectPackArguments(AbsolutePath(pack), AbsolutePath(manifest),
                                               AbsolutePath(objectFolder), objectFile),
                           m_windowsFolder));
}

Result<> CabinetTools::PackFolder(const std::string& folder, const std::vector<std::string>& names,
                                  const std::string& pack) {
    return Outcome(RunTool(FolderPackArguments(AbsolutePath(pack), AbsolutePath(folder), names),
                           m_windowsFolder));
}

Result<> CabinetTools::ExtractCabinet(const std::string& cabinet, const std::string& destination) {
    const ToolRun run = RunTool(ExtractArguments(AbsolutePath(destination), AbsolutePath(cabinet)),
                                m_windowsFolder);
    // The tool ran to its end and refused the cabinet, as opposed to a run
    // that failed by itself.
    return Outcome(run, run.exitCode == kExtractRefusedCabinet);
}

std::vector<std::optional<bool>> CabinetTools::SamePacks(const std::vector<PackPair>& pairs) {
    // Well within what one command line may hold (ARG_MAX is 2 MiB at the
    // least), with room for the environment; a path is at most 4 KiB.
    constexpr std::size_t kMostArgumentBytes = 256 * 1024;
    constexpr std::size_t kMostPairs = 500;
    std::vector<std::optional<bool>> answers;
    answers.reserve(pairs.size());
    std::vector<PackPair> run;
    std::size_t bytes = 0;
    auto ask = [&] {
        if (run.empty())
            return;
        const std::size_t asked = answers.size();
        const ToolRun done = RunTool(SamePacksArguments(run), m_windowsFolder);
        // One line a pair, in order, each printed once its comparison is
        // done; the answers a run printed before it ended are still sound,
        // and anything else ends them.
        std::size_t start = 0;
        for (std::size_t i = 0; i < run.size(); ++i) {
            const std::size_t end = done.output.find('\n', start);
            if (end == std::string::npos)
                break;
            const std::string_view line(done.output.data() + start, end - start);
            if (line != "same" && line != "differs")
                break;
            answers.emplace_back(line == "same");
            start = end + 1;
        }
        answers.resize(asked + run.size());
        run.clear();
        bytes = 0;
    };
    for (const PackPair& pair : pairs) {
        PackPair absolute{AbsolutePath(pair.pack), AbsolutePath(pair.other)};
        const std::size_t size = absolute.pack.size() + absolute.other.size() + 2;
        if (run.size() == kMostPairs || (!run.empty() && bytes + size > kMostArgumentBytes))
            ask();
        bytes += size;
        run.push_back(std::move(absolute));
    }
    ask();
    return answers;
}

} // namespace quorvane
