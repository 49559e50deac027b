#include "uMountTable.h"

namespace {

// The kernel writes blanks, tabs, newlines and backslashes as \040, \011, \012 and \134.
QString UnescapeMountField(const QByteArray& field)
{
    QByteArray raw;
    raw.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const bool isOctal = field[i] == '\\' && i + 3 < field.size();
        if (isOctal) {
            bool ok = false;
            const int code = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok && code < 256) {
                raw.append(static_cast<char>(code));
                i += 3;
                continue;
            }
        }
        raw.append(field[i]);
    }
    return QString::fromUtf8(raw);
}

} // namespace

QList<TMountEntry> ParseMountInfo(const QByteArray& mountInfo)
{
    QList<TMountEntry> entries;
    for (const QByteArray& line : mountInfo.split('\n')) {
        // Fields: id parent major:minor root mountpoint options [optional...] - fstype source
        // superopts
        const QList<QByteArray> fields = line.split(' ');
        const qsizetype separator = fields.indexOf("-");
        if (fields.size() < 5 || separator < 5 || separator + 2 >= fields.size())
            continue;
        entries.append({UnescapeMountField(fields[4]), UnescapeMountField(fields[separator + 1]),
                        UnescapeMountField(fields[separator + 2])});
    }
    return entries;
}

QString MountPointOf(const QList<TMountEntry>& mounts, const QString& absolutePath)
{
    QString best;
    for (const TMountEntry& entry : mounts) {
        const QString& point = entry.MountPoint;
        const bool holds = point == "/" || absolutePath == point ||
                           (absolutePath.startsWith(point) && absolutePath[point.size()] == '/');
        if (holds && point.size() >= best.size())
            best = point;
    }
    return best;
}
