#include "ui/main/FolderDialog.h"

#include <QFileDialog>

#include <optional>

namespace quorvane::ui {

namespace {

std::optional<QString> g_nextFolder;
QString g_lastStart;

} // namespace

QString FolderDialog::Choose(QWidget* parent, const QString& title, const QString& startFolder) {
    g_lastStart = startFolder;
    if (g_nextFolder) {
        QString answer = *g_nextFolder;
        g_nextFolder.reset();
        return answer;
    }
    return QFileDialog::getExistingDirectory(parent, title, startFolder);
}

QString FolderDialog::ChooseFile(QWidget* parent, const QString& title, const QString& startFolder,
                                 const QString& filters) {
    g_lastStart = startFolder;
    if (g_nextFolder) {
        QString answer = *g_nextFolder;
        g_nextFolder.reset();
        return answer;
    }
    return QFileDialog::getOpenFileName(parent, title, startFolder, filters);
}

void FolderDialog::SetNextAnswer(const QString& folder) {
    g_nextFolder = folder;
}

QString FolderDialog::LastStartFolder() {
    return g_lastStart;
}

} // namespace quorvane::ui
