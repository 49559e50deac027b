#pragma once

#include <QString>

// The one-copy guard: an exclusive lock on VELMO.lock in the user's runtime folder, held for
// the life of the process.
class TSingleInstanceLock {
public:
    TSingleInstanceLock() = default;
    TSingleInstanceLock(const TSingleInstanceLock&) = delete;
    TSingleInstanceLock& operator=(const TSingleInstanceLock&) = delete;
    ~TSingleInstanceLock();

    // False only when another process holds the lock; any other failure lets this copy run.
    bool Acquire();

    static QString LockFilePath();

private:
    int m_fd = -1;
};
