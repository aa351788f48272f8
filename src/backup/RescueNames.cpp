#include "backup/Rescue.h"

#include <QByteArray>
#include <QXmlStreamReader>

#include <algorithm>
#include <cstdint>
#include <cstring>

// What a rescued file is, told by its first bytes, and what it is called:
// the name inside a cabinet's manifest or the file's own, made safe.
namespace quorvane {

namespace {

// Bytes of a name before its extension: every file system takes the whole
// name with " (n)" and an extension added.
constexpr std::size_t kMaxNameBytes = 120;

std::uint32_t LittleEndian32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return value;
}

// A BMP file header followed by one of the DIB headers Windows writes, its
// pixels starting after both and inside the file.
bool IsPlausibleBmp(std::string_view bytes) {
    constexpr std::size_t kFileHeader = 14;
    if (bytes.size() < kFileHeader + 12 || !bytes.starts_with("BM") ||
        LittleEndian32(bytes, 6) != 0)
        return false;
    const std::uint32_t pixels = LittleEndian32(bytes, 10);
    const std::uint32_t header = LittleEndian32(bytes, 14);
    constexpr std::array<std::uint32_t, 7> kHeaderSizes = {12, 40, 52, 56, 64, 108, 124};
    return std::find(kHeaderSizes.begin(), kHeaderSizes.end(), header) != kHeaderSizes.end() &&
           pixels >= kFileHeader + header && pixels <= bytes.size();
}

std::string Lowered(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lowered;
}

// The value of the first attribute called name (after a space or a
// namespace prefix's colon) in text that an XML parser refuses, such as a
// manifest whose element repeats an attribute; its references undone by
// the parser on the value alone. "" when there is none.
std::string AttributeInBrokenXml(std::string_view text, std::string_view name) {
    const std::string lowered = Lowered(text);
    const std::string wanted = std::string(name) + "=\"";
    for (std::size_t at = lowered.find(wanted); at != std::string::npos;
         at = lowered.find(wanted, at + 1)) {
        const char before = at == 0 ? ' ' : lowered[at - 1];
        if (before != ' ' && before != ':' && before != '\t' && before != '\r' && before != '\n')
            continue;
        const std::size_t start = at + wanted.size();
        const std::size_t end = text.find('"', start);
        if (end == std::string_view::npos)
            return {};
        const std::string element =
            "<v a=\"" + std::string(text.substr(start, end - start)) + "\"/>";
        QXmlStreamReader reader(QByteArray::fromStdString(element));
        while (!reader.atEnd()) {
            if (reader.readNext() == QXmlStreamReader::StartElement)
                return reader.attributes()
                    .value(QStringLiteral("a"))
                    .toString()
                    .trimmed()
                    .toStdString();
        }
        return {};
    }
    return {};
}

} // namespace

std::optional<RescuedKind> SniffKind(std::string_view bytes) {
    if (bytes.starts_with(std::string_view("MSCF\0\0\0\0", 8)))
        return RescuedKind::Cabinet;
    if (bytes.starts_with("GIF87a") || bytes.starts_with("GIF89a"))
        return RescuedKind::Gif;
    if (bytes.starts_with("\x89PNG\r\n\x1a\n"))
        return RescuedKind::Png;
    if (bytes.starts_with("\xFF\xD8\xFF"))
        return RescuedKind::Jpeg;
    if (IsPlausibleBmp(bytes))
        return RescuedKind::Bmp;
    return std::nullopt;
}

std::string_view KindWord(RescuedKind kind) {
    switch (kind) {
    case RescuedKind::Cabinet:
        return "cabinet";
    case RescuedKind::Gif:
        return "gif";
    case RescuedKind::Png:
        return "png";
    case RescuedKind::Jpeg:
        return "jpeg";
    case RescuedKind::Bmp:
        return "bmp";
    }
    return {};
}

std::string_view KindExtension(RescuedKind kind) {
    switch (kind) {
    case RescuedKind::Cabinet:
        return ".cab";
    case RescuedKind::Gif:
        return ".gif";
    case RescuedKind::Png:
        return ".png";
    case RescuedKind::Jpeg:
        return ".jpg";
    case RescuedKind::Bmp:
        return ".bmp";
    }
    return {};
}

std::string ManifestDisplayName(std::string_view manifest) {
    // Attributes first, by preference, then elements.
    constexpr std::array<std::string_view, 3> kAttributes = {"displayname", "title", "name"};
    constexpr std::array<std::string_view, 2> kElements = {"title", "name"};
    const std::size_t none = kAttributes.size() + kElements.size();
    std::size_t bestRank = none;
    QString best;
    QXmlStreamReader reader(QByteArray(manifest.data(), static_cast<qsizetype>(manifest.size())));
    while (!reader.atEnd() && bestRank > 0) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        for (const QXmlStreamAttribute& attribute : reader.attributes()) {
            const std::string name = Lowered(attribute.name().toString().toStdString());
            const auto found = std::find(kAttributes.begin(), kAttributes.end(), name);
            if (found == kAttributes.end())
                continue;
            const auto rank = static_cast<std::size_t>(found - kAttributes.begin());
            const QString value = attribute.value().toString().trimmed();
            if (rank < bestRank && !value.isEmpty()) {
                bestRank = rank;
                best = value;
            }
        }
        const std::string element = Lowered(reader.name().toString().toStdString());
        const auto found = std::find(kElements.begin(), kElements.end(), element);
        if (found == kElements.end())
            continue;
        const std::size_t rank =
            kAttributes.size() + static_cast<std::size_t>(found - kElements.begin());
        if (rank < bestRank) {
            const QString text =
                reader.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
            if (!text.isEmpty()) {
                bestRank = rank;
                best = text;
            }
        }
    }
    if (reader.hasError() && bestRank == none) {
        // Some manifests repeat an attribute, which a parser must refuse;
        // the name is still there to be read.
        for (std::string_view attribute : kAttributes) {
            std::string value = AttributeInBrokenXml(manifest, attribute);
            if (!value.empty())
                return value;
        }
        return {};
    }
    return best.toStdString();
}

std::string SafeFileName(std::string_view text) {
    std::string safe;
    safe.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f || std::strchr("/\\:*?\"<>|", c) != nullptr)
            safe.push_back('_');
        else
            safe.push_back(c);
    }
    const auto trim = [&safe] {
        const std::size_t first = safe.find_first_not_of(" .");
        if (first == std::string::npos) {
            safe.clear();
            return;
        }
        safe.erase(0, first);
        safe.erase(safe.find_last_not_of(" .") + 1);
    };
    trim();
    if (safe.size() > kMaxNameBytes) {
        std::size_t cut = kMaxNameBytes;
        while (cut > 0 && (static_cast<unsigned char>(safe[cut]) & 0xC0) == 0x80)
            --cut;
        safe.resize(cut);
        trim();
    }
    return safe;
}

std::string NameWithKindExtension(std::string_view name, RescuedKind kind) {
    const std::string extension(KindExtension(kind));
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0)
        return std::string(name) + extension;
    const std::string own = Lowered(name.substr(dot));
    if (own == extension || (kind == RescuedKind::Jpeg && own == ".jpeg"))
        return std::string(name);
    constexpr std::array<std::string_view, 8> kReplaced = {".cab", ".msn",  ".gif", ".png",
                                                           ".jpg", ".jpeg", ".bmp", ".dat"};
    if (std::find(kReplaced.begin(), kReplaced.end(), own) != kReplaced.end())
        return std::string(name.substr(0, dot)) + extension;
    return std::string(name) + extension;
}

} // namespace quorvane
