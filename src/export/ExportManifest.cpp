#include "export/ExportManifest.h"

#include "export/Utf8Text.h"
#include "platform/TranslatedSentence.h"
#include "profile/ContentCategory.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace quorvane {

namespace {

void AppendJsonString(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (const char c : ValidUtf8(text)) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (byte < 0x20 || byte == 0x7f) {
                out += "\\u00";
                out += kHex[byte >> 4];
                out += kHex[byte & 0xf];
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

void AppendNumber(std::string& out, double value) {
    if (!std::isfinite(value))
        value = 0;
    std::array<char, 64> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    out.append(buffer.data(), written.ptr);
}

// Writes the members of one object at one depth of indentation, keeping
// the order they were added in.
class ObjectWriter {
public:
    ObjectWriter(std::string& out, int depth) : m_out(out), m_depth(depth) { m_out += '{'; }

    void Key(std::string_view key) {
        m_out += m_first ? "\n" : ",\n";
        m_first = false;
        m_out.append(static_cast<std::size_t>(m_depth + 1) * 2, ' ');
        AppendJsonString(m_out, key);
        m_out += ": ";
    }
    void String(std::string_view key, std::string_view value) {
        Key(key);
        AppendJsonString(m_out, value);
    }
    void Number(std::string_view key, double value) {
        Key(key);
        AppendNumber(m_out, value);
    }
    void Bool(std::string_view key, bool value) {
        Key(key);
        m_out += value ? "true" : "false";
    }
    void End() {
        if (!m_first) {
            m_out += '\n';
            m_out.append(static_cast<std::size_t>(m_depth) * 2, ' ');
        }
        m_out += '}';
    }

private:
    std::string& m_out;
    int m_depth;
    bool m_first = true;
};

constexpr std::array<std::pair<std::string_view, std::string ExportedFiles::*>, 6> kFileKeys{{
    {"original", &ExportedFiles::original},
    {"picture", &ExportedFiles::picture},
    {"video", &ExportedFiles::video},
    {"animation", &ExportedFiles::animation},
    {"gif", &ExportedFiles::gif},
    {"still", &ExportedFiles::still},
}};

void AppendItem(std::string& out, const ExportedItem& item) {
    const bool movie = IsMovieType(item.type);
    ObjectWriter object(out, 2);
    object.String("type", item.type);
    object.String("displayName", item.displayName);
    object.String("location", item.location);
    if (item.type == "custom-emoticons" || !item.shortcut.empty())
        object.String("shortcut", item.shortcut);
    object.Key("files");
    ObjectWriter files(out, 3);
    for (const auto& [key, member] : kFileKeys) {
        if (!(item.files.*member).empty())
            files.String(key, item.files.*member);
    }
    files.End();
    if (movie) {
        object.Number("frames", item.frames);
        object.Number("frameRate", item.frameRate);
        object.Bool("sound", item.sound);
    }
    object.Key("sha256");
    ObjectWriter hashes(out, 3);
    for (const auto& [path, hex] : item.sha256)
        hashes.String(path, hex);
    hashes.End();
    if (item.failure)
        object.String("failure", item.failure->sentence);
    object.End();
}

tl::unexpected<Failure> Damaged(const std::string& where) {
    return Fail(FailureCode::Damaged,
                Sentence(QCoreApplication::translate("quorvane::Outcomes",
                                                     "The export manifest is damaged (%1)."),
                         where));
}

std::string Utf8(const QString& text) {
    return text.toStdString();
}

bool IsLowercaseSha256(const QString& text) {
    if (text.size() != 64)
        return false;
    for (const QChar c : text) {
        if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f')))
            return false;
    }
    return true;
}

Result<ExportedItem> ReadItem(const QJsonValue& value, const std::string& where) {
    if (!value.isObject())
        return Damaged(where);
    const QJsonObject object = value.toObject();
    static const QStringList kKeys{"type",   "displayName", "location", "shortcut", "files",
                                   "frames", "frameRate",   "sound",    "sha256",   "failure"};
    for (const QString& key : object.keys()) {
        if (!kKeys.contains(key))
            return Damaged(where + "." + Utf8(key));
    }
    ExportedItem item;
    for (const char* key : {"type", "displayName", "location"}) {
        if (!object.value(key).isString())
            return Damaged(where + "." + key);
    }
    item.type = Utf8(object.value("type").toString());
    if (!ParseCategory(item.type) || item.type.size() == 1)
        return Damaged(where + ".type");
    item.displayName = Utf8(object.value("displayName").toString());
    item.location = Utf8(object.value("location").toString());
    if (object.contains("shortcut")) {
        if (!object.value("shortcut").isString())
            return Damaged(where + ".shortcut");
        item.shortcut = Utf8(object.value("shortcut").toString());
    }

    const QJsonValue files = object.value("files");
    if (!files.isObject())
        return Damaged(where + ".files");
    const QJsonObject fileObject = files.toObject();
    for (const QString& key : fileObject.keys()) {
        const std::string name = Utf8(key);
        const std::string path = Utf8(fileObject.value(key).toString());
        const auto known = std::find_if(kFileKeys.begin(), kFileKeys.end(),
                                        [&](const auto& entry) { return entry.first == name; });
        if (known == kFileKeys.end() || !fileObject.value(key).isString() ||
            !IsExportRelativePath(path))
            return Damaged(where + ".files." + name);
        item.files.*(known->second) = path;
    }

    const bool movie = IsMovieType(item.type);
    for (const char* key : {"frames", "frameRate", "sound"}) {
        if (object.contains(key) != movie)
            return Damaged(where + "." + key);
    }
    if (movie) {
        const QJsonValue frames = object.value("frames");
        const double count = frames.toDouble(-1);
        if (!frames.isDouble() || count < 0 || count > std::numeric_limits<int>::max() ||
            count != std::floor(count))
            return Damaged(where + ".frames");
        item.frames = static_cast<int>(count);
        const QJsonValue rate = object.value("frameRate");
        if (!rate.isDouble() || !(rate.toDouble() >= 0))
            return Damaged(where + ".frameRate");
        item.frameRate = rate.toDouble();
        if (!object.value("sound").isBool())
            return Damaged(where + ".sound");
        item.sound = object.value("sound").toBool();
    }

    const QJsonValue hashes = object.value("sha256");
    if (!hashes.isObject())
        return Damaged(where + ".sha256");
    const QJsonObject hashObject = hashes.toObject();
    for (const QString& key : hashObject.keys()) {
        const QJsonValue hex = hashObject.value(key);
        if (!IsExportRelativePath(Utf8(key)) || !hex.isString() ||
            !IsLowercaseSha256(hex.toString()))
            return Damaged(where + ".sha256");
        item.sha256.emplace(Utf8(key), Utf8(hex.toString()));
    }

    if (object.contains("failure")) {
        if (!object.value("failure").isString())
            return Damaged(where + ".failure");
        item.failure = Failure{0, Utf8(object.value("failure").toString())};
    }
    return item;
}

} // namespace

bool IsMovieType(std::string_view type) {
    const auto category = ParseCategory(type);
    return category && type.size() > 1 && IsPackaged(*category);
}

bool IsExportRelativePath(std::string_view path) {
    if (path.empty() || path.front() == '/' || path.back() == '/')
        return false;
    if (path.find('\\') != std::string_view::npos || path.find('\0') != std::string_view::npos)
        return false;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        const std::string_view part = path.substr(start, end - start);
        if (part.empty() || part == "." || part == "..")
            return false;
        start = end + 1;
    }
    return ValidUtf8(path) == path;
}

std::string ExportManifestJson(std::string_view passport, const std::vector<ExportedItem>& items) {
    std::string out;
    ObjectWriter top(out, 0);
    top.String("format", "quorvane-export");
    top.Number("version", 1);
    top.String("passport", passport);
    top.Key("items");
    out += '[';
    bool first = true;
    for (const ExportedItem& item : items) {
        out += first ? "\n    " : ",\n    ";
        first = false;
        AppendItem(out, item);
    }
    out += items.empty() ? "]" : "\n  ]";
    top.End();
    out += '\n';
    return out;
}

Result<std::pair<std::string, std::vector<ExportedItem>>>
ReadExportManifest(std::string_view json) {
    const auto notManifest = [] {
        return Fail(FailureCode::Damaged,
                    Sentence(QCoreApplication::translate(
                        "quorvane::Outcomes", "This is not an export manifest of Quorvane.")));
    };
    if (json.size() > static_cast<std::size_t>(std::numeric_limits<int>::max() / 2))
        return notManifest();
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(
        QByteArray::fromRawData(json.data(), static_cast<qsizetype>(json.size())), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return notManifest();
    const QJsonObject top = document.object();
    if (top.value("format").toString() != QLatin1String("quorvane-export"))
        return notManifest();
    const QJsonValue version = top.value("version");
    if (!version.isDouble())
        return Damaged("version");
    if (version.toDouble() != 1)
        return Fail(FailureCode::Unsupported,
                    Sentence(QCoreApplication::translate(
                                 "quorvane::Outcomes",
                                 "The export manifest is of version %1, which this version of "
                                 "Quorvane does not read."),
                             Utf8(QString::number(version.toDouble()))));
    for (const QString& key : top.keys()) {
        if (key != "format" && key != "version" && key != "passport" && key != "items")
            return Damaged(Utf8(key));
    }
    if (!top.value("passport").isString())
        return Damaged("passport");
    if (!top.value("items").isArray())
        return Damaged("items");
    std::vector<ExportedItem> items;
    const QJsonArray array = top.value("items").toArray();
    for (qsizetype i = 0; i < array.size(); ++i) {
        auto item = ReadItem(array.at(i), "items[" + std::to_string(i) + "]");
        if (!item)
            return Fail(item.error());
        items.push_back(std::move(*item));
    }
    return std::pair{Utf8(top.value("passport").toString()), std::move(items)};
}

} // namespace quorvane
