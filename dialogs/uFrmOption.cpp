#include "uFrmOption.h"

#include "uAutostart.h"
#include "uDriveList.h"
#include "uEnvironment.h"
#include "uError.h"
#include "uMachineSettings.h"
#include "uMessages.h"
#include "uPlatform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QStringEncoder>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString RemoveDriveName = "removedrive";

// The program's path below its drive, with the separators Windows reads in autorun.inf.
QString RelativeProgramPath(const QString& programPath, const QString& drive)
{
    QString relative = programPath.mid(drive.size());
    if (relative.startsWith('/'))
        relative.remove(0, 1);
    return relative.replace('/', '\\');
}

QString AutorunFilePath(const QString& drive)
{
    return (drive.endsWith('/') ? drive : drive + '/') + "autorun.inf";
}

QString AutorunText(const QString& relativePath)
{
    return "[autorun]\r\nOPEN=" + relativePath + "\r\nICON=" + relativePath +
           "\r\nACTION = Usb-Menu\r\n";
}

// Windows reads a UTF-16 autorun.inf with a byte-order mark; UTF-8 it would take for its
// own code page. Plain ASCII stays plain, as every Windows version reads that.
QByteArray AutorunBytes(const QString& text)
{
    const bool isAscii =
        std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
    if (isAscii)
        return text.toLatin1();
    QStringEncoder encoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    return encoder.encode(text);
}

void WriteAutorun(const QString& filePath, const QByteArray& bytes)
{
    QSaveFile file(filePath);
    const bool written =
        file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    if (!written)
        throw EVelmoError(
            QString("Cannot create file \"%1\". %2").arg(filePath, file.errorString()));
}

} // namespace

TfrmOption::TfrmOption(QWidget* parent)
    : QDialog(parent)
{
    CreateControls();
    Guarded([this] { FormCreate(); });
}

void TfrmOption::CreateControls()
{
    setObjectName("frmOption");
    setWindowTitle("設定");

    RzGroupBox1 = new QGroupBox("設定", this);
    RzGroupBox1->setObjectName("RzGroupBox1");
    RzCheckBox1 = new QCheckBox("Windows啟動時運行", RzGroupBox1);
    RzCheckBox1->setObjectName("RzCheckBox1");
    RzCheckBox2 = new QCheckBox("啟動時最小化到系統托盤", RzGroupBox1);
    RzCheckBox2->setObjectName("RzCheckBox2");
    auto* settingsLayout = new QVBoxLayout(RzGroupBox1);
    settingsLayout->addWidget(RzCheckBox1);
    settingsLayout->addWidget(RzCheckBox2);

    RzGroupBox2 = new QGroupBox("搬移介質", this);
    RzGroupBox2->setObjectName("RzGroupBox2");
    RzLabel1 = new QLabel("%removedrive%", RzGroupBox2);
    RzLabel1->setObjectName("RzLabel1");
    RzComboBoxDrive = new QComboBox(RzGroupBox2);
    RzComboBoxDrive->setObjectName("RzComboBoxDrive");
    RzComboBoxDrive->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    RzComboBoxDrive->setMinimumWidth(60);
    RzLabel1->setBuddy(RzComboBoxDrive);
    RzButtonCreateFile = new QPushButton("在磁碟機上生成autorun.inf檔案", RzGroupBox2);
    RzButtonCreateFile->setObjectName("RzButtonCreateFile");
    RzButtonCreateFile->setAutoDefault(false);
    RzLabel2 = new QLabel("提示：不要在非搬移介質上生成autorun.inf", RzGroupBox2);
    RzLabel2->setObjectName("RzLabel2");
    QPalette warning = RzLabel2->palette();
    warning.setColor(QPalette::WindowText, Qt::red);
    RzLabel2->setPalette(warning);
    auto* driveLayout = new QGridLayout(RzGroupBox2);
    driveLayout->addWidget(RzLabel1, 0, 0);
    driveLayout->addWidget(RzComboBoxDrive, 0, 1, Qt::AlignLeft);
    driveLayout->addWidget(RzButtonCreateFile, 1, 0, 1, 2);
    driveLayout->addWidget(RzLabel2, 2, 0, 1, 2);
    driveLayout->setColumnStretch(1, 1);

    RzDialogButtons1 = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    RzDialogButtons1->setObjectName("RzDialogButtons1");
    RzDialogButtons1->button(QDialogButtonBox::Ok)->setText("確定");
    RzDialogButtons1->button(QDialogButtonBox::Cancel)->setText("取消");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(RzGroupBox1);
    layout->addWidget(RzGroupBox2);
    layout->addStretch();
    layout->addWidget(RzDialogButtons1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumSize(285, 227);

    connect(RzButtonCreateFile, &QPushButton::clicked, this,
            [this] { Guarded([this] { RzButtonCreateFileClick(); }); });
    // The OK result stands whatever storing raises: the dialog closes after the report.
    connect(RzDialogButtons1, &QDialogButtonBox::accepted, this, [this] {
        Guarded([this] { RzDialogButtons1ClickOk(); });
        accept();
    });
    connect(RzDialogButtons1, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString TfrmOption::GetCreateFileCaption()
{
    return "在磁碟機" + MountPointOfPath(ProgramFilePath()) + "生成autorun.inf檔案";
}

void TfrmOption::FormCreate()
{
    RzComboBoxDrive->clear();
    RzComboBoxDrive->addItems(LogicalDrives());
    // Linux paths are case-sensitive: only the very drive the variable names is chosen.
    RzComboBoxDrive->setCurrentIndex(RzComboBoxDrive->findText(Env->GetRemoveDrive()));
    RzButtonCreateFile->setText(GetCreateFileCaption());
    RzCheckBox1->setChecked(TAutostartEntry().Exists());
    RzCheckBox2->setChecked(TMachineSettings().ReadMin() == "1");
}

void TfrmOption::RzButtonCreateFileClick()
{
    const QString programPath = ProgramFilePath();
    const QString drive = MountPointOfPath(programPath);
    WriteAutorun(AutorunFilePath(drive),
                 AutorunBytes(AutorunText(RelativeProgramPath(programPath, drive))));
    ShowMessage(TMessageKind::Information, "文件autorun.inf在根目录创建");
}

void TfrmOption::RzDialogButtons1ClickOk()
{
    StoreRemoveDrive();
    if (RzCheckBox1->isChecked())
        TAutostartEntry().Write(ProgramFilePath());
    else
        TAutostartEntry().Remove();
    TMachineSettings().WriteMin(RzCheckBox2->isChecked() ? "1" : "0");
}

void TfrmOption::StoreRemoveDrive()
{
    // No drive chosen means no change: an empty value would break every stored path.
    const QString drive = RzComboBoxDrive->currentText();
    if (drive.isEmpty() || drive == Env->GetRemoveDrive())
        return;
    if (!Env->SetVariable(RemoveDriveName, drive, true))
        throw EVelmoError(QString("Failed to set data for '%1'").arg(RemoveDriveName));
}
