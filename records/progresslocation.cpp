// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/progresslocation.h"

#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <sys/file.h>

namespace numblaze
{

QString playerDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

ProgressLock lockProgressFolder(Folder folder)
{
    ProgressLock lock;
    if (!folder.isOpen()) {
        lock.error = qt_error_string(ENOENT);
        return lock;
    }
    int done = ::flock(folder.fd(), LOCK_EX | LOCK_NB);
    while (done != 0 && errno == EINTR)
        done = ::flock(folder.fd(), LOCK_EX | LOCK_NB);
    if (done == 0)
        lock.result = ProgressLockResult::Held;
    else if (errno == EWOULDBLOCK)
        lock.result = ProgressLockResult::HeldByAnother;
    else
        lock.error = qt_error_string(errno);
    lock.folder = std::move(folder);
    return lock;
}

ProgressLock lockProgressFolder(const QString& folder)
{
    QString error;
    Folder opened = Folder::open(QFile::encodeName(folder), &error);
    ProgressLock lock = lockProgressFolder(std::move(opened));
    if (!error.isEmpty())
        lock.error = error;
    return lock;
}

} // namespace numblaze
