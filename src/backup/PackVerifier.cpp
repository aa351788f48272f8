#include "backup/PackVerifier.h"

#include "backup/CabinetTools.h"
#include "backup/Manifests.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/PrivateFolder.h"
#include "platform/ScratchFolder.h"
#include "platform/SystemFolders.h"
#include "platform/TranslatedSentence.h"
#include "profile/PackCipher.h"

#include <QByteArray>
#include <QXmlStreamReader>

#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <map>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane {

namespace {

// The names of what a folder holds: its regular files, and everything else
// (subfolders a member's path made, anything odd).
struct FolderEntries {
    std::vector<std::string> files;
    std::vector<std::string> others;
};

FolderEntries EntriesOf(const std::string& folder) {
    FolderEntries entries;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
    if (!dir)
        return entries;
    while (const dirent* entry = readdir(dir.get())) {
        struct stat info {};
        std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        if (lstat(JoinPath(folder, name).c_str(), &info) == 0 && S_ISREG(info.st_mode))
            entries.files.push_back(name);
        else
            entries.others.push_back(name);
    }
    std::sort(entries.files.begin(), entries.files.end());
    std::sort(entries.others.begin(), entries.others.end());
    return entries;
}

// Undoes a pack's seal on a copy beside folder and expands the cabinet into
// folder with the extract tool. False with the reason.
bool ExpandSealedPack(const std::string& packPath, CabinetTools& tools, const std::string& folder,
                      std::string& reason) {
    const std::string cabinet = folder + ".cab";
    if (Result<> copied = WriteUnsealedCopy(packPath, cabinet, kMaxReadBytes); !copied) {
        reason = copied.error().sentence;
        return false;
    }
    const ToolRun run = tools.ExtractCabinet(cabinet, folder);
    ::unlink(cabinet.c_str());
    if (!run.succeeded)
        reason = run.reason;
    return run.succeeded;
}

} // namespace

PackCheck VerifyPack(const std::string& packPath, CabinetTools& tools,
                     const std::string& tempFolder) {
    PackCheck check;
    const Result<std::unique_ptr<ScratchFolder>> scratch =
        ScratchFolder::Make(tempFolder, "verify-");
    if (!scratch) {
        check.reason = scratch.error().sentence;
        return check;
    }
    const std::string contents = JoinPath((*scratch)->Path(), "contents");
    if (!ExpandSealedPack(packPath, tools, contents, check.reason))
        return check;
    const FolderEntries entries = EntriesOf(contents);
    check.files = entries.files;
    const Result<std::string> manifest = ReadRegularFile(JoinPath(contents, "content.xml"));
    if (!manifest) {
        check.reason = Sentence(
            QCoreApplication::translate("quorvane::Outcomes", "the pack holds no content.xml"));
        return check;
    }

    if (Result<> wellFormed = CheckWellFormedXml(*manifest); !wellFormed) {
        check.reason = Sentence(QCoreApplication::translate(
                                    "quorvane::Outcomes", "content.xml is not well-formed XML: %1"),
                                wellFormed.error().sentence);
        return check;
    }
    QXmlStreamReader reader(QByteArray::fromStdString(*manifest));
    std::vector<std::string> named;
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement) {
            const auto file = reader.attributes().value(QStringLiteral("file"));
            if (!file.isNull())
                named.push_back(file.toString().toStdString());
        }
    }
    if (named.empty()) {
        check.reason = Sentence(
            QCoreApplication::translate("quorvane::Outcomes", "content.xml names no file"));
        return check;
    }
    for (const std::string& name : named) {
        if (!std::binary_search(check.files.begin(), check.files.end(), name) ||
            name == "content.xml") {
            check.reason = Sentence(
                QCoreApplication::translate("quorvane::Outcomes",
                                            "content.xml names \"%1\", which is not in the pack"),
                name);
            return check;
        }
    }
    // Messenger installs what the pack holds; whatever content.xml does not
    // name has no business there.
    std::sort(named.begin(), named.end());
    for (const std::vector<std::string>* held : {&entries.files, &entries.others}) {
        for (const std::string& name : *held) {
            if (name != "content.xml" && !std::binary_search(named.begin(), named.end(), name)) {
                check.reason =
                    Sentence(QCoreApplication::translate(
                                 "quorvane::Outcomes",
                                 "the pack holds \"%1\", which content.xml does not name"),
                             name);
                return check;
            }
        }
    }
    check.sound = true;
    return check;
}

} // namespace quorvane
