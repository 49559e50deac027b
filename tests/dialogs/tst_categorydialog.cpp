#include "CatalogueFixture.h"
#include "TestMessenger.h"
#include "uFrmCrShortCutG.h"

#include <QPushButton>
#include <QtTest>

namespace {

QPushButton* Button(const TfrmCrShortCutG& dialog, QDialogButtonBox::ButtonRole role)
{
    for (QAbstractButton* button : dialog.RzDialogButtons1->buttons()) {
        if (dialog.RzDialogButtons1->buttonRole(button) == role)
            return qobject_cast<QPushButton*>(button);
    }
    return nullptr;
}

void ClickOk(TfrmCrShortCutG& dialog)
{
    QTest::mouseClick(Button(dialog, QDialogButtonBox::AcceptRole), Qt::LeftButton);
}

void ClickPicture(TfrmCrShortCutG& dialog, int row)
{
    QListWidget* list = dialog.RzListView1;
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

QStringList CategoryNames()
{
    QStringList names;
    for (const TQShortCutGroup& group : dm->GetShortCutGroups())
        names.append(group.GroupName);
    return names;
}

} // namespace

class TestCategoryDialog : public QObject {
    Q_OBJECT

private slots:
    void offersTheFortyFivePictures();
    void refusesAnUnchangedOrEmptyName_data();
    void refusesAnUnchangedOrEmptyName();
    void storesTheNameAsTypedWithItsPicture_data();
    void storesTheNameAsTypedWithItsPicture();
    void duplicateKeepsTheInputForARetry();
    void cancelStoresNothing_data();
    void cancelStoresNothing();
    void storeErrorIsShownAndTheDialogStaysOpen();
};

void TestCategoryDialog::offersTheFortyFivePictures()
{
    TCatalogueFixture catalogue;
    TfrmCrShortCutG dialog;

    QCOMPARE(dialog.windowTitle(), QString("快速啟動分類"));
    QCOMPARE(dialog.RzEdit1->text(), QString("請輸入"));
    QCOMPARE(dialog.RzGroupBox1->title(), QString("選取分類圖示 "));
    QCOMPARE(Button(dialog, QDialogButtonBox::AcceptRole)->text(), QString("新增"));
    QVERIFY(Button(dialog, QDialogButtonBox::AcceptRole)->isDefault());
    QCOMPARE(Button(dialog, QDialogButtonBox::RejectRole)->text(), QString("取消"));
    QCOMPARE(dialog.RzListView1->count(), 45);
    for (int row = 0; row < dialog.RzListView1->count(); ++row) {
        QCOMPARE(dialog.RzListView1->item(row)->text(), QString::number(row));
        QVERIFY(!dialog.RzListView1->item(row)->icon().isNull());
    }
    QVERIFY(dialog.RzListView1->selectedItems().isEmpty());
    QVERIFY(!dialog.NameEdited);
}

void TestCategoryDialog::refusesAnUnchangedOrEmptyName_data()
{
    QTest::addColumn<QStringList>("edits");
    QTest::newRow("OK at once") << QStringList();
    QTest::newRow("typed then deleted") << QStringList{"Games", ""};
}

void TestCategoryDialog::refusesAnUnchangedOrEmptyName()
{
    QFETCH(QStringList, edits);
    TCatalogueFixture catalogue;
    TMessengerScope messages;
    TfrmCrShortCutG dialog;
    dialog.show();
    for (const QString& text : edits)
        dialog.RzEdit1->setText(text);
    const QString shown = dialog.RzEdit1->text();

    ClickOk(dialog);

    QCOMPARE(messages.Messenger->Shown.size(), 1);
    QCOMPARE(messages.Messenger->Shown[0].Kind, TMessageKind::Error);
    QCOMPARE(messages.Messenger->Shown[0].Text, QString("请输入分类名称"));
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.RzEdit1->text(), shown);
    QVERIFY(CategoryNames().isEmpty());
}

void TestCategoryDialog::storesTheNameAsTypedWithItsPicture_data()
{
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QList<int>>("clickedRows"); // -1: a click on empty space
    QTest::addColumn<QString>("storedName");
    QTest::addColumn<int>("storedIndex");
    QTest::newRow("changed back to the preset")
        << QStringList{"x", "請輸入"} << QList<int>() << QString("請輸入") << 0;
    QTest::newRow("blanks only") << QStringList{"   "} << QList<int>() << QString("   ") << 0;
    QTest::newRow("item 44") << QStringList{"Games"} << QList<int>{44} << QString("Games") << 44;
    QTest::newRow("selection cleared")
        << QStringList{"Games"} << QList<int>{7, -1} << QString("Games") << 0;
}

void TestCategoryDialog::storesTheNameAsTypedWithItsPicture()
{
    QFETCH(QStringList, edits);
    QFETCH(QList<int>, clickedRows);
    QFETCH(QString, storedName);
    QFETCH(int, storedIndex);
    TCatalogueFixture catalogue;
    TMessengerScope messages;
    TfrmCrShortCutG dialog;
    dialog.resize(340, 500); // room below the pictures for a click on empty space
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    for (const QString& text : edits)
        dialog.RzEdit1->setText(text);
    for (int row : clickedRows) {
        if (row < 0)
            QTest::mouseClick(dialog.RzListView1->viewport(), Qt::LeftButton, {},
                              dialog.RzListView1->viewport()->rect().bottomRight() - QPoint(2, 2));
        else
            ClickPicture(dialog, row);
    }

    ClickOk(dialog);

    QVERIFY(messages.Messenger->Shown.isEmpty());
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const QList<TQShortCutGroup> groups = dm->GetShortCutGroups();
    QCOMPARE(groups.size(), 1);
    QCOMPARE(groups[0].GroupName, storedName);
    QCOMPARE(groups[0].ImageIndex, storedIndex);
}

void TestCategoryDialog::duplicateKeepsTheInputForARetry()
{
    TCatalogueFixture catalogue;
    catalogue.AddCategory("Tools", 3);
    TMessengerScope messages;
    TfrmCrShortCutG dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.RzEdit1->setText("Tools");
    ClickPicture(dialog, 12);

    ClickOk(dialog);

    QCOMPARE(messages.Messenger->Texts(), QStringList{"已经存在的分类！"});
    QCOMPARE(messages.Messenger->Shown[0].Kind, TMessageKind::Error);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.RzEdit1->text(), QString("Tools"));
    QCOMPARE(dialog.RzListView1->selectedItems(), {dialog.RzListView1->item(12)});

    dialog.RzEdit1->setText("Tools 2");
    ClickOk(dialog);

    QVERIFY(!dialog.isVisible());
    const QList<TQShortCutGroup> groups = dm->GetShortCutGroups();
    QCOMPARE(groups.size(), 2);
    QCOMPARE(groups[1].GroupName, QString("Tools 2"));
    QCOMPARE(groups[1].ImageIndex, 12);
}

void TestCategoryDialog::cancelStoresNothing_data()
{
    QTest::addColumn<bool>("byEscape");
    QTest::newRow("Cancel") << false;
    QTest::newRow("Esc") << true;
}

void TestCategoryDialog::cancelStoresNothing()
{
    QFETCH(bool, byEscape);
    TCatalogueFixture catalogue;
    TMessengerScope messages;
    TfrmCrShortCutG dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.RzEdit1->setText("Games");

    if (byEscape)
        QTest::keyClick(dialog.RzEdit1, Qt::Key_Escape);
    else
        QTest::mouseClick(Button(dialog, QDialogButtonBox::RejectRole), Qt::LeftButton);

    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(messages.Messenger->Shown.isEmpty());
    QVERIFY(CategoryNames().isEmpty());
}

void TestCategoryDialog::storeErrorIsShownAndTheDialogStaysOpen()
{
    TCatalogueFixture catalogue;
    catalogue.AddCategory("Tools");
    TSqliteDatabase(catalogue.Drive.DataDir() + '/' + Tdm::DatabaseFileName())
        .Execute("CREATE TRIGGER refuse BEFORE INSERT ON t_scg"
                 " BEGIN SELECT RAISE(ABORT, 'attempt to write a readonly database'); END");
    TMessengerScope messages;
    TfrmCrShortCutG dialog;
    dialog.show();
    dialog.RzEdit1->setText("Games");

    ClickOk(dialog);

    QCOMPARE(messages.Messenger->Shown.size(), 1);
    QCOMPARE(messages.Messenger->Shown[0].Kind, TMessageKind::Error);
    QCOMPARE(messages.Messenger->Shown[0].Title, QString("VELMO"));
    QCOMPARE(messages.Messenger->Shown[0].Text, QString("attempt to write a readonly database."));
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.RzEdit1->text(), QString("Games"));
    QCOMPARE(CategoryNames(), QStringList{"Tools"});
}

QTEST_MAIN(TestCategoryDialog)
#include "tst_categorydialog.moc"
