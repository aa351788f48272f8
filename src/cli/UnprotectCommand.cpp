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

// The blob in a file: the whole file, or after the two bytes Messenger puts
// before the blobs of its own files.
Result<WindowsBlob> ParseFileBlob(const std::string& bytes) {
    const ByteSpan all(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    Result<WindowsBlob> whole = ParseWindowsBlob(all);
    if (whole || all.size() < 2)
        return whole;
    Result<WindowsBlob> inner = ParseWindowsBlob(all.subspan(2));
    return inner ? inner : whole;
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
    const Result<WindowsBlob> parsed = ParseFileBlob(bytes);
    if (parsed) {
        blob = *parsed;
        return {};
    }
    switch (parsed.error().code) {
    case FailureCode::Unsupported:
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
    const WindowsKeyring keyring(folder, sid, std::move(*credentials),
                                 FindEntryIgnoringCase(parent, "CREDHIST"));
    const Result<const SecretBytes*> key = keyring.Key(*wanted, &Interrupts());
    if (!key) {
        err << key.error().sentence << ".\n";
        return key.error().code == FailureCode::Cancelled ? InterruptedStatus() : kExitFailure;
    }
    if (printKey) {
        out << HexText((*key)->span()) << "\n";
        return kExitOk;
    }
    const Result<Bytes> plain = DecryptWindowsBlob(blob, (*key)->span(), entropy);
    if (!plain) {
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
    out.write(reinterpret_cast<const char*>(plain->data()),
              static_cast<std::streamsize>(plain->size()));
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
