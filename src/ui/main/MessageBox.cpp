#include "ui/main/MessageBox.h"

#include <QMessageBox>
#include <QPushButton>

namespace quorvane::ui {

namespace {

bool g_recording = false;

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

bool MessageBox::Ask(QWidget* parent, const QString& text, const QString& details,
                     const QString& action) {
    if (g_recording) {
        Shown().append(text);
        return false;
    }
    QMessageBox box(QMessageBox::Information, QStringLiteral("Quorvane"), text, QMessageBox::Ok,
                    parent);
    if (!details.isEmpty())
        box.setDetailedText(details);
    QPushButton* button = box.addButton(action, QMessageBox::ActionRole);
    box.setDefaultButton(button);
    box.exec();
    return box.clickedButton() == button;
}

void MessageBox::SetRecording(bool recording) {
    g_recording = recording;
}

QStringList& MessageBox::Shown() {
    static QStringList shown;
    return shown;
}

} // namespace quorvane::ui
