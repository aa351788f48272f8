#include "platform/DataFolder.h"

#include "platform/Paths.h"
#include "platform/SystemFolders.h"

#include <QDir>
#include <QString>

namespace quorvane {

std::string DataFolder() {
    // Relative to the program, so a build tree and any install prefix work
    // without being told where they are.
    const std::string path = JoinPath(ExecutableFolder(), QUORVANE_DATA_FROM_BIN);
    return QDir::cleanPath(QString::fromStdString(path)).toStdString();
}

std::string DataFilePath(std::string_view relativePath) {
    return JoinPath(DataFolder(), relativePath);
}

} // namespace quorvane
