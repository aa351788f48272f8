#include "backup/Manifests.h"

#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/TranslatedSentence.h"

#include <QByteArray>
#include <QXmlStreamReader>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
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
// Follows the stamp of a Wink, Dynamic Display Picture or Dynamic Background
// manifest.
constexpr std::string_view kObjectManifestEnd = "\"/>\r\n</package>";
constexpr std::string_view kEmoticonPrefix = "KTV";
constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

// XML 1.0 has no way to write the C0 controls other than tab, LF and CR,
// not even as character references.
bool XmlCannotCarry(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 && c != '\t' && c != '\n' && c != '\r';
}

// UTF-8 text as attribute text. Tab, LF and CR go in as references: written
// raw, a parser's attribute-value normalisation would turn them into spaces.
std::string EscapedAttribute(std::string_view utf8) {
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
        case '\t':
            escaped.append("&#9;");
            break;
        case '\n':
            escaped.append("&#10;");
            break;
        case '\r':
            escaped.append("&#13;");
            break;
        default:
            if (XmlCannotCarry(c))
                escaped.append(kReplacementCharacter);
            else
                escaped.push_back(c);
            break;
        }
    }
    return escaped;
}

// The values of a manifest that Messenger matches exactly.
enum class ExactValue { ContentId, Location, Stamp, KeySequence };

// Why value cannot go into a manifest: it holds the control character code.
std::string ControlCharacterReason(ExactValue value, const char* code) {
    switch (value) {
    case ExactValue::ContentId:
        return Sentence(QCoreApplication::translate(
                            "quorvane::Outcomes",
                            "its content id holds a control character (%1) that XML cannot carry"),
                        code);
    case ExactValue::Location:
        return Sentence(QCoreApplication::translate(
                            "quorvane::Outcomes",
                            "its Location holds a control character (%1) that XML cannot carry"),
                        code);
    case ExactValue::Stamp:
        return Sentence(QCoreApplication::translate(
                            "quorvane::Outcomes",
                            "its stamp holds a control character (%1) that XML cannot carry"),
                        code);
    case ExactValue::KeySequence:
        return Sentence(
            QCoreApplication::translate(
                "quorvane::Outcomes",
                "its key sequence holds a control character (%1) that XML cannot carry"),
            code);
    }
    return {};
}

// Attribute text for a value that Messenger matches exactly (a file name, a
// content id, a key sequence, a stamp): a replacement character would make
// it another value, so a value holding such a character is refused instead.
Result<std::string> ExactAttribute(ExactValue what, std::string_view narrow,
                                   const CodePage& codePage) {
    const std::string utf8 = codePage.ToUtf8(narrow);
    const auto bad = std::find_if(utf8.begin(), utf8.end(), XmlCannotCarry);
    if (bad != utf8.end()) {
        char code[8] = {};
        std::snprintf(code, sizeof code, "0x%02X", static_cast<unsigned char>(*bad));
        return Fail(ControlCharacterReason(what, code));
    }
    return EscapedAttribute(utf8);
}

} // namespace

std::string XmlAttributeValue(std::string_view narrow, const CodePage& codePage) {
    return EscapedAttribute(codePage.ToUtf8(narrow));
}

Result<> CheckWellFormedXml(std::string_view text) {
    QXmlStreamReader reader(QByteArray(text.data(), static_cast<qsizetype>(text.size())));
    while (!reader.atEnd())
        reader.readNext();
    if (!reader.hasError())
        return {};
    return Fail(
        Sentence(QCoreApplication::translate("quorvane::Outcomes", "%1 (line %2, column %3)"),
                 reader.errorString(), reader.lineNumber(), reader.columnNumber()));
}

Result<std::string> ObjectManifestText(ContentCategory category, const InstalledObject& object,
                                       std::string_view stamp, const CodePage& codePage) {
    if (!IsPackaged(category))
        return Fail(Sentence(QCoreApplication::translate(
            "quorvane::Outcomes", "only Winks, Dynamic Display Pictures and Dynamic "
                                  "Backgrounds are packed with an object manifest")));
    const auto tag = ExactAttribute(ExactValue::ContentId, object.tag, codePage);
    if (!tag)
        return Fail(tag.error());
    const auto location = ExactAttribute(ExactValue::Location, object.location, codePage);
    if (!location)
        return Fail(location.error());
    // Real stamps are Base64, which needs no escaping; whatever else a
    // catalogue holds there follows the same rules as the other values.
    const auto stampText = ExactAttribute(ExactValue::Stamp, stamp, codePage);
    if (!stampText)
        return Fail(stampText.error());

    std::string manifest;
    switch (category) {
    case ContentCategory::Winks:
        manifest.append("<package version=\"1.0\" type=\"theme\">").append(kLineEnd);
        manifest.append("<item contentid=\"").append(*tag);
        manifest.append(
            "\" type=\"wink\" contenttype=\"P\" mimetype=\"application/messengercontent\"");
        break;
    case ContentCategory::DynamicDisplayPictures:
        manifest.append("<package version=\"1.0\" type=\"theme\" xmlns=\"")
            .append(kMessengerContentNamespace)
            .append("\">")
            .append(kLineEnd);
        manifest.append("<item contentid=\"").append(*tag);
        manifest.append("\" type=\"dynamicpicture\" contenttype=\"P\""
                        " mimetype=\"application/messengercontent\"");
        break;
    default: // Dynamic Backgrounds, the last packaged category
        manifest.append(kDeclaration).append(kLineEnd);
        // The package element once carried version and type a second time
        // (version="2.0" type="theme") after the namespaces. An XML parser
        // must reject an element with a repeated attribute, so the repeat is
        // left out and the first values stand, as in the other manifests.
        manifest.append("<package version=\"1.0\" type=\"theme\" xmlns=\"")
            .append(kMessengerContentNamespace)
            .append("\" xmlns:dynamicbackground=\"")
            .append(kDynamicBackgroundNamespace)
            .append("\" partnerid=\"XK\" contenttype=\"P\">")
            .append(kLineEnd);
        manifest.append("<item2 minver=\"7.5\" contentid=\"").append(*tag);
        manifest.append("\" type=\"dynamicbackground\" contenttype=\"P\""
                        " mimetype=\"application/messengercontent\""
                        " dynamicbackground:version=\"1.0\" dynamicbackground:default=\"true\""
                        " dynamicbackground:displayname=\"");
        manifest.append(XmlAttributeValue(object.displayName, codePage)).append("\"");
        break;
    }
    manifest.append(" file=\"").append(*location).append("\" stamp=\"");
    manifest.append(*stampText).append(kObjectManifestEnd);

    if (Result<> wellFormed = CheckWellFormedXml(manifest); !wellFormed)
        return Fail(
            Sentence(QCoreApplication::translate(
                         "quorvane::Outcomes", "its content.xml would not be well-formed XML: %1"),
                     wellFormed.error().sentence));
    return manifest;
}

Result<> WriteObjectManifest(ContentCategory category, const OpenFolder& manifestFolder,
                             const InstalledObject& object, std::string_view stamp,
                             const CodePage& codePage) {
    const Result<std::string> manifest = ObjectManifestText(category, object, stamp, codePage);
    if (!manifest)
        return Fail(manifest.error());
    const std::string name(kManifestFileName);
    manifestFolder.Remove(name);
    if (Result<> written = manifestFolder.WriteNewFile(name, *manifest, 0600); !written)
        return Fail(
            Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                 "its content.xml could not be written in %1: %2"),
                     manifestFolder.Path(), written.error().sentence),
            written.error().osError);
    return {};
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

Result<> EmoticonManifest::AddItem(const InstalledObject& object) {
    const auto file =
        ExactAttribute(ExactValue::Location, PackFileName(object.location, m_codePage), m_codePage);
    if (!file)
        return Fail(file.error());
    const auto keys = ExactAttribute(ExactValue::KeySequence, object.tag, m_codePage);
    if (!keys)
        return Fail(keys.error());

    std::string item = "<item xmlns:emoticon=\"";
    item.append(kEmoticonNamespace);
    item.append("\" contentid=\"").append(XmlAttributeValue(packId, m_codePage));
    item.append("\" contenttype=\"P\" type=\"emoticon\" emoticon:namespaceprefix=\"")
        .append(kEmoticonPrefix);
    item.append("\" mimetype=\"image/gif\" file=\"").append(*file);
    item.append("\" emoticon:displayname=\"")
        .append(XmlAttributeValue(object.displayName, m_codePage));
    item.append("\" emoticon:keysequence=\"").append(*keys);
    item.append("\" />").append(kLineEnd);
    text.append(item);
    return {};
}

Result<> EmoticonManifest::Finish() {
    text.append(" </package>");
    if (Result<> wellFormed = CheckWellFormedXml(text); !wellFormed)
        return Fail(
            Sentence(QCoreApplication::translate(
                         "quorvane::Outcomes", "the pack's content.xml is not well-formed XML: %1"),
                     wellFormed.error().sentence));
    // Written whole or not at all: a half-written manifest would make
    // Messenger reject the entire pack.
    if (Result<> written = WriteFileAtomically(JoinPath(folder, kManifestFileName), text); !written)
        return Fail(Sentence(QCoreApplication::translate(
                                 "quorvane::Outcomes",
                                 "the pack's content.xml could not be written in %1: %2"),
                             folder, written.error().sentence),
                    written.error().osError);
    return {};
}

std::string EmoticonManifest::PackFileName(std::string_view location, const CodePage& codePage) {
    // Messenger stores custom emoticons under ".dat" names; the pack
    // declares them image/gif and names them to match.
    return codePage.ReplaceAll(codePage.ToLower(location), ".dat", ".gif");
}

} // namespace quorvane
