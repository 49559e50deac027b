#pragma once

#include <QIcon>
#include <QList>
#include <QPixmap>

// A list of pictures addressed by index, each drawn at 32 x 32 where a bitmap is asked for.
class TImageList {
public:
    static constexpr int PictureSize = 32;

    // The pictures <folder>/<index>.svg of the compiled-in resources, index 0 to count - 1.
    static TImageList FromResources(const QString& folder, int count, int indexDigits);

    int Count() const { return static_cast<int>(m_icons.size()); }
    const QIcon& Icon(int index) const { return m_icons.at(index); }
    // No picture for an index the list does not have (a stored index from elsewhere).
    QIcon IconOrNone(int index) const
    {
        return index >= 0 && index < Count() ? Icon(index) : QIcon();
    }
    QPixmap Bitmap(int index) const;

    void Add(const QIcon& icon) { m_icons.append(icon); }
    void Delete(int index) { m_icons.removeAt(index); }

private:
    QList<QIcon> m_icons;
};
