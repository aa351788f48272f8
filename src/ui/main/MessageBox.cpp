#include "ui/main/MessageBox.h"

#include <QFileDialog>
#include <QMessageBox>

#include <optional>

namespace quorvane::ui {

namespace {

bool g_recording = false;
std::optional<QString> g_nextFolder;

} // namespace

void MessageBox::Show(QWidget* parent, const QString& text) {
    Show(parent, text, QString());
}

void MessageBox::Show(QWidget* parent, const QString& text, const QString& details) {
    if (g_recording) {
        Shown().append(text);
        return;
    }
    QMessageBox box(QMessageBox::Information, QStringLiteral("Quorvane"), text, QMessageBox::Ok,
                    parent);
    if (!details.isEmpty())
        box.setDetailedText(details);
    box.exec();
}

void MessageBox::SetRecording(bool recording) {
    g_recording = recording;
}

QStringList& MessageBox::Shown() {
    static QStringList shown;
    return shown;
}

QString FolderDialog::Choose(QWidget* parent, const QString& title, const QString& startFolder) {
    if (g_nextFolder) {
        QString answer = *g_nextFolder;
        g_nextFolder.reset();
        return answer;
    }
    return QFileDialog::getExistingDirectory(parent, title, startFolder);
}

void FolderDialog::SetNextAnswer(const QString& folder) {
    g_nextFolder = folder;
}

} // namespace quorvane::ui
