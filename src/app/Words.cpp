#include "app/Words.h"

#include <QCoreApplication>

namespace quorvane {

// The window's words, which the command line repeats; they are looked up in
// the window's context, where their translations are kept.

QString BackupSucceededText() {
    return QCoreApplication::translate("quorvane::ui::CDlgMain",
                                       "Congratulation! Backup finished successfully.");
}

QString NothingSelectedText() {
    return QCoreApplication::translate("quorvane::ui::CDlgMain",
                                       "Please list and select the items to backup.");
}

QString InvalidPassportText() {
    return QCoreApplication::translate("quorvane::ui::CDlgMain",
                                       "Please enter an valid MSN account.");
}

} // namespace quorvane
