#pragma once

#include "uImageList.h"
#include "uShortCut.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QToolBar>

class TCategoryTabBar;

// The main window: the category tabs, the shortcut list, the toolbar, menus and tray icon.
// It reaches the catalogue only through dm's operations.
class TfrmMain : public QMainWindow {
    Q_OBJECT

public:
    explicit TfrmMain(QWidget* parent = nullptr);
    ~TfrmMain() override;

    // Whether the window shows at start: not when min is exactly "1" and a tray can hold it.
    static bool ShouldShowAtStart(const QString& minValue, bool trayAvailable);
    bool ShowMainForm() const { return m_showMainForm; }

    QString GetCurrentGroupName() const;
    void ShowStatus(const QString& text);
    QString GetTitle() const;
    void LoadGroups();
    void LoadShortCuts(const QString& groupName);
    void RefreshShortCuts();
    void BuildTrayMenu();

    // The selected items in list order; the first is the one with the lowest index.
    QList<QListWidgetItem*> SelectedItems() const;
    // The record shown by a list item.
    const TQShortCut& ShortCutOf(const QListWidgetItem* item) const;

    TImageList ImageListP32; // the actions' images, drawn at 32 and 16 pixels

    QAction* ActionNewGroup = nullptr;
    QAction* ActionDelGroup = nullptr;
    QAction* ActionAddSc = nullptr;
    QAction* ActionUpdateSc = nullptr;
    QAction* ActionDelSc = nullptr;
    QAction* ActionDeltree = nullptr;
    QAction* ActionSearchSc = nullptr;
    QAction* ActionRefresh = nullptr;
    QAction* ActionOption = nullptr;
    QAction* ActionAbout = nullptr;
    QAction* ActionShowMain = nullptr;
    QAction* ActionOpenFolder = nullptr;

    QToolBar* RzToolbar4 = nullptr;
    TCategoryTabBar* RzTabControl1 = nullptr;
    QListWidget* RzListView1 = nullptr;
    QLabel* RzStatusPane1 = nullptr;
    QMenu* PopupMenu1 = nullptr; // the tray menu
    QMenu* PopupMenu2 = nullptr; // the list's context menu
    QSystemTrayIcon* CoolTrayIcon1 = nullptr;

public slots:
    void ActionShowMainExecute();
    void ActionRefreshExecute();
    void ActionNewGroupExecute();
    void ActionDelGroupExecute();
    void ActionAddScExecute();
    void ActionUpdateScExecute();
    void ActionDelScExecute();
    void ActionDeltreeExecute();
    void ActionOpenFolderExecute();
    void ActionSearchScExecute();
    void ActionOptionExecute();
    void ActionAboutExecute();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* CreateAction(const char* name, const QString& caption, const QString& hint, int image);
    void CreateActions();
    void ConnectCommand(QAction* action, void (TfrmMain::*command)());
    void CreateToolbar();
    void CreateCentralArea();
    void CreateStatusBar();
    void CreateMainMenu();
    void CreateTray();
    void CoolTrayIcon1Startup(bool& showMainForm);
    void FormCreate();
    void FormDestroy();
    void CoolTrayIcon1Click(QSystemTrayIcon::ActivationReason reason);
    void RzTabControl1TabClick();
    void RzTabControl1TabOrderChange();
    void RzListView1MouseMove(const QPoint& position);
    void RzListView1DblClick();
    int ImageIndexFor(const TQShortCut& shortCut);
    QPixmap TrayBitmapFor(const TQShortCut& shortCut) const;
    void ClearTrayMenu();
    void ImportFoundFiles(const QStringList& found);

    bool m_showMainForm = true;
    QList<TQShortCut> m_shownShortCuts; // the records of the list's items, by item data
    QList<QObject*> m_trayItems;        // what the last tray menu rebuild made
};
