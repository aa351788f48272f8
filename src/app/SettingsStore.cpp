#include "app/SettingsStore.h"

#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/SystemFolders.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string_view>

namespace quorvane {

namespace {

// The recent-passports file is little-endian whatever the machine: it is the
// string-array archive of the Windows class framework, byte for byte.
void AppendUint16(std::string& out, std::uint16_t value) {
    out.push_back(static_cast<char>(value & 0xFFu));
    out.push_back(static_cast<char>((value >> 8) & 0xFFu));
}

void AppendUint32(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFFu));
}

// Reads from a byte string without ever running past its end; every read
// says whether the bytes were there.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : m_bytes(bytes) {}

    std::size_t Remaining() const { return m_bytes.size() - m_offset; }

    bool ReadUint8(std::uint8_t& value) {
        if (Remaining() < 1)
            return false;
        value = Byte(0);
        m_offset += 1;
        return true;
    }

    bool ReadUint16(std::uint16_t& value) {
        if (Remaining() < 2)
            return false;
        value = static_cast<std::uint16_t>(Byte(0) | (Byte(1) << 8));
        m_offset += 2;
        return true;
    }

    bool ReadUint32(std::uint32_t& value) {
        if (Remaining() < 4)
            return false;
        value = static_cast<std::uint32_t>(Byte(0)) | (static_cast<std::uint32_t>(Byte(1)) << 8) |
                (static_cast<std::uint32_t>(Byte(2)) << 16) |
                (static_cast<std::uint32_t>(Byte(3)) << 24);
        m_offset += 4;
        return true;
    }

    bool ReadBytes(std::size_t count, std::string& value) {
        if (Remaining() < count)
            return false;
        value.assign(m_bytes.substr(m_offset, count));
        m_offset += count;
        return true;
    }

private:
    std::uint8_t Byte(std::size_t index) const {
        return static_cast<std::uint8_t>(m_bytes[m_offset + index]);
    }

    std::string_view m_bytes;
    std::size_t m_offset = 0;
};

// The length prefix of one string: one byte below 255, else 0xFF and a
// 16-bit length, and beyond 0xFFFD also 0xFFFF and a 32-bit length (0xFFFE
// is kept free: the archive format uses it to mark UTF-16 strings).
void AppendLength(std::string& out, std::uint32_t length) {
    if (length < 0xFFu) {
        out.push_back(static_cast<char>(length));
    } else if (length <= 0xFFFDu) {
        out.push_back(static_cast<char>(0xFF));
        AppendUint16(out, static_cast<std::uint16_t>(length));
    } else {
        out.push_back(static_cast<char>(0xFF));
        AppendUint16(out, 0xFFFFu);
        AppendUint32(out, length);
    }
}

bool ReadLength(ByteReader& reader, std::uint32_t& length) {
    std::uint8_t shortLength = 0;
    if (!reader.ReadUint8(shortLength))
        return false;
    if (shortLength < 0xFFu) {
        length = shortLength;
        return true;
    }
    std::uint16_t mediumLength = 0;
    if (!reader.ReadUint16(mediumLength))
        return false;
    if (mediumLength < 0xFFFEu) {
        length = mediumLength;
        return true;
    }
    // A UTF-16 string marker: this program and Messenger only ever store
    // code-page strings, so such an entry counts as damage.
    if (mediumLength == 0xFFFEu)
        return false;
    return reader.ReadUint32(length);
}

// The settings files are only ever named relative to their folder, and never
// through a link. The folder is the user's own (~/.config/quorvane), which a
// dotfile manager may have made a link: that one is followed.
bool OpenSettingsFolder(const std::string& path, OpenFolder& folder) {
    return folder.Open(path.empty() ? "." : path, true).has_value();
}

constexpr const char* kPassportsFileName = "passports.dat";
constexpr const char* kBackupFolderFileName = "backupfolder.dat";
constexpr const char* kDemoNoticeFileName = "demo-notice-shown";
constexpr const char* kWindowFileName = "window.dat";
constexpr const char* kBackupTypeFileName = "backuptype.dat";

// The whole numbers of a small settings file, separated by single spaces;
// nothing when it holds anything else or a number out of reach of a screen.
std::optional<std::vector<int>> ReadNumbers(const std::string& folder, const char* name) {
    OpenFolder settings;
    if (!OpenSettingsFolder(folder, settings))
        return std::nullopt;
    const Result<std::string> bytes = settings.ReadFile(name, kMaxSettingsFileBytes);
    if (!bytes)
        return std::nullopt;
    std::vector<int> numbers;
    const char* at = bytes->data();
    const char* end = at + bytes->size();
    for (;;) {
        int number = 0;
        const auto [next, error] = std::from_chars(at, end, number);
        if (error != std::errc() || number < -1000000 || number > 1000000)
            return std::nullopt;
        numbers.push_back(number);
        if (next == end)
            return numbers;
        if (*next != ' ')
            return std::nullopt;
        at = next + 1;
    }
}

} // namespace

std::string SettingsFolder() {
    // The base directory rules treat a relative $XDG_CONFIG_HOME as unset,
    // so the settings never land relative to whatever folder we started in.
    std::string base;
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome != nullptr && configHome[0] == '/') {
        base = configHome;
    } else {
        const std::string home = HomeFolder();
        if (home.empty())
            return {};
        base = JoinPath(home, ".config");
    }
    std::string folder = JoinPath(base, "quorvane");
    // Failure shows up later, when a settings file cannot be written.
    MakeFolders(folder);
    return folder;
}

std::string EncodeStringArray(const std::vector<std::string>& strings) {
    std::string out;
    std::size_t total = 2;
    for (const std::string& s : strings)
        total += s.size() + 7;
    out.reserve(total);

    // Lengths beyond 32 bits cannot be archived; passports are short, and
    // SetRecentPassports refuses such lists before they get here.
    const auto count = static_cast<std::uint32_t>(strings.size());
    if (count < 0xFFFFu) {
        AppendUint16(out, static_cast<std::uint16_t>(count));
    } else {
        AppendUint16(out, 0xFFFFu);
        AppendUint32(out, count);
    }
    for (const std::string& s : strings) {
        const auto length = static_cast<std::uint32_t>(s.size());
        AppendLength(out, length);
        out.append(s, 0, length);
    }
    return out;
}

std::vector<std::string> DecodeStringArray(std::string_view bytes) {
    std::vector<std::string> strings;
    ByteReader reader(bytes);

    std::uint16_t shortCount = 0;
    if (!reader.ReadUint16(shortCount))
        return strings;
    std::uint32_t count = shortCount;
    if (shortCount == 0xFFFFu && !reader.ReadUint32(count))
        return strings;

    // Every entry takes at least its one-byte length, so the bytes left bound
    // how many entries there can be, whatever a damaged count claims.
    strings.reserve(std::min<std::size_t>(count, reader.Remaining()));
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t length = 0;
        std::string value;
        if (!ReadLength(reader, length) || !reader.ReadBytes(length, value))
            break;
        strings.push_back(std::move(value));
    }
    return strings;
}

std::vector<std::string> SettingsStore::RecentPassports() const {
    OpenFolder settings;
    if (!OpenSettingsFolder(m_folder, settings))
        return {};
    const Result<std::string> file = settings.ReadFile(kPassportsFileName, kMaxSettingsFileBytes);
    // The first start leaves an empty list behind. Made exclusively, so an
    // entry of that name (a dangling link among them) is never written
    // through.
    if (!file && file.error().osError == ENOENT) {
        settings.WriteNewFile(kPassportsFileName, {});
        return {};
    }
    if (!file || file->size() < 2)
        return {};
    std::vector<std::string> passports = DecodeStringArray(*file);
    if (passports.size() > kMaxRecentPassports)
        passports.resize(kMaxRecentPassports);
    return passports;
}

bool SettingsStore::SetRecentPassports(const std::vector<std::string>& passports) const {
    const std::vector<std::string> kept(
        passports.begin(), passports.begin() + static_cast<std::ptrdiff_t>(std::min(
                                                   passports.size(), kMaxRecentPassports)));
    constexpr std::size_t kLargest = std::numeric_limits<std::uint32_t>::max();
    for (const std::string& passport : kept) {
        if (passport.size() > kLargest)
            return false;
    }
    OpenFolder settings;
    return OpenSettingsFolder(m_folder, settings) &&
           settings.ReplaceFile(kPassportsFileName, EncodeStringArray(kept));
}

// "backupfolder.dat" is the folder path's bytes, nothing else: a zero byte
// (as a C string written whole would leave) ends it, while a line feed is
// part of it.
std::string SettingsStore::BackupFolder(const std::string& documentsFolder) const {
    std::string folder;
    OpenFolder settings;
    if (OpenSettingsFolder(m_folder, settings)) {
        const Result<std::string> bytes =
            settings.ReadFile(kBackupFolderFileName, kMaxSettingsFileBytes);
        if (bytes)
            folder = bytes->substr(0, bytes->find('\0'));
    }
    // An empty or one-character folder ("/" or a stray letter) cannot be a
    // usable backup folder, so the default takes over.
    if (folder.size() < 2)
        folder = documentsFolder + "/Quorvane";
    return folder;
}

bool SettingsStore::SetBackupFolder(const std::string& folder) const {
    OpenFolder settings;
    return OpenSettingsFolder(m_folder, settings) &&
           settings.ReplaceFile(kBackupFolderFileName, folder);
}

std::optional<std::pair<int, int>> SettingsStore::WindowPosition() const {
    const std::optional<std::vector<int>> numbers = ReadNumbers(m_folder, kWindowFileName);
    if (!numbers || numbers->size() != 2)
        return std::nullopt;
    return std::make_pair((*numbers)[0], (*numbers)[1]);
}

bool SettingsStore::SetWindowPosition(int x, int y) const {
    OpenFolder settings;
    return OpenSettingsFolder(m_folder, settings) &&
           settings.ReplaceFile(kWindowFileName, std::to_string(x) + " " + std::to_string(y));
}

std::optional<int> SettingsStore::BackupType() const {
    const std::optional<std::vector<int>> numbers = ReadNumbers(m_folder, kBackupTypeFileName);
    if (!numbers || numbers->size() != 1)
        return std::nullopt;
    return numbers->front();
}

bool SettingsStore::SetBackupType(int type) const {
    OpenFolder settings;
    return OpenSettingsFolder(m_folder, settings) &&
           settings.ReplaceFile(kBackupTypeFileName, std::to_string(type));
}

bool SettingsStore::FirstDemoNotice() const {
    OpenFolder settings;
    if (!OpenSettingsFolder(m_folder, settings))
        return true;
    if (settings.HoldsRegularFile(kDemoNoticeFileName))
        return false;
    settings.WriteNewFile(kDemoNoticeFileName, {});
    return true;
}

} // namespace quorvane
