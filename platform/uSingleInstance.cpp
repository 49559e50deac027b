#include "uSingleInstance.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

TSingleInstanceLock::~TSingleInstanceLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

QString TSingleInstanceLock::LockFilePath()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return runtime + "/VELMO.lock";
    return QDir::tempPath() + QString("/VELMO-%1.lock").arg(::getuid());
}

bool TSingleInstanceLock::Acquire()
{
    // Close-on-exec: the programs VELMO starts must not inherit the lock and outlive it with it.
    const QByteArray path = QFile::encodeName(LockFilePath());
    m_fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_fd < 0)
        return true;
    if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0)
        return true;
    const bool heldByOther = errno == EWOULDBLOCK;
    ::close(m_fd);
    m_fd = -1;
    return !heldByOther;
}
