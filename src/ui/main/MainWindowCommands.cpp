// The window's commands: the moves between the lists, Preview, List and
// Backup Now, and the long work with its progress dialog.

#include "ui/main/MainWindow.h"

#include "app/ListingWords.h"
#include "app/Words.h"
#include "ui/controls/SkinButton.h"
#include "ui/main/FolderDialog.h"
#include "ui/main/MessageBox.h"
#include "ui/main/PreviewRequest.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <limits>

namespace quorvane::ui {

namespace {

constexpr int kItemDataRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;

QString FromPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

} // namespace

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress && watched == m_passportBox->view() &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        const QModelIndex current = m_passportBox->view()->currentIndex();
        if (current.isValid())
            ForgetPassport(current.row());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void MainWindow::OnSelectionChanged(QListWidget* list) {
    if (!list->selectedItems().isEmpty())
        m_activeList = list == m_installedList ? ActiveList::Installed : ActiveList::Selected;
    FollowSelection();
}

void MainWindow::FollowSelection() {
    const bool installed = !m_installedList->selectedItems().isEmpty();
    const bool selected = !m_selectedList->selectedItems().isEmpty();
    // Preview shows an item of the list chosen from last, or of the other
    // when that one has nothing selected any more.
    if (m_activeList == ActiveList::Installed && !installed && selected)
        m_activeList = ActiveList::Selected;
    else if (m_activeList == ActiveList::Selected && !selected && installed)
        m_activeList = ActiveList::Installed;
    SetCommandEnabled(m_addButton, installed);
    SetCommandEnabled(m_removeButton, selected);
    SetCommandEnabled(m_previewButton, m_activeList == ActiveList::Installed
                                           ? installed
                                           : m_activeList == ActiveList::Selected && selected);
}

void MainWindow::SetCommandEnabled(QPushButton* button, bool enabled) {
    // While a command runs the buttons are held off; the state is theirs
    // again when it ends.
    for (auto& [held, wasEnabled] : m_heldCommands) {
        if (held == button) {
            wasEnabled = enabled;
            return;
        }
    }
    button->setEnabled(enabled);
}

void MainWindow::ClearThumbnails() {
    m_thumbnailIcons.clear();
}

int MainWindow::AddThumbnail(const QImage& thumbnail) {
    if (thumbnail.isNull())
        return -1;
    m_thumbnailIcons.emplace_back(QPixmap::fromImage(thumbnail));
    return static_cast<int>(m_thumbnailIcons.size()) - 1;
}

void MainWindow::MoveSelectedItems(QListWidget* source, QListWidget* target,
                                   const QString& message) {
    // Every selected item moves, in list order (Ctrl+A then "<" empties the
    // list), each to its row in the other list where there is one.
    std::vector<std::pair<int, QListWidgetItem*>> moving;
    for (int row = 0; row < source->count(); ++row)
        if (source->item(row)->isSelected())
            moving.emplace_back(row, source->item(row));
    if (moving.empty()) {
        MessageBox::Show(this, message);
        return;
    }
    for (const auto& [row, item] : moving) {
        QListWidgetItem* taken = source->takeItem(source->row(item));
        taken->setSelected(false);
        target->insertItem(std::min(row, target->count()), taken);
    }
    // The moved items' selection does not pass on to their neighbours.
    source->clearSelection();
    source->setCurrentItem(nullptr, QItemSelectionModel::NoUpdate);
    FollowSelection();
}

void MainWindow::MoveAllItems(QListWidget* source, QListWidget* target) {
    const int count = source->count();
    for (int row = 0; row < count; ++row) {
        QListWidgetItem* taken = source->takeItem(0);
        taken->setSelected(false);
        target->insertItem(std::min(row, target->count()), taken);
    }
}

void MainWindow::OnAdd() {
    MoveSelectedItems(m_installedList, m_selectedList,
                      tr("Please select an installed winks to add to backup."));
}

void MainWindow::OnRemove() {
    MoveSelectedItems(m_selectedList, m_installedList,
                      tr("Please select an winks not to be backup."));
}

void MainWindow::OnAddAll() {
    MoveAllItems(m_installedList, m_selectedList);
}

void MainWindow::OnRemoveAll() {
    MoveAllItems(m_selectedList, m_installedList);
}

void MainWindow::OnPreview() {
    const PreviewRunner runner = CurrentPreviewRunner();
    if (runner == nullptr) {
        MessageBox::Show(this, tr("Preview is not part of this build of Quorvane."));
        return;
    }
    QListWidget* list = m_activeList == ActiveList::Installed  ? m_installedList
                        : m_activeList == ActiveList::Selected ? m_selectedList
                                                               : nullptr;
    if (list == nullptr)
        return;
    QListWidgetItem* first = nullptr;
    for (int row = 0; row < list->count() && first == nullptr; ++row)
        if (list->item(row)->isSelected())
            first = list->item(row);
    if (first == nullptr) {
        MessageBox::Show(this, tr("Please select a MSN Object to preview."));
        return;
    }
    if (m_controller.IsBusy())
        return;
    const auto itemData = static_cast<std::size_t>(first->data(kItemDataRole).toULongLong());
    const auto found = m_previewTargets.find(itemData);
    // Nothing to show (no movie was unpacked, the picture is gone) ends the
    // command without a word.
    const std::string path = found != m_previewTargets.end() ? found->second.Locate() : "";
    if (path.empty())
        return;
    PreviewRequest request;
    request.name = first->data(Qt::AccessibleTextRole).toString();
    request.path = FromPath(path);
    request.movie = found->second.movie;
    for (const std::string& folder : found->second.allowedFolders)
        request.allowedFolders.append(FromPath(folder));
    runner(this, request);
}

void MainWindow::OnList() {
    if (m_controller.IsBusy())
        return;
    const QString passport = m_passportBox->currentText();
    AccountSelection selection = Selection(passport.toStdString());
    if (!selection.HasValidPassport()) {
        MessageBox::Show(this, InvalidPassportText());
        return;
    }
    const auto category = static_cast<ContentCategory>(m_typeBox->currentIndex());
    // Remembered before the listing, so a passport is kept even when
    // nothing is found for it.
    RememberPassport(passport);
    ClearLists();
    m_listingSelection = selection;
    m_controller.SetPictureRatio(devicePixelRatioF());
    StartLongWork(tr("Listing..."), tr("Listing %1 of %2..."));
    m_controller.StartList(std::move(selection), category);
}

void MainWindow::ClearLists() {
    ShowListNote({});
    ClearThumbnails();
    // What Preview showed belongs to the listing that goes.
    m_previewTargets.clear();
    m_installedList->clear();
    m_selectedList->clear();
    // Nothing is selected any more: ">", "<" and Preview wait for a choice.
    FollowSelection();
}

void MainWindow::OnListFinished(const ListReport& report, const std::vector<QImage>& thumbnails) {
    EndLongWork();
    // A window closed during the listing has nobody to tell.
    if (m_closing)
        return;
    if (ShowLockProblem(report))
        return;
    const CatalogueState& catalogue = report.catalogue;
    if (catalogue.status == ListingStatus::NoPrivateFolder) {
        // The reason names the folder in most cases; where it does not, the
        // folder goes first.
        std::string reason = catalogue.problemDetail;
        if (!catalogue.problemFile.empty() &&
            reason.find(catalogue.problemFile) == std::string::npos)
            reason = catalogue.problemFile + ": " + reason;
        MessageBox::Show(this, OwnFolderProblem(reason));
        return;
    }
    for (std::size_t i = 0; i < report.items.size(); ++i) {
        const ListedEntry& entry = report.items[i];
        const int image = i < thumbnails.size() ? AddThumbnail(thumbnails[i]) : -1;
        if (image < 0)
            continue;
        auto* item = new QListWidgetItem(m_thumbnailIcons[static_cast<std::size_t>(image)],
                                         QString::fromStdString(entry.displayNameUtf8));
        item->setData(kItemDataRole, QVariant::fromValue<qulonglong>(entry.itemData));
        item->setData(kImageRole, image);
        item->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
        // For screen readers: a name even for an item without one, and the
        // type it is of.
        item->setData(Qt::AccessibleTextRole,
                      item->text().isEmpty() ? tr("(no name)") : item->text());
        item->setData(Qt::AccessibleDescriptionRole,
                      m_typeBox->itemText(static_cast<int>(m_controller.ListedCategory())));
        m_installedList->addItem(item);
        m_previewTargets[entry.itemData] = entry.preview;
    }
    if (report.listed && !report.toolFailure) {
        m_addAllButton->setEnabled(true);
        m_removeAllButton->setEnabled(true);
    }
    DescribeBackupNow();
    // What was left out stays in view beside the lists until the next List,
    // as the command line's standard error says it once.
    if (!report.interrupted && !report.toolFailure && !report.items.empty())
        ShowListNote(QString::fromStdString(LeftOutSummary(report)).trimmed());
    if (report.interrupted)
        MessageBox::Show(this, tr("Listing was cancelled: %n item(s) listed.", nullptr,
                                  static_cast<int>(m_installedList->count())));
    else if (report.toolFailure)
        MessageBox::Show(this, tr("Nothing could be listed: %1.")
                                   .arg(QString::fromStdString(report.toolFailure->sentence)));
    else if (report.catalogue.fileProblem == ProtectedFileContent::Problem::MissingKey ||
             report.catalogue.fileProblem == ProtectedFileContent::Problem::Locked)
        // Read from a Windows folder, an empty list would not say that the
        // user's keys, not the account, are what is missing.
        MessageBox::Show(this, tr("Nothing could be listed: %1 was protected with a Windows "
                                  "master key that is not in the Windows folder, or that the "
                                  "password does not open.")
                                   .arg(QString::fromStdString(report.catalogue.problemFile)));
    else if (report.items.empty())
        // The same reason the command line gives: no account for the
        // passport, a catalogue that cannot be opened, nothing to show.
        MessageBox::Show(
            this,
            tr("Nothing could be listed: %1")
                .arg(QString::fromStdString(NothingListed(report, m_listingSelection)).trimmed()));
}

void MainWindow::OnBackupNow() {
    if (m_controller.IsBusy())
        return;
    std::vector<std::size_t> itemData;
    for (int row = 0; row < m_selectedList->count(); ++row)
        itemData.push_back(
            static_cast<std::size_t>(m_selectedList->item(row)->data(kItemDataRole).toULongLong()));
    if (itemData.empty() || !m_controller.HasListing()) {
        MessageBox::Show(this, NothingSelectedText());
        return;
    }
    StartLongWork(tr("Backing up..."), tr("Backing up %1 of %2..."));
    m_controller.StartBackup(itemData, m_backupFolder);
}

void MainWindow::OnBackupFinished(const BackupReport& report) {
    EndLongWork();
    // A window closed during the backup has nobody to tell.
    if (m_closing)
        return;
    if (ShowLockProblem(report))
        return;
    if (report.AllWritten()) {
        MessageBox::Show(this, BackupSucceededText());
        return;
    }
    // One sentence in the box; the items that were not written, each with
    // its reason, in the detail the user may unfold and scroll.
    std::size_t written = 0;
    QStringList failures;
    for (const BackupItemOutcome& item : report.items) {
        if (!item.failure) {
            ++written;
            continue;
        }
        const QString name = QString::fromStdString(item.displayNameUtf8);
        failures.append((name.isEmpty() ? tr("(no name)") : name) + QStringLiteral(": ") +
                        QString::fromStdString(item.failure->sentence));
    }
    const auto notWritten = static_cast<int>(failures.size());
    const QString summary =
        report.interrupted
            ? tr("The backup was cancelled. %1 of %2 items were written; "
                 "%n were not.",
                 nullptr, notWritten)
            : tr("%1 of %2 items were written; %n could not be backed up.", nullptr, notWritten);
    MessageBox::Show(this, summary.arg(written).arg(report.items.size()),
                     failures.join(QLatin1Char('\n')));
}

void MainWindow::OnExport() {
    if (m_controller.IsBusy() || !m_heldCommands.empty())
        return;
    if (!m_controller.HasListing()) {
        MessageBox::Show(this, tr("Please list the items to export first."));
        return;
    }
    std::vector<std::size_t> itemData;
    for (int row = 0; row < m_selectedList->count(); ++row)
        itemData.push_back(
            static_cast<std::size_t>(m_selectedList->item(row)->data(kItemDataRole).toULongLong()));
    QString start = QString::fromStdString(m_backupFolder);
    while (!start.isEmpty() && !QFileInfo(start).isDir() && start != QLatin1String("/"))
        start = QFileInfo(start).path();
    const QString chosen =
        FolderDialog::Choose(this, tr("Please select a folder to export the items into."), start);
    if (chosen.isEmpty())
        return;
    StartLongWork(tr("Exporting..."), tr("Exporting %1 of %2..."));
    m_controller.StartExport(std::move(itemData), chosen.toStdString());
}

void MainWindow::OnExportFinished(const ExportReport& report) {
    EndLongWork();
    if (m_closing)
        return;
    if (ShowLockProblem(report))
        return;
    std::size_t exported = 0;
    QStringList failures;
    for (const ExportedItem& item : report.items) {
        if (!item.failure) {
            ++exported;
            continue;
        }
        const QString name = QString::fromStdString(item.displayName);
        failures.append((name.isEmpty() ? tr("(no name)") : name) + QStringLiteral(": ") +
                        QString::fromStdString(item.failure->sentence));
    }
    if (report.failure)
        failures.append(QString::fromStdString(report.failure->sentence));
    const auto notExported = static_cast<int>(report.items.size() - exported);
    const auto total = static_cast<int>(report.items.size());
    QString summary =
        report.interrupted
            ? tr("The export was cancelled. %1 of %n items were exported.", nullptr, total)
                  .arg(exported)
        : notExported == 0 ? tr("%n items were exported.", nullptr, total)
                           : tr("%1 of %2 items were exported; %n could not be exported whole.",
                                nullptr, notExported)
                                 .arg(exported)
                                 .arg(total);
    if (report.gallery.empty()) {
        MessageBox::Show(this, summary, failures.join(QLatin1Char('\n')));
        return;
    }
    const QUrl gallery = QUrl::fromLocalFile(QString::fromStdString(report.gallery));
    if (MessageBox::Ask(this, summary, failures.join(QLatin1Char('\n')), tr("Open &Gallery")))
        Open(gallery);
}

bool MainWindow::ShowLockProblem(const LockReport& report) {
    switch (report.Lock()) {
    case AccountLock::Outcome::Acquired:
        return false;
    case AccountLock::Outcome::Busy:
        MessageBox::Show(this, tr("Another Quorvane is working on this account. Try again when "
                                  "it has finished."));
        return true;
    case AccountLock::Outcome::Failed:
        MessageBox::Show(this, OwnFolderProblem(report.lockFailure->sentence));
        return true;
    case AccountLock::Outcome::Cancelled:
        // Cancelled while another Quorvane held the account: nothing was
        // done, and the user asked for exactly that.
        return true;
    }
    return true;
}

QString MainWindow::OwnFolderProblem(const std::string& reason) const {
    return tr("Quorvane's own folder cannot be used: %1.").arg(QString::fromStdString(reason));
}

void MainWindow::StartLongWork(const QString& firstLabel, const QString& itemLabel) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_itemLabel = itemLabel;
    // The progress dialog shuts the window off only after half a second;
    // until then its commands are held off here. Minimize stays.
    QWidget* focus = QApplication::focusWidget();
    m_focusBeforeWork = focus != nullptr && isAncestorOf(focus) ? focus : nullptr;
    m_heldCommands.clear();
    for (QPushButton* button : findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) {
        if (button == m_minimizeButton)
            continue;
        m_heldCommands.emplace_back(button, button->isEnabled());
        button->setEnabled(false);
    }
    m_progress = new QProgressDialog(firstLabel, tr("Cancel"), 0, 0, this);
    m_progress->setObjectName("progress");
    m_progress->setWindowTitle(QStringLiteral("Quorvane"));
    m_progress->setWindowModality(Qt::WindowModal);
    m_progress->setAutoClose(false);
    m_progress->setAutoReset(false);
    m_progress->setMinimumDuration(std::numeric_limits<int>::max());
    connect(m_progress, &QProgressDialog::canceled, &m_controller, &MainController::Cancel);
    // Shown only when the work lasts longer than half a second.
    QTimer::singleShot(500, m_progress, [progress = m_progress] { progress->show(); });
}

void MainWindow::EndLongWork() {
    QApplication::restoreOverrideCursor();
    const auto held = std::move(m_heldCommands);
    m_heldCommands.clear();
    for (const auto& [button, wasEnabled] : held)
        if (button != nullptr)
            button->setEnabled(wasEnabled);
    if (m_focusBeforeWork != nullptr && m_focusBeforeWork->isEnabled())
        m_focusBeforeWork->setFocus();
    m_focusBeforeWork = nullptr;
    // Gone before any message is shown, together with its pending showing.
    delete m_progress;
    m_progress = nullptr;
}

void MainWindow::OnProgress(std::size_t done, std::size_t total) {
    if (m_progress == nullptr || m_progress->wasCanceled() || m_itemLabel.isEmpty())
        return;
    const int shown = static_cast<int>(std::min(done + 1, total));
    m_progress->setMaximum(static_cast<int>(total));
    m_progress->setValue(static_cast<int>(done));
    m_progress->setLabelText(m_itemLabel.arg(shown).arg(total));
}

} // namespace quorvane::ui
