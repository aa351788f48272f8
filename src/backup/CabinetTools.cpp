#include "backup/CabinetTools.h"

#include "platform/Paths.h"
#include "platform/TranslatedSentence.h"

#include <csignal>
#include <cstring>
#include <string>
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

std::vector<std::string> CabinetTools::SameArguments(const std::string& cabinet,
                                                     const std::string& other) {
    return {"extract", "/SAME", cabinet, other};
}

ToolRun CabinetTools::RunTool(std::vector<std::string> arguments,
                              const std::string& workingFolder) {
    ToolRun run;
    const std::string name = arguments.front();
    std::string program = FindTool(name, m_programFolder);
    if (program.empty()) {
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

ToolRun CabinetTools::PackObject(const std::string& pack, const std::string& manifest,
                                 const std::string& objectFolder, const std::string& objectFile) {
    return RunTool(ObjectPackArguments(AbsolutePath(pack), AbsolutePath(manifest),
                                       AbsolutePath(objectFolder), objectFile),
                   m_windowsFolder);
}

ToolRun CabinetTools::PackFolder(const std::string& folder, const std::vector<std::string>& names,
                                 const std::string& pack) {
    return RunTool(FolderPackArguments(AbsolutePath(pack), AbsolutePath(folder), names),
                   m_windowsFolder);
}

ToolRun CabinetTools::ExtractCabinet(const std::string& cabinet, const std::string& destination) {
    ToolRun run = RunTool(ExtractArguments(AbsolutePath(destination), AbsolutePath(cabinet)),
                          m_windowsFolder);
    run.inputRefused = run.exitCode == kExtractRefusedCabinet;
    return run;
}

ToolRun CabinetTools::SameCabinets(const std::string& cabinet, const std::string& other) {
    ToolRun run =
        RunTool(SameArguments(AbsolutePath(cabinet), AbsolutePath(other)), m_windowsFolder);
    run.inputRefused = run.exitCode == kExtractRefusedCabinet;
    return run;
}

} // namespace quorvane
