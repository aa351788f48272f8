#include "ui/main/StartNotice.h"

#include "platform/FileIo.h"
#include "platform/Paths.h"

#include <QCoreApplication>

#include <cstdlib>

namespace quorvane::ui {

QString MissingMessengerDataNotice(const WineAccount& wine) {
    const QString prefix = QString::fromStdString(wine.prefix);
    const char* variable = std::getenv("WINEPREFIX");
    const QString where =
        variable != nullptr && *variable != '\0'
            ? QCoreApplication::translate("Quorvane", "the folder $WINEPREFIX names")
            : QCoreApplication::translate("Quorvane", "~/.wine, since $WINEPREFIX is not set");
    if (!IsDirectory(wine.prefix))
        return QCoreApplication::translate(
                   "Quorvane",
                   "No Wine prefix was found. Quorvane looks for Messenger's data in the Wine "
                   "prefix Messenger runs in: %1 (%2), and there is no such folder.\n\n"
                   "If Messenger runs in another prefix, start Quorvane with WINEPREFIX set "
                   "to it.")
            .arg(prefix, where);
    const QString messenger =
        QString::fromStdString(JoinPath(wine.ApplicationDataFolder(), "Microsoft/MSN Messenger"));
    return QCoreApplication::translate(
               "Quorvane",
               "The Wine prefix %1 (%2) holds no Messenger data for the Wine user \"%3\": "
               "Quorvane looked for %4.\n\n"
               "If Messenger ran there as another user, start Quorvane with USER set to that "
               "name; if it runs in another prefix, with WINEPREFIX set to it.")
        .arg(prefix, where, QString::fromStdString(wine.user), messenger);
}

} // namespace quorvane::ui
