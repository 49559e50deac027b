#include "uDataModule.h"
#include "uFrmMain.h"
#include "uMessages.h"
#include "uSingleInstance.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(ApplicationTitle);
    QApplication::setWindowIcon(QIcon(":/pictures/velmo.svg"));
    // Only closing the main window ends VELMO: a box or dialog closed while the window waits
    // in the tray must not.
    QApplication::setQuitOnLastWindowClosed(false);

    TSingleInstanceLock lock;
    if (!lock.Acquire())
        return 0;

    Tdm dataModule;
    dm = &dataModule;
    Guarded([] { dm->DataModuleCreate(); });

    int exitCode = 0;
    {
        TfrmMain frmMain;
        if (frmMain.ShowMainForm())
            frmMain.show();
        exitCode = QApplication::exec();
    }
    dm = nullptr;
    return exitCode;
}
