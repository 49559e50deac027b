// The main window's commands that change the catalogue or act on a shown program.
#include "About.h"
#include "uCommon.h"
#include "uDataModule.h"
#include "uEnvironment.h"
#include "uFrmCrShortCutG.h"
#include "uFrmMain.h"
#include "uFrmOption.h"
#include "uFrmSearch.h"
#include "uFrmShortcut.h"
#include "uMessages.h"
#include "uSearch.h"

#include <QFileInfo>
#include <QGuiApplication>

namespace {

// Everything up to and including the last "/", of the expanded path.
QString FolderOf(const QString& storedPath)
{
    const QString path = Env->ExpandPath(storedPath);
    return path.left(path.lastIndexOf('/') + 1);
}

bool DeleteTreeUnderHourglass(const QString& folder)
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool deleted = DeleteTree(folder);
    QGuiApplication::restoreOverrideCursor();
    return deleted;
}

} // namespace

void TfrmMain::ActionNewGroupExecute()
{
    {
        TfrmCrShortCutG dialog;
        dialog.exec();
    }
    LoadGroups();
    BuildTrayMenu();
}

void TfrmMain::ActionDelGroupExecute()
{
    const QString name = GetCurrentGroupName();
    if (name.isEmpty())
        return;
    if (!ShowMessage(TMessageKind::Confirmation, "确定要删除分类[" + name + "]"))
        return;
    dm->DeleteShortCutGroup(name);
    LoadGroups();
    BuildTrayMenu();
}

void TfrmMain::ActionAddScExecute()
{
    {
        TfrmShortCut dialog;
        dialog.SetMode(0);
        dialog.SelectGroup(GetCurrentGroupName());
        if (dialog.exec() == QDialog::Accepted) {
            const TQShortCut shortCut = dialog.GetShortCut();
            if (dm->ShortCutExists(shortCut.FileName))
                ShowMessage(TMessageKind::Warning, "已经存在的应用程序！");
            else if (!shortCut.IsEmpty())
                dm->AddShortCut(shortCut);
        }
    }
    RefreshShortCuts();
    BuildTrayMenu();
}

void TfrmMain::ActionUpdateScExecute()
{
    const QList<QListWidgetItem*> selected = SelectedItems();
    if (selected.isEmpty())
        return;
    const TQShortCut& shortCut = ShortCutOf(selected.first());
    const QString oldFileName = shortCut.FileName;
    {
        TfrmShortCut dialog;
        dialog.SetMode(1);
        dialog.SetShortCut(shortCut);
        if (dialog.exec() == QDialog::Accepted)
            dm->UpdateShortCut(oldFileName, dialog.GetShortCut());
    }
    RefreshShortCuts();
    BuildTrayMenu();
}

void TfrmMain::ActionDelScExecute()
{
    const QList<QListWidgetItem*> selected = SelectedItems();
    if (selected.isEmpty())
        return;
    if (ShowMessage(TMessageKind::Confirmation, " 确定删除选中的快速启动项目？")) {
        for (const QListWidgetItem* item : selected)
            dm->DeleteShortCut(ShortCutOf(item));
    }
    RefreshShortCuts();
    BuildTrayMenu();
}

void TfrmMain::ActionDeltreeExecute()
{
    const QList<QListWidgetItem*> selected = SelectedItems();
    if (selected.isEmpty())
        return;
    if (ShowMessage(TMessageKind::Confirmation,
                    " 确定物理删除选中的快速启动项目？物理删除将删除应用程序所在目录所有文件！")) {
        for (const QListWidgetItem* item : selected) {
            const TQShortCut& shortCut = ShortCutOf(item);
            // The catalogue row goes first, whatever the answer about the folder.
            dm->DeleteShortCut(shortCut);
            const QString folder = FolderOf(shortCut.FileName);
            if (ShowMessage(TMessageKind::Confirmation, "确定删除目录" + folder + "?") &&
                !DeleteTreeUnderHourglass(folder))
                ShowMessage(TMessageKind::Error, "删除目录[" + folder + "]失败！");
        }
    }
    RefreshShortCuts();
    BuildTrayMenu();
}

void TfrmMain::ActionOpenFolderExecute()
{
    const QList<QListWidgetItem*> selected = SelectedItems();
    if (selected.isEmpty())
        return;
    const QString folder = FolderOf(ShortCutOf(selected.first()).FileName);
    if (QFileInfo(folder).isDir())
        RunProgram(folder, {});
}

void TfrmMain::ActionSearchScExecute()
{
    TSearchInfo searchInfo;
    {
        TfrmSearch dialog(this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        searchInfo = dialog.SearchInfo;
    }
    QStringList found;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    SearchFiles(searchInfo, found);
    QGuiApplication::restoreOverrideCursor();
    if (found.isEmpty()) {
        ShowMessage(TMessageKind::Information, "没有搜索到可执行文件");
        return;
    }
    const QString count = QString::number(found.size());
    if (!ShowMessage(TMessageKind::Confirmation, "找到" + count + "个可执行文件，要进行分类么？"))
        return;
    ImportFoundFiles(found);
}

void TfrmMain::ImportFoundFiles(const QStringList& found)
{
    // The category chosen in one editor is offered in the next, even after a cancel.
    QString category = GetCurrentGroupName();
    for (qsizetype i = 0; i < found.size(); ++i) {
        TQShortCut proposal;
        proposal.GroupName = category;
        proposal.FileName = found[i];
        proposal.SCText = GetFileTitle(found[i]);
        TfrmShortCut editor;
        editor.SetMode(0);
        editor.SetShortCut(proposal);
        const bool accepted = editor.exec() == QDialog::Accepted;
        const TQShortCut result = editor.GetShortCut();
        category = result.GroupName;
        if (accepted) {
            if (dm->ShortCutExists(result.FileName))
                ShowMessage(TMessageKind::Warning, "已经存在的应用程序！");
            else if (!result.IsEmpty())
                dm->AddShortCut(result);
        }
        ShowStatus(QString("正在处理%1/%2个文件").arg(i + 1).arg(found.size()));
    }
    ShowStatus("批量处理文件结束。");
    BuildTrayMenu();
}

void TfrmMain::ActionOptionExecute()
{
    TfrmOption dialog(this);
    dialog.exec();
}

void TfrmMain::ActionAboutExecute()
{
    TAboutBox box(this);
    box.exec();
}
