#include "uSearch.h"

#include <QFile>
#include <QRegularExpression>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <memory>

namespace {

// Only "*" and "?" are wildcards: every other character stands for itself, brackets included,
// so a name such as "setup[1].exe" can be typed as it is.
QRegularExpression MaskExpression(const QString& mask)
{
    QString pattern;
    qsizetype literalStart = 0;
    for (qsizetype i = 0; i <= mask.size(); ++i) {
        if (i < mask.size() && mask[i] != '*' && mask[i] != '?')
            continue;
        pattern += QRegularExpression::escape(mask.mid(literalStart, i - literalStart));
        if (i < mask.size())
            pattern += mask[i] == '*' ? QStringLiteral(".*") : QStringLiteral(".");
        literalStart = i + 1;
    }
    return QRegularExpression(QRegularExpression::anchoredPattern(pattern),
                              QRegularExpression::CaseInsensitiveOption |
                                  QRegularExpression::DotMatchesEverythingOption);
}

bool IsHidden(const QString& name)
{
    return name.startsWith('.');
}

struct TFolderCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};
using TFolderHandle = std::unique_ptr<DIR, TFolderCloser>;

// The directory entry tells the kind on most file systems; only where it does not is the entry
// itself asked (never its target, so a link stays a link).
unsigned char EntryType(DIR* dir, const dirent& entry)
{
    if (entry.d_type != DT_UNKNOWN)
        return entry.d_type;
    struct stat status;
    if (fstatat(dirfd(dir), entry.d_name, &status, AT_SYMLINK_NOFOLLOW) != 0)
        return DT_UNKNOWN;
    return static_cast<unsigned char>(IFTODT(status.st_mode));
}

bool IsFile(DIR* dir, const dirent& entry, unsigned char type)
{
    if (type != DT_LNK)
        return type == DT_REG;
    struct stat target;
    return fstatat(dirfd(dir), entry.d_name, &target, 0) == 0 && S_ISREG(target.st_mode);
}

class TFolderSearch {
public:
    // Without a limit every subfolder is entered, whatever the depth.
    TFolderSearch(const QString& mask, bool unlimited, QStringList& list)
        : m_mask(MaskExpression(mask))
        , m_unlimited(unlimited)
        , m_list(list)
    {
    }

    // depth: as FindFilesToDepth's.
    void Search(const QString& folder, int depth)
    {
        if (folder.isEmpty())
            return;
        const QString prefix = folder.endsWith('/') ? folder : folder + '/';
        const bool entersSubfolders = m_unlimited || depth >= 0;
        const QStringList subfolders = ReadFolder(prefix, entersSubfolders);
        for (const QString& name : subfolders)
            Search(prefix + name, m_unlimited ? depth : depth - 1);
    }

private:
    // Appends the folder's matches and returns the subfolders to enter. The folder is closed
    // before any subfolder is opened, so the depth of a tree never costs open descriptors.
    QStringList ReadFolder(const QString& prefix, bool collectSubfolders)
    {
        QStringList subfolders;
        const TFolderHandle dir(opendir(QFile::encodeName(prefix).constData()));
        if (!dir)
            return subfolders;
        while (const dirent* entry = readdir(dir.get())) {
            const QString name = QFile::decodeName(entry->d_name);
            if (IsDotDir(name))
                continue;
            const unsigned char type = EntryType(dir.get(), *entry);
            if (type == DT_DIR) {
                if (collectSubfolders && !IsHidden(name))
                    subfolders.append(name);
            } else if (m_mask.match(name).hasMatch() && IsFile(dir.get(), *entry, type)) {
                m_list.append(prefix + name);
            }
        }
        return subfolders;
    }

    const QRegularExpression m_mask;
    const bool m_unlimited;
    QStringList& m_list;
};

} // namespace

void FindFiles(const QString& folder, const QString& mask, bool recurse, QStringList& list)
{
    TFolderSearch(mask, recurse, list).Search(folder, -1);
}

void FindFilesToDepth(const QString& folder, const QString& mask, int depth, QStringList& list)
{
    TFolderSearch(mask, false, list).Search(folder, depth);
}

void SearchFiles(const TSearchInfo& info, QStringList& list)
{
    if (info.AllSubDirs)
        FindFiles(info.Path, info.FileMask, true, list);
    else if (info.DepthLimited)
        FindFilesToDepth(info.Path, info.FileMask, info.Depth, list);
    else
        FindFiles(info.Path, info.FileMask, false, list);
}

bool IsDotDir(const QString& name)
{
    return name == QLatin1String(".") || name == QLatin1String("..");
}
