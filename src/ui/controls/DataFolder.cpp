#include "ui/controls/DataFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace quorvane {

QString DataFolder() {
    // Relative to the program, so a build tree and any install prefix work
    // without being told where they are.
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/" QUORVANE_DATA_FROM_BIN));
}

QString DataFilePath(const QString& relativePath) {
    return DataFolder() + QLatin1Char('/') + relativePath;
}

} // namespace quorvane
