#include "uDataModule.h"
#include "uImageList.h"

#include <QFile>
#include <QImage>
#include <QXmlStreamReader>
#include <QtTest>

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace {

constexpr int Size = TImageList::PictureSize;

// A stored category names its picture by index: this table is the order that never changes.
const char* const CategoryTitles[] = {
    "computer",        // 0
    "display",         // 1
    "network",         // 2
    "web browser",     // 3
    "folder",          // 4
    "music notes",     // 5
    "tools",           // 6
    "magnifier",       // 7
    "hard disk",       // 8
    "optical disc",    // 9
    "usb flash drive", // 10
    "media player",    // 11
    "archive",         // 12
    "gamepad",         // 13
    "documents",       // 14
    "spreadsheet",     // 15
    "bar chart",       // 16
    "picture",         // 17
    "clapperboard",    // 18
    "speech bubbles",  // 19
    "envelope",        // 20
    "shield",          // 21
    "padlock",         // 22
    "gear",            // 23
    "star",            // 24
    "heart",           // 25
    "house",           // 26
    "clock",           // 27
    "calendar",        // 28
    "book",            // 29
    "code",            // 30
    "terminal",        // 31
    "database",        // 32
    "cloud",           // 33
    "download",        // 34
    "printer",         // 35
    "camera",          // 36
    "phone",           // 37
    "map",             // 38
    "calculator",      // 39
    "paint palette",   // 40
    "people",          // 41
    "flask",           // 42
    "light bulb",      // 43
    "puzzle piece",    // 44
};
static_assert(std::size(CategoryTitles) == Tdm::CategoryPictureCount);

const char* const FileKindTitles[] = {"missing program file", "batch file", "command program",
                                      "document"};
static_assert(std::size(FileKindTitles) == Tdm::FileKindPictureCount);

// At the image indexes of the toolbar's and menus' actions.
const char* const ToolbarTitles[] = {
    "new category",    "remove category", "options",     "new shortcut",
    "edit shortcut",   "remove shortcut", "refresh",     "search",
    "physical remove", "about",           "open folder",
};
static_assert(std::size(ToolbarTitles) == Tdm::ToolbarPictureCount);

struct TPicture {
    QString name;
    QString resourcePath;
    QString title;
    QIcon icon;
};

QString ResourcePath(const QString& folder, int index, int digits)
{
    return QString(":/pictures/%1/%2.svg").arg(folder).arg(index, digits, 10, QChar('0'));
}

QList<TPicture> PicturesOf(const QString& folder, const TImageList& list,
                           const char* const titles[], int digits)
{
    QList<TPicture> pictures;
    for (int i = 0; i < list.Count(); ++i)
        pictures.append({QString("%1 %2").arg(folder).arg(i), ResourcePath(folder, i, digits),
                         titles[i], list.Icon(i)});
    return pictures;
}

QList<TPicture> AllPictures(const Tdm& data)
{
    QList<TPicture> pictures = PicturesOf("category", data.ImageList1, CategoryTitles, 2);
    pictures += PicturesOf("filekind", data.ImageList2, FileKindTitles, 1);
    pictures +=
        PicturesOf("toolbar", TImageList::FromResources("toolbar", Tdm::ToolbarPictureCount, 2),
                   ToolbarTitles, 2);
    const QString programIcon = ":/pictures/velmo.svg";
    pictures.append({"program icon", programIcon, "VELMO", QIcon(programIcon)});
    return pictures;
}

QImage Rendered(const QIcon& icon, int size)
{
    return icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
}

QString TitleOf(const QString& resourcePath)
{
    QFile file(resourcePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader svg(&file);
    while (svg.readNextStartElement()) {
        if (svg.name() == QLatin1String("title"))
            return svg.readElementText();
        if (svg.name() != QLatin1String("svg"))
            svg.skipCurrentElement();
    }
    return {};
}

int PaintedPixels(const QImage& image)
{
    int painted = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            painted += qAlpha(image.pixel(x, y)) > 0;
    return painted;
}

// Pixels whose colour or coverage differs clearly between the two pictures.
int DifferingPixels(const QImage& a, const QImage& b)
{
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int diff =
                std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
            differing += diff > 64;
        }
    return differing;
}

} // namespace

class TestPictures : public QObject {
    Q_OBJECT

private slots:
    void listsHoldTheirCounts()
    {
        Tdm data;
        QCOMPARE(data.ImageList1.Count(), 45);
        QCOMPARE(data.ImageList2.Count(), 4);
    }

    void pictureIsDrawn_data()
    {
        QTest::addColumn<QString>("resourcePath");
        QTest::addColumn<QIcon>("icon");
        QTest::addColumn<int>("size");
        Tdm data;
        for (const TPicture& picture : AllPictures(data))
            for (int size : {Size, 16})
                QTest::addRow("%s at %d", qPrintable(picture.name), size)
                    << picture.resourcePath << picture.icon << size;
    }

    // Drawn at the size asked, transparent around its shape, with enough of it to be seen.
    void pictureIsDrawn()
    {
        QFETCH(QString, resourcePath);
        QFETCH(QIcon, icon);
        QFETCH(int, size);
        QVERIFY2(QFile::exists(resourcePath), qPrintable(resourcePath + " is not compiled in"));
        const QImage image = Rendered(icon, size);
        QCOMPARE(image.size(), QSize(size, size));
        QVERIFY(icon.pixmap(size, size).hasAlphaChannel());
        const int last = size - 1;
        for (const QPoint& corner :
             {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)})
            QVERIFY2(
                qAlpha(image.pixel(corner)) == 0,
                qPrintable(QString("corner %1,%2 is painted").arg(corner.x()).arg(corner.y())));
        QVERIFY2(PaintedPixels(image) >= size * size / 8, "the picture is (nearly) blank");
    }

    void pictureShowsWhatItsIndexNames_data()
    {
        QTest::addColumn<QString>("resourcePath");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QIcon>("icon");
        Tdm data;
        for (const TPicture& picture : AllPictures(data))
            QTest::addRow("%s", qPrintable(picture.name))
                << picture.resourcePath << picture.title << picture.icon;
    }

    // The list's picture at each index is the file drawn for it, named as the table says: a
    // reordering or a swapped file fails here.
    void pictureShowsWhatItsIndexNames()
    {
        QFETCH(QString, resourcePath);
        QFETCH(QString, title);
        QFETCH(QIcon, icon);
        QCOMPARE(TitleOf(resourcePath), title);
        QCOMPARE(Rendered(icon, Size), Rendered(QIcon(resourcePath), Size));
    }

    void noTwoPicturesAlike()
    {
        Tdm data;
        const QList<TPicture> pictures = AllPictures(data);
        QList<QImage> images;
        for (const TPicture& picture : pictures)
            images.append(Rendered(picture.icon, Size));
        for (int i = 0; i < images.size(); ++i)
            for (int j = i + 1; j < images.size(); ++j)
                QVERIFY2(DifferingPixels(images[i], images[j]) >= Size * Size / 10,
                         qPrintable(pictures[i].name + " looks like " + pictures[j].name));
    }
};

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
