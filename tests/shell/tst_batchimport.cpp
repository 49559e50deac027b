#include "CatalogueFixture.h"
#include "ModalAnswer.h"
#include "TestMessenger.h"
#include "uCategoryTabBar.h"
#include "uEnvironment.h"
#include "uFrmMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

// Answers the search dialog for the folder, with its preset mask *.exe.
void AnswerSearch(const QString& folder)
{
    AnswerNextDialog([folder](QDialog* search) {
        search->findChild<QLineEdit*>("RzButtonEditPath")->setText(folder);
        PressOk(search);
    });
}

QComboBox* CategoryOf(QDialog* editor)
{
    return editor->findChild<QComboBox*>("RzComboBox1");
}

struct TBatchFixture {
    TBatchFixture()
    {
        Catalogue.AddCategory("Tools");
        Catalogue.AddCategory("Games");
        for (const char* name : {"a.exe", "b.exe", "c.exe"})
            Catalogue.Drive.WriteFile(QString("Found/%1").arg(name));
        Window.LoadGroups();
        Window.show();
        Window.ShowStatus("before");
    }
    QString Folder() const { return Catalogue.Drive.Root() + "/Found"; }
    TCatalogueFixture Catalogue;
    TfrmMain Window;
};

} // namespace

class TestBatchImport : public QObject {
    Q_OBJECT

private slots:
    void answeringNoStoresNothing();
    void nothingFoundIsSaid();
    void categoryCarriesFromOneEditorToTheNext();
    void storesAcceptedFilesAndReportsProgress();
    void substitutedPathIsAStoredDuplicate_data();
    void substitutedPathIsAStoredDuplicate();
};

void TestBatchImport::answeringNoStoresNothing()
{
    TBatchFixture fixture;
    fixture.Catalogue.Messages.Messenger->Answers = {false};
    AnswerSearch(fixture.Folder());
    fixture.Window.ActionSearchSc->trigger();

    QCOMPARE(fixture.Catalogue.Messages.Messenger->Texts(),
             QStringList{QString::fromUtf8("找到3个可执行文件，要进行分类么？")});
    QVERIFY(dm->GetShortCuts("Tools").isEmpty());
    QCOMPARE(fixture.Window.RzStatusPane1->text(), QString("before"));
}

void TestBatchImport::nothingFoundIsSaid()
{
    TBatchFixture fixture;
    AnswerSearch(fixture.Catalogue.Drive.Root() + "/Apps-none");
    QDir().mkpath(fixture.Catalogue.Drive.Root() + "/Apps-none");
    fixture.Window.ActionSearchSc->trigger();

    QCOMPARE(fixture.Catalogue.Messages.Messenger->Texts(),
             QStringList{QString::fromUtf8("没有搜索到可执行文件")});
    QCOMPARE(fixture.Catalogue.Messages.Messenger->Shown[0].Kind, TMessageKind::Information);
}

void TestBatchImport::categoryCarriesFromOneEditorToTheNext()
{
    TBatchFixture fixture;
    fixture.Catalogue.Messages.Messenger->Answers = {true};
    QStringList offered;
    const std::function<void(QDialog*)> third = [&](QDialog* editor) {
        offered.append(CategoryOf(editor)->currentText());
        editor->reject();
    };
    const std::function<void(QDialog*)> second = [&](QDialog* editor) {
        offered.append(CategoryOf(editor)->currentText());
        CategoryOf(editor)->setCurrentIndex(-1);
        AnswerNextDialog(third);
        editor->reject();
    };
    const std::function<void(QDialog*)> first = [&](QDialog* editor) {
        offered.append(CategoryOf(editor)->currentText());
        CategoryOf(editor)->setCurrentText("Games");
        AnswerNextDialog(second);
        editor->reject();
    };
    AnswerNextDialog([&](QDialog* search) {
        search->findChild<QLineEdit*>("RzButtonEditPath")->setText(fixture.Folder());
        PressOk(search);
        AnswerNextDialog(first);
    });
    fixture.Window.ActionSearchSc->trigger();

    QCOMPARE(offered, (QStringList{"", "Games", ""}));
    QVERIFY(dm->GetShortCuts("Games").isEmpty());
}

void TestBatchImport::storesAcceptedFilesAndReportsProgress()
{
    TBatchFixture fixture;
    QTest::mouseClick(fixture.Window.RzTabControl1, Qt::LeftButton, {},
                      fixture.Window.RzTabControl1->tabRect(0).center());
    fixture.Catalogue.Messages.Messenger->Answers = {true};
    QStringList statusWhenOpened;
    std::function<void(QDialog*)> accept = [&](QDialog* editor) {
        statusWhenOpened.append(fixture.Window.RzStatusPane1->text());
        if (statusWhenOpened.size() < 3)
            AnswerNextDialog(accept);
        PressOk(editor);
    };
    AnswerNextDialog([&](QDialog* search) {
        search->findChild<QLineEdit*>("RzButtonEditPath")->setText(fixture.Folder());
        PressOk(search);
        AnswerNextDialog(accept);
    });
    fixture.Window.ActionSearchSc->trigger();

    QCOMPARE(statusWhenOpened, (QStringList{"before", QString::fromUtf8("正在处理1/3个文件"),
                                            QString::fromUtf8("正在处理2/3个文件")}));
    QCOMPARE(fixture.Window.RzStatusPane1->text(), QString::fromUtf8("批量处理文件结束。"));
    QCOMPARE(dm->GetShortCuts("Tools").size(), 3);
    QCOMPARE(fixture.Window.RzListView1->count(), 0); // shown at the next load
}

void TestBatchImport::substitutedPathIsAStoredDuplicate_data()
{
    QTest::addColumn<bool>("substitute");
    QTest::newRow("found under the drive's real path") << false;
    QTest::newRow("substituted before OK") << true;
}

void TestBatchImport::substitutedPathIsAStoredDuplicate()
{
    QFETCH(bool, substitute);
    TBatchFixture fixture;
    QFile::remove(fixture.Folder() + "/b.exe");
    QFile::remove(fixture.Folder() + "/c.exe");
    TQShortCut stored;
    stored.GroupName = "Games";
    stored.SCText = "a";
    stored.FileName = "%removedrive%/Found/a.exe";
    dm->AddShortCut(stored);
    fixture.Catalogue.Messages.Messenger->Answers = {true};
    AnswerNextDialog([&](QDialog* search) {
        search->findChild<QLineEdit*>("RzButtonEditPath")->setText(fixture.Folder());
        PressOk(search);
        AnswerNextDialog([&](QDialog* editor) {
            CategoryOf(editor)->setCurrentText("Tools");
            if (substitute)
                editor->findChild<QPushButton*>("RzButton2")->click();
            PressOk(editor);
        });
    });
    fixture.Window.ActionSearchSc->trigger();

    const QStringList texts = fixture.Catalogue.Messages.Messenger->Texts();
    QCOMPARE(texts.contains(QString::fromUtf8("已经存在的应用程序！")), substitute);
    QCOMPARE(dm->GetShortCuts("Tools").size(), substitute ? 0 : 1);
}

QTEST_MAIN(TestBatchImport)
#include "tst_batchimport.moc"
