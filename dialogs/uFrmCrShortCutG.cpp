#include "uFrmCrShortCutG.h"

#include "uDataModule.h"
#include "uMessages.h"

#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

TfrmCrShortCutG::TfrmCrShortCutG(QWidget* parent)
    : QDialog(parent)
{
    setObjectName("frmCrShortCutG");
    setWindowTitle("快速啟動分類");
    resize(340, 250);

    RzLabel1 = new QLabel("分類名稱：", this);
    RzLabel1->setObjectName("RzLabel1");
    RzEdit1 = new QLineEdit("請輸入", this);
    RzEdit1->setObjectName("RzEdit1");
    RzLabel1->setBuddy(RzEdit1);

    RzGroupBox1 = new QGroupBox("選取分類圖示 ", this);
    RzGroupBox1->setObjectName("RzGroupBox1");
    RzListView1 = new QListWidget(RzGroupBox1);
    RzListView1->setObjectName("RzListView1");
    RzListView1->setViewMode(QListView::IconMode);
    RzListView1->setIconSize(QSize(32, 32));
    RzListView1->setGridSize(QSize(44, 52));
    RzListView1->setMovement(QListView::Static);
    RzListView1->setResizeMode(QListView::Adjust);
    RzListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    RzListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* pictures = new QVBoxLayout(RzGroupBox1);
    pictures->setContentsMargins(2, 2, 2, 2);
    pictures->addWidget(RzListView1);

    RzDialogButtons1 = new QDialogButtonBox(this);
    RzDialogButtons1->setObjectName("RzDialogButtons1");
    QPushButton* ok = RzDialogButtons1->addButton("新增", QDialogButtonBox::AcceptRole);
    ok->setObjectName("OK");
    ok->setDefault(true);
    RzDialogButtons1->addButton("取消", QDialogButtonBox::RejectRole)->setObjectName("Cancel");

    auto* layout = new QGridLayout(this);
    layout->addWidget(RzLabel1, 0, 0);
    layout->addWidget(RzEdit1, 0, 1);
    layout->addWidget(RzGroupBox1, 1, 0, 1, 2);
    layout->addWidget(RzDialogButtons1, 2, 0, 1, 2);
    layout->setRowStretch(1, 1);

    setTabOrder(RzEdit1, RzListView1);
    setTabOrder(RzListView1, RzDialogButtons1);
    RzEdit1->setFocus();

    connect(RzEdit1, &QLineEdit::textChanged, this, &TfrmCrShortCutG::RzEdit1Change);
    connect(RzDialogButtons1, &QDialogButtonBox::accepted, this,
            [this] { Guarded([this] { RzDialogButtons1ClickOk(); }); });
    connect(RzDialogButtons1, &QDialogButtonBox::rejected, this, &QDialog::reject);

    FormCreate();
}

void TfrmCrShortCutG::FormCreate()
{
    NameEdited = false;
    RzListView1->clear();
    for (int index = 0; index < dm->ImageList1.Count(); ++index)
        new QListWidgetItem(dm->ImageList1.Icon(index), QString::number(index), RzListView1);
}

void TfrmCrShortCutG::RzEdit1Change()
{
    NameEdited = true;
}

// The list holds picture i at row i.
int TfrmCrShortCutG::SelectedImageIndex() const
{
    const QList<QListWidgetItem*> selected = RzListView1->selectedItems();
    return selected.isEmpty() ? 0 : RzListView1->row(selected.constFirst());
}

void TfrmCrShortCutG::RzDialogButtons1ClickOk()
{
    const QString name = RzEdit1->text(); // not trimmed: a name of blanks is a name
    if (name.isEmpty() || !NameEdited) {
        ShowMessage(TMessageKind::Error, "请输入分类名称");
        return;
    }
    if (dm->ShortCutGroupExists(name)) {
        ShowMessage(TMessageKind::Error, "已经存在的分类！");
        return;
    }
    dm->AddShortCutGroup({name, SelectedImageIndex()});
    accept();
}
