#include "uShortCut.h"

#include "uEnvironment.h"
#include "uPeIcon.h"

#include <QFile>
#include <QFileInfo>

namespace {

// Reads a program file on demand: the icon needs only a few small pieces of a file that may
// be hundreds of megabytes long on a slow stick.
class TPeFileSource : public IPeSource {
public:
    explicit TPeFileSource(QFile& file)
        : m_file(file) {}
    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) override {
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

QImage BlankIcon() {
    QImage blank(TQShortCut::StandardIconSize, TQShortCut::StandardIconSize, QImage::Format_ARGB32);
    blank.fill(Qt::transparent);
    return blank;
}

TPeIcon ReadProgramIcon(const QString& path) {
    // Only a regular file: opening a named pipe would wait for a writer.
    if (!QFileInfo(path).isFile())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    TPeFileSource source(file);
    return ExtractPeIcon(source, TQShortCut::StandardIconSize);
}

QImage DecodeIcon(const TPeIcon& icon) {
    if (icon.Format == TPeIconFormat::None)
        return {};
    const char* format = icon.Format == TPeIconFormat::Png ? "PNG" : "ICO";
    const QByteArray bytes(reinterpret_cast<const char*>(icon.Bytes.data()),
                           static_cast<qsizetype>(icon.Bytes.size()));
    return QImage::fromData(bytes, format);
}

QImage ProgramIcon(const QString& path) {
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

bool TQShortCut::TargetExists() const {
    const QFileInfo target(Env->ExpandPath(FileName));
    return target.isFile();
}

void TQShortCut::LoadIcon() {
    if (!FileName.endsWith(".exe", Qt::CaseInsensitive))
        return;
    Icon = ProgramIcon(Env->ExpandPath(FileName));
}
