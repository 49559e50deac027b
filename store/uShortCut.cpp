#include "uShortCut.h"

#include "uEnvironment.h"
#include "uPeIcon.h"

#include <QFile>
#include <QSysInfo>
#include <QtEndian>

#include <QFileInfo>
#include <algorithm>

namespace {

// Reads a program file on demand: the icon needs only a few small pieces of a file that may
// be hundreds of megabytes long on a slow stick.
class TPeFileSource : public IPeSource {
public:
    explicit TPeFileSource(QFile& file)
        : m_file(file)
    {
    }
    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) override
    {
        const auto count = static_cast<qint64>(into.size());
        if (offset > static_cast<std::uint64_t>(m_file.size()) ||
            count > m_file.size() - static_cast<qint64>(offset))
            return false;
        return m_file.seek(static_cast<qint64>(offset)) &&
               m_file.read(reinterpret_cast<char*>(into.data()), count) == count;
    }

private:
    QFile& m_file;
};

QImage BlankIcon()
{
    QImage blank(TQShortCut::StandardIconSize, TQShortCut::StandardIconSize, QImage::Format_ARGB32);
    blank.fill(Qt::transparent);
    return blank;
}

TPeIcon ReadProgramIcon(const QString& path)
{
    // Only a regular file: opening a named pipe would wait for a writer.
    if (!QFileInfo(path).isFile())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    TPeFileSource source(file);
    return ExtractPeIcon(source, TQShortCut::StandardIconSize);
}

// Qt's ICO reader premultiplies the alpha of 32-bit images, which rounds the colours of
// translucent pixels; such an image is taken as stored instead: rows of BGRA from the bottom
// up, which is ARGB32 in memory on a little-endian machine. Null when the image is of
// another kind, or has no alpha at all (old icons keep their transparency in the mask).
QImage StraightAlphaImage(const TPeIcon& icon)
{
    constexpr std::size_t icoHeader = 6 + 16;
    constexpr std::size_t dibHeader = 40;
    constexpr int maxSide = 256;
    if (QSysInfo::ByteOrder != QSysInfo::LittleEndian || icon.Format != TPeIconFormat::Ico ||
        icon.Bytes.size() < icoHeader + dibHeader)
        return {};
    const uchar* dib = icon.Bytes.data() + icoHeader;
    const auto headerSize = qFromLittleEndian<quint32>(dib);
    const auto width = qFromLittleEndian<qint32>(dib + 4);
    const auto height = qFromLittleEndian<qint32>(dib + 8); // the picture and its mask
    const auto bitCount = qFromLittleEndian<quint16>(dib + 14);
    const auto compression = qFromLittleEndian<quint32>(dib + 16);
    if (headerSize < dibHeader || width <= 0 || width > maxSide || height != 2 * width ||
        bitCount != 32 || compression != 0)
        return {};
    const std::size_t available = icon.Bytes.size() - icoHeader;
    const auto pixelBytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(width) * 4;
    if (headerSize > available || available - headerSize < pixelBytes)
        return {};
    const QImage stored(dib + headerSize, width, width, width * 4, QImage::Format_ARGB32);
    bool hasAlpha = false;
    for (int y = 0; y < stored.height() && !hasAlpha; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(stored.constScanLine(y));
        hasAlpha = std::any_of(row, row + width, [](QRgb pixel) { return qAlpha(pixel) != 0; });
    }
    return hasAlpha ? stored.mirrored() : QImage();
}

QImage DecodeIcon(const TPeIcon& icon)
{
    if (icon.Format == TPeIconFormat::None)
        return {};
    if (QImage straight = StraightAlphaImage(icon); !straight.isNull())
        return straight;
    const char* format = icon.Format == TPeIconFormat::Png ? "PNG" : "ICO";
    const QByteArray bytes(reinterpret_cast<const char*>(icon.Bytes.data()),
                           static_cast<qsizetype>(icon.Bytes.size()));
    return QImage::fromData(bytes, format);
}

QImage ProgramIcon(const QString& path)
{
    const QImage decoded = DecodeIcon(ReadProgramIcon(path));
    if (decoded.isNull())
        return BlankIcon();
    const QImage image = decoded.convertToFormat(QImage::Format_ARGB32);
    if (image.width() == TQShortCut::StandardIconSize &&
        image.height() == TQShortCut::StandardIconSize)
        return image;
    return image.scaled(TQShortCut::StandardIconSize, TQShortCut::StandardIconSize,
                        Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

bool TQShortCut::TargetExists() const
{
    const QFileInfo target(Env->ExpandPath(FileName));
    return target.isFile();
}

void TQShortCut::LoadIcon()
{
    if (!FileName.endsWith(".exe", Qt::CaseInsensitive))
        return;
    Icon = ProgramIcon(Env->ExpandPath(FileName));
}
