#pragma once

#include "platform/Result.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

class CabinetTools;
class CancelFlag;
class Clock;

// What a file's bytes show it to be. Messenger keeps its objects as
// cabinets (Winks, Dynamic Display Pictures, Dynamic Backgrounds) and
// pictures (the others); its protected files are none of these.
enum class RescuedKind { Cabinet, Gif, Png, Jpeg, Bmp };

// The kind the bytes begin as, or nothing: a cabinet ("MSCF" and four zero
// bytes), GIF87a/GIF89a, PNG, JPEG (FF D8 FF) or a BMP whose header holds
// together.
std::optional<RescuedKind> SniffKind(std::string_view bytes);
// "cabinet", "gif", "png", "jpeg", "bmp": the word of the report.
std::string_view KindWord(RescuedKind kind);
// ".cab", ".gif", ".png", ".jpg", ".bmp".
std::string_view KindExtension(RescuedKind kind);

// The display name a cabinet's content.xml gives (a displayname, title or
// name attribute, or a title or name element, in that order of preference),
// trimmed; "" when it names none or is not XML.
std::string ManifestDisplayName(std::string_view manifest);

// text made a safe name for one file: control characters and the characters
// Windows refuses in names become "_", leading dots and spaces and trailing
// ones go, and it is cut to a length every file system takes (never inside
// a UTF-8 sequence). "" when nothing is left.
std::string SafeFileName(std::string_view text);

// The name a rescued file is saved under, before any " (2)": name with the
// extension of its kind. A name ending in another picture's or cabinet's
// extension, or ".dat", has it replaced; any other name keeps its own and
// gets the kind's appended.
std::string NameWithKindExtension(std::string_view name, RescuedKind kind);

// One file copied.
struct RescuedFile {
    std::string writtenPath;
    RescuedKind kind = RescuedKind::Cabinet;
    std::string sourcePath;
};

struct RescueReport {
    std::string messengerFolder; // where the account folders were looked for
    std::string markerPath;      // "" when nothing was copied
    std::vector<RescuedFile> rescued;
    // Sentences naming a file or folder that could not be read or written,
    // or a limit reached; the rescue goes on past each.
    std::vector<std::string> problems;
    // Files found worth copying that could not be written (a full disk, a
    // file size limit...); each is named in problems.
    std::size_t unwritten = 0;
    // Something in the account folders was not looked at: a file or folder
    // that could not be read, or one beyond a limit; named in problems.
    bool unvisited = false;
    // Why cabinets were not looked into for their names (the cabinet tool
    // missing, killed, or unable to write its scratch); none when they were.
    std::optional<Failure> toolProblem;
    bool interrupted = false; // stopped by the cancel flag before the end
};

// Entries of one folder looked at: a damaged or hostile disk cannot keep
// the rescue busy without end, and one crowded folder leaves the others
// their turn.
inline constexpr std::size_t kRescueEntriesPerFolder = 200000;

struct RescueRequest {
    // The Windows user's folder: only read. Nothing outside it is read (a
    // link on the disk leading out of it is not followed) and the output
    // may not lie inside it.
    std::string userFolder;
    // Its application data folder, holding "Microsoft/MSN Messenger".
    std::string applicationDataFolder;
    std::string outFolder;
    std::string tempFolder; // a private folder for scratch
    std::size_t entriesPerFolder = kRescueEntriesPerFolder;
};

// Copies every regular file below the account folders of
// <applicationDataFolder>/Microsoft/MSN Messenger (names found ignoring
// case) whose content is one of the kinds above into
// outFolder/<account>/<subfolder as in the source>/<name>, each written
// whole under a new name (" (2)", " (3)"... when one is taken) and never
// over anything; a cabinet is named after its content.xml where it has a
// display name, expanded by the extract tool in a scratch folder under
// tempFolder. In each account Messenger's own object folders come first,
// then the rest. Links, FIFOs and devices are passed over; depth, entries
// per folder and file size are bounded. What a killed earlier rescue left
// in the folders written to is removed. Before the first file,
// outFolder/RESCUE.txt gets a paragraph on this run: the files were copied
// by their content without Messenger's catalogue, from where and when.
// A cancel request stops it after the file it is on. Fails when the output
// folder lies inside the user's folder, when Messenger's folder leads out
// of it, when there is no Messenger folder or no account folder to read, or
// when outFolder cannot be made.
Result<RescueReport> RescueMessengerFiles(const RescueRequest& request, CabinetTools& tools,
                                          const Clock& clock, const CancelFlag* cancel = nullptr);

// The marker's name in the output folder.
inline constexpr std::string_view kRescueMarkerName = "RESCUE.txt";

} // namespace quorvane
