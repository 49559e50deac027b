#include "uAutostart.h"

#include "uError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

// The escapes every string value of a desktop entry has; readers undo them first.
QString EscapeString(const QString& value)
{
    QString text;
    for (const QChar c : value) {
        if (c == '\\')
            text += "\\\\";
        else if (c == '\n')
            text += "\\n";
        else if (c == '\t')
            text += "\\t";
        else if (c == '\r')
            text += "\\r";
        else
            text += c;
    }
    return text;
}

// One argument of an Exec command line, so that blanks and shell characters stay literal;
// "%" would otherwise start a field code.
QString QuoteArgument(const QString& argument)
{
    QString text = "\"";
    for (const QChar c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            text += '\\';
        else if (c == '%')
            text += '%';
        text += c;
    }
    return text + '"';
}

QString EntryText(const QString& programPath)
{
    // TryExec lets a session that does not have the drive skip the entry silently.
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=VELMO\n"
           "Exec=" +
           TAutostartEntry::ExecValue(programPath) + "\nTryExec=" + EscapeString(programPath) +
           '\n';
}

} // namespace

QString TAutostartEntry::FilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           "/autostart/velmo.desktop";
}

bool TAutostartEntry::Exists() const
{
    return QFileInfo::exists(FilePath());
}

QString TAutostartEntry::ExecValue(const QString& programPath)
{
    return EscapeString(QuoteArgument(programPath));
}

void TAutostartEntry::Write(const QString& programPath) const
{
    QDir().mkpath(QFileInfo(FilePath()).absolutePath());
    QSaveFile file(FilePath());
    const bool written = file.open(QIODevice::WriteOnly) &&
                         file.write(EntryText(programPath).toUtf8()) >= 0 && file.commit();
    if (!written)
        throw EVelmoError("Failed to set data for 'velmo'");
}

void TAutostartEntry::Remove() const
{
    QFile::remove(FilePath());
}
