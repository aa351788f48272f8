// Where the window reads the account from: the Wine prefix, or a Windows
// user's folder on an old disk opened with the user's password; the menu's
// commands that choose it and the instructions that say it.

#include "ui/main/MainWindow.h"

#include "app/Words.h"

#include "ui/main/DialogUnits.h"
#include "ui/main/FolderDialog.h"
#include "ui/main/MessageBox.h"
#include "ui/main/PasswordDialog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>

#include <QtMath>

#include <algorithm>
#include <utility>

namespace quorvane::ui {

namespace {

QString FromPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// A sentence about a folder that fits width: the folder's name shortened in
// its middle when the whole would not.
QString FittedSentence(const QString& pattern, const QString& folder, const QString& user,
                       const QFontMetricsF& metrics, qreal width) {
    const qreal rest = metrics.horizontalAdvance(pattern.arg(QString(), user));
    const QString shown =
        metrics.elidedText(folder, Qt::ElideMiddle, std::max<qreal>(0, width - rest));
    return pattern.arg(shown, user);
}

} // namespace

// The source and the five steps, in a frame beside the fields.
void MainWindow::AddInstructions() {
    auto* frame = new QGroupBox(this);
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    const QRect frameArea = FromDialogUnits(258, 90, 230, 52);
    const QRect textArea = FromDialogUnits(262, 93, 222, 48);
    m_instructions = AddLabel(QString(), textArea);
    m_instructions->setObjectName("instructions");
    m_instructions->setTextFormat(Qt::PlainText);
    // A note after List may take more than a line.
    m_instructions->setWordWrap(true);
    QFont small = m_instructions->font();
    small.setPixelSize(10);
    m_instructions->setFont(small);
    // The longest step does not fit the template's box in the faces used on
    // Linux. Text and frame grow to the left, their right edges staying in
    // line with the list below: room for every step and a character more, as
    // a screen of another scale may set the text a little wider. The source
    // is fitted into what that leaves.
    const QFontMetricsF metrics(small);
    qreal widest = 0;
    for (const QString& line : Steps().split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    const int grow = std::max(0, qCeil(widest + metrics.averageCharWidth()) - textArea.width());
    m_instructions->setGeometry(textArea.adjusted(-grow, 0, 0, 0));
    frame->setGeometry(frameArea.adjusted(-grow, 0, 0, 0));
    ShowSource();
}

QString MainWindow::Steps() const {
    return tr("1. Enter your MSN account (e.g. someone@example.com).\n"
              "2. Select a backup type. \n"
              "3. Click <List> button to list the installed items in current account.\n"
              "4. Select the items to backup.\n"
              "5. Click <Backup Now> button to backup the selected items.");
}

void MainWindow::ShowSource() {
    const QFontMetricsF metrics(m_instructions->font());
    const qreal width = m_instructions->width() - metrics.averageCharWidth();
    QString source;
    if (m_windows != nullptr && !m_sourceImage.isEmpty())
        source = FittedSentence(tr("Reading from the disk image %1 (user %2)."), m_sourceImage,
                                FromPath(m_windows->profile.userName), metrics, width);
    else if (m_windows != nullptr)
        source = FittedSentence(tr("Reading from the Windows folder %1 (user %2)."),
                                FromPath(m_windows->profile.folder),
                                FromPath(m_windows->profile.userName), metrics, width);
    else
        source = FittedSentence(tr("Reading from the Wine prefix %1 (user %2)."),
                                FromPath(m_wine.prefix), QString::fromStdString(m_wine.user),
                                metrics, width);
    m_instructions->setText(source + QLatin1Char('\n') +
                            (m_listingNote.isEmpty() ? Steps() : m_listingNote));
}

void MainWindow::ShowListNote(const QString& note) {
    if (note == m_listingNote)
        return;
    m_listingNote = note;
    ShowSource();
}

AccountSelection MainWindow::Selection(const std::string& passportUtf8) const {
    return m_windows != nullptr ? AccountSelection::Make(m_windows, passportUtf8)
                                : AccountSelection::Make(m_wine, passportUtf8);
}

void MainWindow::UseSource(std::shared_ptr<const WindowsSource> windows) {
    m_windows = std::move(windows);
    // A disk image's copy stays for as long as its user is read from.
    m_sourceImage = m_windows != nullptr ? std::exchange(m_openingImage, {}) : QString();
    m_sourceCopy = m_windows != nullptr ? std::exchange(m_openingCopy, {}) : nullptr;
    m_readWineAction->setEnabled(m_windows != nullptr);
    // The items listed were the other source's: the window is as it was
    // at its start, with nothing listed.
    ClearLists();
    m_controller.ForgetListings();
    DescribeBackupNow();
    for (QPushButton* button :
         {m_addButton, m_addAllButton, m_removeButton, m_removeAllButton, m_previewButton})
        button->setEnabled(false);
    ShowSource();
}

void MainWindow::OnReadFromWindows() {
    if (m_controller.IsBusy())
        return;
    const QString start =
        m_windows != nullptr ? FromPath(m_windows->profile.folder) : QDir::homePath();
    const QString chosen = FolderDialog::Choose(
        this, tr("Please select the folder of the Windows user to read from."), start);
    if (chosen.isEmpty())
        return;
    Result<WindowsProfile> profile = WindowsProfile::Open(QFile::encodeName(chosen).toStdString());
    if (!profile) {
        // A drive's root gets the users found there, one a line: a period
        // after the last would seem part of its name.
        const QString reason = QString::fromStdString(profile.error().sentence);
        MessageBox::Show(this, reason.contains(QLatin1Char('\n'))
                                   ? tr("The Windows folder cannot be read: %1").arg(reason)
                                   : tr("The Windows folder cannot be read: %1.").arg(reason));
        return;
    }
    m_openingProfile = std::move(*profile);
    m_openingImage.clear();
    m_openingCopy.reset();
    AskWindowsPassword();
}

void MainWindow::OnReadFromDiskImage() {
    if (m_controller.IsBusy())
        return;
    const QString start =
        !m_sourceImage.isEmpty() ? QFileInfo(m_sourceImage).absolutePath() : QDir::homePath();
    const QString chosen = FolderDialog::ChooseFile(
        this, tr("Please select the disk image of the old computer to read from."), start,
        tr("Disk images (%1)")
                .arg(QStringLiteral("*.img *.dd *.raw *.001 *.vmdk *.vhd *.vhdx *.E01 *.e01")) +
            QStringLiteral(";;") + tr("All files (*)"));
    if (chosen.isEmpty())
        return;
    m_openingImage = chosen;
    m_openingCopy.reset();
    // Only the users' folders are read, but an image on a slow disk takes a
    // moment: Cancel stops the reader at once.
    StartLongWork(tr("Looking for the Windows users on the disk image..."));
    m_controller.StartFindDiskImageUsers(QFile::encodeName(chosen).toStdString());
}

void MainWindow::OnDiskImageUsersFound(const std::vector<DiskImageUser>& users,
                                       const Failure& failure) {
    EndLongWork();
    if (m_closing || failure.code == FailureCode::Cancelled)
        return;
    const std::string image = QFile::encodeName(m_openingImage).toStdString();
    Result<DiskImageUser> user = users.empty() ? Result<DiskImageUser>(Fail(failure))
                                               : ChooseDiskImageUser(users, image, {}, 0);
    if (!user && user.error().code == FailureCode::Refused) {
        // Several users ran Messenger on that computer: which one is the
        // user's to say.
        QStringList names;
        std::vector<DiskImageUser> messenger;
        for (const DiskImageUser& found : users) {
            if (!found.messenger)
                continue;
            messenger.push_back(found);
            names << tr("%1 (partition %2)").arg(FromPath(found.name)).arg(found.partition);
        }
        bool chose = false;
        const QString name = QInputDialog::getItem(
            this, QStringLiteral("Quorvane"),
            tr("Several Windows users ran Messenger on this disk. Whose content is it?"), names, 0,
            false, &chose);
        if (!chose)
            return;
        user = messenger[static_cast<std::size_t>(names.indexOf(name))];
    }
    if (!user) {
        MessageBox::Show(this, tr("The disk image cannot be read: %1.")
                                   .arg(QString::fromStdString(user.error().sentence)));
        return;
    }
    StartLongWork(tr("Copying from the disk image..."));
    m_controller.StartCopyDiskImageUser(image, *user);
}

void MainWindow::OnDiskImageCopied(std::shared_ptr<DiskImageCopy> copy, const Failure& failure) {
    EndLongWork();
    if (m_closing || failure.code == FailureCode::Cancelled)
        return;
    Result<WindowsProfile> profile = copy != nullptr ? WindowsProfile::Open(copy->userFolder)
                                                     : Result<WindowsProfile>(Fail(failure));
    if (!profile) {
        MessageBox::Show(this, tr("The disk image cannot be read: %1.")
                                   .arg(QString::fromStdString(profile.error().sentence)));
        return;
    }
    m_openingProfile = std::move(*profile);
    m_openingCopy = std::move(copy);
    AskWindowsPassword();
}

void MainWindow::AskWindowsPassword(const QString& wrongPassword) {
    std::optional<dpapi::UserCredentials> credentials =
        PasswordDialog::Ask(this, FromPath(m_openingProfile.userName), wrongPassword);
    if (!credentials)
        return;
    // Thousands of hash rounds: Cancel, Escape or closing the window stop them.
    StartLongWork(tr("Checking the password..."));
    m_controller.StartOpenWindows(m_openingProfile, std::move(*credentials));
}

void MainWindow::OnWindowsOpened(std::shared_ptr<const WindowsSource> source,
                                 const Failure& failure) {
    EndLongWork();
    if (m_closing)
        return;
    if (source != nullptr) {
        UseSource(std::move(source));
        return;
    }
    if (failure.code == FailureCode::Cancelled)
        return;
    // The folder stays chosen: only the password is asked for again.
    if (failure.code == FailureCode::WrongPassword) {
        AskWindowsPassword(QString::fromStdString(failure.sentence));
        return;
    }
    // The folder is a user's: only the user's keys stand in the way, and the
    // command line's rescue does not need them. A disk image's user is
    // named by the image, not by the copy of its folders.
    if (m_openingCopy != nullptr) {
        QString reason = QString::fromStdString(failure.sentence);
        reason.replace(FromPath(m_openingCopy->scratch->Path() + "/"), m_openingImage + ":");
        MessageBox::Show(this, tr("The disk image cannot be read: %1.\n\n%2")
                                   .arg(reason, WithoutPasswordFromImageText(m_openingImage)));
        return;
    }
    MessageBox::Show(this, tr("The Windows folder cannot be read: %1.\n\n%2")
                               .arg(QString::fromStdString(failure.sentence),
                                    WithoutPasswordText(FromPath(m_openingProfile.folder))));
}

void MainWindow::OnReadFromWine() {
    if (m_controller.IsBusy())
        return;
    UseSource(nullptr);
}

} // namespace quorvane::ui
