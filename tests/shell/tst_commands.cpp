#include "CatalogueFixture.h"
#include "ModalAnswer.h"
#include "TestMessenger.h"
#include "uCategoryTabBar.h"
#include "uEnvironment.h"
#include "uFrmMain.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

QStringList ItemCaptions(const TfrmMain& window)
{
    QStringList captions;
    for (int row = 0; row < window.RzListView1->count(); ++row)
        captions.append(window.RzListView1->item(row)->text());
    return captions;
}

QStringList FileNames(const QList<TQShortCut>& shortCuts)
{
    QStringList names;
    for (const TQShortCut& shortCut : shortCuts)
        names.append(shortCut.FileName);
    return names;
}

void ClickTab(TfrmMain& window, int index)
{
    QTest::mouseClick(window.RzTabControl1, Qt::LeftButton, {},
                      window.RzTabControl1->tabRect(index).center());
}

// Fills the shortcut editor's fields that the test names and presses OK.
void FillEditorAndPressOk(QDialog* editor, const QString& category, const QString& name,
                          const QString& path)
{
    if (!category.isNull())
        editor->findChild<QComboBox*>("RzComboBox1")->setCurrentText(category);
    if (!name.isNull())
        editor->findChild<QLineEdit*>("RzEditText")->setText(name);
    if (!path.isNull())
        editor->findChild<QLineEdit*>("RzEditFile")->setText(path);
    PressOk(editor);
}

struct TWindowFixture {
    TWindowFixture()
    {
        Catalogue.AddCategory("Tools");
        Catalogue.AddCategory("Games");
    }
    TCatalogueFixture Catalogue;
};

} // namespace

class TestCommands : public QObject {
    Q_OBJECT

private slots:
    void addingWithNoTabSelected();
    void duplicatePathIsRefused_data();
    void duplicatePathIsRefused();
    void cancelledEditorStillReloads();
    void editingIntoAnotherCategoryMovesIt();
    void removingSelectedShortcuts_data();
    void removingSelectedShortcuts();
    void removedCategoryKeepsItsShortcuts();
    void cancelledCategoryDialogRebuildsTabs();
    void physicalRemovalAsksPerFolder();
    void physicalRemovalExpandsTheDrive();
    void openFolder_data();
    void openFolder();
    void storeErrorReachesTheErrorBox();
};

void TestCommands::addingWithNoTabSelected()
{
    TWindowFixture fixture;
    TfrmMain window;
    QString preselected;
    AnswerNextDialog([&](QDialog* editor) {
        preselected = editor->findChild<QComboBox*>("RzComboBox1")->currentText();
        FillEditorAndPressOk(editor, {}, "edit", "/opt/edit");
    });
    window.ActionAddSc->trigger();

    QCOMPARE(preselected, QString("Tools"));
    QCOMPARE(FileNames(dm->GetShortCuts("Tools")), QStringList{"/opt/edit"});
    QCOMPARE(window.RzListView1->count(), 0);
}

void TestCommands::duplicatePathIsRefused_data()
{
    QTest::addColumn<bool>("removeCategory");
    QTest::newRow("stored in another category") << false;
    QTest::newRow("stored in a removed category") << true;
}

void TestCommands::duplicatePathIsRefused()
{
    QFETCH(bool, removeCategory);
    TWindowFixture fixture;
    const QString path = fixture.Catalogue.AddProgram("Games", "Apps/edit");
    if (removeCategory)
        dm->DeleteShortCutGroup("Games");
    TfrmMain window;
    window.show();
    ClickTab(window, 0);

    AnswerNextDialog(
        [&](QDialog* editor) { FillEditorAndPressOk(editor, "Tools", "again", path); });
    window.ActionAddSc->trigger();

    QCOMPARE(fixture.Catalogue.Messages.Messenger->Texts(),
             QStringList{QString::fromUtf8("已经存在的应用程序！")});
    QCOMPARE(fixture.Catalogue.Messages.Messenger->Shown[0].Title, QString("Warning"));
    QVERIFY(dm->GetShortCuts("Tools").isEmpty());
    QCOMPARE(dm->GetShortCuts("Games").size(), 1);
}

void TestCommands::cancelledEditorStillReloads()
{
    TWindowFixture fixture;
    TfrmMain window;
    window.show();
    ClickTab(window, 0);
    fixture.Catalogue.AddProgram("Tools", "Apps/edit");

    AnswerNextDialog([](QDialog* editor) { editor->reject(); });
    window.ActionAddSc->trigger();
    QCOMPARE(ItemCaptions(window), QStringList{"edit"});

    fixture.Catalogue.AddProgram("Tools", "Apps/view");
    window.RzListView1->item(0)->setSelected(true);
    AnswerNextDialog([](QDialog* editor) { editor->reject(); });
    window.ActionUpdateSc->trigger();
    QCOMPARE(ItemCaptions(window), (QStringList{"edit", "view"}));
}

void TestCommands::editingIntoAnotherCategoryMovesIt()
{
    TWindowFixture fixture;
    const QString path = fixture.Catalogue.AddProgram("Tools", "Apps/edit", "-a");
    TfrmMain window;
    window.show();
    ClickTab(window, 0);
    window.RzListView1->item(0)->setSelected(true);

    AnswerNextDialog([](QDialog* editor) { FillEditorAndPressOk(editor, "Games", "Editor", {}); });
    window.ActionUpdateSc->trigger();

    QCOMPARE(window.RzListView1->count(), 0);
    const QList<TQShortCut> games = dm->GetShortCuts("Games");
    QCOMPARE(games.size(), 1);
    QCOMPARE(games[0].FileName, path);
    QCOMPARE(games[0].SCText, QString("Editor"));
    QCOMPARE(games[0].Parameters, QString("-a"));
}

void TestCommands::removingSelectedShortcuts_data()
{
    QTest::addColumn<bool>("answer");
    QTest::newRow("Yes") << true;
    QTest::newRow("No") << false;
}

void TestCommands::removingSelectedShortcuts()
{
    QFETCH(bool, answer);
    TWindowFixture fixture;
    QStringList paths;
    for (const char* name : {"a", "b", "c", "d"})
        paths.append(fixture.Catalogue.AddProgram("Tools", QString("Apps/%1").arg(name)));
    TfrmMain window;
    window.show();
    ClickTab(window, 0);
    for (int row : {0, 2, 3})
        window.RzListView1->item(row)->setSelected(true);
    fixture.Catalogue.AddProgram("Tools", "Apps/e"); // shows after the reload

    fixture.Catalogue.Messages.Messenger->Answers = {answer};
    window.ActionDelSc->trigger();

    QCOMPARE(fixture.Catalogue.Messages.Messenger->Texts(),
             QStringList{QString::fromUtf8(" 确定删除选中的快速启动项目？")});
    QCOMPARE(fixture.Catalogue.Messages.Messenger->Shown[0].Title, QString("Confirm"));
    QCOMPARE(ItemCaptions(window),
             answer ? (QStringList{"b", "e"}) : (QStringList{"a", "b", "c", "d", "e"}));
    for (const QString& path : paths)
        QVERIFY(QFileInfo::exists(path));
}

void TestCommands::removedCategoryKeepsItsShortcuts()
{
    TWindowFixture fixture;
    fixture.Catalogue.AddProgram("Games", "Games/mine");
    TfrmMain window;
    window.show();
    ClickTab(window, 1);

    fixture.Catalogue.Messages.Messenger->Answers = {true};
    window.ActionDelGroup->trigger();
    QCOMPARE(fixture.Catalogue.Messages.Messenger->Texts(),
             QStringList{QString::fromUtf8("确定要删除分类[Games]")});
    QCOMPARE(window.RzTabControl1->count(), 1);
    QCOMPARE(window.RzTabControl1->SelectedIndex(), -1);
    QCOMPARE(ItemCaptions(window), QStringList{"mine"});

    AnswerNextDialog([](QDialog* dialog) {
        dialog->findChild<QLineEdit*>("RzEdit1")->setText("Games");
        PressOk(dialog);
    });
    window.ActionNewGroup->trigger();
    ClickTab(window, 1);
    QCOMPARE(window.GetCurrentGroupName(), QString("Games"));
    QCOMPARE(ItemCaptions(window), QStringList{"mine"});
}

void TestCommands::cancelledCategoryDialogRebuildsTabs()
{
    TWindowFixture fixture;
    TfrmMain window;
    window.show();
    ClickTab(window, 0);
    fixture.Catalogue.AddCategory("Office");

    AnswerNextDialog([](QDialog* dialog) { dialog->reject(); });
    window.ActionNewGroup->trigger();
    QCOMPARE(window.RzTabControl1->count(), 3);
    QCOMPARE(window.RzTabControl1->SelectedIndex(), -1);
}

void TestCommands::physicalRemovalAsksPerFolder()
{
    TWindowFixture fixture;
    const QString first = fixture.Catalogue.AddProgram("Tools", "One/a");
    fixture.Catalogue.Drive.WriteFile("One/.hidden/x");
    const QString second = fixture.Catalogue.AddProgram("Tools", "Two/b");
    TfrmMain window;
    window.show();
    ClickTab(window, 0);
    window.RzListView1->selectAll();

    fixture.Catalogue.Messages.Messenger->Answers = {true, true, false};
    window.ActionDeltree->trigger();

    const QString root = fixture.Catalogue.Drive.Root();
    QCOMPARE(fixture.Catalogue.Messages.Messenger->Texts(),
             (QStringList{
                 QString::fromUtf8(
                     " 确定物理删除选中的快速启动项目？物理删除将删除应用程序所在目录所有文件！"),
                 QString::fromUtf8("确定删除目录%1/One/?").arg(root),
                 QString::fromUtf8("确定删除目录%1/Two/?").arg(root)}));
    QVERIFY(!QFileInfo::exists(root + "/One"));
    QVERIFY(QFileInfo::exists(second));
    QVERIFY(dm->GetShortCuts("Tools").isEmpty());
    QCOMPARE(window.RzListView1->count(), 0);
    Q_UNUSED(first);
}

void TestCommands::physicalRemovalExpandsTheDrive()
{
    TWindowFixture fixture;
    TfrmMain window; // removedrive is the drive from here on
    fixture.Catalogue.Drive.WriteFile("Apps/Foo/foo");
    fixture.Catalogue.Drive.WriteFile("Apps/Keep/keep");
    TQShortCut shortCut;
    shortCut.GroupName = "Tools";
    shortCut.SCText = "foo";
    shortCut.FileName = "%removedrive%/Apps/Foo/foo";
    dm->AddShortCut(shortCut);
    window.show();
    ClickTab(window, 0);
    window.RzListView1->item(0)->setSelected(true);

    fixture.Catalogue.Messages.Messenger->Answers = {true, true};
    window.ActionDeltree->trigger();

    const QString root = fixture.Catalogue.Drive.Root();
    QCOMPARE(fixture.Catalogue.Messages.Messenger->Texts().last(),
             QString::fromUtf8("确定删除目录%1/Apps/Foo/?").arg(root));
    QVERIFY(!QFileInfo::exists(root + "/Apps/Foo"));
    QVERIFY(QFileInfo::exists(root + "/Apps/Keep/keep"));
}

void TestCommands::openFolder_data()
{
    QTest::addColumn<bool>("exists");
    QTest::newRow("existing folder") << true;
    QTest::newRow("missing folder") << false;
}

void TestCommands::openFolder()
{
    QFETCH(bool, exists);
    TWindowFixture fixture;
    fixture.Catalogue.AddProgram("Tools", "Apps/Edit/edit", {}, exists);
    TfrmMain window;
    window.show();
    ClickTab(window, 0);
    window.RzListView1->item(0)->setSelected(true);

    window.ActionOpenFolder->trigger();
    const QList<TRecordedLaunch>& launches = fixture.Catalogue.Drive.Launcher->Launches;
    QCOMPARE(launches.size(), exists ? 1 : 0);
    if (exists)
        QVERIFY(launches[0].Arguments.contains(fixture.Catalogue.Drive.Root() + "/Apps/Edit/"));
}

void TestCommands::storeErrorReachesTheErrorBox()
{
    TWindowFixture fixture;
    TfrmMain window;
    window.show();
    ClickTab(window, 0);

    // Another connection locks the catalogue while the editor is open: the store fails.
    TSqliteDatabase other(fixture.Catalogue.Drive.DataDir() + "/velmo.db");
    AnswerNextDialog([&](QDialog* editor) {
        other.Execute("BEGIN EXCLUSIVE");
        FillEditorAndPressOk(editor, "Tools", "edit", "/opt/edit");
    });
    window.ActionAddSc->trigger();
    other.Execute("ROLLBACK");

    QCOMPARE(fixture.Catalogue.Messages.Messenger->Shown.size(), 1);
    QCOMPARE(fixture.Catalogue.Messages.Messenger->Shown[0].Title, QString("VELMO"));
    QCOMPARE(fixture.Catalogue.Messages.Messenger->Shown[0].Text, QString("database is locked."));
    QVERIFY(dm->GetShortCuts("Tools").isEmpty());
}

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
