#include "app/Words.h"

#include <QCoreApplication>

namespace quorvane {

// The words both front ends show alike, looked up once here.

QString BackupSucceededText() {
    return QCoreApplication::translate("quorvane::Words",
                                       "Congratulation! Backup finished successfully.");
}

QString NothingSelectedText() {
    return QCoreApplication::translate("quorvane::Words",
                                       "Please list and select the items to backup.");
}

QString InvalidPassportText() {
    return QCoreApplication::translate("quorvane::Words", "Please enter an valid MSN account.");
}

QString WithoutPasswordText(const QString& folder) {
    return QCoreApplication::translate("quorvane::Words",
                                       "Without the password, this command still copies the "
                                       "pictures and cabinets found there:\n\n"
                                       "quorvane-cli rescue --windows-profile \"%1\" --to FOLDER")
        .arg(folder);
}

QString WithoutPasswordFromImageText(const QString& image) {
    return QCoreApplication::translate("quorvane::Words",
                                       "Without the password, this command still copies the "
                                       "pictures and cabinets found there:\n\n"
                                       "quorvane-cli rescue --disk-image \"%1\" --to FOLDER")
        .arg(image);
}

} // namespace quorvane
