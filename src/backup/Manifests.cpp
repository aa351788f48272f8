#include "backup/Manifests.h"

#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"

#include <cstdint>
#include <optional>
#include <string>

namespace quorvane {

namespace {

// Messenger reads these manifests byte for byte: lines end in CR LF, the
// last line has no line end, and every space and attribute order below is
// what it expects.
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>";
constexpr std::string_view kManifestFileName = "content.xml";
// Follows the stamp bytes of a Wink, Dynamic Display Picture or Dynamic
// Background manifest.
constexpr std::string_view kObjectManifestEnd = "\"/>\r\n</package>";
constexpr std::string_view kEmoticonPrefix = "KTV";

std::string ObjectManifestHeader(ContentCategory category, const InstalledObject& object,
                                 const CodePage& codePage) {
    const std::string tag = XmlAttributeValue(object.tag, codePage);
    const std::string location = XmlAttributeValue(object.location, codePage);

    std::string header;
    switch (category) {
    case ContentCategory::Winks:
        header.append("<package version=\"1.0\" type=\"theme\">").append(kLineEnd);
        header.append("<item contentid=\"").append(tag);
        header.append(
            "\" type=\"wink\" contenttype=\"P\" mimetype=\"application/messengercontent\"");
        break;
    case ContentCategory::DynamicDisplayPictures:
        header.append("<package version=\"1.0\" type=\"theme\" xmlns=\"")
            .append(kMessengerContentNamespace)
            .append("\">")
            .append(kLineEnd);
        header.append("<item contentid=\"").append(tag);
        header.append("\" type=\"dynamicpicture\" contenttype=\"P\""
                      " mimetype=\"application/messengercontent\"");
        break;
    case ContentCategory::DynamicBackgrounds:
        header.append(kDeclaration).append(kLineEnd);
        // The package element once carried version and type a second time
        // (version="2.0" type="theme") after the namespaces. An XML parser
        // must reject an element with a repeated attribute, so the repeat is
        // left out and the first values stand, as in the other manifests.
        header.append("<package version=\"1.0\" type=\"theme\" xmlns=\"")
            .append(kMessengerContentNamespace)
            .append("\" xmlns:dynamicbackground=\"")
            .append(kDynamicBackgroundNamespace)
            .append("\" partnerid=\"XK\" contenttype=\"P\">")
            .append(kLineEnd);
        header.append("<item2 minver=\"7.5\" contentid=\"").append(tag);
        header.append("\" type=\"dynamicbackground\" contenttype=\"P\""
                      " mimetype=\"application/messengercontent\""
                      " dynamicbackground:version=\"1.0\" dynamicbackground:default=\"true\""
                      " dynamicbackground:displayname=\"");
        header.append(XmlAttributeValue(object.displayName, codePage)).append("\"");
        break;
    default:
        return {};
    }
    header.append(" file=\"").append(location).append("\" stamp=\"");
    return header;
}

} // namespace

std::string XmlAttributeValue(std::string_view narrow, const CodePage& codePage) {
    const std::string utf8 = codePage.ToUtf8(narrow);
    std::string escaped;
    escaped.reserve(utf8.size());
    for (const char c : utf8) {
        switch (c) {
        case '&':
            escaped.append("&amp;");
            break;
        case '<':
            escaped.append("&lt;");
            break;
        case '>':
            escaped.append("&gt;");
            break;
        case '"':
            escaped.append("&quot;");
            break;
        default:
            escaped.push_back(c);
            break;
        }
    }
    return escaped;
}

bool WriteObjectManifest(ContentCategory category, const std::string& objectFolder,
                         const InstalledObject& object, const CodePage& codePage) {
    const std::string manifestPath = JoinPath(objectFolder, kManifestFileName);
    if (!IsPackaged(category)) {
        // The manifest is created before the category is looked at; an
        // unpackaged category leaves it empty, and the caller is told.
        WriteWholeFile(manifestPath, {});
        return false;
    }

    const std::string header = ObjectManifestHeader(category, object, codePage);
    if (!WriteWholeFile(manifestPath, header))
        return false;

    // The stamp file is named by the tag and lives next to the object. A tag
    // that is not a bare file name cannot name such a file, and following it
    // would copy some other file of the user into the backup.
    const std::string stampName = codePage.ToUtf8(object.tag);
    if (!IsBareFileName(stampName))
        return false;
    const std::optional<std::string> stamp = ReadWholeFile(JoinPath(objectFolder, stampName));
    if (!stamp)
        return false;

    // The stamp bytes are Messenger's own and go back to it exactly as it
    // wrote them: neither converted nor escaped.
    std::string manifest = header;
    manifest.append(*stamp).append(kObjectManifestEnd);
    return WriteWholeFile(manifestPath, manifest);
}

EmoticonManifest::EmoticonManifest(const Clock& clock, const CodePage& codePage)
    : m_clock(clock), m_codePage(codePage) {}

void EmoticonManifest::SetFolder(std::string_view folderPath) {
    folder = folderPath;
}

void EmoticonManifest::Begin() {
    // Pack ids hold the seconds as a signed 32-bit number ("KTV%d"), so past
    // 2038 the id wraps instead of growing longer.
    packId = std::string(kEmoticonPrefix) +
             std::to_string(static_cast<std::int32_t>(m_clock.SecondsSinceEpoch()));
    text.assign(kDeclaration).append(kLineEnd);
    text.append("<package xmlns=\"")
        .append(kMessengerContentNamespace)
        .append("\" version=\"1.0\" type=\"theme\" partnerid=\"XK\">")
        .append(kLineEnd);
}

void EmoticonManifest::AddItem(const InstalledObject& object) {
    text.append("<item xmlns:emoticon=\"").append(kEmoticonNamespace);
    text.append("\" contentid=\"").append(XmlAttributeValue(packId, m_codePage));
    text.append("\" contenttype=\"P\" type=\"emoticon\" emoticon:namespaceprefix=\"")
        .append(kEmoticonPrefix);
    text.append("\" mimetype=\"image/gif\" file=\"")
        .append(XmlAttributeValue(PackFileName(object.location, m_codePage), m_codePage));
    text.append("\" emoticon:displayname=\"")
        .append(XmlAttributeValue(object.displayName, m_codePage));
    text.append("\" emoticon:keysequence=\"").append(XmlAttributeValue(object.tag, m_codePage));
    text.append("\" />").append(kLineEnd);
}

bool EmoticonManifest::Finish() {
    text.append(" </package>");
    // Written whole or not at all: a half-written manifest would make
    // Messenger reject the entire pack.
    return WriteFileAtomically(JoinPath(folder, kManifestFileName), text);
}

std::string EmoticonManifest::PackFileName(std::string_view location, const CodePage& codePage) {
    // Messenger stores custom emoticons under ".dat" names; the pack
    // declares them image/gif and names them to match.
    return codePage.ReplaceAll(codePage.ToLower(location), ".dat", ".gif");
}

} // namespace quorvane
