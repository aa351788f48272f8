#pragma once

#include "profile/ContentCategory.h"
#include "profile/InstalledObject.h"

#include <string>
#include <string_view>

namespace quorvane {

class Clock;
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
// escaped, so a strict parser reads what Messenger stored.
std::string XmlAttributeValue(std::string_view narrow, const CodePage& codePage);

// Writes the "content.xml" of one Wink, Dynamic Display Picture or Dynamic
// Background into objectFolder, taking the stamp from the stamp file named by
// the object's tag. False when the manifest cannot be created, the category
// is not packaged, or the stamp file cannot be read.
bool WriteObjectManifest(ContentCategory category, const std::string& objectFolder,
                         const InstalledObject& object, const CodePage& codePage);

// The manifest of one emoticon pack, built item by item.
class EmoticonManifest {
public:
    EmoticonManifest(const Clock& clock, const CodePage& codePage);

    void SetFolder(std::string_view folderPath);
    void Begin();
    void AddItem(const InstalledObject& object);
    // Writes folder + "/content.xml"; false when it could not be written.
    bool Finish();

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
