#include "uDriveList.h"
#include "uPlatform.h"

#include <QTest>

class TestDriveList : public QObject {
    Q_OBJECT
private slots:
    void listsUserVisibleDrives_data();
    void listsUserVisibleDrives();
    void realMountTableListsRoot();
};

void TestDriveList::listsUserVisibleDrives_data()
{
    QTest::addColumn<QList<TMountEntry>>("mounts");
    QTest::addColumn<QStringList>("drives");

    QTest::newRow("desktop") << QList<TMountEntry>{
        {"/", "ext4", "/dev/nvme0n1p2"},
        {"/proc", "proc", "proc"},
        {"/sys", "sysfs", "sysfs"},
        {"/dev", "devtmpfs", "udev"},
        {"/run", "tmpfs", "tmpfs"},
        {"/sys/fs/cgroup", "cgroup2", "cgroup2"},
        {"/boot/efi", "vfat", "/dev/nvme0n1p1"},
        {"/home", "ext4", "/dev/nvme0n1p3"},
        {"/snap/core22/1033", "squashfs", "/dev/loop0"},
        {"/var/lib/snapd/hostfs", "ext4", "/dev/nvme0n1p2"},
        {"/tmp", "tmpfs", "tmpfs"},
        {"/run/user/1000", "tmpfs", "tmpfs"},
        {"/run/user/1000/gvfs", "fuse.gvfsd-fuse", "gvfsd-fuse"},
        {"/media/alice/STICK", "vfat", "/dev/sdb1"},
        {"/media/alice/Phone", "fuse.jmtpfs", "jmtpfs"},
        {"/run/media/bob/CARD", "exfat", "/dev/mmcblk0p1"},
        {"/mnt/ram", "tmpfs", "tmpfs"},
        {"/var/lib/docker/overlay2/x/merged", "overlay", "overlay"},
    } << QStringList{"/",
                     "/boot/efi",
                     "/home",
                     "/media/alice/STICK",
                     "/media/alice/Phone",
                     "/run/media/bob/CARD",
                     "/mnt/ram"};

    QTest::newRow("network shares") << QList<TMountEntry>{
        {"/", "ext4", "/dev/vda1"},
        {"/srv/home", "nfs4", "server:/home"},
        {"/net/old", "nfs", "server:/old"},
        {"/srv/office", "cifs", "//office/share"},
        {"/srv/files", "smb3", "//files/share"},
        {"/srv/remote", "fuse.sshfs", "bob@host:"},
        {"/srv/fuse", "fuse", "somefs"},
    } << QStringList{"/", "/srv/home", "/net/old", "/srv/office", "/srv/files", "/srv/remote"};

    // Stacked mounts on one point, as after mounting a stick twice, show one drive.
    QTest::newRow("stacked mounts once") << QList<TMountEntry>{
        {"/", "ext4", "/dev/vda1"},
        {"/media/alice/STICK", "vfat", "/dev/sdb1"},
        {"/", "overlay", "overlay"},
        {"/media/alice/STICK", "vfat", "/dev/sdb1"},
    } << QStringList{"/", "/media/alice/STICK"};

    QTest::newRow("no empty entry") << QList<TMountEntry>{
        {"", "ext4", "/dev/vda1"},
        {"/", "ext4", "/dev/vda1"},
        {"/media/alice/My Stick", "vfat", "/dev/sdb1"},
    } << QStringList{"/", "/media/alice/My Stick"};

    QTest::newRow("no mounts") << QList<TMountEntry>{} << QStringList{};
}

void TestDriveList::listsUserVisibleDrives()
{
    QFETCH(QList<TMountEntry>, mounts);
    QFETCH(QStringList, drives);
    QCOMPARE(UserVisibleDrives(mounts), drives);
}

void TestDriveList::realMountTableListsRoot()
{
    ResetPlatform();
    const QStringList drives = LogicalDrives();
    QVERIFY(drives.contains("/"));
    QVERIFY(!drives.contains(QString()));
    QVERIFY(!drives.contains("/proc"));
}

QTEST_GUILESS_MAIN(TestDriveList)
#include "tst_drivelist.moc"
