#include "uFrmMain.h"

#include "uCategoryTabBar.h"
#include "uCommon.h"
#include "uDataModule.h"
#include "uEnvironment.h"
#include "uMachineSettings.h"
#include "uMessages.h"
#include "udMenuItem.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScopeGuard>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

namespace {

constexpr int FixedImageCount = 4; // the file-kind pictures at the head of ImageList2

QString DriveName(const QString& drive)
{
    if (drive == "/")
        return drive;
    return drive.section('/', -1);
}

// Menus and tabs would take "&" for an accelerator mark; names show as they are.
QString Caption(QString text)
{
    return text.replace('&', "&&");
}

// From the last "." of the file-name part, dot included; empty when there is none.
QString ExtensionOf(const QString& path)
{
    const QString name = path.section('/', -1);
    const qsizetype dot = name.lastIndexOf('.');
    return dot < 0 ? QString() : name.mid(dot);
}

bool IsExtension(const QString& path, const char* extension)
{
    return ExtensionOf(path).compare(QLatin1String(extension), Qt::CaseInsensitive) == 0;
}

// What picks a shortcut's picture. The values of the fixed kinds are their places in
// ImageList2; a program shows its own icon.
enum class TFileKind { Missing = 0, Batch = 1, Command = 2, Other = 3, Program };

// Missing when no file is at the expanded path; otherwise by the extension of the given path.
TFileKind FileKindOf(bool exists, const QString& path)
{
    if (!exists)
        return TFileKind::Missing;
    if (IsExtension(path, ".exe"))
        return TFileKind::Program;
    if (IsExtension(path, ".bat"))
        return TFileKind::Batch;
    if (IsExtension(path, ".com"))
        return TFileKind::Command;
    return TFileKind::Other;
}

} // namespace

TfrmMain::TfrmMain(QWidget* parent)
    : QMainWindow(parent)
    , ImageListP32(TImageList::FromResources("toolbar", Tdm::ToolbarPictureCount, 2))
{
    setObjectName("frmMain");
    resize(800, 600);
    CreateActions();
    CreateToolbar();
    CreateCentralArea();
    CreateStatusBar();
    CreateMainMenu();
    CreateTray();
    CoolTrayIcon1Startup(m_showMainForm);
    Guarded([this] { FormCreate(); });
}

TfrmMain::~TfrmMain()
{
    FormDestroy();
}

bool TfrmMain::ShouldShowAtStart(const QString& minValue, bool trayAvailable)
{
    return minValue != "1" || !trayAvailable;
}

QAction* TfrmMain::CreateAction(const char* name, const QString& caption, const QString& hint,
                                int image)
{
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    action->setToolTip(hint);
    if (image >= 0)
        action->setIcon(ImageListP32.Icon(image));
    return action;
}

void TfrmMain::CreateActions()
{
    ActionNewGroup = CreateAction("ActionNewGroup", "新增", "新增分類", 0);
    ActionDelGroup = CreateAction("ActionDelGroup", "移除", "移除現用的選取分類", 1);
    ActionAddSc = CreateAction("ActionAddSc", "新增", "新增快速模式", 3);
    ActionUpdateSc = CreateAction("ActionUpdateSc", "修改", "修改快速模式", 4);
    ActionDelSc = CreateAction("ActionDelSc", "移除", "移除快速模式，可以多選", 5);
    ActionDeltree = CreateAction("ActionDeltree", "物理移除",
                                 "移除快速模式，並且移除套用程式所在目錄下所有檔案\n慎用該功能", 8);
    ActionSearchSc =
        CreateAction("ActionSearchSc", "尋找", "搜尋指定目錄下的可執行檔案，批次建立快速模式", 7);
    ActionRefresh = CreateAction("ActionRefresh", "重整", "重整現用的選取的分類", 6);
    ActionOption = CreateAction("ActionOption", "設定", "設定", 2);
    ActionAbout = CreateAction("ActionAbout", "關於", "關於", 9);
    ActionShowMain = CreateAction("ActionShowMain", "顯示主視窗", "", -1);
    ActionOpenFolder = CreateAction("ActionOpenFolder", "開啟資料夾", "", 10);

    connect(ActionShowMain, &QAction::triggered, this, &TfrmMain::ActionShowMainExecute);
    ConnectCommand(ActionRefresh, &TfrmMain::ActionRefreshExecute);
    ConnectCommand(ActionNewGroup, &TfrmMain::ActionNewGroupExecute);
    ConnectCommand(ActionDelGroup, &TfrmMain::ActionDelGroupExecute);
    ConnectCommand(ActionAddSc, &TfrmMain::ActionAddScExecute);
    ConnectCommand(ActionUpdateSc, &TfrmMain::ActionUpdateScExecute);
    ConnectCommand(ActionDelSc, &TfrmMain::ActionDelScExecute);
    ConnectCommand(ActionDeltree, &TfrmMain::ActionDeltreeExecute);
    ConnectCommand(ActionOpenFolder, &TfrmMain::ActionOpenFolderExecute);
    ConnectCommand(ActionSearchSc, &TfrmMain::ActionSearchScExecute);
    ConnectCommand(ActionOption, &TfrmMain::ActionOptionExecute);
    ConnectCommand(ActionAbout, &TfrmMain::ActionAboutExecute);
}

void TfrmMain::ConnectCommand(QAction* action, void (TfrmMain::*command)())
{
    connect(action, &QAction::triggered, this,
            [this, command] { Guarded([this, command] { (this->*command)(); }); });
}

void TfrmMain::CreateToolbar()
{
    RzToolbar4 = addToolBar("RzToolbar4");
    RzToolbar4->setObjectName("RzToolbar4");
    RzToolbar4->setMovable(false);
    RzToolbar4->setFloatable(false);
    RzToolbar4->setIconSize(QSize(32, 32));
    RzToolbar4->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    RzToolbar4->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);

    const auto addButton = [this](QAction* action, const char* name, int width) {
        auto* button = new QToolButton(RzToolbar4);
        button->setObjectName(name);
        button->setDefaultAction(action);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIconSize(QSize(32, 32));
        button->setFixedWidth(width);
        RzToolbar4->addWidget(button);
    };
    addButton(ActionNewGroup, "RzToolButton7", 68);
    addButton(ActionDelGroup, "RzToolButtonDelShortCutGroup", 68);
    RzToolbar4->addSeparator()->setObjectName("RzSpacer1");
    addButton(ActionAddSc, "RzToolButtonNew", 68);
    addButton(ActionUpdateSc, "RzToolButtonEdit", 68);
    addButton(ActionDelSc, "RzToolButtonDel", 68);
    addButton(ActionDeltree, "RzToolButton5", 92);
    addButton(ActionSearchSc, "RzToolButton3", 68);
    RzToolbar4->addSeparator()->setObjectName("RzSpacer2");
    addButton(ActionRefresh, "RzToolButton2", 68);
    addButton(ActionOption, "RzToolButton1", 68);
    addButton(ActionAbout, "RzToolButton4", 68);
}

void TfrmMain::CreateCentralArea()
{
    auto* area = new QWidget(this);
    auto* layout = new QHBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    RzTabControl1 = new TCategoryTabBar(area);
    RzTabControl1->setObjectName("RzTabControl1");
    connect(RzTabControl1, &TCategoryTabBar::TabClick, this,
            [this] { Guarded([this] { RzTabControl1TabClick(); }); });
    connect(RzTabControl1, &TCategoryTabBar::TabOrderChange, this,
            [this] { Guarded([this] { RzTabControl1TabOrderChange(); }); });
    layout->addWidget(RzTabControl1, 0, Qt::AlignTop);

    auto* panel = new QFrame(area);
    panel->setObjectName("RzPanel1");
    panel->setFrameShape(QFrame::StyledPanel);
    auto* panelLayout = new QHBoxLayout(panel);
    panelLayout->setContentsMargins(3, 3, 3, 3);

    RzListView1 = new QListWidget(panel);
    RzListView1->setObjectName("RzListView1");
    RzListView1->setViewMode(QListView::IconMode);
    RzListView1->setIconSize(QSize(32, 32));
    RzListView1->setGridSize(QSize(96, 72));
    RzListView1->setMovement(QListView::Static);
    RzListView1->setResizeMode(QListView::Adjust);
    RzListView1->setWordWrap(true);
    RzListView1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    RzListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    RzListView1->setMouseTracking(true);
    RzListView1->viewport()->installEventFilter(this);
    RzListView1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(RzListView1, &QListWidget::itemDoubleClicked, this,
            [this] { Guarded([this] { RzListView1DblClick(); }); });

    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName("PopupMenu2");
    PopupMenu2->addAction(ActionOpenFolder);
    PopupMenu2->addSeparator();
    PopupMenu2->addActions({ActionAddSc, ActionUpdateSc, ActionDelSc});
    connect(RzListView1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& position) {
                PopupMenu2->popup(RzListView1->viewport()->mapToGlobal(position));
            });
    panelLayout->addWidget(RzListView1);
    layout->addWidget(panel, 1);
    setCentralWidget(area);
}

void TfrmMain::CreateStatusBar()
{
    auto* bar = new QStatusBar(this);
    bar->setObjectName("RzStatusBar1");
    bar->setFixedHeight(19);
    bar->setSizeGripEnabled(false);
    RzStatusPane1 = new QLabel(bar);
    RzStatusPane1->setObjectName("RzStatusPane1");
    RzStatusPane1->setTextFormat(Qt::PlainText);
    bar->addWidget(RzStatusPane1, 1);
    setStatusBar(bar);
}

void TfrmMain::CreateMainMenu()
{
    QMenu* file1 = menuBar()->addMenu("檔案");
    file1->setObjectName("File1");
    QAction* exit1 = file1->addAction("離開", this, &QWidget::close);
    exit1->setObjectName("Exit1");

    QMenu* help1 = menuBar()->addMenu("說明");
    help1->setObjectName("Help1");
    help1->addAction(ActionAbout);
}

void TfrmMain::CreateTray()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    PopupMenu1->setSeparatorsCollapsible(true);
    PopupMenu1->setToolTipsVisible(true);
    PopupMenu1->addSeparator()->setObjectName("N6");
    PopupMenu1->addAction(ActionOption);
    PopupMenu1->addAction("離開", this, &QWidget::close)->setObjectName("N2");
    connect(PopupMenu1, &QMenu::aboutToShow, this,
            [this] { Guarded([this] { BuildTrayMenu(); }); });

    CoolTrayIcon1 = new QSystemTrayIcon(this);
    CoolTrayIcon1->setObjectName("CoolTrayIcon1");
    CoolTrayIcon1->setToolTip(ApplicationTitle);
    CoolTrayIcon1->setContextMenu(PopupMenu1);
    connect(CoolTrayIcon1, &QSystemTrayIcon::activated, this, &TfrmMain::CoolTrayIcon1Click);
}

void TfrmMain::CoolTrayIcon1Startup(bool& showMainForm)
{
    showMainForm =
        ShouldShowAtStart(TMachineSettings().ReadMin(), QSystemTrayIcon::isSystemTrayAvailable());
}

void TfrmMain::FormCreate()
{
    CoolTrayIcon1->setIcon(QApplication::windowIcon());
    CoolTrayIcon1->show();
    Env = new TEnvironment;
    setWindowTitle(GetTitle());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    LoadGroups();
}

void TfrmMain::FormDestroy()
{
    delete Env;
    Env = nullptr;
}

QString TfrmMain::GetCurrentGroupName() const
{
    const int selected = RzTabControl1->SelectedIndex();
    return selected < 0 ? QString() : RzTabControl1->tabData(selected).toString();
}

void TfrmMain::ShowStatus(const QString& text)
{
    RzStatusPane1->setText(text);
}

QString TfrmMain::GetTitle() const
{
    return "velmo portable drive:" + DriveName(Env->GetRemoveDrive());
}

void TfrmMain::LoadGroups()
{
    RzTabControl1->ClearTabs();
    for (const TQShortCutGroup& group : dm->GetShortCutGroups()) {
        const int index = RzTabControl1->addTab(Caption(group.GroupName));
        RzTabControl1->setTabData(index, group.GroupName);
        RzTabControl1->setTabIcon(index, dm->ImageList1.IconOrNone(group.ImageIndex));
    }
}

void TfrmMain::LoadShortCuts(const QString& groupName)
{
    if (groupName.isEmpty())
        return;
    RzListView1->clear();
    m_shownShortCuts.clear();
    while (dm->ImageList2.Count() > FixedImageCount)
        dm->ImageList2.Delete(FixedImageCount);

    m_shownShortCuts = dm->GetShortCuts(groupName);
    for (qsizetype i = 0; i < m_shownShortCuts.size(); ++i) {
        const TQShortCut& shortCut = m_shownShortCuts[i];
        auto* item = new QListWidgetItem(shortCut.SCText);
        item->setIcon(dm->ImageList2.Icon(ImageIndexFor(shortCut)));
        item->setData(Qt::UserRole, i);
        RzListView1->addItem(item);
    }
}

int TfrmMain::ImageIndexFor(const TQShortCut& shortCut)
{
    const TFileKind kind = FileKindOf(shortCut.TargetExists(), shortCut.FileName);
    if (kind != TFileKind::Program)
        return static_cast<int>(kind);
    dm->ImageList2.Add(QIcon(QPixmap::fromImage(shortCut.Icon)));
    return dm->ImageList2.Count() - 1;
}

void TfrmMain::RefreshShortCuts()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restoreCursor = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
    LoadShortCuts(GetCurrentGroupName());
}

QList<QListWidgetItem*> TfrmMain::SelectedItems() const
{
    QList<QListWidgetItem*> selected;
    for (int row = 0; row < RzListView1->count(); ++row) {
        if (RzListView1->item(row)->isSelected())
            selected.append(RzListView1->item(row));
    }
    return selected;
}

const TQShortCut& TfrmMain::ShortCutOf(const QListWidgetItem* item) const
{
    return m_shownShortCuts.at(item->data(Qt::UserRole).toInt());
}

void TfrmMain::RzTabControl1TabClick()
{
    RefreshShortCuts();
}

void TfrmMain::RzTabControl1TabOrderChange()
{
    for (int i = 0; i < RzTabControl1->count(); ++i)
        dm->SetShortCutGroupIndex(RzTabControl1->tabData(i).toString(), i + 1);
    BuildTrayMenu();
}

void TfrmMain::RzListView1MouseMove(const QPoint& position)
{
    const QListWidgetItem* item = RzListView1->itemAt(position);
    if (!item) {
        ShowStatus({});
        return;
    }
    const TQShortCut& shortCut = ShortCutOf(item);
    const QString path = Env->ExpandPath(shortCut.FileName);
    if (QFileInfo(path).isFile())
        ShowStatus(path + ' ' + Env->ExpandPath(shortCut.Parameters));
    else
        ShowStatus(path + "不存在!");
}

void TfrmMain::RzListView1DblClick()
{
    const QList<QListWidgetItem*> selected = SelectedItems();
    if (selected.isEmpty())
        return;
    const TQShortCut& shortCut = ShortCutOf(selected.first());
    if (QFileInfo(Env->ExpandPath(shortCut.FileName)).isFile())
        RunProgram(shortCut.FileName, shortCut.Parameters);
}

void TfrmMain::ActionRefreshExecute()
{
    RefreshShortCuts();
}

void TfrmMain::ClearTrayMenu()
{
    for (QObject* item : std::as_const(m_trayItems))
        delete item;
    m_trayItems.clear();
}

void TfrmMain::BuildTrayMenu()
{
    ClearTrayMenu();
    QAction* first = PopupMenu1->actions().constFirst();

    auto* showMain = new QAction(Caption(GetTitle()), PopupMenu1);
    showMain->setToolTip("启动VELMO主界面");
    connect(showMain, &QAction::triggered, ActionShowMain, &QAction::trigger);
    auto* separator = new QAction(PopupMenu1);
    separator->setSeparator(true);
    separator->setEnabled(false);
    m_trayItems = {showMain, separator};
    PopupMenu1->insertActions(first, {showMain, separator});

    for (const TQShortCutGroup& group : dm->GetShortCutGroups()) {
        const QList<TQShortCut> shortCuts = dm->GetShortCuts(group.GroupName);
        const QIcon picture = dm->ImageList1.IconOrNone(group.ImageIndex);
        if (shortCuts.isEmpty()) {
            auto* item = new QAction(picture, Caption(group.GroupName), PopupMenu1);
            m_trayItems.append(item);
            PopupMenu1->insertAction(first, item);
            continue;
        }
        auto* submenu = new QMenu(Caption(group.GroupName), PopupMenu1);
        submenu->setIcon(picture);
        for (const TQShortCut& shortCut : shortCuts) {
            auto* item = new TdSubMenuItem(Caption(shortCut.SCText), shortCut.FileName,
                                           shortCut.Parameters, submenu);
            item->setIcon(QIcon(TrayBitmapFor(shortCut)));
            submenu->addAction(item);
        }
        m_trayItems.append(submenu);
        PopupMenu1->insertMenu(first, submenu);
    }
}

QPixmap TfrmMain::TrayBitmapFor(const TQShortCut& shortCut) const
{
    const QString path = Env->ExpandPath(shortCut.FileName);
    switch (FileKindOf(QFileInfo(path).isFile(), path)) {
    case TFileKind::Missing:
        return dm->MissingBitmap;
    case TFileKind::Batch:
        return dm->BatBitmap;
    case TFileKind::Command:
        return dm->ComBitmap;
    case TFileKind::Other:
        return dm->OtherBitmap;
    case TFileKind::Program:
        break;
    }
    return QPixmap::fromImage(shortCut.Icon);
}

void TfrmMain::CoolTrayIcon1Click(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::Trigger)
        ActionShowMainExecute();
}

void TfrmMain::ActionShowMainExecute()
{
    showNormal();
    raise();
    activateWindow();
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == RzListView1->viewport() && event->type() == QEvent::MouseMove) {
        const QPoint position = static_cast<QMouseEvent*>(event)->position().toPoint();
        Guarded([&] { RzListView1MouseMove(position); });
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // Minimize to the tray, but only where a tray can bring the window back.
    if (event->type() == QEvent::WindowStateChange && isMinimized() &&
        QSystemTrayIcon::isSystemTrayAvailable())
        QTimer::singleShot(0, this, &QWidget::hide);
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    event->accept();
    QApplication::quit();
}
