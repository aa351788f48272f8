// The window's settings: the passports used before, the backup type and
// where the window was left, read at the start and saved at the close.

#include "ui/main/MainWindow.h"

#include "platform/CodePage.h"

#include <QApplication>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>

#include <algorithm>

namespace quorvane::ui {

namespace {

QString FromCodePage(const std::string& narrow) {
    return QString::fromStdString(CodePage::Ansi().ToUtf8(narrow));
}

std::string ToCodePage(const QString& text) {
    return CodePage::Ansi().FromUtf8(text.toStdString());
}

} // namespace

void MainWindow::LoadSettings() {
    m_backupFolder = m_settings.BackupFolder(m_folders.documentsFolder);
    m_folderEdit->setText(QString::fromStdString(m_backupFolder));
    // The store keeps the passports most recently used first, the box keeps
    // them sorted. The box is filled in one go: inserting entry by entry,
    // each after a search of the box, took seconds for long lists.
    for (const std::string& stored : m_settings.RecentPassports()) {
        const QString passport = FromCodePage(stored);
        const bool covered = std::any_of(
            m_recentPassports.begin(), m_recentPassports.end(),
            [&](const QString& kept) { return kept.startsWith(passport, Qt::CaseSensitive); });
        if (!covered)
            m_recentPassports.append(passport);
    }
    QStringList sorted = m_recentPassports;
    std::stable_sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    m_passportBox->addItems(sorted);
    if (m_passportBox->count() > 0)
        m_passportBox->setCurrentIndex(0);
    if (const std::optional<int> type = m_settings.BackupType();
        type && *type >= 0 && *type < kCategoryCount)
        m_typeBox->setCurrentIndex(*type);
}

void MainWindow::PlaceWindow() {
    const std::optional<std::pair<int, int>> saved = m_settings.WindowPosition();
    if (saved) {
        // Where it was left, as long as its top is still on a screen (one
        // may have gone since) and can be taken to move it.
        const QRect top(QPoint(saved->first, saved->second), QSize(width(), 40));
        for (const QScreen* screen : QGuiApplication::screens()) {
            if (screen->availableGeometry().contains(top)) {
                move(top.topLeft());
                return;
            }
        }
    }
    if (const QScreen* screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void MainWindow::SaveWindowSettings() {
    m_settings.SetBackupType(m_typeBox->currentIndex());
    // Wayland tells a window nothing of its place, nor lets it choose one.
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        m_settings.SetWindowPosition(pos().x(), pos().y());
}

void MainWindow::RememberPassport(const QString& passport) {
    for (qsizetype i = 0; i < m_recentPassports.size(); ++i) {
        if (m_recentPassports[i] == passport) {
            m_recentPassports.move(i, 0);
            return;
        }
    }
    for (int i = 0; i < m_passportBox->count(); ++i)
        if (m_passportBox->itemText(i).startsWith(passport, Qt::CaseSensitive))
            return;
    // The box keeps its entries sorted, without regard to case.
    int at = 0;
    while (at < m_passportBox->count() &&
           m_passportBox->itemText(at).compare(passport, Qt::CaseInsensitive) < 0)
        ++at;
    const QString typed = m_passportBox->currentText();
    m_passportBox->insertItem(at, passport);
    m_recentPassports.prepend(passport);
    // A full list forgets the passport used longest ago.
    if (static_cast<std::size_t>(m_recentPassports.size()) > kMaxRecentPassports) {
        const int oldest = m_passportBox->findText(m_recentPassports.takeLast(),
                                                   Qt::MatchFixedString | Qt::MatchCaseSensitive);
        if (oldest >= 0)
            m_passportBox->removeItem(oldest);
    }
    m_passportBox->setEditText(typed.isEmpty() ? passport : typed);
}

void MainWindow::ForgetPassport(int index) {
    const QString passport = m_passportBox->itemText(index);
    const QString typed = m_passportBox->currentText();
    m_recentPassports.removeAll(passport);
    m_passportBox->removeItem(index);
    // The box would show the next entry in its place: what was typed stays,
    // unless it was the passport forgotten.
    m_passportBox->setEditText(typed == passport ? QString() : typed);
}

void MainWindow::SavePassports() {
    std::vector<std::string> passports;
    for (const QString& passport : m_recentPassports)
        passports.push_back(ToCodePage(passport));
    m_settings.SetRecentPassports(passports);
}

} // namespace quorvane::ui
