#include "uImageList.h"

TImageList TImageList::FromResources(const QString& folder, int count, int indexDigits)
{
    TImageList list;
    for (int i = 0; i < count; ++i)
        list.Add(
            QIcon(QString(":/pictures/%1/%2.svg").arg(folder).arg(i, indexDigits, 10, QChar('0'))));
    return list;
}

QPixmap TImageList::Bitmap(int index) const
{
    return Icon(index).pixmap(PictureSize, PictureSize);
}
