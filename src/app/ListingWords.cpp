#include "app/ListingWords.h"

#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/TranslatedSentence.h"
#include "profile/ObjectList.h"

#include <QCoreApplication>

#include <vector>

namespace quorvane {

// The command line said these first: their translations are under its
// context, which both front ends share.

namespace {

// What is wrong with the protected file, a sentence without its full stop.
std::string FileProblem(const CatalogueState& list, const std::string& file,
                        const AccountSelection& selection) {
    switch (list.fileProblem) {
    case ProtectedFileContent::Problem::Missing:
        return Sentence(QCoreApplication::translate("quorvane::cli", "%1 does not exist"), file);
    case ProtectedFileContent::Problem::Unreadable:
        return Sentence(QCoreApplication::translate("quorvane::cli", "%1 cannot be read: %2"), file,
                        list.problemDetail);
    case ProtectedFileContent::Problem::Empty:
        return Sentence(QCoreApplication::translate("quorvane::cli", "%1 is empty"), file);
    case ProtectedFileContent::Problem::Damaged:
        return Sentence(QCoreApplication::translate(
                            "quorvane::cli", "%1 is damaged: it is not a protected file Messenger "
                                             "could have written (truncated or changed)"),
                        file);
    case ProtectedFileContent::Problem::MissingKey:
        return Sentence(
            QCoreApplication::translate("quorvane::cli",
                                        "%1 was protected with a master key that is not in %2"),
            file, selection.windows->profile.protectFolder);
    case ProtectedFileContent::Problem::Locked:
        return Sentence(
            QCoreApplication::translate("quorvane::cli",
                                        "the password does not unlock the Windows profile of %1"),
            selection.windows->profile.userName);
    case ProtectedFileContent::Problem::WrongKey:
    case ProtectedFileContent::Problem::None:
        break;
    }
    if (selection.windows)
        return Sentence(
            QCoreApplication::translate(
                "quorvane::cli",
                "%1 could not be unprotected with the passport \"%2\": it was protected "
                "for another passport, or changed"),
            file, selection.passportUtf8);
    return Sentence(
        QCoreApplication::translate(
            "quorvane::cli",
            "%1 could not be unprotected with the passport \"%2\" as the Wine user \"%3\""),
        file, selection.passportUtf8, selection.wine.user);
}

// "The MSN Winks of ... cannot be listed" for a protected file that could not
// be read, and what to check when it could not be unprotected.
std::string CannotBeListed(const CatalogueState& list, const std::string& file,
                           const AccountSelection& selection) {
    std::string text = Sentence(QCoreApplication::translate(
                                    "quorvane::cli", "the %1 of \"%2\" cannot be listed: %3."),
                                CategoryLabel(list.category), selection.passportUtf8,
                                FileProblem(list, file, selection)) +
                       "\n";
    if (!selection.windows && (list.fileProblem == ProtectedFileContent::Problem::WrongKey ||
                               list.fileProblem == ProtectedFileContent::Problem::None))
        text +=
            Sentence(QCoreApplication::translate(
                         "quorvane::cli",
                         "The passport must be typed exactly as at sign-in, with the same upper "
                         "and lower case, and Messenger must have run as the Wine user \"%1\" "
                         "(see --wine-user)."),
                     selection.wine.user) +
            "\n";
    return text;
}

} // namespace

std::string ListingProblem(const CatalogueState& list, const AccountSelection& selection) {
    const std::string label = CategoryLabel(list.category);
    const std::string pointer = JoinPath(list.objectFolder, "map.dat");
    switch (list.status) {
    case ListingStatus::NotListed:
    case ListingStatus::Listed:
        return {};
    case ListingStatus::NoPrivateFolder:
        return Sentence(QCoreApplication::translate("quorvane::cli",
                                                    "Quorvane's own folder %1 cannot be used: %2."),
                        list.problemFile, list.problemDetail) +
               "\n";
    case ListingStatus::NoPointerFile: {
        if (list.fileProblem != ProtectedFileContent::Problem::Missing)
            return CannotBeListed(list, pointer, selection);
        std::string text =
            Sentence(
                QCoreApplication::translate(
                    "quorvane::cli",
                    "there is no Messenger data (%1) for the passport \"%2\" at %3 (no map.dat "
                    "there)."),
                label, selection.passportUtf8, list.objectFolder) +
            "\n";
        const std::string appData = selection.ApplicationDataFolder();
        if (selection.windows)
            text += Sentence(QCoreApplication::translate(
                                 "quorvane::cli", "Check the passport and that Messenger signed in "
                                                  "with it as the Windows user of %1."),
                             selection.windows->profile.folder) +
                    "\n";
        else if (!IsDirectory(appData))
            text +=
                Sentence(QCoreApplication::translate(
                             "quorvane::cli",
                             "The folder %1 does not exist: check --wine-prefix and --wine-user."),
                         appData) +
                "\n";
        else
            text += Sentence(QCoreApplication::translate(
                                 "quorvane::cli", "Check the passport and that Messenger signed in "
                                                  "with it in the Wine prefix %1 as the Wine user "
                                                  "\"%2\"."),
                             selection.wine.prefix, selection.wine.user) +
                    "\n";
        return text;
    }
    case ListingStatus::PointerNotUnprotected:
    case ListingStatus::CatalogueNotUnprotected:
    case ListingStatus::NoCatalogueFile:
        return CannotBeListed(list, list.problemFile, selection);
    case ListingStatus::NoCatalogueName:
        return Sentence(QCoreApplication::translate("quorvane::cli",
                                                    "%1 names no catalogue file in %2."),
                        pointer, list.mapFileFolder) +
               "\n";
    case ListingStatus::WrongCategory:
        return Sentence(QCoreApplication::translate(
                            "quorvane::cli", "the %1 cannot be listed by this kind of list."),
                        label) +
               "\n";
    }
    return Sentence(QCoreApplication::translate("quorvane::cli", "the %1 could not be listed."),
                    label) +
           "\n";
}

std::string LeftOutSummary(const ListReport& result) {
    if (result.LeftOut() == 0)
        return {};
    // The reasons, each with how many objects it left out, as a list. (The
    // counts are taken out of the calls: lupdate does not read a cast there.)
    const auto missing = static_cast<int>(result.missingFiles);
    const auto withoutPicture = static_cast<int>(result.withoutPicture);
    const auto unsafe = static_cast<int>(result.unsafeLocations);
    std::vector<std::string> reasons;
    if (missing > 0)
        reasons.push_back(
            QCoreApplication::translate(
                "quorvane::cli", "%n whose file is missing or not a regular file", nullptr, missing)
                .toStdString());
    if (withoutPicture > 0)
        reasons.push_back(QCoreApplication::translate("quorvane::cli",
                                                      "%n without a picture that can be shown",
                                                      nullptr, withoutPicture)
                              .toStdString());
    if (unsafe > 0)
        reasons.push_back(
            QCoreApplication::translate("quorvane::cli",
                                        "%n whose Location is not a plain file name (unsafe)",
                                        nullptr, unsafe)
                .toStdString());
    std::string list;
    for (std::size_t i = 0; i < reasons.size(); ++i) {
        //: Between the reasons in the list of why catalogue objects were left out.
        list += (i == 0 ? std::string()
                        : QCoreApplication::translate("quorvane::cli", ", ").toStdString()) +
                reasons[i];
    }
    const auto leftOut = static_cast<int>(result.LeftOut());
    if (result.LeftOut() == result.catalogueObjects)
        return Sentence(QCoreApplication::translate("quorvane::cli",
                                                    "%n of %n catalogue object was left out: %1.",
                                                    nullptr, leftOut),
                        list) +
               "\n";
    return Sentence(QCoreApplication::translate("quorvane::cli",
                                                "%n of %1 catalogue objects was left out: %2.",
                                                nullptr, leftOut),
                    result.catalogueObjects, list) +
           "\n";
}

std::string NothingListed(const ListReport& report, const AccountSelection& selection) {
    const std::string label = CategoryLabel(report.catalogue.category);
    if (report.interrupted)
        return QCoreApplication::translate("quorvane::cli", "interrupted; nothing was listed.")
                   .toStdString() +
               "\n";
    if (report.toolFailure)
        return Sentence(
                   QCoreApplication::translate("quorvane::cli", "the %1 cannot be listed: %2."),
                   label, report.toolFailure->sentence) +
               "\n";
    if (!report.items.empty())
        return {};
    std::string problem = ListingProblem(report.catalogue, selection);
    if (problem.empty())
        problem = Sentence(QCoreApplication::translate(
                               "quorvane::cli",
                               "there is nothing to list among the %1 of \"%2\": the catalogue "
                               "names no object, or none whose file holds a picture that can be "
                               "shown."),
                           label, selection.passportUtf8) +
                  "\n" + LeftOutSummary(report);
    return problem;
}

} // namespace quorvane
