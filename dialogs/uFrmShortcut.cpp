#include "uFrmShortcut.h"

#include "uCommon.h"
#include "uDataModule.h"
#include "uEnvironment.h"
#include "uMessages.h"

#include <QGridLayout>

namespace {

const QString DriveReference = "%removedrive%";

// The open dialog's two entries: the programs of the drive's own kind, then every file
// (a Linux program usually has no extension, so the second matches names without a dot too).
const QStringList ProgramFilters = {"*.exe *.com *.bat", "*.* (*)"};

// The path with the portable drive replaced by the reference, or empty when the path is not on
// that drive. The drive is a mount point: a path is on it when it is the mount point itself or goes
// on below it after a "/". Letter case counts, as it does for Linux file names. The rest keeps its
// leading "/", so the reference joins to any other mount point just as well; on the root that
// leaves only "/" itself (and "//..."), since a "%removedrive%usr/..." would not.
QString SubstitutedPath(const QString& path, const QString& removeDrive)
{
    if (removeDrive.isEmpty())
        return {};
    if (path != removeDrive && !path.startsWith(removeDrive + '/'))
        return {};
    return DriveReference + path.mid(removeDrive.size());
}

QLabel* CreateLabel(const QString& text, const char* name, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setBuddy(buddy);
    return label;
}

QLineEdit* CreateEdit(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

QPushButton* CreateButton(const QString& text, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

TfrmShortCut::TfrmShortCut()
{
    setObjectName("frmShortCut");
    setWindowTitle("快速啟動");
    resize(360, 240);
    CreateControls();
    FormCreate();
}

void TfrmShortCut::CreateControls()
{
    RzComboBox1 = new QComboBox(this);
    RzComboBox1->setObjectName("RzComboBox1");
    RzComboBox1->setEditable(false);
    RzLabel2 = CreateLabel("分類：", "RzLabel2", RzComboBox1, this);
    RzEditText = CreateEdit("RzEditText", this);
    RzLabel3 = CreateLabel("名稱：", "RzLabel3", RzEditText, this);
    RzEditFile = CreateEdit("RzEditFile", this);
    RzLabel1 = CreateLabel("程式：", "RzLabel1", RzEditFile, this);
    RzButton1 = CreateButton("瀏覽", "RzButton1", this);
    RzEditParameters = CreateEdit("RzEditParameters", this);
    RzLabel4 = CreateLabel("參數：", "RzLabel4", RzEditParameters, this);
    RzButton2 = CreateButton("變量置換", "RzButton2", this);
    RzButton2->setToolTip("用變量%removedrive%置換盤符");
    RzButton2->setEnabled(false);

    RzMemo1 = new QPlainTextEdit(this);
    RzMemo1->setObjectName("RzMemo1");
    RzMemo1->setReadOnly(true);
    RzMemo1->setEnabled(false);
    RzMemo1->setWordWrapMode(QTextOption::WrapAnywhere); // a path has no blanks to break at
    RzMemo1->setAccessibleName(RzLabel1->text());

    RzDialogButtons1 = new QDialogButtonBox(this);
    RzDialogButtons1->setObjectName("RzDialogButtons1");
    QPushButton* ok = RzDialogButtons1->addButton("確定", QDialogButtonBox::AcceptRole);
    ok->setObjectName("OK");
    ok->setDefault(true);
    RzDialogButtons1->addButton("取消", QDialogButtonBox::RejectRole)->setObjectName("Cancel");

    auto* layout = new QGridLayout(this);
    layout->addWidget(RzLabel2, 0, 0);
    layout->addWidget(RzComboBox1, 0, 1, 1, 2);
    layout->addWidget(RzLabel3, 1, 0);
    layout->addWidget(RzEditText, 1, 1, 1, 2);
    layout->addWidget(RzLabel1, 2, 0);
    layout->addWidget(RzEditFile, 2, 1);
    layout->addWidget(RzButton1, 2, 2);
    layout->addWidget(RzLabel4, 3, 0);
    layout->addWidget(RzEditParameters, 3, 1);
    layout->addWidget(RzButton2, 3, 2);
    layout->addWidget(RzMemo1, 4, 0, 1, 3);
    layout->addWidget(RzDialogButtons1, 5, 0, 1, 3);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(4, 1);

    const QList<QWidget*> tabOrder = {RzComboBox1,      RzEditText, RzEditFile, RzButton1,
                                      RzEditParameters, RzButton2,  RzMemo1,    RzDialogButtons1};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    RzComboBox1->setFocus();

    const auto guardedChange = [this] { Guarded([this] { RzEditFileChange(); }); };
    connect(RzEditFile, &QLineEdit::textChanged, this, guardedChange);
    connect(RzEditParameters, &QLineEdit::textChanged, this, guardedChange);
    connect(RzButton1, &QPushButton::clicked, this,
            [this] { Guarded([this] { RzButton1Click(); }); });
    connect(RzButton2, &QPushButton::clicked, this,
            [this] { Guarded([this] { RzButton2Click(); }); });
    connect(RzDialogButtons1, &QDialogButtonBox::accepted, this,
            &TfrmShortCut::RzDialogButtons1ClickOk);
    connect(RzDialogButtons1, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void TfrmShortCut::FormCreate()
{
    RzComboBox1->clear();
    for (const TQShortCutGroup& group : dm->GetShortCutGroups())
        RzComboBox1->addItem(group.GroupName);
    RzComboBox1->setCurrentIndex(-1);
}

void TfrmShortCut::SetMode(int mode)
{
    if (mode == 0) {
        setWindowTitle("新增快速啟動項目");
    } else if (mode == 1) {
        setWindowTitle("修改快速启动项目");
        RzEditFile->setEnabled(false);
        RzButton1->setEnabled(false);
        RzButton2->setVisible(false);
    }
    Mode = mode;
}

void TfrmShortCut::SelectGroup(const QString& groupName)
{
    const int index = RzComboBox1->findText(groupName, Qt::MatchFixedString);
    RzComboBox1->setCurrentIndex(index < 0 ? 0 : index);
}

void TfrmShortCut::SetShortCut(const TQShortCut& shortCut)
{
    RzComboBox1->setCurrentIndex(RzComboBox1->findText(shortCut.GroupName, Qt::MatchFixedString));
    RzEditText->setText(shortCut.SCText);
    RzEditFile->setText(shortCut.FileName);
    RzEditParameters->setText(shortCut.Parameters);
}

TQShortCut TfrmShortCut::GetShortCut() const
{
    TQShortCut shortCut;
    shortCut.GroupName = RzComboBox1->currentText();
    shortCut.SCText = RzEditText->text();
    shortCut.FileName = RzEditFile->text();
    shortCut.Parameters = RzEditParameters->text();
    return shortCut;
}

void TfrmShortCut::RzEditFileChange()
{
    RzMemo1->setPlainText(RzEditFile->text());
    UpdateDriveButton();
}

void TfrmShortCut::UpdateDriveButton()
{
    RzButton2->setEnabled(!SubstitutedPath(RzEditFile->text(), Env->GetRemoveDrive()).isEmpty());
}

void TfrmShortCut::RzButton1Click()
{
    const QString chosen = Messenger().OpenFile(RzEditFile->text(), ProgramFilters);
    if (chosen.isEmpty())
        return;
    RzEditText->setText(GetFileTitle(chosen));
    RzEditFile->setText(chosen);
}

void TfrmShortCut::RzButton2Click()
{
    const QString substituted = SubstitutedPath(RzEditFile->text(), Env->GetRemoveDrive());
    if (substituted.isEmpty())
        return;
    RzEditFile->setText(substituted);
    RzButton2->setEnabled(false);
}

void TfrmShortCut::RzDialogButtons1ClickOk()
{
    // Emptiness only, nothing trimmed: a name of blanks is a name.
    if (RzComboBox1->count() == 0)
        ShowMessage(TMessageKind::Plain, "请先建立快速启动分类");
    else if (RzEditText->text().isEmpty())
        ShowMessage(TMessageKind::Plain, "快速启动名称不能为空");
    else if (RzEditFile->text().isEmpty())
        ShowMessage(TMessageKind::Plain, "程序不能为空");
    else
        accept();
}
