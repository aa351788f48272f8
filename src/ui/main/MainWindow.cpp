#include "ui/main/MainWindow.h"

#include "app/SettingsStore.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "ui/controls/SkinButton.h"
#include "ui/main/AboutDialog.h"
#include "ui/main/DialogUnits.h"
#include "ui/main/FolderDialog.h"
#include "ui/main/MessageBox.h"
#include "ui/main/Thumbnails.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include <QtMath>

#include <algorithm>

namespace quorvane::ui {

namespace {

// The project's web site, opened by "Get More...".
// Get More opens the manual where it tells where Messenger content comes
// from and how packs go back in; the project has no web site yet.
constexpr const char* kContentSection = "content";

const QColor kBaseColour(190, 223, 255);
const QColor kPanelColour(221, 255, 255);
const QColor kPanelDark(100, 100, 100);
const QColor kPanelLight(250, 250, 250);
const QColor kLabelText(51, 51, 102);

// Where the picture drawn at twice the size is kept beside one: name@2x.png.
QString TwiceSizePath(const QString& path) {
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? path + QStringLiteral("@2x")
                   : path.left(dot) + QStringLiteral("@2x") + path.mid(dot);
}

// An icon that has its picture at twice the size too, for screens of more
// than one device pixel per pixel.
QIcon LoadIcon(const QString& path) {
    QIcon icon;
    for (const QString& file : {path, TwiceSizePath(path)}) {
        const QPixmap picture(file);
        if (!picture.isNull())
            icon.addPixmap(picture);
    }
    return icon;
}

} // namespace

MainWindow::MainWindow(WineAccount wine, std::string dataFolder, SettingsStore settings,
                       QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint), m_wine(std::move(wine)),
      m_dataFolder(std::move(dataFolder)), m_settings(std::move(settings)),
      m_folders(m_clock, m_pause) {
    setObjectName("MainWindow");
    setWindowTitle(QStringLiteral("Quorvane"));
    const QRect client = FromDialogUnits(0, 0, 502, 353);
    setFixedSize(client.size());
    QFont dialogFont = font();
    // The layout is made for an 8-point dialog font (about 11 pixels in the
    // narrow face it had); 10 pixels of the wider Linux faces fit the same.
    dialogFont.setPixelSize(10);
    setFont(dialogFont);

    m_folders.Locate(m_wine.WindowsFolder());
    m_staticPanel.Load(QString::fromStdString(JoinPath(m_dataFolder, "staticPanel.png")));
    m_stretchPanel.Load(QString::fromStdString(JoinPath(m_dataFolder, "stretchPanel.png")));
    setWindowIcon(QIcon(QString::fromStdString(JoinPath(m_dataFolder, "icons/quorvane-48.png"))));
    CreateControls();
    LoadSettings();

    connect(&m_controller, &MainController::Progress, this, &MainWindow::OnProgress);
    connect(&m_controller, &MainController::ListFinished, this, &MainWindow::OnListFinished);
    connect(&m_controller, &MainController::BackupFinished, this, &MainWindow::OnBackupFinished);
    connect(&m_controller, &MainController::ExportFinished, this, &MainWindow::OnExportFinished);
    connect(&m_controller, &MainController::WindowsOpened, this, &MainWindow::OnWindowsOpened);
    connect(&m_controller, &MainController::DiskImageUsersFound, this,
            &MainWindow::OnDiskImageUsersFound);
    connect(&m_controller, &MainController::DiskImageCopied, this, &MainWindow::OnDiskImageCopied);
    connect(&m_controller, &MainController::DiskImageProgress, this, [this](std::uint64_t files) {
        if (m_progress != nullptr && !m_progress->wasCanceled())
            m_progress->setLabelText(
                tr("Copying from the disk image: %n file(s)...", nullptr, static_cast<int>(files)));
    });

    PlaceWindow();
}

MainWindow::~MainWindow() {
    m_controller.Cancel();
    m_controller.WaitForIdle();
}

QPushButton* MainWindow::AddButton(const char* name, const QString& text, const QRect& units) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(name);
    button->setGeometry(units);
    return button;
}

SkinButton* MainWindow::AddSkinButton(const char* name, const QString& text, const QRect& units,
                                      const QString& icon, int iconSize, const QString& tip) {
    auto* button = new SkinButton(text, this);
    button->setObjectName(name);
    button->setGeometry(units);
    button->AssignIcons(
        LoadIcon(QString::fromStdString(JoinPath(m_dataFolder, icon.toStdString()))), iconSize,
        iconSize);
    button->setToolTip(tip);
    // The caption names the button; the tip says what it does.
    button->setAccessibleDescription(tip);
    button->SeeThrough(false);
    return button;
}

void MainWindow::CaptureButtonBackgrounds(const QImage& skin) {
    for (SkinButton* button : {m_closeButton, m_minimizeButton, m_backupNowButton, m_helpButton})
        button->TakeBackground(skin);
}

QLabel* MainWindow::AddLabel(const QString& text, const QRect& units) {
    auto* label = new QLabel(text, this);
    label->setGeometry(units);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, kLabelText);
    label->setPalette(palette);
    // Labels are part of the skin: a press on them moves the window.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

QLabel* MainWindow::AddFieldLabel(const QString& text, const QRect& units) {
    const int left = FromDialogUnits(9, 0, 0, 0).left();
    QLabel* label =
        AddLabel(text, QRect(left, units.top() - 2, units.right() - left, units.height() + 4));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QListWidget* MainWindow::MakeItemList(const char* name, const QRect& geometry, bool several) {
    auto* list = new QListWidget(this);
    list->setObjectName(name);
    list->setGeometry(geometry);
    list->setViewMode(QListView::IconMode);
    list->setIconSize(QSize(kThumbnailSize, kThumbnailSize));
    // Room for a name of two lines under each thumbnail.
    list->setGridSize(QSize(92, 98));
    list->setTextElideMode(Qt::ElideNone);
    list->setMovement(QListView::Static);
    list->setResizeMode(QListView::Adjust);
    list->setWordWrap(true);
    list->setSelectionMode(several ? QAbstractItemView::ExtendedSelection
                                   : QAbstractItemView::SingleSelection);
    // A click, a key or Ctrl+A: the buttons follow whatever selects.
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this, list] { OnSelectionChanged(list); });
    return list;
}

void MainWindow::WireControls(QPushButton* changeFolder, QPushButton* openFolder,
                              QPushButton* getMore) {
    connect(m_backupNowButton, &QPushButton::clicked, this, &MainWindow::OnBackupNow);
    connect(m_helpButton, &QPushButton::clicked, this, &MainWindow::OnHelp);
    connect(m_minimizeButton, &QPushButton::clicked, this, &MainWindow::showMinimized);
    connect(m_closeButton, &QPushButton::clicked, this, &MainWindow::reject);
    connect(changeFolder, &QPushButton::clicked, this, &MainWindow::OnChangeFolder);
    connect(openFolder, &QPushButton::clicked, this, &MainWindow::OnOpenFolder);
    connect(m_listButton, &QPushButton::clicked, this, &MainWindow::OnList);
    connect(m_addButton, &QPushButton::clicked, this, &MainWindow::OnAdd);
    connect(m_addAllButton, &QPushButton::clicked, this, &MainWindow::OnAddAll);
    connect(m_removeButton, &QPushButton::clicked, this, &MainWindow::OnRemove);
    connect(m_removeAllButton, &QPushButton::clicked, this, &MainWindow::OnRemoveAll);
    connect(m_previewButton, &QPushButton::clicked, this, &MainWindow::OnPreview);
    connect(getMore, &QPushButton::clicked, this, &MainWindow::OnGetMore);

    // Tab order follows the template.
    QWidget* order[] = {m_backupNowButton, m_helpButton,    m_minimizeButton,  m_closeButton,
                        m_folderEdit,      changeFolder,    openFolder,        m_passportBox,
                        m_typeBox,         m_installedList, m_listButton,      m_addButton,
                        m_addAllButton,    m_removeButton,  m_removeAllButton, m_previewButton,
                        getMore,           m_selectedList};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void MainWindow::CreateControls() {
    m_backupNowButton =
        AddSkinButton("backupNow", tr("Backup Now"), FromDialogUnits(226, 24, 72, 29),
                      "icons/backup.png", 48, tr("Backup current selected winks now!"));
    // Enter runs Backup Now, unless a button has the focus: then Enter
    // presses that button, as in any dialog.
    m_backupNowButton->setDefault(true);
    m_helpButton = AddSkinButton("help", tr("Help"), FromDialogUnits(312, 24, 72, 29),
                                 "icons/help.png", 48, tr("Open help manual."));
    m_minimizeButton = AddSkinButton("minimize", QString(), FromDialogUnits(463, 0, 18, 17),
                                     "icons/minimize.png", 24, tr("Minimize current window."));
    m_closeButton = AddSkinButton("close", QString(), FromDialogUnits(483, 0, 18, 17),
                                  "icons/close.png", 24, tr("Close current window and exit."));
    m_panelRect = FromDialogUnits(7, 67, 487, 279);

    QLabel* folderLabel = AddFieldLabel(tr("Backup to Folder:"), FromDialogUnits(13, 78, 57, 8));
    m_folderEdit = new QLineEdit(this);
    m_folderEdit->setObjectName("backupFolder");
    m_folderEdit->setReadOnly(true);
    m_folderEdit->setGeometry(FromDialogUnits(71, 76, 307, 14));
    auto* changeFolder =
        AddButton("changeFolder", tr("Change Folder"), FromDialogUnits(380, 76, 52, 14));
    auto* openFolder = AddButton("openFolder", tr("Open Folder"), FromDialogUnits(435, 76, 50, 14));

    AddInstructions();

    QLabel* passportLabel = AddFieldLabel(tr("MSN Passport:"), FromDialogUnits(22, 104, 48, 8));
    m_passportBox = new QComboBox(this);
    m_passportBox->setObjectName("passport");
    m_passportBox->setEditable(true);
    // A passport joins the box when List checks it, not when Enter is hit.
    m_passportBox->setInsertPolicy(QComboBox::NoInsert);
    m_passportBox->setGeometry(FromDialogUnits(71, 101, 160, 14));
    // The letter case is part of the account's key: an entry in another
    // case is another account, and neither completion nor leaving the box
    // may put it in place of what was typed.
    m_passportBox->completer()->setCaseSensitivity(Qt::CaseSensitive);
    // Delete in the open drop-down forgets the entry under the cursor.
    m_passportBox->view()->installEventFilter(this);

    QLabel* typeLabel = AddFieldLabel(tr("Backup Type:"), FromDialogUnits(26, 127, 44, 8));
    m_typeBox = new QComboBox(this);
    m_typeBox->setObjectName("backupType");
    m_typeBox->setGeometry(FromDialogUnits(71, 124, 160, 14));
    for (int i = 0; i < kCategoryCount; ++i)
        m_typeBox->addItem(QString::fromStdString(CategoryLabel(static_cast<ContentCategory>(i))));
    m_typeBox->setCurrentIndex(0);

    // The list captions may use the width of their lists.
    QLabel* installedLabel =
        AddLabel(tr("Items installed in current MSN account:"), FromDialogUnits(13, 143, 200, 10));
    QLabel* selectedLabel =
        AddLabel(tr("Items selected to be backup:"), FromDialogUnits(288, 143, 200, 10));

    m_installedList = MakeItemList("installed", FromDialogUnits(13, 156, 200, 184), false);
    m_selectedList = MakeItemList("selected", FromDialogUnits(288, 156, 200, 184), true);
    // Each label names its field for a screen reader ("labelled by").
    folderLabel->setBuddy(m_folderEdit);
    passportLabel->setBuddy(m_passportBox);
    typeLabel->setBuddy(m_typeBox);
    installedLabel->setBuddy(m_installedList);
    selectedLabel->setBuddy(m_selectedList);

    m_listButton = AddButton("list", tr("List"), FromDialogUnits(226, 156, 50, 14));
    m_addButton = AddButton("add", tr(">"), FromDialogUnits(225, 192, 50, 14));
    m_addAllButton = AddButton("addAll", tr(">>"), FromDialogUnits(225, 215, 50, 14));
    m_removeButton = AddButton("remove", tr("<"), FromDialogUnits(225, 238, 50, 14));
    m_removeAllButton = AddButton("removeAll", tr("<<"), FromDialogUnits(225, 261, 50, 14));
    m_previewButton = AddButton("preview", tr("Preview"), FromDialogUnits(225, 299, 50, 14));
    auto* getMore = AddButton("getMore", tr("Get More..."), FromDialogUnits(225, 326, 50, 14));
    for (QPushButton* button :
         {m_addButton, m_addAllButton, m_removeButton, m_removeAllButton, m_previewButton})
        button->setEnabled(false);

    WireControls(changeFolder, openFolder, getMore);
    DescribeControls();
    AddMenuKeys();
    // The first thing to do is to type the passport: the window opens there.
    m_passportBox->setFocus();
}

void MainWindow::AddMenuKeys() {
    // The window's own actions, so their keys work with the menu closed.
    m_readWindowsAction = new QAction(tr("Read from a &Windows folder..."), this);
    m_readWindowsAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(m_readWindowsAction, &QAction::triggered, this, &MainWindow::OnReadFromWindows);
    m_readDiskImageAction = new QAction(tr("Read from a &disk image..."), this);
    m_readDiskImageAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    connect(m_readDiskImageAction, &QAction::triggered, this, &MainWindow::OnReadFromDiskImage);
    m_readWineAction = new QAction(tr("Read from the Wine &prefix"), this);
    m_readWineAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    m_readWineAction->setEnabled(false);
    connect(m_readWineAction, &QAction::triggered, this, &MainWindow::OnReadFromWine);
    m_exportAction = new QAction(tr("&Export to open formats..."), this);
    m_exportAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    connect(m_exportAction, &QAction::triggered, this, &MainWindow::OnExport);
    addActions({m_readWindowsAction, m_readDiskImageAction, m_readWineAction, m_exportAction});
    // Alt+Space is the window manager's; these are the keys a context menu
    // opens with everywhere else.
    for (const QKeySequence& keys :
         {QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)}) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, [this] {
            QContextMenuEvent menu(QContextMenuEvent::Keyboard, QPoint(0, 0),
                                   mapToGlobal(QPoint(0, 0)));
            contextMenuEvent(&menu);
        });
    }
}

void MainWindow::DescribeControls() {
    const auto describe = [this](const char* name, const QString& accessibleName,
                                 const QString& description) {
        auto* control = findChild<QWidget*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
        if (control == nullptr)
            return;
        if (!accessibleName.isEmpty())
            control->setAccessibleName(accessibleName);
        control->setAccessibleDescription(description);
    };
    // The icon-only buttons have no caption to be named by.
    m_minimizeButton->setAccessibleName(tr("Minimize"));
    m_closeButton->setAccessibleName(tr("Close"));
    // The fields and lists are named as their labels on the skin name them.
    describe("backupFolder", tr("Backup to Folder"), tr("The folder the backups are written to."));
    describe("changeFolder", {}, tr("Choose another folder to write the backups to."));
    describe("openFolder", {}, tr("Open the backup folder in the file manager."));
    describe("passport", tr("MSN Passport"),
             tr("The Messenger account whose items are listed. Passports used before can be "
                "picked from the list."));
    describe("backupType", tr("Backup Type"), tr("The kind of items to list and back up."));
    describe("installed", tr("Items installed in current MSN account"),
             tr("The items List found. Add moves the selected one to the items to back up."));
    describe("selected", tr("Items selected to be backup"),
             tr("The items Backup Now writes to the backup folder."));
    describe("list", {}, tr("List the account's items of the chosen type."));
    // The arrows alone would be read out as signs.
    describe("add", tr("Add"), tr("Move the selected item to the items to back up."));
    describe("addAll", tr("Add All"), tr("Move every item to the items to back up."));
    describe("remove", tr("Remove"),
             tr("Move the selected item back out of the items to back up."));
    describe("removeAll", tr("Remove All"), tr("Move every item out of the items to back up."));
    describe("preview", {}, tr("Play or show the selected item."));
    describe("getMore", {}, tr("Open the manual where it tells where more content comes from."));
    connect(m_typeBox, &QComboBox::currentIndexChanged, this, &MainWindow::DescribeBackupNow);
    DescribeBackupNow();
}

void MainWindow::DescribeBackupNow() {
    // Backup Now writes the items of the last List, whatever the type box
    // shows since; before a List, the type it would list.
    const int type = m_controller.HasListing() ? static_cast<int>(m_controller.ListedCategory())
                                               : m_typeBox->currentIndex();
    m_backupNowButton->setAccessibleDescription(
        tr("Back up the items selected to be backed up, of the type %1, into the backup folder.")
            .arg(m_typeBox->itemText(type)));
}

void MainWindow::BringToFront() {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void MainWindow::SkinPicture::Load(const QString& path) {
    normal.load(path);
    twice.load(TwiceSizePath(path));
    if (twice.size() != normal.size() * 2)
        twice = QImage();
}

QImage MainWindow::SkinPicture::At(qreal ratio) const {
    if (ratio <= 1 || normal.isNull() || twice.isNull())
        return normal;
    QImage picture = twice;
    const QSize devicePixels(qRound(normal.width() * ratio), qRound(normal.height() * ratio));
    if (picture.size() != devicePixels)
        picture = twice.scaled(devicePixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    picture.setDevicePixelRatio(ratio);
    return picture;
}

void MainWindow::PaintSkin(QPainter& painter, const QSize& size) const {
    const qreal ratio = painter.device() != nullptr ? painter.device()->devicePixelRatio() : 1.0;
    painter.save();
    const int w = m_staticPanel.normal.width();
    const int h = m_staticPanel.normal.height();
    painter.fillRect(QRect(0, h, size.width(), size.height() - h), kBaseColour);
    // Each picture is drawn over its own size in pixels, whatever its
    // resolution; at a fractional ratio that may be a fraction of a device
    // pixel off, hence the smoothing.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!m_staticPanel.normal.isNull())
        painter.drawImage(QRect(0, 0, w, h), m_staticPanel.At(ratio));
    const QImage tile = m_stretchPanel.At(ratio);
    const int tileWidth = m_stretchPanel.normal.width();
    if (!tile.isNull() && h > 0)
        for (int x = w; x < size.width(); x += tileWidth)
            painter.drawImage(QRect(x, 0, tileWidth, h), tile);
    painter.fillRect(m_panelRect, kPanelColour);
    const QRect r = m_panelRect;
    painter.setPen(kPanelDark);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(kPanelLight);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
    painter.restore();
}

const QPixmap& MainWindow::Skin() {
    const qreal ratio = devicePixelRatioF();
    if (!m_skin.isNull() && m_skinSize == size() && m_skinRatio == ratio)
        return m_skin;
    // Composed off screen in device pixels, so the skinned buttons can take
    // their background from exactly what the window shows.
    QImage skin(QSize(qCeil(width() * ratio), qCeil(height() * ratio)), QImage::Format_RGB32);
    skin.setDevicePixelRatio(ratio);
    {
        QPainter composer(&skin);
        PaintSkin(composer, size());
    }
    m_skin = QPixmap::fromImage(skin);
    m_skinSize = size();
    m_skinRatio = ratio;
    CaptureButtonBackgrounds(skin);
    return m_skin;
}

void MainWindow::paintEvent(QPaintEvent*) {
    // The skin is drawn only when the window is; a paint is one copy of it.
    const QPixmap& skin = Skin();
    QPainter painter(this);
    painter.drawPixmap(QPoint(0, 0), skin);
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    // A press on a free part of the skin moves the window, as a caption bar
    // would.
    if (event->button() != Qt::LeftButton)
        return QDialog::mousePressEvent(event);
    if (windowHandle() != nullptr && windowHandle()->startSystemMove())
        return;
    m_dragging = true;
    m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging)
        move(event->globalPosition().toPoint() - m_dragOffset);
    QDialog::mouseMoveEvent(event);
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
    m_dragging = false;
    QDialog::mouseReleaseEvent(event);
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
    // Held off, as the buttons are, while a command runs.
    if (!m_heldCommands.empty())
        return;
    // The window has no caption bar, so its menu opens on the skin.
    QMenu menu(this);
    menu.addAction(tr("&About Quorvane..."), this, &MainWindow::ShowAbout);
    menu.addSeparator();
    menu.addAction(m_readWindowsAction);
    menu.addAction(m_readDiskImageAction);
    if (m_windows != nullptr)
        menu.addAction(m_readWineAction);
    menu.addSeparator();
    menu.addAction(m_exportAction);
    menu.addSeparator();
    menu.addAction(tr("Close"), this, &MainWindow::reject);
    menu.exec(event->globalPos());
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // While a command runs, the window's keys (the menu, Help, Escape and
    // Enter) wait with its buttons.
    if (!m_heldCommands.empty())
        return;
    if (event->key() == Qt::Key_F1) {
        OnHelp();
        return;
    }
    QDialog::keyPressEvent(event);
}

void MainWindow::OnChangeFolder() {
    // The browser opens where the backups go now, or the nearest folder
    // above it that exists.
    QString start = QString::fromStdString(m_backupFolder);
    while (!start.isEmpty() && !QFileInfo(start).isDir() && start != QLatin1String("/"))
        start = QFileInfo(start).path();
    if (start.isEmpty() || start == QLatin1String("/"))
        start = QString::fromStdString(m_folders.desktopFolder);
    const QString chosen = FolderDialog::Choose(
        this, tr("Please select a folder to backup the MSN Content Packs."), start);
    if (chosen.isEmpty())
        return;
    m_backupFolder = chosen.toStdString();
    m_folderEdit->setText(chosen);
    MakeFolders(m_backupFolder);
    m_settings.SetBackupFolder(m_backupFolder);
}

void MainWindow::OnOpenFolder() {
    Open(QUrl::fromLocalFile(QString::fromStdString(m_backupFolder)));
}

void MainWindow::Open(const QUrl& url) {
    if (QDesktopServices::openUrl(url))
        return;
    // Without a program for it the desktop opens nothing and says nothing.
    MessageBox::Show(this, tr("Quorvane could not open %1: no program to open it was found. "
                              "xdg-open (in the package xdg-utils) opens folders and pages with "
                              "the desktop's own programs.")
                               .arg(url.toDisplayString(QUrl::PreferLocalFile)));
}

QUrl MainWindow::ManualUrl(const char* section) const {
    QUrl url =
        QUrl::fromLocalFile(QString::fromStdString(JoinPath(m_dataFolder, "help/index.html")));
    if (section != nullptr)
        url.setFragment(QString::fromUtf8(section));
    return url;
}

void MainWindow::OnHelp() {
    Open(ManualUrl(nullptr));
}

void MainWindow::OnGetMore() {
    Open(ManualUrl(kContentSection));
}

void MainWindow::ShowAbout() {
    AboutDialog about(this);
    about.exec();
}

void MainWindow::reject() {
    // Escape, the close button and the menu's Close all end here.
    if (m_closing)
        return;
    m_closing = true;
    m_controller.Cancel();
    m_controller.WaitForIdle();
    SavePassports();
    SaveWindowSettings();
    QDialog::reject();
}

} // namespace quorvane::ui
