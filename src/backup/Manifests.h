#pragma once

#include "platform/Result.h"
#include "profile/ContentCategory.h"
#include "profile/InstalledObject.h"

#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

class Clock;
class OpenFolder;
class CodePage;

// The namespace URIs of the "content.xml" manifests, defined once. They are
// the ones Messenger's own content packs declare: a namespace-aware reader
// matches elements and attributes by URI, not by prefix.
inline constexpr std::string_view kMessengerContentNamespace =
    "http://messenger.msn.com/messengercontent/1.0";
inline constexpr std::string_view kDynamicBackgroundNamespace =
    "http://messenger.msn.com/dynamicbackground/2.0";
inline constexpr std::string_view kEmoticonNamespace = "http://messenger.msn.com/emoticon/1.0";

// A code-page value as XML attribute text: UTF-8, with &, <, > and "
// escaped and tab, LF and CR written as character references, so a strict
// parser reads back what Messenger stored. A character XML 1.0 cannot carry
// at all (a C0 control other than tab, LF and CR) becomes U+FFFD.
std::string XmlAttributeValue(std::string_view narrow, const CodePage& codePage);

// Whether text is well-formed XML (namespaces included); the failure gives
// the parser's message and where it stopped.
Result<> CheckWellFormedXml(std::string_view text);

// The whole "content.xml" of one Wink, Dynamic Display Picture or Dynamic
// Background; stamp is the stamp's bytes in the code page. It fails when the
// category is not packaged, a value the pack must keep exactly holds a
// character XML cannot carry, or the result is not well-formed.
Result<std::string> ObjectManifestText(ContentCategory category, const InstalledObject& object,
                                       std::string_view stamp, const CodePage& codePage);

// Writes ObjectManifestText as "content.xml" into manifestFolder, a folder
// of the run's own scratch: the previous pack's manifest makes way, the new
// one is created exclusively, and nothing there needs to survive a crash, so
// it is not synced. It fails when there is no manifest or it could not be
// written.
Result<> WriteObjectManifest(ContentCategory category, const OpenFolder& manifestFolder,
                             const InstalledObject& object, std::string_view stamp,
                             const CodePage& codePage);

// The manifest of one emoticon pack, built item by item.
class EmoticonManifest {
public:
    EmoticonManifest(const Clock& clock, const CodePage& codePage);

    void SetFolder(std::string_view folderPath);
    void Begin();
    // Appends the emoticon's item; it fails, with nothing appended, when its
    // file name or key sequence cannot be carried.
    Result<> AddItem(const InstalledObject& object);
    // Ends the manifest, checks that it is well-formed and writes it as
    // folder + "/content.xml", whole or not at all; it fails when it is not
    // well-formed or could not be written.
    Result<> Finish();

    // The emoticon's file name inside the pack: location lowered, every
    // ".dat" replaced by ".gif".
    static std::string PackFileName(std::string_view location, const CodePage& codePage);

    std::string folder;
    std::string text;
    std::string packId;

private:
    const Clock& m_clock;
    const CodePage& m_codePage;
};

} // namespace quorvane
