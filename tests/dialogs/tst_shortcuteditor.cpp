#include "CatalogueFixture.h"
#include "TestMessenger.h"
#include "uEnvironment.h"
#include "uFrmShortcut.h"

#include <QFileDialog>
#include <QTimer>
#include <QtTest>

namespace {

// A catalogue as dm, the environment as Env and a scripted messenger, for one test.
class TEditorFixture {
public:
    TEditorFixture() { Env = &m_environment; }
    ~TEditorFixture() { Env = nullptr; }
    TEditorFixture(const TEditorFixture&) = delete;
    TEditorFixture& operator=(const TEditorFixture&) = delete;

    TCatalogueFixture Catalogue;
    TMessengerScope Messages;

private:
    TEnvironment m_environment;
};

TQShortCut Record(const QString& groupName, const QString& name, const QString& path,
                  const QString& parameters = {})
{
    TQShortCut shortCut;
    shortCut.GroupName = groupName;
    shortCut.SCText = name;
    shortCut.FileName = path;
    shortCut.Parameters = parameters;
    return shortCut;
}

QPushButton* OkButton(const TfrmShortCut& dialog)
{
    for (QAbstractButton* button : dialog.RzDialogButtons1->buttons()) {
        if (dialog.RzDialogButtons1->buttonRole(button) == QDialogButtonBox::AcceptRole)
            return qobject_cast<QPushButton*>(button);
    }
    return nullptr;
}

void ClickOk(TfrmShortCut& dialog)
{
    QTest::mouseClick(OkButton(dialog), Qt::LeftButton);
}

} // namespace

class TestShortCutEditor : public QObject {
    Q_OBJECT

private slots:
    void modes_data();
    void modes();
    void okChecks_data();
    void okChecks();
    void groupChoice_data();
    void groupChoice();
    void unknownCategoryGivesAnEmptyGroupName();
    void browsingFillsNameAndPath();
    void realOpenDialogShowsHiddenFilesAndKeepsTheCurrentFolder();
    void substitution_data();
    void substitution();
    void parametersLeaveTheMemoShowingThePath();
};

void TestShortCutEditor::modes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("pathChangeable");
    QTest::newRow("before SetMode") << -1 << QString("快速啟動") << true;
    QTest::newRow("add") << 0 << QString("新增快速啟動項目") << true;
    QTest::newRow("edit") << 1 << QString("修改快速启动项目") << false;
}

void TestShortCutEditor::modes()
{
    QFETCH(int, mode);
    QFETCH(QString, caption);
    QFETCH(bool, pathChangeable);
    TEditorFixture fixture;
    fixture.Catalogue.AddCategory("Tools");
    TfrmShortCut dialog;
    if (mode >= 0)
        dialog.SetMode(mode);
    dialog.SetShortCut(Record("Tools", "Foo", fixture.Catalogue.Drive.Root() + "/foo"));
    dialog.show();

    QCOMPARE(dialog.windowTitle(), caption);
    QCOMPARE(dialog.RzEditFile->isEnabled(), pathChangeable);
    QCOMPARE(dialog.RzButton1->isEnabled(), pathChangeable);
    QCOMPARE(dialog.RzButton2->isVisible(), pathChangeable);
    QVERIFY(!dialog.RzMemo1->isEnabled());
    QVERIFY(dialog.RzMemo1->isReadOnly());
    QCOMPARE(dialog.RzButton2->toolTip(), QString("用變量%removedrive%置換盤符"));
}

void TestShortCutEditor::okChecks_data()
{
    QTest::addColumn<bool>("hasCategory");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("refusal"); // empty: accepted
    QTest::newRow("no categories") << false << 0 << "Foo"
                                   << "/x/foo"
                                   << "请先建立快速启动分类";
    QTest::newRow("no categories, nothing filled") << false << 0 << ""
                                                   << ""
                                                   << "请先建立快速启动分类";
    QTest::newRow("empty name") << true << 0 << ""
                                << "/x/foo"
                                << "快速启动名称不能为空";
    QTest::newRow("empty path") << true << 0 << "Foo"
                                << ""
                                << "程序不能为空";
    QTest::newRow("edit mode, empty name") << true << 1 << ""
                                           << "/x/foo"
                                           << "快速启动名称不能为空";
    QTest::newRow("three blanks") << true << 0 << "   "
                                  << "/x/foo"
                                  << "";
}

void TestShortCutEditor::okChecks()
{
    QFETCH(bool, hasCategory);
    QFETCH(int, mode);
    QFETCH(QString, name);
    QFETCH(QString, path);
    QFETCH(QString, refusal);
    TEditorFixture fixture;
    if (hasCategory)
        fixture.Catalogue.AddCategory("Tools");
    TfrmShortCut dialog;
    dialog.SetMode(mode);
    dialog.SetShortCut(Record("Tools", name, path, "-v"));
    dialog.show();

    ClickOk(dialog);

    if (refusal.isEmpty()) {
        QVERIFY(fixture.Messages.Messenger->Shown.isEmpty());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.GetShortCut().SCText, name);
        return;
    }
    QCOMPARE(fixture.Messages.Messenger->Shown.size(), 1);
    QCOMPARE(fixture.Messages.Messenger->Shown[0].Kind, TMessageKind::Plain);
    QCOMPARE(fixture.Messages.Messenger->Shown[0].Title, QString("VELMO"));
    QCOMPARE(fixture.Messages.Messenger->Shown[0].Text, refusal);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.RzEditText->text(), name);
    QCOMPARE(dialog.RzEditFile->text(), path);
    QCOMPARE(dialog.RzEditParameters->text(), QString("-v"));
}

void TestShortCutEditor::groupChoice_data()
{
    QTest::addColumn<bool>("throughSetShortCut");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("selected"); // -1: none
    QTest::newRow("SelectGroup, unknown") << false << "Office" << 0;
    QTest::newRow("SelectGroup, empty") << false << "" << 0;
    QTest::newRow("SelectGroup, other case") << false << "tools" << 1;
    QTest::newRow("SetShortCut, other case") << true << "tools" << 1;
    QTest::newRow("SetShortCut, unknown") << true << "Office" << -1;
}

void TestShortCutEditor::groupChoice()
{
    QFETCH(bool, throughSetShortCut);
    QFETCH(QString, name);
    QFETCH(int, selected);
    TEditorFixture fixture;
    fixture.Catalogue.AddCategory("Games");
    fixture.Catalogue.AddCategory("Tools");
    TfrmShortCut dialog;
    QCOMPARE(dialog.RzComboBox1->currentIndex(), -1);

    if (throughSetShortCut)
        dialog.SetShortCut(Record(name, "Foo", "/x/foo"));
    else
        dialog.SelectGroup(name);

    QCOMPARE(dialog.RzComboBox1->currentIndex(), selected);
    QCOMPARE(dialog.GetShortCut().GroupName,
             selected < 0 ? QString() : dialog.RzComboBox1->itemText(selected));
}

void TestShortCutEditor::unknownCategoryGivesAnEmptyGroupName()
{
    TEditorFixture fixture;
    fixture.Catalogue.AddCategory("Tools");
    const QString path = fixture.Catalogue.Drive.Root() + "/Apps/foo";
    TfrmShortCut dialog;
    dialog.SetMode(1);
    dialog.SetShortCut(Record("Removed", "Foo", path, "--fast"));
    dialog.show();

    ClickOk(dialog);

    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const TQShortCut result = dialog.GetShortCut();
    QCOMPARE(result.GroupName, QString());
    QCOMPARE(result.SCText, QString("Foo"));
    QCOMPARE(result.FileName, path);
    QCOMPARE(result.Parameters, QString("--fast"));
    QVERIFY(result.Icon.isNull());
    QCOMPARE(dialog.RzMemo1->toPlainText(), path);
}

void TestShortCutEditor::browsingFillsNameAndPath()
{
    TEditorFixture fixture;
    TScriptedMessenger& messenger = *fixture.Messages.Messenger;
    const QString chosen = fixture.Catalogue.Drive.Root() + "/Apps/Foo/foo.exe";
    messenger.ChosenFiles = {QString(), chosen};
    TfrmShortCut dialog;
    dialog.SetMode(0);
    dialog.RzEditText->setText("Old name");
    dialog.RzEditFile->setText("%removedrive%/Old/old.exe");

    QTest::mouseClick(dialog.RzButton1, Qt::LeftButton); // cancelled
    QCOMPARE(dialog.RzEditText->text(), QString("Old name"));
    QCOMPARE(dialog.RzEditFile->text(), QString("%removedrive%/Old/old.exe"));

    QTest::mouseClick(dialog.RzButton1, Qt::LeftButton);
    QCOMPARE(messenger.OpenFileRequests.size(), 2);
    QCOMPARE(messenger.OpenFileRequests[1].PresetPath, QString("%removedrive%/Old/old.exe"));
    QCOMPARE(messenger.OpenFileRequests[1].NameFilters,
             (QStringList{"*.exe *.com *.bat", "*.* (*)"}));
    QCOMPARE(dialog.RzEditText->text(), QString("foo"));
    QCOMPARE(dialog.RzEditFile->text(), chosen);
    QCOMPARE(dialog.RzMemo1->toPlainText(), chosen);
    QVERIFY(dialog.RzButton2->isEnabled());

    QTest::mouseClick(dialog.RzButton2, Qt::LeftButton);
    QCOMPARE(dialog.RzEditFile->text(), QString("%removedrive%/Apps/Foo/foo.exe"));
    QCOMPARE(dialog.RzMemo1->toPlainText(), QString("%removedrive%/Apps/Foo/foo.exe"));
    QVERIFY(!dialog.RzButton2->isEnabled());
}

void TestShortCutEditor::realOpenDialogShowsHiddenFilesAndKeepsTheCurrentFolder()
{
    TTempDrive drive;
    const QString hidden = drive.WriteFile("Apps/.tool");
    const QString current = QDir::currentPath();
    QStringList offeredFilters;
    QDir::Filters filter;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        offeredFilters = dialog->nameFilters();
        filter = dialog->filter();
        dialog->selectNameFilter(dialog->nameFilters().last());
        dialog->selectFile(hidden);
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog hides it
    });

    const QString chosen = Messenger().OpenFile(drive.Root() + "/Apps/none", {"*.exe", "*.* (*)"});

    QCOMPARE(chosen, hidden);
    QCOMPARE(offeredFilters, (QStringList{"*.exe", "*.* (*)"}));
    QVERIFY(filter.testFlag(QDir::Hidden));
    QCOMPARE(QDir::currentPath(), current);
}

void TestShortCutEditor::substitution_data()
{
    QTest::addColumn<QString>("removeDrive"); // empty: defined from the program's drive
    QTest::addColumn<QString>("path");        // "<drive>" stands for the temporary drive
    QTest::addColumn<QString>("substituted"); // empty: the button stays disabled
    QTest::newRow("on the drive") << ""
                                  << "<drive>/Apps/Foo/foo.exe"
                                  << "%removedrive%/Apps/Foo/foo.exe";
    QTest::newRow("exactly the drive") << ""
                                       << "<drive>"
                                       << "%removedrive%";
    QTest::newRow("the drive's root folder") << ""
                                             << "<drive>/"
                                             << "%removedrive%/";
    QTest::newRow("another drive") << ""
                                   << "/media/alice/OTHER/foo"
                                   << "";
    QTest::newRow("a longer name beside it") << ""
                                             << "<drive>2/foo"
                                             << "";
    QTest::newRow("other letter case") << ""
                                       << "<DRIVE>/foo"
                                       << "";
    QTest::newRow("one character") << ""
                                   << "/"
                                   << "";
    QTest::newRow("already substituted") << ""
                                         << "%removedrive%/foo"
                                         << "";
    QTest::newRow("root drive, the root") << "/"
                                          << "/"
                                          << "%removedrive%";
    QTest::newRow("root drive, below it") << "/"
                                          << "/usr/bin/foo"
                                          << "";
}

void TestShortCutEditor::substitution()
{
    QFETCH(QString, removeDrive);
    QFETCH(QString, path);
    QFETCH(QString, substituted);
    TEditorFixture fixture;
    const QString root = fixture.Catalogue.Drive.Root();
    if (!removeDrive.isEmpty())
        qputenv("removedrive", QFile::encodeName(removeDrive));
    path.replace("<drive>", root).replace("<DRIVE>", root.toUpper());
    TfrmShortCut dialog;
    dialog.SetMode(0);
    QVERIFY(!dialog.RzButton2->isEnabled());

    dialog.RzEditFile->setText(path);
    QCOMPARE(dialog.RzButton2->isEnabled(), !substituted.isEmpty());
    QTest::mouseClick(dialog.RzButton2, Qt::LeftButton); // ignored while disabled
    dialog.RzButton2Click();                             // and does nothing off the drive

    const QString stored = dialog.RzEditFile->text();
    QCOMPARE(stored, substituted.isEmpty() ? path : substituted);
    QCOMPARE(dialog.RzMemo1->toPlainText(), stored);
    QVERIFY(!dialog.RzButton2->isEnabled());
    if (!substituted.isEmpty())
        QCOMPARE(Env->ExpandPath(stored), path); // the stored form gives back the path
}

void TestShortCutEditor::parametersLeaveTheMemoShowingThePath()
{
    TEditorFixture fixture;
    const QString path = fixture.Catalogue.Drive.Root() + "/foo";
    TfrmShortCut dialog;
    dialog.RzEditFile->setText(path);
    QVERIFY(dialog.RzButton2->isEnabled());

    qputenv("removedrive", "/media/alice/OTHER"); // the drive is asked again on every change
    QTest::keyClicks(dialog.RzEditParameters, "-v");

    QCOMPARE(dialog.RzMemo1->toPlainText(), path);
    QVERIFY(!dialog.RzButton2->isEnabled());
    QCOMPARE(dialog.GetShortCut().Parameters, QString("-v"));
}

QTEST_MAIN(TestShortCutEditor)
#include "tst_shortcuteditor.moc"
