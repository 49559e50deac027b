// velmo_contactsheet [out.png]: every picture of the program at 64, 32 and 16 px on a light
// ground and at 16 px on a dark one (as in a dark tray), its index under it, one row of cells
// per group. Needs no display.

#include "uDataModule.h"
#include "uImageList.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextStream>

namespace {

constexpr int CellWidth = 160;
constexpr int CellHeight = 96;
constexpr int Columns = 9;
constexpr int HeadingHeight = 28;
const QColor LightGround(240, 240, 240);
const QColor DarkGround(45, 48, 54);

struct TGroup {
    QString name;
    QList<QIcon> icons;
};

QList<QIcon> IconsOf(const TImageList& list)
{
    QList<QIcon> icons;
    for (int i = 0; i < list.Count(); ++i)
        icons.append(list.Icon(i));
    return icons;
}

QList<TGroup> Groups()
{
    Tdm pictures;
    return {
        {"category (ImageList1)", IconsOf(pictures.ImageList1)},
        {"file kind (ImageList2)", IconsOf(pictures.ImageList2)},
        {"toolbar and menu",
         IconsOf(TImageList::FromResources("toolbar", Tdm::ToolbarPictureCount, 2))},
        {"program icon", {QIcon(":/pictures/velmo.svg")}},
    };
}

int RowsOf(const TGroup& group)
{
    return (static_cast<int>(group.icons.size()) + Columns - 1) / Columns;
}

void DrawCell(QPainter& painter, const QIcon& icon, int index, QPoint origin)
{
    int x = origin.x() + 6;
    const int top = origin.y() + 6;
    for (int size : {64, 32, 16}) {
        painter.drawPixmap(x, top, icon.pixmap(size, size));
        x += size + 6;
    }
    painter.fillRect(x - 2, top - 2, 20, 20, DarkGround);
    painter.drawPixmap(x, top, icon.pixmap(16, 16));
    painter.setPen(Qt::black);
    painter.drawText(QRect(origin.x(), top + 66, CellWidth, 20), Qt::AlignCenter,
                     QString::number(index));
}

QImage ContactSheet(const QList<TGroup>& groups)
{
    int height = 0;
    for (const TGroup& group : groups)
        height += HeadingHeight + RowsOf(group) * CellHeight;
    QImage sheet(Columns * CellWidth, height, QImage::Format_ARGB32);
    sheet.fill(LightGround);
    QPainter painter(&sheet);
    int y = 0;
    for (const TGroup& group : groups) {
        QFont bold = painter.font();
        bold.setBold(true);
        painter.setFont(bold);
        painter.drawText(QRect(8, y, sheet.width(), HeadingHeight), Qt::AlignVCenter, group.name);
        painter.setFont(QFont());
        y += HeadingHeight;
        for (int i = 0; i < group.icons.size(); ++i)
            DrawCell(painter, group.icons.at(i), i,
                     QPoint(i % Columns * CellWidth, y + i / Columns * CellHeight));
        y += RowsOf(group) * CellHeight;
    }
    return sheet;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString outFile = argc > 1 ? QString::fromLocal8Bit(argv[1]) : "contactsheet.png";
    if (!ContactSheet(Groups()).save(outFile)) {
        QTextStream(stderr) << "Cannot write " << outFile << "\n";
        return 1;
    }
    QTextStream(stdout) << "Wrote " << outFile << "\n";
    return 0;
}
