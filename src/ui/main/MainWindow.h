#pragma once

#include "app/AccountSelection.h"
#include "app/SettingsStore.h"
#include "platform/SystemFolders.h"
#include "profile/ContentCategory.h"
#include "sources/WineAccount.h"
#include "ui/main/MainController.h"

#include <QDialog>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QStringList>
#include <QUrl>

#include <map>
#include <string>
#include <utility>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressDialog;
class QPushButton;

namespace quorvane::ui {

class SkinButton;

// The whole user interface: one fixed-size window without a caption bar,
// with a painted skin, in which the user types a passport, picks a backup
// type, lists the account's items, moves them into the second list and
// backs them up. It lays out and wires the controls; the commands run over
// the core through MainController.
class MainWindow : public QDialog {
    Q_OBJECT

public:
    // wine: where Messenger's data is looked for; dataFolder: the skin
    // pictures, icons and help (share/quorvane); settings: where the backup
    // folder and the recent passports are kept.
    MainWindow(WineAccount wine, std::string dataFolder, SettingsStore settings,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // Paints the skin (base colour, header pictures, the light panel) on any
    // painter, for a window of the given size, from the header pictures made
    // for the painter's device pixel ratio.
    void PaintSkin(QPainter& painter, const QSize& size) const;

    // The backup folder in use.
    const std::string& BackupFolder() const { return m_backupFolder; }
    ContentCategory ListedCategory() const { return m_controller.ListedCategory(); }
    MainController& Controller() { return m_controller; }
    // Adds a passport to the box unless one there begins with it (in the
    // same case: the case is part of the account's key), and makes it the
    // most recently used one.
    void RememberPassport(const QString& passport);
    // Shows the window, even minimised, in front of the others, for a user
    // who started Quorvane again.
    void BringToFront();

public slots:
    void OnList();
    void OnBackupNow();
    void OnChangeFolder();
    void OnOpenFolder();
    void OnHelp();
    void OnGetMore();
    void OnAdd();
    void OnAddAll();
    void OnRemove();
    void OnRemoveAll();
    void OnPreview();
    void ShowAbout();
    // The menu's choice of where the account is read from: a Windows user's
    // folder (on an old disk) or an old computer's disk image, with the
    // user's password, or the Wine prefix.
    void OnReadFromWindows();
    void OnReadFromDiskImage();
    // Exports the right list's items (all listed ones when it is empty) into
    // a folder the user chooses, as files any program opens.
    void OnExport();
    void OnReadFromWine();
    void reject() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void AddInstructions();
    // The five steps of the instructions, one a line.
    QString Steps() const;
    // The account of the passport (UTF-8) where it is read from now.
    AccountSelection Selection(const std::string& passportUtf8) const;
    // Reads from the Windows folder from now on, or from the Wine prefix
    // when there is none; what was listed from the other goes.
    void UseSource(std::shared_ptr<const WindowsSource> windows);
    // The instructions, beginning with where the account is read from; then
    // the steps, or what the last List has to say in their place.
    void ShowSource();
    void ShowListNote(const QString& note);
    // Asks for the password of the Windows folder being opened and checks
    // it; after a wrong one (wrongPassword: what was said), asks again.
    void AskWindowsPassword(const QString& wrongPassword = {});
    void OnWindowsOpened(std::shared_ptr<const WindowsSource> source, const Failure& failure);
    // The users found on the disk image being opened: the one with Messenger
    // data is copied out (the user picks when there are more), then its
    // password is asked for.
    void OnDiskImageUsersFound(const std::vector<DiskImageUser>& users, const Failure& failure);
    void OnDiskImageCopied(std::shared_ptr<DiskImageCopy> copy, const Failure& failure);
    // One of the two item lists: thumbnails with names under them.
    QListWidget* MakeItemList(const char* name, const QRect& geometry, bool several);
    // The buttons' commands and the tab order.
    void WireControls(QPushButton* changeFolder, QPushButton* openFolder, QPushButton* getMore);
    // Names and descriptions for screen readers, where the control's own
    // text says too little or nothing.
    void DescribeControls();
    // The menu's entries with their keys, and the keys that open the menu.
    void AddMenuKeys();
    void LoadSettings();
    // Where the window was left, or the middle of the screen.
    void PlaceWindow();
    // The window's place and the chosen type, for the next start.
    void SaveWindowSettings();
    QPushButton* AddButton(const char* name, const QString& text, const QRect& units);
    SkinButton* AddSkinButton(const char* name, const QString& text, const QRect& units,
                              const QString& icon, int iconSize, const QString& tip);
    // The skin at the window's size and device pixel ratio, composed again
    // only when either has changed.
    const QPixmap& Skin();
    // Hands each skinned button the part of the composed skin under it.
    void CaptureButtonBackgrounds(const QImage& skin);
    QLabel* AddLabel(const QString& text, const QRect& units);
    // A label before a field: right-aligned against the field, free to
    // grow to the left up to the panel's edge, so a wider font still fits.
    QLabel* AddFieldLabel(const QString& text, const QRect& units);
    // ">", "<" and Preview are there for what is selected in the lists.
    void OnSelectionChanged(QListWidget* list);
    void FollowSelection();
    // Backup Now's description names the type it writes.
    void DescribeBackupNow();
    void SetCommandEnabled(QPushButton* button, bool enabled);
    void MoveSelectedItems(QListWidget* source, QListWidget* target, const QString& message);
    void MoveAllItems(QListWidget* source, QListWidget* target);
    void ClearThumbnails();
    // Empties both item lists and what their items showed.
    void ClearLists();
    // The manual's page, at a section when one is named.
    QUrl ManualUrl(const char* section) const;
    // Hands a folder or page to the desktop, and says so when nothing could
    // open it.
    void Open(const QUrl& url);
    int AddThumbnail(const QImage& thumbnail);
    // cancellable: whether the progress dialog offers Cancel.
    // itemLabel: "<doing> %1 of %2...", shown as the items go by.
    void StartLongWork(const QString& firstLabel, const QString& itemLabel = {});
    void EndLongWork();
    void OnProgress(std::size_t done, std::size_t total);
    void OnListFinished(const ListReport& report, const std::vector<QImage>& thumbnails);
    void OnBackupFinished(const BackupReport& report);
    void OnExportFinished(const ExportReport& report);
    void SavePassports();
    // Takes the box's entry out of the box and of the saved history.
    void ForgetPassport(int index);
    // Says why a command could not have the account; false when it could.
    bool ShowLockProblem(const LockReport& report);
    QString OwnFolderProblem(const std::string& reason) const;

    WineAccount m_wine;
    // Set while the account is read from a Windows user's folder.
    std::shared_ptr<const WindowsSource> m_windows;
    WindowsProfile m_openingProfile; // the Windows folder whose password is being checked
    // The disk image being opened and the copy of its user's folders; once
    // its password opened them, the image read from and the copy in use.
    QString m_openingImage;
    std::shared_ptr<DiskImageCopy> m_openingCopy;
    QString m_sourceImage;
    std::shared_ptr<DiskImageCopy> m_sourceCopy;
    AccountSelection m_listingSelection; // the account of the running or last List
    QString m_listingNote;               // what the last List left out, or ""
    std::string m_dataFolder;
    SettingsStore m_settings;
    SystemClock m_clock;
    SleepingPause m_pause;
    SystemFolders m_folders;
    MainController m_controller;

    std::string m_backupFolder;
    // The passports of the box, most recently used first: the order they are
    // saved in, so that the oldest go when the list is full.
    QStringList m_recentPassports;
    // The item list chosen from last: the one Preview shows an item of.
    enum class ActiveList { None, Installed, Selected };
    ActiveList m_activeList = ActiveList::None;

    // A header picture at its own size and at twice it (name@2x.png).
    struct SkinPicture {
        QImage normal;
        QImage twice;

        void Load(const QString& path);
        // The picture in device pixels for the ratio, at the normal size in
        // pixels.
        QImage At(qreal ratio) const;
    };
    SkinPicture m_staticPanel;
    SkinPicture m_stretchPanel;
    QRect m_panelRect;
    QPixmap m_skin;
    QSize m_skinSize;
    qreal m_skinRatio = 0;
    std::vector<QIcon> m_thumbnailIcons;
    // What Preview shows for each item of the last listing, by item data.
    std::map<std::size_t, PreviewTarget> m_previewTargets;

    QLabel* m_instructions = nullptr;
    QLineEdit* m_folderEdit = nullptr;
    QComboBox* m_passportBox = nullptr;
    QComboBox* m_typeBox = nullptr;
    QListWidget* m_installedList = nullptr;
    QListWidget* m_selectedList = nullptr;
    SkinButton* m_backupNowButton = nullptr;
    SkinButton* m_helpButton = nullptr;
    SkinButton* m_minimizeButton = nullptr;
    SkinButton* m_closeButton = nullptr;
    QPushButton* m_listButton = nullptr;
    QPushButton* m_addButton = nullptr;
    QPushButton* m_addAllButton = nullptr;
    QPushButton* m_removeButton = nullptr;
    QPushButton* m_removeAllButton = nullptr;
    QPushButton* m_previewButton = nullptr;
    QProgressDialog* m_progress = nullptr;
    QAction* m_readWindowsAction = nullptr;
    QAction* m_readDiskImageAction = nullptr;
    QAction* m_exportAction = nullptr;
    QString m_itemLabel; // the running command's progress, "%1 of %2"
    QAction* m_readWineAction = nullptr;
    // While a command runs: its buttons, held off, and whether each was
    // enabled; the widget that had the focus.
    std::vector<std::pair<QPointer<QPushButton>, bool>> m_heldCommands;
    QPointer<QWidget> m_focusBeforeWork;
    QPoint m_dragOffset;
    bool m_dragging = false;
    bool m_closing = false;
};

} // namespace quorvane::ui
