#include "cli/UnprotectCommand.h"

#include "cli/AccountAccess.h"
#include "cli/WindowsAccess.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/TranslatedSentence.h"
#include "protection/WindowsBlob.h"
#include "protection/WindowsKeyring.h"

#include <QCoreApplication>

#include <ostream>

namespace quorvane::cli {

namespace {

using namespace dpapi;

// Data protection blobs are small; a protected file far larger is not one.
constexpr std::size_t kMaxBlobBytes = 64 * 1024 * 1024;

// Why a master key could not be had, as one sentence. ntHashOnly: the
// credentials were an NT hash, not a password.
std::string KeyProblem(WindowsKeyring::Status status, const Guid& guid,
                       const WindowsKeyring& keyring, bool ntHashOnly) {
    const std::string path = JoinPath(keyring.Folder(), GuidText(guid));
    switch (status) {
    case WindowsKeyring::Status::Unlocked:
        return {};
    case WindowsKeyring::Status::Missing:
        return Sentence(
            QCoreApplication::translate("quorvane::cli", "the master key %1 is not in %2"),
            GuidText(guid), keyring.Folder());
    case WindowsKeyring::Status::Unreadable:
        return Sentence(QCoreApplication::translate("quorvane::cli", "%1 cannot be read"), path);
    case WindowsKeyring::Status::TooManyRounds:
        return Sentence(
            QCoreApplication::translate(
                "quorvane::cli", "%1 is damaged (it asks for more than %2 rounds of hashing)"),
            path, std::to_string(kMaxRounds));
    case WindowsKeyring::Status::Unsupported:
        return Sentence(QCoreApplication::translate(
                            "quorvane::cli", "%1 uses an algorithm Windows never used for it"),
                        path);
    case WindowsKeyring::Status::WrongPassword:
        if (ntHashOnly)
            return Sentence(QCoreApplication::translate(
                                "quorvane::Outcomes",
                                "the NT hash does not unlock the Windows profile of %1 (the keys "
                                "of a local account are opened by its password, not by its NT "
                                "hash: give the password instead)"),
                            keyring.Sid());
        return Sentence(
            QCoreApplication::translate("quorvane::cli",
                                        "the password does not unlock the Windows profile of %1"),
            keyring.Sid());
    case WindowsKeyring::Status::TooMuchWork:
        return Sentence(QCoreApplication::translate(
                            "quorvane::cli",
                            "opening %1 asks for more hashing than Windows ever needs (over %2 "
                            "rounds in all): it or CREDHIST is damaged"),
                        path, std::to_string(kMaxKeyringRounds));
    case WindowsKeyring::Status::Cancelled:
        return QCoreApplication::translate("quorvane::cli",
                                           "interrupted while checking the password")
            .toStdString();
    case WindowsKeyring::Status::Damaged:
        break;
    }
    return Sentence(QCoreApplication::translate("quorvane::cli", "%1 is damaged"), path);
}

// The blob in a file: the whole file, or after the two bytes Messenger puts
// before the blobs of its own files.
BlobProblem ParseFileBlob(const std::string& bytes, WindowsBlob& blob) {
    const ByteSpan all(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    const BlobProblem whole = ParseWindowsBlob(all, blob);
    if (whole == BlobProblem::None || all.size() < 2)
        return whole;
    return ParseWindowsBlob(all.subspan(2), blob) == BlobProblem::None ? BlobProblem::None : whole;
}

// Reads the blob of file into bytes (which blob then points into); the
// reason, as a sentence, when it cannot be had.
Result<> ReadFileBlob(const std::string& file, std::string& bytes, WindowsBlob& blob) {
    Result<std::string> read = ReadRegularFile(file, kMaxBlobBytes);
    if (!read) {
        Failure failure = std::move(read.error());
        failure.sentence =
            Sentence(QCoreApplication::translate("quorvane::cli", "%1 cannot be read: %2."), file,
                     failure.sentence);
        return Fail(std::move(failure));
    }
    bytes = std::move(*read);
    switch (ParseFileBlob(bytes, blob)) {
    case BlobProblem::None:
        return {};
    case BlobProblem::Unsupported:
        return Fail(FailureCode::Unsupported,
                    Sentence(QCoreApplication::translate(
                                 "quorvane::cli",
                                 "%1 uses an algorithm Windows data protection never used."),
                             file));
    default:
        return Fail(FailureCode::Damaged,
                    Sentence(QCoreApplication::translate(
                                 "quorvane::cli",
                                 "%1 is damaged (it is not a whole Windows data protection blob)."),
                             file));
    }
}

Result<int> RunUnprotect(const ParsedOptions& options, std::ostream& out, std::ostream& err) {
    const std::string folder = options.Required("masterkey-dir");
    const std::string sid = options.Required("sid");
    if (sid.empty())
        return UsageFailure(Sentence(
            QCoreApplication::translate("quorvane::cli", "--%1 must not be empty"), "sid"));
    Bytes entropy;
    if (const auto hex = options.Value("entropy-hex")) {
        const auto bytes = BytesFromHex(*hex);
        if (!bytes)
            return UsageFailure(
                QCoreApplication::translate("quorvane::cli",
                                            "--entropy-hex takes hexadecimal digits in pairs")
                    .toStdString());
        entropy = *bytes;
    }
    const auto printKey = options.Value("print-masterkey");
    std::optional<Guid> wanted;
    if (printKey && !(wanted = GuidFromText(*printKey)))
        return UsageFailure(QCoreApplication::translate("quorvane::cli",
                                                        "--print-masterkey takes a GUID "
                                                        "(xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx)")
                                .toStdString());
    if (printKey.has_value() == (options.positionals.size() == 1))
        return UsageFailure(QCoreApplication::translate(
                                "quorvane::cli", "give either FILE or --print-masterkey GUID")
                                .toStdString());

    std::string fileBytes;
    WindowsBlob blob;
    const std::string file = printKey ? std::string() : options.positionals.front();
    if (!printKey) {
        if (const Result<> read = ReadFileBlob(file, fileBytes, blob); !read) {
            err << read.error().sentence << "\n";
            return kExitFailure;
        }
        wanted = blob.masterKey;
    }

    const std::string parent = ParentFolder(AbsolutePath(folder));
    Result<UserCredentials> credentials = CredentialsFromOptions(options, sid);
    if (!credentials)
        return Fail(credentials.error());
    const bool ntHashOnly = credentials->Sha1Hash() == nullptr;
    const WindowsKeyring keyring(folder, sid, std::move(*credentials),
                                 FindEntryIgnoringCase(parent, "CREDHIST"));
    const WindowsKeyring::Lookup key = keyring.Key(*wanted, &Interrupts());
    if (key.status != WindowsKeyring::Status::Unlocked) {
        err << KeyProblem(key.status, *wanted, keyring, ntHashOnly) << ".\n";
        return key.status == WindowsKeyring::Status::Cancelled ? InterruptedStatus() : kExitFailure;
    }
    if (printKey) {
        out << HexText(key.key->span()) << "\n";
        return kExitOk;
    }
    Bytes plain;
    if (DecryptWindowsBlob(blob, key.key->span(), entropy, plain) != BlobProblem::None) {
        err << Sentence(QCoreApplication::translate(
                            "quorvane::cli", "%1 is damaged (its signature does not match)."),
                        file)
            << "\n"
            << QCoreApplication::translate("quorvane::cli",
                                           "If it was protected with entropy, give that with "
                                           "--entropy-hex.")
                   .toStdString()
            << "\n";
        return kExitFailure;
    }
    out.write(reinterpret_cast<const char*>(plain.data()),
              static_cast<std::streamsize>(plain.size()));
    out.flush();
    return out ? kExitOk : kExitFailure;
}

} // namespace

Command UnprotectCommand() {
    Command command;
    command.name = "unprotect";
    command.summary =
        QCoreApplication::translate(
            "quorvane::cli", "Decrypt one file protected by a Windows user, to check a password.")
            .toStdString();
    command.options = {
        {"masterkey-dir", "DIR",
         QCoreApplication::translate("quorvane::cli",
                                     "the user's master keys: .../Microsoft/Protect/SID")
             .toStdString(),
         true},
        {"sid", "SID",
         QCoreApplication::translate("quorvane::cli",
                                     "the user's SID, the name of that folder (S-1-5-21-...)")
             .toStdString(),
         true},
        {"entropy-hex", "HEX",
         QCoreApplication::translate("quorvane::cli",
                                     "the entropy the file was protected with, in hexadecimal")
             .toStdString(),
         false},
        {"print-masterkey", "GUID",
         QCoreApplication::translate("quorvane::cli",
                                     "print that master key, unlocked, in hexadecimal instead")
             .toStdString(),
         false},
    };
    for (Option& option : PasswordOptions())
        command.options.push_back(std::move(option));
    command.maxPositionals = 1;
    command.positionalsName = "FILE";
    command.description =
        QCoreApplication::translate(
            "quorvane::cli",
            "Writes the plain bytes of FILE (a Windows data protection blob, or a Messenger\n"
            "file holding one) to the standard output. The password is read from the\n"
            "standard input with --password-stdin, else asked for on the terminal; it is\n"
            "never taken from an argument and never written anywhere. Master keys made\n"
            "under an earlier password are opened through the CREDHIST file beside DIR.\n"
            "--nt-hash opens the keys of a domain account; those of a local account are\n"
            "opened by its password, not by its NT hash.\n")
            .toStdString() +
        "\n" +
        QCoreApplication::translate(
            "quorvane::cli",
            "Exit status: 0 when it was decrypted, 1 for a wrong password, a missing or\n"
            "damaged master key or a damaged file (the reason goes to the standard error),\n"
            "2 for a wrong command line, 130 or 143 when SIGINT or SIGTERM stopped it.\n")
            .toStdString();
    command.run = RunUnprotect;
    return command;
}

} // namespace quorvane::cli
