#pragma once

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QSystemTrayIcon>

// The main window: menus, tray icon and the user's view of the catalogue.
class TfrmMain : public QMainWindow {
    Q_OBJECT

public:
    explicit TfrmMain(QWidget* parent = nullptr);
    ~TfrmMain() override;

    // Whether the window shows at start: not when min is exactly "1" and a tray can hold it.
    static bool ShouldShowAtStart(const QString& minValue, bool trayAvailable);
    bool ShowMainForm() const { return m_showMainForm; }

    QString GetTitle() const;

    QAction* ActionShowMain = nullptr;
    QAction* ActionOption = nullptr;
    QAction* ActionAbout = nullptr;

    QMenu* PopupMenu1 = nullptr; // the tray menu
    QSystemTrayIcon* CoolTrayIcon1 = nullptr;

public slots:
    void ActionShowMainExecute();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateActions();
    void CreateMainMenu();
    void CreateTray();
    void CoolTrayIcon1Startup(bool& showMainForm);
    void FormCreate();
    void FormDestroy();
    void CoolTrayIcon1Click(QSystemTrayIcon::ActivationReason reason);

    bool m_showMainForm = true;
};
