#include "ui/main/CDlgMain.h"

#include "app/SettingsStore.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "ui/controls/SkinButton.h"
#include "ui/main/CDlgAbout.h"
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

CDlgMain::CDlgMain(WineAccount wine, std::string dataFolder, SettingsStore settings,
                   QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint), m_wine(std::move(wine)),
      m_dataFolder(std::move(dataFolder)), m_settings(std::move(settings)),
      m_folders(m_clock, m_pause) {
    setObjectName("CDlgMain");
    setWindowTitle(QStringLiteral("Quorvane"));
    const QRect client = FromDialogUnits(0, 0, 502, 353);
    setFixedSize(client.size());
    QFont dialogFont = font();
    // The layout is made for an 8-point dialog font (about 11 pixels in the
    // narrow face it had); 10 pixels of the wider Linux faces fit the same.
    dialogFont.setPixelSize(10);
    setFont(dialogFont);

    m_folders.Locate(m_wine.WindowsFolder());
    m_imgStaticPanel.Load(QString::fromStdString(JoinPath(m_dataFolder, "staticPanel.png")));
    m_imgStretchPanel.Load(QString::fromStdString(JoinPath(m_dataFolder, "strechPanel.png")));
    setWindowIcon(QIcon(QString::fromStdString(JoinPath(m_dataFolder, "icons/quorvane-48.png"))));
    CreateControls();
    LoadSettings();

    connect(&m_controller, &MainController::Progress, this, &CDlgMain::OnProgress);
    connect(&m_controller, &MainController::ListFinished, this, &CDlgMain::OnListFinished);
    connect(&m_controller, &MainController::BackupFinished, this, &CDlgMain::OnBackupFinished);
    connect(&m_controller, &MainController::WindowsOpened, this, &CDlgMain::OnWindowsOpened);

    PlaceWindow();
}

CDlgMain::~CDlgMain() {
    m_controller.Cancel();
    m_controller.WaitForIdle();
}

QPushButton* CDlgMain::AddButton(const char* name, const QString& text, const QRect& units) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(name);
    button->setGeometry(units);
    return button;
}

CSkinButton* CDlgMain::AddSkinButton(const char* name, const QString& text, const QRect& units,
                                     const QString& icon, int iconSize, const QString& tip) {
    auto* button = new CSkinButton(text, this);
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

void CDlgMain::CaptureButtonBackgrounds(const QImage& skin) {
    for (CSkinButton* button : {m_btnClose, m_btnMinimize, m_btnBackupNow, m_btnHelp})
        button->TakeBackground(skin);
}

QLabel* CDlgMain::AddLabel(const QString& text, const QRect& units) {
    auto* label = new QLabel(text, this);
    label->setGeometry(units);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, kLabelText);
    label->setPalette(palette);
    // Labels are part of the skin: a press on them moves the window.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

QLabel* CDlgMain::AddFieldLabel(const QString& text, const QRect& units) {
    const int left = FromDialogUnits(9, 0, 0, 0).left();
    QLabel* label =
        AddLabel(text, QRect(left, units.top() - 2, units.right() - left, units.height() + 4));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QListWidget* CDlgMain::MakeItemList(const char* name, const QRect& geometry, bool several) {
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

void CDlgMain::WireControls(QPushButton* changeFolder, QPushButton* openFolder,
                            QPushButton* getMore) {
    connect(m_btnBackupNow, &QPushButton::clicked, this, &CDlgMain::OnBackupNow);
    connect(m_btnHelp, &QPushButton::clicked, this, &CDlgMain::OnHelp);
    connect(m_btnMinimize, &QPushButton::clicked, this, &CDlgMain::showMinimized);
    connect(m_btnClose, &QPushButton::clicked, this, &CDlgMain::reject);
    connect(changeFolder, &QPushButton::clicked, this, &CDlgMain::OnChangeFolder);
    connect(openFolder, &QPushButton::clicked, this, &CDlgMain::OnOpenFolder);
    connect(m_btnList, &QPushButton::clicked, this, &CDlgMain::OnList);
    connect(m_btnAdd, &QPushButton::clicked, this, &CDlgMain::OnAdd);
    connect(m_btnAddAll, &QPushButton::clicked, this, &CDlgMain::OnAddAll);
    connect(m_btnRemove, &QPushButton::clicked, this, &CDlgMain::OnRemove);
    connect(m_btnRemoveAll, &QPushButton::clicked, this, &CDlgMain::OnRemoveAll);
    connect(m_btnPreview, &QPushButton::clicked, this, &CDlgMain::OnPreview);
    connect(getMore, &QPushButton::clicked, this, &CDlgMain::OnGetMore);

    // Tab order follows the template.
    QWidget* order[] = {m_btnBackupNow, m_btnHelp,  m_btnMinimize,   m_btnClose,  m_editFolder,
                        changeFolder,   openFolder, m_comboPassport, m_comboType, m_listInstalled,
                        m_btnList,      m_btnAdd,   m_btnAddAll,     m_btnRemove, m_btnRemoveAll,
                        m_btnPreview,   getMore,    m_listSelected};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void CDlgMain::CreateControls() {
    m_btnBackupNow =
        AddSkinButton("backupNow", tr("Backup Now"), FromDialogUnits(226, 24, 72, 29),
                      "icons/backup.png", 48, tr("Backup current selected winks now!"));
    // Enter runs Backup Now, unless a button has the focus: then Enter
    // presses that button, as in any dialog.
    m_btnBackupNow->setDefault(true);
    m_btnHelp = AddSkinButton("help", tr("Help"), FromDialogUnits(312, 24, 72, 29),
                              "icons/help.png", 48, tr("Open help manual."));
    m_btnMinimize = AddSkinButton("minimize", QString(), FromDialogUnits(463, 0, 18, 17),
                                  "icons/minimize.png", 24, tr("Minimize current window."));
    m_btnClose = AddSkinButton("close", QString(), FromDialogUnits(483, 0, 18, 17),
                               "icons/close.png", 24, tr("Close current window and exit."));
    m_rectPanel = FromDialogUnits(7, 67, 487, 279);

    QLabel* folderLabel = AddFieldLabel(tr("Backup to Folder:"), FromDialogUnits(13, 78, 57, 8));
    m_editFolder = new QLineEdit(this);
    m_editFolder->setObjectName("backupFolder");
    m_editFolder->setReadOnly(true);
    m_editFolder->setGeometry(FromDialogUnits(71, 76, 307, 14));
    auto* changeFolder =
        AddButton("changeFolder", tr("Change Folder"), FromDialogUnits(380, 76, 52, 14));
    auto* openFolder = AddButton("openFolder", tr("Open Folder"), FromDialogUnits(435, 76, 50, 14));

    AddInstructions();

    QLabel* passportLabel = AddFieldLabel(tr("MSN Passport:"), FromDialogUnits(22, 104, 48, 8));
    m_comboPassport = new QComboBox(this);
    m_comboPassport->setObjectName("passport");
    m_comboPassport->setEditable(true);
    // A passport joins the box when List checks it, not when Enter is hit.
    m_comboPassport->setInsertPolicy(QComboBox::NoInsert);
    m_comboPassport->setGeometry(FromDialogUnits(71, 101, 160, 14));
    // The letter case is part of the account's key: an entry in another
    // case is another account, and neither completion nor leaving the box
    // may put it in place of what was typed.
    m_comboPassport->completer()->setCaseSensitivity(Qt::CaseSensitive);
    // Delete in the open drop-down forgets the entry under the cursor.
    m_comboPassport->view()->installEventFilter(this);

    QLabel* typeLabel = AddFieldLabel(tr("Backup Type:"), FromDialogUnits(26, 127, 44, 8));
    m_comboType = new QComboBox(this);
    m_comboType->setObjectName("backupType");
    m_comboType->setGeometry(FromDialogUnits(71, 124, 160, 14));
    for (int i = 0; i < kCategoryCount; ++i)
        m_comboType->addItem(
            QString::fromStdString(CategoryLabel(static_cast<ContentCategory>(i))));
    m_comboType->setCurrentIndex(0);

    // The list captions may use the width of their lists.
    QLabel* installedLabel =
        AddLabel(tr("Items installed in current MSN account:"), FromDialogUnits(13, 143, 200, 10));
    QLabel* selectedLabel =
        AddLabel(tr("Items selected to be backup:"), FromDialogUnits(288, 143, 200, 10));

    m_listInstalled = MakeItemList("installed", FromDialogUnits(13, 156, 200, 184), false);
    m_listSelected = MakeItemList("selected", FromDialogUnits(288, 156, 200, 184), true);
    // Each label names its field for a screen reader ("labelled by").
    folderLabel->setBuddy(m_editFolder);
    passportLabel->setBuddy(m_comboPassport);
    typeLabel->setBuddy(m_comboType);
    installedLabel->setBuddy(m_listInstalled);
    selectedLabel->setBuddy(m_listSelected);

    m_btnList = AddButton("list", tr("List"), FromDialogUnits(226, 156, 50, 14));
    m_btnAdd = AddButton("add", tr(">"), FromDialogUnits(225, 192, 50, 14));
    m_btnAddAll = AddButton("addAll", tr(">>"), FromDialogUnits(225, 215, 50, 14));
    m_btnRemove = AddButton("remove", tr("<"), FromDialogUnits(225, 238, 50, 14));
    m_btnRemoveAll = AddButton("removeAll", tr("<<"), FromDialogUnits(225, 261, 50, 14));
    m_btnPreview = AddButton("preview", tr("Preview"), FromDialogUnits(225, 299, 50, 14));
    auto* getMore = AddButton("getMore", tr("Get More..."), FromDialogUnits(225, 326, 50, 14));
    for (QPushButton* button : {m_btnAdd, m_btnAddAll, m_btnRemove, m_btnRemoveAll, m_btnPreview})
        button->setEnabled(false);

    WireControls(changeFolder, openFolder, getMore);
    DescribeControls();
    AddMenuKeys();
    // The first thing to do is to type the passport: the window opens there.
    m_comboPassport->setFocus();
}

void CDlgMain::AddMenuKeys() {
    // The window's own actions, so their keys work with the menu closed.
    m_actReadWindows = new QAction(tr("Read from a &Windows folder..."), this);
    m_actReadWindows->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(m_actReadWindows, &QAction::triggered, this, &CDlgMain::OnReadFromWindows);
    m_actReadWine = new QAction(tr("Read from the Wine &prefix"), this);
    m_actReadWine->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    m_actReadWine->setEnabled(false);
    connect(m_actReadWine, &QAction::triggered, this, &CDlgMain::OnReadFromWine);
    addActions({m_actReadWindows, m_actReadWine});
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

void CDlgMain::DescribeControls() {
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
    m_btnMinimize->setAccessibleName(tr("Minimize"));
    m_btnClose->setAccessibleName(tr("Close"));
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
    connect(m_comboType, &QComboBox::currentIndexChanged, this, &CDlgMain::DescribeBackupNow);
    DescribeBackupNow();
}

void CDlgMain::DescribeBackupNow() {
    // Backup Now writes the items of the last List, whatever the type box
    // shows since; before a List, the type it would list.
    const int type = m_controller.HasListing() ? static_cast<int>(m_controller.ListedCategory())
                                               : m_comboType->currentIndex();
    m_btnBackupNow->setAccessibleDescription(
        tr("Back up the items selected to be backed up, of the type %1, into the backup folder.")
            .arg(m_comboType->itemText(type)));
}

void CDlgMain::BringToFront() {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void CDlgMain::SkinPicture::Load(const QString& path) {
    normal.load(path);
    twice.load(TwiceSizePath(path));
    if (twice.size() != normal.size() * 2)
        twice = QImage();
}

QImage CDlgMain::SkinPicture::At(qreal ratio) const {
    if (ratio <= 1 || normal.isNull() || twice.isNull())
        return normal;
    QImage picture = twice;
    const QSize devicePixels(qRound(normal.width() * ratio), qRound(normal.height() * ratio));
    if (picture.size() != devicePixels)
        picture = twice.scaled(devicePixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    picture.setDevicePixelRatio(ratio);
    return picture;
}

void CDlgMain::PaintSkin(QPainter& painter, const QSize& size) const {
    const qreal ratio = painter.device() != nullptr ? painter.device()->devicePixelRatio() : 1.0;
    painter.save();
    const int w = m_imgStaticPanel.normal.width();
    const int h = m_imgStaticPanel.normal.height();
    painter.fillRect(QRect(0, h, size.width(), size.height() - h), kBaseColour);
    // Each picture is drawn over its own size in pixels, whatever its
    // resolution; at a fractional ratio that may be a fraction of a device
    // pixel off, hence the smoothing.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!m_imgStaticPanel.normal.isNull())
        painter.drawImage(QRect(0, 0, w, h), m_imgStaticPanel.At(ratio));
    const QImage tile = m_imgStretchPanel.At(ratio);
    const int tileWidth = m_imgStretchPanel.normal.width();
    if (!tile.isNull() && h > 0)
        for (int x = w; x < size.width(); x += tileWidth)
            painter.drawImage(QRect(x, 0, tileWidth, h), tile);
    painter.fillRect(m_rectPanel, kPanelColour);
    const QRect r = m_rectPanel;
    painter.setPen(kPanelDark);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(kPanelLight);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
    painter.restore();
}

const QPixmap& CDlgMain::Skin() {
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

void CDlgMain::paintEvent(QPaintEvent*) {
    // The skin is drawn only when the window is; a paint is one copy of it.
    const QPixmap& skin = Skin();
    QPainter painter(this);
    painter.drawPixmap(QPoint(0, 0), skin);
}

void CDlgMain::mousePressEvent(QMouseEvent* event) {
    // A press on a free part of the skin moves the window, as a caption bar
    // would.
    if (event->button() != Qt::LeftButton)
        return QDialog::mousePressEvent(event);
    if (windowHandle() != nullptr && windowHandle()->startSystemMove())
        return;
    m_dragging = true;
    m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void CDlgMain::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging)
        move(event->globalPosition().toPoint() - m_dragOffset);
    QDialog::mouseMoveEvent(event);
}

void CDlgMain::mouseReleaseEvent(QMouseEvent* event) {
    m_dragging = false;
    QDialog::mouseReleaseEvent(event);
}

void CDlgMain::contextMenuEvent(QContextMenuEvent* event) {
    // Held off, as the buttons are, while a command runs.
    if (!m_heldCommands.empty())
        return;
    // The window has no caption bar, so its menu opens on the skin.
    QMenu menu(this);
    menu.addAction(tr("&About Quorvane..."), this, &CDlgMain::ShowAbout);
    menu.addSeparator();
    menu.addAction(m_actReadWindows);
    if (m_windows != nullptr)
        menu.addAction(m_actReadWine);
    menu.addSeparator();
    menu.addAction(tr("Close"), this, &CDlgMain::reject);
    menu.exec(event->globalPos());
}

void CDlgMain::keyPressEvent(QKeyEvent* event) {
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

void CDlgMain::OnChangeFolder() {
    // The browser opens where the backups go now, or the nearest folder
    // above it that exists.
    QString start = QString::fromStdString(m_strBackupFolder);
    while (!start.isEmpty() && !QFileInfo(start).isDir() && start != QLatin1String("/"))
        start = QFileInfo(start).path();
    if (start.isEmpty() || start == QLatin1String("/"))
        start = QString::fromStdString(m_folders.desktopFolder);
    const QString chosen = FolderDialog::Choose(
        this, tr("Please select a folder to backup the MSN Content Packs."), start);
    if (chosen.isEmpty())
        return;
    m_strBackupFolder = chosen.toStdString();
    m_editFolder->setText(chosen);
    MakeFolders(m_strBackupFolder);
    m_settings.SetBackupFolder(m_strBackupFolder);
}

void CDlgMain::OnOpenFolder() {
    Open(QUrl::fromLocalFile(QString::fromStdString(m_strBackupFolder)));
}

void CDlgMain::Open(const QUrl& url) {
    if (QDesktopServices::openUrl(url))
        return;
    // Without a program for it the desktop opens nothing and says nothing.
    MessageBox::Show(this, tr("Quorvane could not open %1: no program to open it was found. "
                              "xdg-open (in the package xdg-utils) opens folders and pages with "
                              "the desktop's own programs.")
                               .arg(url.toDisplayString(QUrl::PreferLocalFile)));
}

QUrl CDlgMain::ManualUrl(const char* section) const {
    QUrl url =
        QUrl::fromLocalFile(QString::fromStdString(JoinPath(m_dataFolder, "help/index.html")));
    if (section != nullptr)
        url.setFragment(QString::fromUtf8(section));
    return url;
}

void CDlgMain::OnHelp() {
    Open(ManualUrl(nullptr));
}

void CDlgMain::OnGetMore() {
    Open(ManualUrl(kContentSection));
}

void CDlgMain::ShowAbout() {
    CDlgAbout about(this);
    about.exec();
}

void CDlgMain::reject() {
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
