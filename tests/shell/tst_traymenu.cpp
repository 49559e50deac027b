#include "CatalogueFixture.h"
#include "uEnvironment.h"
#include "uFrmMain.h"
#include "udMenuItem.h"

#include <QtTest>

namespace {

QStringList Captions(const QMenu* menu)
{
    QStringList captions;
    for (const QAction* action : menu->actions())
        captions.append(action->isSeparator() ? QString("-") : action->text());
    return captions;
}

QAction* Item(const QMenu* menu, const QString& caption)
{
    for (QAction* action : menu->actions()) {
        if (action->text() == caption)
            return action;
    }
    return nullptr;
}

QImage PictureOf(const QAction* action)
{
    return action->icon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
}

QImage Image(const QPixmap& pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class TestTrayMenu : public QObject {
    Q_OBJECT

private slots:
    void openingTwiceGivesTheSameItems();
    void emptyCatalogueShowsOneSeparator();
    void categoryWithoutShortcutsHasNoSubmenu();
    void followsTheCatalogueAtEveryOpening();
    void programPictures_data();
    void programPictures();
    void programStartsFromTheDriveOfTheMoment();
};

void TestTrayMenu::openingTwiceGivesTheSameItems()
{
    TCatalogueFixture catalogue;
    catalogue.AddCategory("Tools");
    catalogue.AddProgram("Tools", "Apps/edit");
    TfrmMain window;
    emit window.PopupMenu1->aboutToShow();
    const QStringList first = Captions(window.PopupMenu1);
    emit window.PopupMenu1->aboutToShow();

    QCOMPARE(Captions(window.PopupMenu1), first);
    QCOMPARE(first, (QStringList{"velmo portable drive:STICK", "-", "Tools", "-",
                                 QString::fromUtf8("設定"), QString::fromUtf8("離開")}));
    QCOMPARE(window.PopupMenu1->actions()[0]->toolTip(), QString::fromUtf8("启动VELMO主界面"));
}

void TestTrayMenu::emptyCatalogueShowsOneSeparator()
{
    TCatalogueFixture catalogue;
    TfrmMain window;
    window.PopupMenu1->popup(QPoint(0, 0));
    QVERIFY(QTest::qWaitForWindowExposed(window.PopupMenu1));

    int shownSeparators = 0;
    for (QAction* action : window.PopupMenu1->actions()) {
        if (action->isSeparator() && !window.PopupMenu1->actionGeometry(action).isEmpty())
            ++shownSeparators;
    }
    QCOMPARE(shownSeparators, 1);
    QCOMPARE(Captions(window.PopupMenu1).size(), 5);
    window.PopupMenu1->hide();
}

void TestTrayMenu::categoryWithoutShortcutsHasNoSubmenu()
{
    TCatalogueFixture catalogue;
    catalogue.AddCategory("Empty");
    catalogue.AddCategory("Full");
    catalogue.AddProgram("Full", "Apps/edit");
    TfrmMain window;
    emit window.PopupMenu1->aboutToShow();

    QCOMPARE(Item(window.PopupMenu1, "Empty")->menu(), nullptr);
    QMenu* full = Item(window.PopupMenu1, "Full")->menu();
    QVERIFY(full);
    QCOMPARE(Captions(full), QStringList{"edit"});
}

void TestTrayMenu::followsTheCatalogueAtEveryOpening()
{
    TCatalogueFixture catalogue;
    catalogue.AddCategory("a");
    catalogue.AddCategory("b");
    TfrmMain window;
    emit window.PopupMenu1->aboutToShow();

    catalogue.AddCategory("c");
    dm->SetShortCutGroupIndex("a", 9);
    emit window.PopupMenu1->aboutToShow();
    QCOMPARE(Captions(window.PopupMenu1).mid(2, 3), (QStringList{"b", "c", "a"}));
}

void TestTrayMenu::programPictures_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QString>("picture");

    QTest::newRow(".exe") << "a.exe" << true << "stored";
    QTest::newRow(".EXE") << "a.EXE" << true << "stored";
    QTest::newRow(".bat") << "a.bat" << true << "bat";
    QTest::newRow(".COM") << "a.COM" << true << "com";
    QTest::newRow(".txt") << "a.txt" << true << "other";
    QTest::newRow("missing .exe") << "a.exe" << false << "missing";
    QTest::newRow("missing .bat") << "a.bat" << false << "missing";
}

void TestTrayMenu::programPictures()
{
    QFETCH(QString, file);
    QFETCH(bool, exists);
    QFETCH(QString, picture);
    TCatalogueFixture catalogue;
    catalogue.AddCategory("Tools");
    catalogue.AddProgram("Tools", "Apps/" + file, {}, exists);
    TfrmMain window;
    emit window.PopupMenu1->aboutToShow();
    const QAction* item = Item(window.PopupMenu1, "Tools")->menu()->actions().constFirst();

    const QMap<QString, QImage> expected{{"bat", Image(dm->BatBitmap)},
                                         {"com", Image(dm->ComBitmap)},
                                         {"other", Image(dm->OtherBitmap)},
                                         {"missing", Image(dm->MissingBitmap)}};
    if (picture == "stored")
        QCOMPARE(PictureOf(item).size(), QSize(32, 32));
    else
        QCOMPARE(PictureOf(item), expected[picture]);
    for (const QString& other : expected.keys()) {
        if (other != picture)
            QVERIFY(PictureOf(item) != expected[other]);
    }
}

void TestTrayMenu::programStartsFromTheDriveOfTheMoment()
{
    TCatalogueFixture catalogue;
    catalogue.AddCategory("Tools");
    const QString root = catalogue.Drive.Root();
    catalogue.Drive.WriteFile("G/Apps/edit");
    catalogue.Drive.WriteFile("H/Apps/edit");
    TQShortCut shortCut;
    shortCut.GroupName = "Tools";
    shortCut.SCText = "edit";
    shortCut.FileName = "%removedrive%/Apps/edit";
    dm->AddShortCut(shortCut);
    qputenv("removedrive", QFile::encodeName(root + "/G"));
    TfrmMain window;
    emit window.PopupMenu1->aboutToShow();
    QCOMPARE(window.PopupMenu1->actions()[0]->text(), QString("velmo portable drive:G"));

    qputenv("removedrive", QFile::encodeName(root + "/H"));
    Item(window.PopupMenu1, "Tools")->menu()->actions().constFirst()->trigger();
    QCOMPARE(catalogue.Drive.Launcher->Launches.size(), 1);
    QVERIFY(catalogue.Drive.Launcher->Launches[0].Arguments.contains(root + "/H/Apps/edit"));
}

QTEST_MAIN(TestTrayMenu)
#include "tst_traymenu.moc"
