#include "cli/WindowsAccess.h"

#include "app/Words.h"
#include "cli/AccountAccess.h"
#include "cli/DiskImageAccess.h"
#include "platform/TranslatedSentence.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <termios.h>
#include <unistd.h>

namespace quorvane::cli {

namespace {

// A password is never longer than this; more on standard input is not one.
constexpr std::size_t kMaxPasswordBytes = 4096;

// Wipes the string's bytes when it goes: a password must not linger.
struct WipedString {
    std::string text;
    ~WipedString() {
        if (!text.empty())
            explicit_bzero(text.data(), text.size());
    }
};

Result<> ReadLine(std::FILE* in, WipedString& password) {
    password.text.reserve(kMaxPasswordBytes + 1);
    int c = 0;
    errno = 0;
    while ((c = std::fgetc(in)) != EOF && c != '\n') {
        if (password.text.size() == kMaxPasswordBytes)
            return Fail(FailureCode::TooMuchWork,
                        Sentence(QCoreApplication::translate(
                                     "quorvane::cli",
                                     "the password on standard input is longer than %1 bytes"),
                                 std::to_string(kMaxPasswordBytes)));
        password.text.push_back(static_cast<char>(c));
    }
    // A folder or a closed descriptor is not an empty password.
    if (std::ferror(in)) {
        const int error = errno != 0 ? errno : EIO;
        return Fail(
            Sentence(QCoreApplication::translate(
                         "quorvane::cli", "the password could not be read from standard input: %1"),
                     std::strerror(error)),
            error);
    }
    if (!password.text.empty() && password.text.back() == '\r')
        password.text.pop_back();
    return {};
}

// Turns the terminal's echo off while it lives.
class EchoOff {
public:
    explicit EchoOff(int fd) : m_fd(fd) {
        if (::tcgetattr(fd, &m_saved) == 0) {
            termios quiet = m_saved;
            quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
            m_restore = ::tcsetattr(fd, TCSAFLUSH, &quiet) == 0;
        }
    }
    ~EchoOff() {
        if (m_restore)
            ::tcsetattr(m_fd, TCSAFLUSH, &m_saved);
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

private:
    int m_fd;
    termios m_saved{};
    bool m_restore = false;
};

} // namespace

std::vector<Option> PasswordOptions() {
    return {
        {"password-stdin", "",
         QCoreApplication::translate("quorvane::cli",
                                     "read the Windows user's password from standard input "
                                     "(else it is asked for on the terminal)")
             .toStdString(),
         false},
        {"nt-hash", "HEX",
         QCoreApplication::translate("quorvane::cli",
                                     "the NT hash of the Windows password (32 hexadecimal "
                                     "digits), in place of the password; it opens the keys of "
                                     "a domain account only (a local account's keys need its "
                                     "password)")
             .toStdString(),
         false},
    };
}

std::vector<Option> WindowsOptions() {
    std::vector<Option> options = {
        {"windows-profile", "DIR",
         QCoreApplication::translate(
             "quorvane::cli",
             "read the account from a Windows user's folder (\"Documents and Settings/NAME\" "
             "or \"Users/NAME\" on an old disk) instead of the Wine prefix")
             .toStdString(),
         false},
    };
    for (Option& option : DiskImageOptions())
        options.push_back(std::move(option));
    for (Option& option : PasswordOptions())
        options.push_back(std::move(option));
    return options;
}

Result<dpapi::UserCredentials> CredentialsFromOptions(const ParsedOptions& options,
                                                      const std::string& userName) {
    if (const auto hash = options.Value("nt-hash")) {
        if (options.Has("password-stdin"))
            return UsageFailure(QCoreApplication::translate(
                                    "quorvane::cli", "give either --password-stdin or --nt-hash")
                                    .toStdString());
        auto credentials = dpapi::UserCredentials::FromNtHash(*hash);
        if (!credentials)
            return UsageFailure(QCoreApplication::translate("quorvane::cli",
                                                            "--nt-hash takes 32 hexadecimal digits")
                                    .toStdString());
        return std::move(*credentials);
    }
    WipedString password;
    Result<> read;
    if (options.Has("password-stdin")) {
        read = ReadLine(stdin, password);
    } else if (::isatty(STDIN_FILENO) == 1) {
        std::cerr << Sentence(
                         QCoreApplication::translate("quorvane::cli", "Windows password of %1: "),
                         userName)
                  << std::flush;
        {
            const EchoOff quiet(STDIN_FILENO);
            read = ReadLine(stdin, password);
        }
        // Echo was off: the new line the user typed is said for it, once read.
        if (read)
            std::cerr << '\n';
    } else {
        return UsageFailure(
            QCoreApplication::translate("quorvane::cli",
                                        "the Windows password is needed: give --password-stdin (or "
                                        "--nt-hash), or run on a terminal to be asked")
                .toStdString());
    }
    if (!read)
        return Fail(read.error());
    return dpapi::UserCredentials::FromPassword(password.text);
}

Result<std::shared_ptr<const WindowsSource>>
WindowsSourceFromOptions(const ParsedOptions& options) {
    // A disk image's user is read from the copy of its folders.
    Result<std::shared_ptr<const DiskImageCopy>> copy = DiskImageCopyFromOptions(options);
    if (!copy)
        return Fail(copy.error());
    const auto folder =
        *copy ? std::optional<std::string>((*copy)->userFolder) : options.Value("windows-profile");
    if (!folder) {
        if (options.Has("password-stdin") || options.Has("nt-hash"))
            return UsageFailure(
                QCoreApplication::translate(
                    "quorvane::cli", "--password-stdin and --nt-hash go with --windows-profile")
                    .toStdString());
        return std::shared_ptr<const WindowsSource>();
    }
    if (!*copy && (options.Has("wine-prefix") || options.Has("wine-user")))
        return UsageFailure(
            QCoreApplication::translate(
                "quorvane::cli",
                "--windows-profile cannot be used with --wine-prefix or --wine-user")
                .toStdString());
    Result<WindowsProfile> profile = WindowsProfile::Open(*folder);
    if (!profile)
        return Fail(profile.error());
    const std::string user = profile->userName;
    Result<dpapi::UserCredentials> credentials = CredentialsFromOptions(options, user);
    if (!credentials)
        return Fail(credentials.error());
    auto source = WindowsSource::Open(std::move(*profile), std::move(*credentials), &Interrupts());
    if (!source && source.error().code == FailureCode::Cancelled)
        return Fail(FailureCode::Cancelled, source.error().sentence + ".");
    if (!source && *copy) {
        // Named by the image, not by the copy of its folders.
        const std::string image = *options.Value("disk-image");
        std::string reason = source.error().sentence;
        const std::string copied = (*copy)->scratch->Path() + "/";
        for (std::size_t at; (at = reason.find(copied)) != std::string::npos;)
            reason.replace(at, copied.size(), image + ":");
        return Fail(reason + ".\n" +
                    WithoutPasswordFromImageText(QString::fromStdString(image)).toStdString());
    }
    if (!source)
        return Fail(source.error().sentence + ".\n" +
                    WithoutPasswordText(QString::fromStdString(*folder)).toStdString());
    return *source;
}

} // namespace quorvane::cli
