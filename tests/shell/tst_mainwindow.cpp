#include "CatalogueFixture.h"
#include "TestMessenger.h"
#include "uCategoryTabBar.h"
#include "uEnvironment.h"
#include "uFrmMain.h"

#include <QAccessible>
#include <QToolButton>
#include <QtTest>

#include <sqlite3.h>

namespace {

QStringList TabCaptions(const TfrmMain& window)
{
    QStringList captions;
    for (int i = 0; i < window.RzTabControl1->count(); ++i)
        captions.append(window.RzTabControl1->tabData(i).toString());
    return captions;
}

QStringList ItemCaptions(const TfrmMain& window)
{
    QStringList captions;
    for (int row = 0; row < window.RzListView1->count(); ++row)
        captions.append(window.RzListView1->item(row)->text());
    return captions;
}

void ClickTab(TfrmMain& window, int index, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseClick(window.RzTabControl1, button, {},
                      window.RzTabControl1->tabRect(index).center());
}

// The category positions as stored, in name order.
QList<int> StoredPositions(const QString& dataDir)
{
    TSqliteDatabase db(dataDir + "/velmo.db");
    TSqliteStatement rows(db.Handle(), "SELECT groupindex FROM t_scg ORDER BY groupname");
    QList<int> positions;
    while (rows.Step())
        positions.append(static_cast<int>(rows.Integer(0)));
    return positions;
}

void MoveMouseOver(TfrmMain& window, const QPoint& position)
{
    QMouseEvent move(QEvent::MouseMove, position,
                     window.RzListView1->viewport()->mapToGlobal(position), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(window.RzListView1->viewport(), &move);
}

QPoint CentreOf(TfrmMain& window, int row)
{
    return window.RzListView1->visualItemRect(window.RzListView1->item(row)).center();
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void startsWithTabsAndNothingSelected();
    void catalogueWithoutCategories();
    void clickOnSelectedTabReloads();
    void rebuildingTabsKeepsTheList();
    void iconRule_data();
    void iconRule();
    void programIconsAreCutBackOnEveryLoad();
    void statusNamesTheProgramUnderTheMouse_data();
    void statusNamesTheProgramUnderTheMouse();
    void doubleClickStartsOnlyTheFirstSelected();
    void draggingATabRenumbersEveryCategory();
    void dropOnItselfWritesNothing();
    void screenReaderReadsTabsAndItems();
};

void TestMainWindow::startsWithTabsAndNothingSelected()
{
    TCatalogueFixture catalogue;
    catalogue.AddCategory("Tools", 3);
    catalogue.AddCategory(QString::fromUtf8("游戏"), 11);
    catalogue.AddCategory("A&B");
    catalogue.AddProgram("Tools", "Apps/edit");

    TfrmMain window;
    QCOMPARE(TabCaptions(window), (QStringList{"Tools", QString::fromUtf8("游戏"), "A&B"}));
    QCOMPARE(window.RzTabControl1->tabText(2), QString("A&&B"));
    QCOMPARE(window.RzTabControl1->SelectedIndex(), -1);
    QCOMPARE(window.GetCurrentGroupName(), QString());
    QCOMPARE(window.RzListView1->count(), 0);
    QCOMPARE(window.RzStatusPane1->text(), QString());
    QCOMPARE(window.windowTitle(), QString("velmo portable drive:STICK"));
}

void TestMainWindow::catalogueWithoutCategories()
{
    TCatalogueFixture catalogue;
    catalogue.AddProgram("Tools", "Apps/edit");
    TfrmMain window;
    QCOMPARE(window.RzTabControl1->count(), 0);
    window.ActionRefresh->trigger();
    QCOMPARE(window.RzListView1->count(), 0);
}

void TestMainWindow::clickOnSelectedTabReloads()
{
    TCatalogueFixture catalogue;
    catalogue.AddCategory("Tools");
    catalogue.AddCategory("Games");
    catalogue.AddProgram("Tools", "Apps/b-edit");
    TfrmMain window;
    window.show();

    ClickTab(window, 0, Qt::RightButton);
    QCOMPARE(window.GetCurrentGroupName(), QString("Tools"));
    QCOMPARE(ItemCaptions(window), QStringList{"b-edit"});

    catalogue.AddProgram("Tools", "Apps/a-view");
    ClickTab(window, 0);
    QCOMPARE(ItemCaptions(window), (QStringList{"a-view", "b-edit"}));
}

void TestMainWindow::rebuildingTabsKeepsTheList()
{
    TCatalogueFixture catalogue;
    catalogue.AddCategory("Tools");
    catalogue.AddProgram("Tools", "Apps/edit");
    TfrmMain window;
    window.show();
    ClickTab(window, 0);

    catalogue.AddCategory("Games");
    window.LoadGroups();
    QCOMPARE(window.RzTabControl1->count(), 2);
    QCOMPARE(window.RzTabControl1->SelectedIndex(), -1);
    QCOMPARE(ItemCaptions(window), QStringList{"edit"});

    catalogue.AddProgram("Tools", "Apps/view");
    window.ActionRefresh->trigger();
    QCOMPARE(ItemCaptions(window), QStringList{"edit"});
}

void TestMainWindow::iconRule_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<int>("image"); // -1: the program's own picture, appended after the four

    QTest::newRow(".exe") << "a.exe" << true << -1;
    QTest::newRow(".EXE") << "a.EXE" << true << -1;
    QTest::newRow(".Exe") << "a.Exe" << true << -1;
    QTest::newRow(".BAT") << "a.BAT" << true << 1;
    QTest::newRow(".com") << "a.com" << true << 2;
    QTest::newRow(".txt") << "a.txt" << true << 3;
    QTest::newRow("no extension") << "a" << true << 3;
    QTest::newRow("dot in a folder name only") << "v1.exe/a" << true << 3;
    QTest::newRow("missing .exe") << "a.exe" << false << 0;
    QTest::newRow("missing .bat") << "a.bat" << false << 0;
}

void TestMainWindow::iconRule()
{
    QFETCH(QString, file);
    QFETCH(bool, exists);
    QFETCH(int, image);
    TCatalogueFixture catalogue;
    catalogue.AddCategory("Tools");
    catalogue.AddProgram("Tools", "Apps/" + file, {}, exists);
    TfrmMain window;
    window.show();
    ClickTab(window, 0);

    QCOMPARE(window.RzListView1->count(), 1);
    const int expected = image < 0 ? 4 : image;
    QCOMPARE(dm->ImageList2.Count(), image < 0 ? 5 : 4);
    QCOMPARE(window.RzListView1->item(0)->icon().cacheKey(),
             dm->ImageList2.Icon(expected).cacheKey());
}

void TestMainWindow::programIconsAreCutBackOnEveryLoad()
{
    TCatalogueFixture catalogue;
    catalogue.AddCategory("Five");
    catalogue.AddCategory("Two");
    for (int i = 0; i < 5; ++i)
        catalogue.AddProgram("Five", QString("Five/p%1.exe").arg(i));
    catalogue.AddProgram("Two", "Two/a.exe");
    catalogue.AddProgram("Two", "Two/b.exe");
    TfrmMain window;
    window.show();

    ClickTab(window, 0);
    QCOMPARE(dm->ImageList2.Count(), 9);
    ClickTab(window, 1);
    QCOMPARE(dm->ImageList2.Count(), 6);
    for (int row = 0; row < 2; ++row)
        QCOMPARE(window.RzListView1->item(row)->icon().cacheKey(),
                 dm->ImageList2.Icon(4 + row).cacheKey());
}

void TestMainWindow::statusNamesTheProgramUnderTheMouse_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QString>("parameters");
    QTest::addColumn<bool>("overItem");
    QTest::addColumn<QString>("status"); // {path} stands for the program's expanded path

    QTest::newRow("existing with parameters")
        << true << "%removedrive%/doc.txt" << true << "{path} {drive}/doc.txt";
    QTest::newRow("existing without parameters") << true << "" << true << "{path} ";
    QTest::newRow("missing") << false << "-x" << true << QString::fromUtf8("{path}不存在!");
    QTest::newRow("empty space") << true << "" << false << "";
}

void TestMainWindow::statusNamesTheProgramUnderTheMouse()
{
    QFETCH(bool, exists);
    QFETCH(QString, parameters);
    QFETCH(bool, overItem);
    QFETCH(QString, status);
    TCatalogueFixture catalogue;
    catalogue.AddCategory("Tools");
    TfrmMain window; // defines removedrive as the drive
    const QString path = catalogue.AddProgram("Tools", "Apps/edit", parameters, exists);
    window.show();
    ClickTab(window, 0);
    window.ShowStatus("before");

    const QPoint position = overItem ? CentreOf(window, 0)
                                     : QPoint(window.RzListView1->viewport()->width() - 2,
                                              window.RzListView1->viewport()->height() - 2);
    MoveMouseOver(window, position);
    status.replace("{path}", path).replace("{drive}", catalogue.Drive.Root());
    QCOMPARE(window.RzStatusPane1->text(), status);
}

void TestMainWindow::doubleClickStartsOnlyTheFirstSelected()
{
    TCatalogueFixture catalogue;
    catalogue.AddCategory("Tools");
    catalogue.AddProgram("Tools", "Apps/a");
    const QString second = catalogue.AddProgram("Tools", "Apps/b", "--flag");
    catalogue.AddProgram("Tools", "Apps/c");
    TfrmMain window;
    window.show();
    ClickTab(window, 0);

    window.RzListView1->item(2)->setSelected(true);
    window.RzListView1->item(1)->setSelected(true);
    emit window.RzListView1->itemDoubleClicked(window.RzListView1->item(2));

    QCOMPARE(catalogue.Drive.Launcher->Launches.size(), 1);
    QCOMPARE(catalogue.Drive.Launcher->Launches[0].Program, second);
    QCOMPARE(catalogue.Drive.Launcher->Launches[0].Arguments, QStringList{"--flag"});
}

void TestMainWindow::draggingATabRenumbersEveryCategory()
{
    TCatalogueFixture catalogue;
    for (const char* name : {"a", "b", "c", "d", "e"})
        catalogue.AddCategory(name);
    catalogue.AddProgram("c", "C/tool");
    {
        TfrmMain window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        TCategoryTabBar* tabs = window.RzTabControl1;
        const QPoint from = tabs->tabRect(2).center();
        const QPoint to = tabs->tabRect(0).center() - QPoint(0, tabs->tabRect(0).height() / 4);
        QTest::mousePress(tabs, Qt::LeftButton, {}, from);
        QCOMPARE(ItemCaptions(window), QStringList{"tool"});
        for (int step = 1; step <= 10; ++step)
            QTest::mouseMove(tabs, from + (to - from) * step / 10);
        QTest::mouseRelease(tabs, Qt::LeftButton, {}, to);

        QCOMPARE(TabCaptions(window), (QStringList{"c", "a", "b", "d", "e"}));
        QCOMPARE(window.GetCurrentGroupName(), QString("c"));
        QCOMPARE(ItemCaptions(window), QStringList{"tool"});
        QCOMPARE(StoredPositions(catalogue.Drive.DataDir()), (QList<int>{2, 3, 1, 4, 5}));
    }
    TfrmMain restarted;
    QCOMPARE(TabCaptions(restarted), (QStringList{"c", "a", "b", "d", "e"}));
}

void TestMainWindow::dropOnItselfWritesNothing()
{
    TCatalogueFixture catalogue;
    catalogue.AddCategory("a");
    catalogue.AddCategory("b");
    {
        TSqliteDatabase db(catalogue.Drive.DataDir() + "/velmo.db");
        db.Execute("UPDATE t_scg SET groupindex = 5 WHERE groupname = 'b'");
    }
    TfrmMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QPoint on = window.RzTabControl1->tabRect(1).center();
    QTest::mousePress(window.RzTabControl1, Qt::LeftButton, {}, on);
    QTest::mouseMove(window.RzTabControl1, on + QPoint(0, 2));
    QTest::mouseRelease(window.RzTabControl1, Qt::LeftButton, {}, on + QPoint(0, 2));

    QCOMPARE(StoredPositions(catalogue.Drive.DataDir()), (QList<int>{1, 5}));
}

void TestMainWindow::screenReaderReadsTabsAndItems()
{
    TCatalogueFixture catalogue;
    catalogue.AddCategory(QString::fromUtf8("常用工具"));
    catalogue.AddCategory("A&B");
    catalogue.AddProgram(QString::fromUtf8("常用工具"), QString::fromUtf8("Apps/記事本"));
    TfrmMain window;
    window.show();
    ClickTab(window, 0);

    QAccessibleInterface* tabs = QAccessible::queryAccessibleInterface(window.RzTabControl1);
    QVERIFY(tabs);
    QCOMPARE(tabs->childCount(), 2);
    QCOMPARE(tabs->child(0)->role(), QAccessible::PageTab);
    QCOMPARE(tabs->child(0)->text(QAccessible::Name), QString::fromUtf8("常用工具"));
    QCOMPARE(tabs->child(1)->text(QAccessible::Name), QString("A&B"));
    QVERIFY(tabs->child(0)->state().selected);
    QVERIFY(!tabs->child(1)->state().selected);
    window.LoadGroups(); // no category chosen: no tab reads as selected
    QVERIFY(!tabs->child(0)->state().selected);
    QVERIFY(!tabs->child(1)->state().selected);

    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(window.RzListView1);
    QVERIFY(list);
    QCOMPARE(list->childCount(), 1);
    QCOMPARE(list->child(0)->text(QAccessible::Name), QString::fromUtf8("記事本"));
    for (QToolButton* button : window.RzToolbar4->findChildren<QToolButton*>()) {
        if (button->defaultAction())
            QVERIFY(
                !QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name).isEmpty());
    }
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
