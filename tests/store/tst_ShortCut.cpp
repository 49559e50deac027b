#include "PeFixture.h"
#include "TestSupport.h"
#include "uEnvironment.h"
#include "uShortCut.h"

#include <QBuffer>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {

constexpr std::uint32_t Red = 0xFFFF0000;
constexpr std::uint32_t Green = 0xFF00FF00;
constexpr std::uint32_t Blue = 0xFF0000FF;

QByteArray ToBytes(const std::vector<std::uint8_t>& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

std::vector<std::uint8_t> PngImage(int size, QRgb colour)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(QColor::fromRgba(colour));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return {png.begin(), png.end()};
}

QImage Solid(QRgb colour)
{
    QImage image(TQShortCut::StandardIconSize, TQShortCut::StandardIconSize, QImage::Format_ARGB32);
    image.fill(QColor::fromRgba(colour));
    return image;
}

QImage Blank()
{
    return Solid(0);
}

QImage Argb(const QImage& image)
{
    return image.convertToFormat(QImage::Format_ARGB32);
}

TPeFixture RedIconProgram()
{
    return BuildPeFixture({{32, 32, SolidBitmapImage(32, Red)}});
}

QByteArray Broken(const std::function<void(TPeFixture&)>& breakIt)
{
    TPeFixture fixture = RedIconProgram();
    breakIt(fixture);
    return ToBytes(fixture.Bytes);
}

QByteArray Cut(std::size_t length)
{
    const TPeFixture fixture = RedIconProgram();
    return ToBytes(
        {fixture.Bytes.begin(), fixture.Bytes.begin() + static_cast<std::ptrdiff_t>(length)});
}

QString Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// icotool 0.32 misreads a bitmap that follows a PNG image in the same file, as in wine's
// icons, so the image it is to decode goes to it in a file of its own: header, the image's
// directory entry, its data.
QString SingleImageIco(const QString& icoPath, int index)
{
    QFile file(icoPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray ico = file.readAll();
    const qsizetype entry = 6 + 16 * (index - 1);
    if (ico.size() < entry + 16)
        return {};
    const auto size = qFromLittleEndian<quint32>(ico.constData() + entry + 8);
    const auto offset = qFromLittleEndian<quint32>(ico.constData() + entry + 12);
    QByteArray single = ico.left(4);
    single += QByteArray::fromHex("0100") + ico.mid(entry, 12) + QByteArray::fromHex("16000000");
    single += ico.mid(offset, size);
    const QString singlePath = icoPath + ".single";
    QFile out(singlePath);
    if (!out.open(QIODevice::WriteOnly) || out.write(single) != single.size())
        return {};
    return singlePath;
}

// What icoutils make of the first icon group's 32x32 image with the most colours; a null
// picture when the file has no icon group, nothing when that group has no 32x32 image.
std::optional<QImage> IcoutilsIcon(const QString& program, const QString& workFolder)
{
    const QString groups = Run("wrestool", {"-l", "-t", "14", program});
    const QRegularExpressionMatch group =
        QRegularExpression("--name='?([^' ]+)'? --language=(\\S+)").match(groups);
    if (!group.hasMatch())
        return QImage();
    const QString groupFolder = workFolder + "/group";
    QDir().mkpath(groupFolder);
    Run("wrestool", {"-x", "-t", "14", "-n", group.captured(1), "-L", group.captured(2), "-o",
                     groupFolder + '/', program});
    const QStringList icoFiles = QDir(groupFolder).entryList({"*.ico"});
    if (icoFiles.size() != 1)
        return QImage();
    const QString ico = groupFolder + '/' + icoFiles.first();
    const QRegularExpression image("--index=(\\d+) --width=32 --height=32 --bit-depth=(\\d+)");
    int bestIndex = 0;
    int bestDepth = 0;
    for (const QRegularExpressionMatch& match : image.globalMatch(Run("icotool", {"-l", ico}))) {
        if (match.captured(2).toInt() > bestDepth) {
            bestDepth = match.captured(2).toInt();
            bestIndex = match.captured(1).toInt();
        }
    }
    if (bestIndex == 0)
        return std::nullopt;
    const QString pngFolder = workFolder + "/png";
    QDir().mkpath(pngFolder);
    Run("icotool", {"-x", "-o", pngFolder + '/', SingleImageIco(ico, bestIndex)});
    const QStringList pngFiles = QDir(pngFolder).entryList({"*.png"});
    if (pngFiles.size() != 1)
        return QImage();
    return QImage(pngFolder + '/' + pngFiles.first());
}

} // namespace

class TestShortCut : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_drive = std::make_unique<TTempDrive>();
        Env = &m_env;
    }
    void cleanup()
    {
        Env = nullptr;
        m_drive.reset();
    }

    void loadIconByExtension_data();
    void loadIconByExtension();
    void loadIconPicture_data();
    void loadIconPicture();
    void loadIconMalformed_data();
    void loadIconMalformed();
    void loadIconRealPrograms_data();
    void loadIconRealPrograms();
    void targetExists_data();
    void targetExists();
    void isEmpty();

private:
    std::unique_ptr<TTempDrive> m_drive;
    TEnvironment m_env;
};

void TestShortCut::loadIconByExtension_data()
{
    QTest::addColumn<QString>("stored");  // FileName; %removedrive% is the drive
    QTest::addColumn<QString>("onDrive"); // where the program file is, or empty
    QTest::addColumn<bool>("loads");

    QTest::newRow("upper-case .EXE") << "%removedrive%/Apps/App.EXE"
                                     << "Apps/App.EXE" << true;
    QTest::newRow("%removedrive% expanded") << "%removedrive%/a.exe"
                                            << "a.exe" << true;
    QTest::newRow(".com") << "%removedrive%/a.com"
                          << "a.com" << false;
    QTest::newRow(".bat") << "%removedrive%/a.bat"
                          << "a.bat" << false;
    QTest::newRow("no extension") << "%removedrive%/a"
                                  << "a" << false;
    QTest::newRow(".exe inside the name") << "%removedrive%/a.exe.txt"
                                          << "a.exe.txt" << false;
}

void TestShortCut::loadIconByExtension()
{
    QFETCH(QString, stored);
    QFETCH(QString, onDrive);
    QFETCH(bool, loads);
    qputenv("removedrive", QFile::encodeName(m_drive->Root()));
    m_drive->WriteFile(onDrive, ToBytes(RedIconProgram().Bytes));

    TQShortCut shortCut;
    shortCut.FileName = stored;
    shortCut.LoadIcon();
    if (loads)
        QCOMPARE(Argb(shortCut.Icon), Solid(Red));
    else
        QVERIFY(shortCut.Icon.isNull());
}

void TestShortCut::loadIconPicture_data()
{
    QTest::addColumn<QByteArray>("program");
    QTest::addColumn<QImage>("picture");

    QTest::newRow("PE32+, classic bitmap") << ToBytes(RedIconProgram().Bytes) << Solid(Red);
    QTest::newRow("PE32, classic bitmap")
        << ToBytes(BuildPeFixture({{32, 32, SolidBitmapImage(32, Green)}}, false).Bytes)
        << Solid(Green);
    QTest::newRow("PNG form, translucent")
        << ToBytes(BuildPeFixture({{32, 32, PngImage(32, 0x80102030)}}).Bytes) << Solid(0x80102030);
    QTest::newRow("32x32 among other sizes")
        << ToBytes(BuildPeFixture({{16, 32, SolidBitmapImage(16, Green)},
                                   {32, 32, SolidBitmapImage(32, Red)},
                                   {48, 32, SolidBitmapImage(48, Blue)}})
                       .Bytes)
        << Solid(Red);
    QTest::newRow("more colours win")
        << ToBytes(BuildPeFixture({{32, 8, SolidBitmapImage(32, Green)},
                                   {32, 32, SolidBitmapImage(32, Red)},
                                   {32, 4, SolidBitmapImage(32, Blue)}})
                       .Bytes)
        << Solid(Red);
    QTest::newRow("larger scaled down rather than smaller scaled up")
        << ToBytes(BuildPeFixture({{16, 32, SolidBitmapImage(16, Green)},
                                   {48, 32, SolidBitmapImage(48, Blue)}})
                       .Bytes)
        << Solid(Blue);
    QTest::newRow("only a 256x256 PNG")
        << ToBytes(BuildPeFixture({{256, 32, PngImage(256, Green)}}).Bytes) << Solid(Green);
    QTest::newRow("missing file") << QByteArray() << Blank();
}

void TestShortCut::loadIconPicture()
{
    QFETCH(QByteArray, program);
    QFETCH(QImage, picture);
    TQShortCut shortCut;
    shortCut.FileName =
        program.isEmpty() ? m_drive->Root() + "/none.exe" : m_drive->WriteFile("prog.exe", program);
    shortCut.LoadIcon();
    QCOMPARE(Argb(shortCut.Icon), picture);
}

void TestShortCut::loadIconMalformed_data()
{
    QTest::addColumn<QByteArray>("program");
    const TPeFixture valid = RedIconProgram();

    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("text file") << QByteArray("@echo off\r\n");
    QTest::newRow("truncated DOS header") << Cut(30);
    QTest::newRow("not MZ") << Broken([](TPeFixture& f) { f.Bytes[0] = 'X'; });
    QTest::newRow("PE header past the end")
        << Broken([](TPeFixture& f) { f.PutU32(0x3C, 0xFFFFFFF0); });
    QTest::newRow("truncated PE header") << Cut(valid.PeHeader + 10);
    QTest::newRow("unknown optional header")
        << Broken([](TPeFixture& f) { f.PutU16(f.OptionalHeader, 0x0999); });
    QTest::newRow("huge section count")
        << Broken([](TPeFixture& f) { f.PutU16(f.PeHeader + 6, 0xFFFF); });
    QTest::newRow("truncated section table") << Cut(valid.SectionTable + 20);
    QTest::newRow("resources outside every section")
        << Broken([](TPeFixture& f) { f.PutU32(f.ResourceDataDirectory, 0x7FFF0000); });
    QTest::newRow("section data past the end")
        << Broken([](TPeFixture& f) { f.PutU32(f.SectionTable + 20, 0xFFFFF000); });
    QTest::newRow("type directory pointing at itself") << Broken([](TPeFixture& f) {
        f.PutU32(f.IconTypeEntry + 4, 0x80000000);
        f.PutU32(f.GroupTypeEntry + 4, 0x80000000);
    });
    QTest::newRow("language directory pointing at itself") << Broken([](TPeFixture& f) {
        const auto self = static_cast<std::uint32_t>(f.GroupLanguageDirectory - f.ResourceRoot);
        f.PutU32(f.GroupLanguageDirectory + 20, self | 0x80000000);
    });
    QTest::newRow("directory offset past the end")
        << Broken([](TPeFixture& f) { f.PutU32(f.GroupTypeEntry + 4, 0xFFFFFFF0); });
    QTest::newRow("huge entry count")
        << Broken([](TPeFixture& f) { f.PutU16(f.ResourceRoot + 14, 0xFFFF); });
    QTest::newRow("no icon group") << Broken([](TPeFixture& f) { f.PutU32(f.GroupTypeEntry, 15); });
    QTest::newRow("huge group count")
        << Broken([](TPeFixture& f) { f.PutU16(f.GroupData + 4, 0xFFFF); });
    QTest::newRow("empty group") << Broken([](TPeFixture& f) { f.PutU16(f.GroupData + 4, 0); });
    QTest::newRow("group names a missing image")
        << Broken([](TPeFixture& f) { f.PutU16(f.GroupData + 6 + 12, 99); });
    QTest::newRow("huge image size")
        << Broken([](TPeFixture& f) { f.PutU32(f.FirstImageDataEntry + 4, 0x7FFFFFFF); });
    QTest::newRow("image outside the file")
        << Broken([](TPeFixture& f) { f.PutU32(f.FirstImageDataEntry, 0x7FFF0000); });
    QTest::newRow("truncated image") << Cut(valid.FirstImageData + 100);
    QTest::newRow("image is no picture") << Broken([](TPeFixture& f) {
        std::fill(f.Bytes.begin() + static_cast<std::ptrdiff_t>(f.FirstImageData), f.Bytes.end(),
                  0xAB);
    });
    QTest::newRow("bitmap of absurd size and depth") << Broken([](TPeFixture& f) {
        f.PutU32(f.FirstImageData + 4, 0x7FFFFFFF);
        f.PutU32(f.FirstImageData + 8, 0x7FFFFFFF);
        f.PutU16(f.FirstImageData + 14, 0x7FFF);
    });
}

void TestShortCut::loadIconMalformed()
{
    QFETCH(QByteArray, program);
    TQShortCut shortCut;
    shortCut.FileName = m_drive->WriteFile("bad.exe", program);
    shortCut.LoadIcon();
    QCOMPARE(Argb(shortCut.Icon), Blank());
}

void TestShortCut::loadIconRealPrograms_data()
{
    QTest::addColumn<QString>("program");
    if (QStandardPaths::findExecutable("wrestool").isEmpty() ||
        QStandardPaths::findExecutable("icotool").isEmpty())
        QSKIP("icoutils (wrestool, icotool) are not installed");
    bool any = false;
    for (const QString& folder : QDir("/usr/lib").entryList({"*-linux-gnu"}, QDir::Dirs)) {
        const QDir wine("/usr/lib/" + folder + "/wine");
        for (const QString& windows : wine.entryList({"*-windows"}, QDir::Dirs)) {
            const QDir programs(wine.filePath(windows));
            for (const QString& name : programs.entryList({"*.exe"}, QDir::Files)) {
                QTest::newRow(qPrintable(windows + '/' + name)) << programs.filePath(name);
                any = true;
            }
        }
    }
    if (!any)
        QSKIP("no Windows programs of wine are installed (Debian package libwine)");
}

void TestShortCut::loadIconRealPrograms()
{
    QFETCH(QString, program);
    QTemporaryDir work;
    const std::optional<QImage> expected = IcoutilsIcon(program, work.path());
    if (!expected)
        QSKIP("the first icon group has no 32x32 image");

    TQShortCut shortCut;
    shortCut.FileName = program;
    shortCut.LoadIcon();
    QCOMPARE(Argb(shortCut.Icon), expected->isNull() ? Blank() : Argb(*expected));
}

void TestShortCut::targetExists_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("exists");
    QTest::newRow("file through %removedrive%") << "%removedrive%/Apps/a.exe" << true;
    QTest::newRow("missing file") << "%removedrive%/Apps/b.exe" << false;
    QTest::newRow("folder") << "%removedrive%/Apps" << false;
    QTest::newRow("undefined variable") << "%nosuchvariable%/Apps/a.exe" << false;
}

void TestShortCut::targetExists()
{
    QFETCH(QString, stored);
    QFETCH(bool, exists);
    qputenv("removedrive", QFile::encodeName(m_drive->Root()));
    m_drive->WriteFile("Apps/a.exe");
    TQShortCut shortCut;
    shortCut.FileName = stored;
    QCOMPARE(shortCut.TargetExists(), exists);
}

void TestShortCut::isEmpty()
{
    TQShortCut shortCut;
    shortCut.GroupName = "工具";
    shortCut.SCText = "編輯器";
    shortCut.Parameters = "-x";
    QVERIFY(shortCut.IsEmpty());
    shortCut.FileName = "a.exe";
    QVERIFY(!shortCut.IsEmpty());
}

QTEST_GUILESS_MAIN(TestShortCut)
#include "tst_ShortCut.moc"
