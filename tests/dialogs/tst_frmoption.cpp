#include "TestMessenger.h"
#include "TestSupport.h"
#include "uAutostart.h"
#include "uEnvironment.h"
#include "uEnvironmentFile.h"
#include "uFrmOption.h"
#include "uMachineSettings.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QPushButton>
#include <QTest>

#include <optional>

#include <sched.h>
#include <sys/mount.h>

namespace {

const QString OtherDrive = "/media/other/DISK";

// A drive with "the program", an environment service and message boxes that answer OK.
struct TFixture {
    TFixture()
    {
        Drive.Mounts->Mounts = {{"/", "ext4", "/dev/vda1"},
                                {"/proc", "proc", "proc"},
                                {Drive.Root(), "vfat", "/dev/sdb1"},
                                {"/run/user/0", "tmpfs", "tmpfs"},
                                {OtherDrive, "ext4", "/dev/sdc1"}};
        Env = &Environment;
    }
    ~TFixture() { Env = nullptr; }

    TTempDrive Drive;
    TEnvironment Environment;
    TMessengerScope Messenger;
};

template <typename T> T* Control(const QDialog& dialog, const char* name)
{
    T* control = dialog.findChild<T*>(name);
    if (!control)
        qFatal("no control %s", name);
    return control;
}

QComboBox* DriveList(const QDialog& dialog)
{
    return Control<QComboBox>(dialog, "RzComboBoxDrive");
}

void Press(const QDialog& dialog, QDialogButtonBox::StandardButton which)
{
    Control<QDialogButtonBox>(dialog, "RzDialogButtons1")->button(which)->click();
}

void PressCreateFile(const QDialog& dialog)
{
    Control<QPushButton>(dialog, "RzButtonCreateFile")->click();
}

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString EnvironmentFileText()
{
    return QString::fromUtf8(ReadBytes(TEnvironmentFile::UserFilePath()));
}

// UTF-16 little-endian with a byte-order mark, spelled out byte by byte.
QByteArray Utf16LeWithBom(std::u16string_view text)
{
    QByteArray bytes("\xFF\xFE", 2);
    for (const char16_t c : text) {
        bytes.append(static_cast<char>(c & 0xFF));
        bytes.append(static_cast<char>(c >> 8));
    }
    return bytes;
}

// The drive's folder mounted as an empty read-only filesystem, in a mount namespace of
// this process's own so nothing outside the test sees it. Needs the right to mount.
class TReadOnlyMount {
public:
    explicit TReadOnlyMount(const QString& folder)
        : m_folder(QFile::encodeName(folder))
    {
        m_mounted = unshare(CLONE_NEWNS) == 0 &&
                    mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
                    mount("tmpfs", m_folder.constData(), "tmpfs", MS_RDONLY, nullptr) == 0;
    }
    ~TReadOnlyMount()
    {
        if (m_mounted)
            umount(m_folder.constData());
    }
    TReadOnlyMount(const TReadOnlyMount&) = delete;
    TReadOnlyMount& operator=(const TReadOnlyMount&) = delete;
    bool Mounted() const { return m_mounted; }

private:
    QByteArray m_folder;
    bool m_mounted = false;
};

} // namespace

class TestFrmOption : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setApplicationName("VELMO"); }
    void listsTheUserVisibleDrives();
    void preselectsTheRemoveDrive_data();
    void preselectsTheRemoveDrive();
    void okWithoutTouchingTheListStoresNoDrive();
    void okWithNoDriveSelectedStoresNoDrive();
    void okStoresTheChosenDrive();
    void okWritesOrRemovesTheAutostartEntry_data();
    void okWritesOrRemovesTheAutostartEntry();
    void minChecksTheBoxOnlyWhenOne_data();
    void minChecksTheBoxOnlyWhenOne();
    void okStoresMin_data();
    void okStoresMin();
    void cancelStoresNothing();
    void okReportsAFailedStoreAndStillCloses_data();
    void okReportsAFailedStoreAndStillCloses();
    void createsAutorunInTheDriveRoot_data();
    void createsAutorunInTheDriveRoot();
    void rewritesAutorunOnEveryPress();
    void autorunThatCannotBeWrittenKeepsTheDialogOpen_data();
    void autorunThatCannotBeWrittenKeepsTheDialogOpen();
};

void TestFrmOption::listsTheUserVisibleDrives()
{
    TFixture fixture;
    TfrmOption dialog;
    QComboBox* drives = DriveList(dialog);
    QStringList items;
    for (int i = 0; i < drives->count(); ++i)
        items.append(drives->itemText(i));
    QCOMPARE(items, QStringList({"/", fixture.Drive.Root(), OtherDrive}));
}

void TestFrmOption::preselectsTheRemoveDrive_data()
{
    QTest::addColumn<bool>("defined");
    QTest::addColumn<QString>("value"); // "<drive>" stands for the program's drive
    QTest::addColumn<QString>("selected");

    QTest::newRow("present") << true << OtherDrive << OtherDrive;
    QTest::newRow("program's drive") << true << "<drive>"
                                     << "<drive>";
    QTest::newRow("absent drive") << true << "/media/gone/STICK"
                                  << "";
    QTest::newRow("network share") << true << "//server/share"
                                   << "";
    QTest::newRow("empty value") << true << ""
                                 << "";
    // Linux file names are case-sensitive: another case names another folder.
    QTest::newRow("other letter case") << true << OtherDrive.toLower() << "";
    QTest::newRow("undefined: the program's drive") << false << ""
                                                    << "<drive>";
}

void TestFrmOption::preselectsTheRemoveDrive()
{
    QFETCH(bool, defined);
    QFETCH(QString, value);
    QFETCH(QString, selected);
    TFixture fixture;
    const QString root = fixture.Drive.Root();
    if (defined)
        qputenv("removedrive", QFile::encodeName(value.replace("<drive>", root)));

    TfrmOption dialog;
    QCOMPARE(DriveList(dialog)->currentText(), selected.replace("<drive>", root));
    QVERIFY(fixture.Messenger.Messenger->TitledTexts().isEmpty());
}

void TestFrmOption::okWithoutTouchingTheListStoresNoDrive()
{
    TFixture fixture;
    qputenv("removedrive", QFile::encodeName(OtherDrive));
    TfrmOption dialog;
    dialog.show();
    Press(dialog, QDialogButtonBox::Ok);

    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!QFile::exists(TEnvironmentFile::UserFilePath()));
    QVERIFY(fixture.Drive.SessionBus->Announcements.isEmpty());
}

void TestFrmOption::okWithNoDriveSelectedStoresNoDrive()
{
    TFixture fixture;
    qputenv("removedrive", "/media/gone/STICK");
    TfrmOption dialog;
    dialog.show();
    QCOMPARE(DriveList(dialog)->currentIndex(), -1);
    Press(dialog, QDialogButtonBox::Ok);

    QCOMPARE(qgetenv("removedrive"), QByteArray("/media/gone/STICK"));
    QVERIFY(!QFile::exists(TEnvironmentFile::UserFilePath()));
    QVERIFY(fixture.Drive.SessionBus->Announcements.isEmpty());
}

void TestFrmOption::okStoresTheChosenDrive()
{
    TFixture fixture;
    qputenv("removedrive", QFile::encodeName(fixture.Drive.Root()));
    TfrmOption dialog;
    dialog.show();
    DriveList(dialog)->setCurrentText(OtherDrive);
    Press(dialog, QDialogButtonBox::Ok);

    QCOMPARE(QFile::decodeName(qgetenv("removedrive")), OtherDrive);
    QCOMPARE(EnvironmentFileText(), "removedrive=\"" + OtherDrive + "\"\n");
    QCOMPARE(fixture.Drive.SessionBus->Announcements, QStringList("removedrive=" + OtherDrive));
    QVERIFY(fixture.Messenger.Messenger->TitledTexts().isEmpty());
}

void TestFrmOption::okWritesOrRemovesTheAutostartEntry_data()
{
    QTest::addColumn<bool>("existedBefore");
    QTest::addColumn<bool>("checked");
    QTest::newRow("checked, absent before") << false << true;
    QTest::newRow("checked, present before") << true << true;
    QTest::newRow("unchecked, present before") << true << false;
    QTest::newRow("unchecked, absent before") << false << false;
}

void TestFrmOption::okWritesOrRemovesTheAutostartEntry()
{
    QFETCH(bool, existedBefore);
    QFETCH(bool, checked);
    TFixture fixture;
    fixture.Drive.SetProgramPath(fixture.Drive.Root() + "/Tools/start");
    if (existedBefore)
        TAutostartEntry().Write("/elsewhere/old");

    TfrmOption dialog;
    QCheckBox* box = Control<QCheckBox>(dialog, "RzCheckBox1");
    QCOMPARE(box->isChecked(), existedBefore);
    box->setChecked(checked);
    dialog.show();
    Press(dialog, QDialogButtonBox::Ok);

    QCOMPARE(TAutostartEntry().Exists(), checked);
    if (checked) {
        const QString entry = QString::fromUtf8(ReadBytes(TAutostartEntry::FilePath()));
        QVERIFY(entry.contains("\nTryExec=" + fixture.Drive.Root() + "/Tools/start\n"));
    }
    QVERIFY(fixture.Messenger.Messenger->TitledTexts().isEmpty());
}

void TestFrmOption::minChecksTheBoxOnlyWhenOne_data()
{
    QTest::addColumn<bool>("present");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("checked");
    QTest::newRow("1") << true << "1" << true;
    QTest::newRow("0") << true << "0" << false;
    QTest::newRow("yes") << true << "yes" << false;
    QTest::newRow("empty") << true << "" << false;
    QTest::newRow("absent") << false << "" << false;
}

void TestFrmOption::minChecksTheBoxOnlyWhenOne()
{
    QFETCH(bool, present);
    QFETCH(QString, value);
    QFETCH(bool, checked);
    TFixture fixture;
    if (present)
        TMachineSettings().WriteMin(value);
    TfrmOption dialog;
    QCOMPARE(Control<QCheckBox>(dialog, "RzCheckBox2")->isChecked(), checked);
}

void TestFrmOption::okStoresMin_data()
{
    QTest::addColumn<bool>("checked");
    QTest::addColumn<QString>("stored");
    QTest::newRow("checked") << true << "1";
    QTest::newRow("unchecked") << false << "0";
}

void TestFrmOption::okStoresMin()
{
    QFETCH(bool, checked);
    QFETCH(QString, stored);
    TFixture fixture;
    TMachineSettings().WriteMin(checked ? "0" : "1");
    TfrmOption dialog;
    Control<QCheckBox>(dialog, "RzCheckBox2")->setChecked(checked);
    dialog.show();
    Press(dialog, QDialogButtonBox::Ok);
    QCOMPARE(TMachineSettings().ReadMin(), stored);
}

void TestFrmOption::cancelStoresNothing()
{
    TFixture fixture;
    qputenv("removedrive", QFile::encodeName(fixture.Drive.Root()));
    TfrmOption dialog;
    dialog.show();
    DriveList(dialog)->setCurrentText(OtherDrive);
    Control<QCheckBox>(dialog, "RzCheckBox1")->setChecked(true);
    Control<QCheckBox>(dialog, "RzCheckBox2")->setChecked(true);
    Press(dialog, QDialogButtonBox::Cancel);

    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(QFile::decodeName(qgetenv("removedrive")), fixture.Drive.Root());
    QVERIFY(!QFile::exists(TEnvironmentFile::UserFilePath()));
    QVERIFY(fixture.Drive.SessionBus->Announcements.isEmpty());
    QVERIFY(!TAutostartEntry().Exists());
    QVERIFY(!QFile::exists(TMachineSettings::FilePath()));
}

void TestFrmOption::okReportsAFailedStoreAndStillCloses_data()
{
    // A file where the store's folder belongs: even root cannot write there.
    QTest::addColumn<QString>("blockedFolder");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("autostartWritten");
    QTest::addColumn<bool>("minWritten");
    QTest::newRow("removedrive") << "environment.d"
                                 << "Failed to set data for 'removedrive'." << false << false;
    QTest::newRow("velmo") << "autostart"
                           << "Failed to set data for 'velmo'." << false << false;
    QTest::newRow("min") << "velmo"
                         << "Failed to set data for 'min'." << true << false;
}

void TestFrmOption::okReportsAFailedStoreAndStillCloses()
{
    QFETCH(QString, blockedFolder);
    QFETCH(QString, message);
    QFETCH(bool, autostartWritten);
    QFETCH(bool, minWritten);
    TFixture fixture;
    qputenv("removedrive", QFile::encodeName(fixture.Drive.Root()));
    TfrmOption dialog;
    QFile blocker(fixture.Drive.ConfigHome() + '/' + blockedFolder);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    dialog.show();
    DriveList(dialog)->setCurrentText(OtherDrive);
    Control<QCheckBox>(dialog, "RzCheckBox1")->setChecked(true);
    Press(dialog, QDialogButtonBox::Ok);

    QCOMPARE(fixture.Messenger.Messenger->TitledTexts(), QStringList("VELMO: " + message));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(TAutostartEntry().Exists(), autostartWritten);
    QCOMPARE(QFile::exists(TMachineSettings::FilePath()), minWritten);
}

void TestFrmOption::createsAutorunInTheDriveRoot_data()
{
    QTest::addColumn<QString>("programPath"); // below the drive
    QTest::addColumn<QByteArray>("autorun");
    QTest::newRow("in a folder") << "Tools/start"
                                 << QByteArray("[autorun]\r\nOPEN=Tools\\start\r\n"
                                               "ICON=Tools\\start\r\nACTION = Usb-Menu\r\n");
    QTest::newRow("in the root") << "start"
                                 << QByteArray("[autorun]\r\nOPEN=start\r\nICON=start\r\n"
                                               "ACTION = Usb-Menu\r\n");
    QTest::newRow("under a chinese folder")
        << "软件/工具/start"
        << Utf16LeWithBom(u"[autorun]\r\nOPEN=软件\\工具\\start\r\nICON=软件\\工具\\start\r\n"
                          u"ACTION = Usb-Menu\r\n");
}

void TestFrmOption::createsAutorunInTheDriveRoot()
{
    QFETCH(QString, programPath);
    QFETCH(QByteArray, autorun);
    TFixture fixture;
    const QString root = fixture.Drive.Root();
    fixture.Drive.SetProgramPath(root + '/' + programPath);
    // The file goes to the program's drive whatever drive the list shows.
    qputenv("removedrive", QFile::encodeName(OtherDrive));

    TfrmOption dialog;
    dialog.show();
    QPushButton* button = Control<QPushButton>(dialog, "RzButtonCreateFile");
    QCOMPARE(button->text(), "在磁碟機" + root + "生成autorun.inf檔案");
    PressCreateFile(dialog);

    QCOMPARE(ReadBytes(root + "/autorun.inf"), autorun);
    QCOMPARE(fixture.Messenger.Messenger->TitledTexts(),
             QStringList("Information: 文件autorun.inf在根目录创建"));
    QVERIFY(dialog.isVisible());
}

void TestFrmOption::rewritesAutorunOnEveryPress()
{
    TFixture fixture;
    const QString root = fixture.Drive.Root();
    fixture.Drive.SetProgramPath(root + "/start");
    const QByteArray expected("[autorun]\r\nOPEN=start\r\nICON=start\r\nACTION = Usb-Menu\r\n");
    const QByteArray longer(200, 'x');
    fixture.Drive.WriteFile("autorun.inf", longer);

    TfrmOption dialog;
    dialog.show();
    PressCreateFile(dialog);
    QCOMPARE(ReadBytes(root + "/autorun.inf"), expected);
    fixture.Drive.WriteFile("autorun.inf", longer);
    PressCreateFile(dialog);
    QCOMPARE(ReadBytes(root + "/autorun.inf"), expected);
    QCOMPARE(fixture.Messenger.Messenger->TitledTexts().size(), 2);
}

void TestFrmOption::autorunThatCannotBeWrittenKeepsTheDialogOpen_data()
{
    QTest::addColumn<bool>("readOnlyDrive");
    QTest::addColumn<QString>("reason");
    QTest::newRow("a folder named autorun.inf") << false << "Filename refers to a directory";
    QTest::newRow("read-only drive") << true << "Read-only file system";
}

void TestFrmOption::autorunThatCannotBeWrittenKeepsTheDialogOpen()
{
    QFETCH(bool, readOnlyDrive);
    QFETCH(QString, reason);
    TFixture fixture;
    const QString root = fixture.Drive.Root();
    std::optional<TReadOnlyMount> readOnly;
    if (readOnlyDrive) {
        readOnly.emplace(root);
        if (!readOnly->Mounted())
            QSKIP("no right to mount a read-only filesystem here");
    } else {
        fixture.Drive.WriteFile("autorun.inf/inside");
    }

    TfrmOption dialog;
    dialog.show();
    PressCreateFile(dialog);

    QCOMPARE(
        fixture.Messenger.Messenger->TitledTexts(),
        QStringList("VELMO: Cannot create file \"" + root + "/autorun.inf\". " + reason + '.'));
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

QTEST_MAIN(TestFrmOption)
#include "tst_frmoption.moc"
