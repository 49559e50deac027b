#include "uFrmMain.h"

#include "uEnvironment.h"
#include "uMachineSettings.h"
#include "uMessages.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QTimer>

namespace {

QString DriveName(const QString& drive)
{
    if (drive == "/")
        return drive;
    return drive.section('/', -1);
}

} // namespace

TfrmMain::TfrmMain(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName("frmMain");
    resize(800, 600);
    CreateActions();
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

QString TfrmMain::GetTitle() const
{
    return "velmo portable drive:" + DriveName(Env->GetRemoveDrive());
}

void TfrmMain::CreateActions()
{
    ActionShowMain = new QAction("顯示主視窗", this);
    ActionShowMain->setObjectName("ActionShowMain");
    connect(ActionShowMain, &QAction::triggered, this, &TfrmMain::ActionShowMainExecute);

    ActionOption = new QAction("設定", this);
    ActionOption->setObjectName("ActionOption");

    ActionAbout = new QAction("關於", this);
    ActionAbout->setObjectName("ActionAbout");
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
    PopupMenu1->addSeparator()->setObjectName("N6");
    PopupMenu1->addAction(ActionOption);
    PopupMenu1->addAction("離開", this, &QWidget::close)->setObjectName("N2");

    CoolTrayIcon1 = new QSystemTrayIcon(this);
    CoolTrayIcon1->setObjectName("CoolTrayIcon1");
    CoolTrayIcon1->setToolTip(ApplicationTitle);
    CoolTrayIcon1->setContextMenu(PopupMenu1);
    connect(CoolTrayIcon1, &QSystemTrayIcon::activated, this, &TfrmMain::CoolTrayIcon1Click);
}

void TfrmMain::CoolTrayIcon1Startup(bool& showMainForm)
{
    showMainForm = ShouldShowAtStart(TMachineSettings().ReadMin(),
                                     QSystemTrayIcon::isSystemTrayAvailable());
}

void TfrmMain::FormCreate()
{
    CoolTrayIcon1->setIcon(QApplication::windowIcon());
    CoolTrayIcon1->show();
    Env = new TEnvironment;
    setWindowTitle(GetTitle());
}

void TfrmMain::FormDestroy()
{
    delete Env;
    Env = nullptr;
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

void TfrmMain::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // Minimize to the tray, but only where a tray can bring the window back.
    if (event->type() == QEvent::WindowStateChange && isMinimized()
        && QSystemTrayIcon::isSystemTrayAvailable())
        QTimer::singleShot(0, this, &QWidget::hide);
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    event->accept();
    QApplication::quit();
}
