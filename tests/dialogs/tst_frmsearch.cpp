#include "TestMessenger.h"
#include "uFrmSearch.h"
#include "uMessages.h"

#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

namespace {

template <typename TWidget> TWidget* Find(const QDialog& dialog, const char* name)
{
    auto* widget = dialog.findChild<TWidget*>(name);
    if (!widget)
        qFatal("no widget %s", name);
    return widget;
}

void ClickOk(const QDialog& dialog)
{
    Find<QDialogButtonBox>(dialog, "RzDialogButtons1")->button(QDialogButtonBox::Ok)->click();
}

} // namespace

class TestFrmSearch : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void startsAsTheFormSays();
    void boxesExcludeEachOther_data();
    void boxesExcludeEachOther();
    void refusesAFolderThatIsNotThere_data();
    void refusesAFolderThatIsNotThere();
    void okFillsSearchInfo();
    void folderChooserFillsThePath_data();
    void folderChooserFillsThePath();
    void numericEditTakesWholeNumbers_data();
    void numericEditTakesWholeNumbers();

private:
    std::unique_ptr<TMessengerScope> m_messages;
    QTemporaryDir m_temp;
};

void TestFrmSearch::init()
{
    m_messages = std::make_unique<TMessengerScope>();
}

void TestFrmSearch::cleanup()
{
    m_messages.reset();
}

void TestFrmSearch::startsAsTheFormSays()
{
    TfrmSearch dialog;
    QCOMPARE(dialog.windowTitle(), QString("搜尋"));
    QCOMPARE(Find<QLineEdit>(dialog, "RzEditFile")->text(), QString("*.exe"));
    QCOMPARE(Find<QLineEdit>(dialog, "RzButtonEditPath")->text(), QString());
    QVERIFY(!Find<QCheckBox>(dialog, "RzCheckBox1")->isChecked());
    QVERIFY(Find<QCheckBox>(dialog, "RzCheckBox2")->isChecked());
    QCOMPARE(Find<QSpinBox>(dialog, "RzNumericEdit1")->value(), 1);
    const QDialogButtonBox* buttons = Find<QDialogButtonBox>(dialog, "RzDialogButtons1");
    QCOMPARE(buttons->button(QDialogButtonBox::Ok)->text(), QString("確定"));
    QVERIFY(buttons->button(QDialogButtonBox::Ok)->isDefault());
    QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), QString("取消"));
}

void TestFrmSearch::boxesExcludeEachOther_data()
{
    QTest::addColumn<QString>("clicks"); // "1" RzCheckBox1, "2" RzCheckBox2, in turn
    QTest::addColumn<bool>("allSubDirs");
    QTest::addColumn<bool>("depthLimited");
    QTest::newRow("subfolders unchecks n levels") << "1" << true << false;
    QTest::newRow("n levels unchecks subfolders") << "12" << false << true;
    QTest::newRow("n levels off, both off") << "2" << false << false;
    QTest::newRow("subfolders on and off, both off") << "11" << false << false;
    QTest::newRow("subfolders after n levels off") << "21" << true << false;
}

void TestFrmSearch::boxesExcludeEachOther()
{
    QFETCH(QString, clicks);
    QFETCH(bool, allSubDirs);
    QFETCH(bool, depthLimited);
    TfrmSearch dialog;
    auto* subfolders = Find<QCheckBox>(dialog, "RzCheckBox1");
    auto* levels = Find<QCheckBox>(dialog, "RzCheckBox2");
    for (const QChar box : clicks)
        (box == '1' ? subfolders : levels)->click();
    QCOMPARE(subfolders->isChecked(), allSubDirs);
    QCOMPARE(levels->isChecked(), depthLimited);
}

void TestFrmSearch::refusesAFolderThatIsNotThere_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("empty") << "";
    QTest::newRow("missing") << m_temp.path() + "/missing";
    QTest::newRow("a file") << QCoreApplication::applicationFilePath();
}

void TestFrmSearch::refusesAFolderThatIsNotThere()
{
    QFETCH(QString, path);
    TfrmSearch dialog;
    Find<QLineEdit>(dialog, "RzButtonEditPath")->setText(path);
    dialog.open();
    ClickOk(dialog);
    const QList<TScriptedMessenger::TShown>& shown = m_messages->Messenger->Shown;
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().Kind, TMessageKind::Error);
    QCOMPARE(shown.first().Text, QString("请输入要查找的目录"));
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(Find<QLineEdit>(dialog, "RzButtonEditPath")->text(), path);

    // The same dialog takes a folder that is there.
    Find<QLineEdit>(dialog, "RzButtonEditPath")->setText(m_temp.path());
    ClickOk(dialog);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.SearchInfo.Path, m_temp.path());
}

void TestFrmSearch::okFillsSearchInfo()
{
    TfrmSearch dialog;
    const QString folder = m_temp.path() + '/';
    Find<QLineEdit>(dialog, "RzButtonEditPath")->setText(folder);
    Find<QLineEdit>(dialog, "RzEditFile")->setText("*Portable*.EXE");
    Find<QCheckBox>(dialog, "RzCheckBox1")->click();
    Find<QSpinBox>(dialog, "RzNumericEdit1")->setValue(-3);
    dialog.open();
    ClickOk(dialog);
    QVERIFY(m_messages->Messenger->Shown.isEmpty());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.SearchInfo.Path, folder);
    QCOMPARE(dialog.SearchInfo.FileMask, QString("*Portable*.EXE"));
    QCOMPARE(dialog.SearchInfo.AllSubDirs, true);
    QCOMPARE(dialog.SearchInfo.DepthLimited, false);
    QCOMPARE(dialog.SearchInfo.Depth, -3);
}

void TestFrmSearch::folderChooserFillsThePath_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("expected");
    QTest::newRow("a folder chosen") << "/media/STICK/Apps"
                                     << "/media/STICK/Apps";
    QTest::newRow("cancelled") << ""
                               << "typed";
}

void TestFrmSearch::folderChooserFillsThePath()
{
    QFETCH(QString, chosen);
    QFETCH(QString, expected);
    m_messages->Messenger->ChosenFolders = {chosen};
    TfrmSearch dialog;
    auto* path = Find<QLineEdit>(dialog, "RzButtonEditPath");
    path->setText("typed");
    QCOMPARE(path->actions().size(), 1);
    path->actions().first()->trigger();
    QCOMPARE(m_messages->Messenger->FolderRequests, 1);
    QCOMPARE(path->text(), expected);
}

void TestFrmSearch::numericEditTakesWholeNumbers_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("shown");
    QTest::newRow("positive") << "12" << 12 << "12";
    QTest::newRow("thousands separated") << "1234567" << 1234567 << "1,234,567";
    QTest::newRow("negative in parentheses") << "-1234" << -1234 << "(1,234)";
    QTest::newRow("leading plus") << "+5" << 5 << "5";
    QTest::newRow("empty counts as 0") << "" << 0 << "0";
    QTest::newRow("letters refused") << "1x2" << 12 << "12";
    QTest::newRow("fraction refused") << "3.5" << 35 << "35";
    QTest::newRow("smallest") << "-2147483648" << -2147483647 - 1 << "(2,147,483,648)";
}

void TestFrmSearch::numericEditTakesWholeNumbers()
{
    QFETCH(QString, typed);
    QFETCH(int, value);
    QFETCH(QString, shown);
    TfrmSearch dialog;
    auto* edit = Find<QSpinBox>(dialog, "RzNumericEdit1");
    auto* text = edit->findChild<QLineEdit*>();
    text->selectAll();
    QTest::keyClick(text, Qt::Key_Delete);
    QTest::keyClicks(text, typed);
    edit->interpretText();
    QCOMPARE(edit->value(), value);
    edit->setValue(value + 1); // shows the value anew, in the edit's format
    edit->setValue(value);
    QCOMPARE(edit->text(), shown);
}

QTEST_MAIN(TestFrmSearch)
#include "tst_frmsearch.moc"
