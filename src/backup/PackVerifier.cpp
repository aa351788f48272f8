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
// folder with the extract tool.
Result<> ExpandSealedPack(const std::string& packPath, CabinetTools& tools,
                          const std::string& folder) {
    const std::string cabinet = folder + ".cab";
    if (Result<> copied = WriteUnsealedCopy(packPath, cabinet, kMaxReadBytes); !copied)
        return copied;
    Result<> extracted = tools.ExtractCabinet(cabinet, folder);
    ::unlink(cabinet.c_str());
    return extracted;
}

// The pack's contents say something content.xml does not, or the reverse.
tl::unexpected<Failure> Inconsistent(std::string sentence) {
    return Fail(FailureCode::Damaged, std::move(sentence));
}

} // namespace

Result<std::vector<std::string>> VerifyPack(const std::string& packPath, CabinetTools& tools,
                                            const std::string& tempFolder) {
    const Result<std::unique_ptr<ScratchFolder>> scratch =
        ScratchFolder::Make(tempFolder, "verify-");
    if (!scratch)
        return Fail(scratch.error());
    const std::string contents = JoinPath((*scratch)->Path(), "contents");
    if (Result<> expanded = ExpandSealedPack(packPath, tools, contents); !expanded)
        return Fail(std::move(expanded.error()));
    FolderEntries entries = EntriesOf(contents);
    const Result<std::string> manifest = ReadRegularFile(JoinPath(contents, "content.xml"));
    if (!manifest)
        return Inconsistent(Sentence(
            QCoreApplication::translate("quorvane::Outcomes", "the pack holds no content.xml")));

    if (Result<> wellFormed = CheckWellFormedXml(*manifest); !wellFormed)
        return Inconsistent(
            Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                 "content.xml is not well-formed XML: %1"),
                     wellFormed.error().sentence));
    QXmlStreamReader reader(QByteArray::fromStdString(*manifest));
    std::vector<std::string> named;
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement) {
            const auto file = reader.attributes().value(QStringLiteral("file"));
            if (!file.isNull())
                named.push_back(file.toString().toStdString());
        }
    }
    if (named.empty())
        return Inconsistent(Sentence(
            QCoreApplication::translate("quorvane::Outcomes", "content.xml names no file")));
    for (const std::string& name : named) {
        if (!std::binary_search(entries.files.begin(), entries.files.end(), name) ||
            name == "content.xml")
            return Inconsistent(Sentence(
                QCoreApplication::translate("quorvane::Outcomes",
                                            "content.xml names \"%1\", which is not in the pack"),
                name));
    }
    // Messenger installs what the pack holds; whatever content.xml does not
    // name has no business there.
    std::sort(named.begin(), named.end());
    for (const std::vector<std::string>* held : {&entries.files, &entries.others}) {
        for (const std::string& name : *held) {
            if (name != "content.xml" && !std::binary_search(named.begin(), named.end(), name))
                return Inconsistent(
                    Sentence(QCoreApplication::translate(
                                 "quorvane::Outcomes",
                                 "the pack holds \"%1\", which content.xml does not name"),
                             name));
        }
    }
    return std::move(entries.files);
}

} // namespace quorvane
