// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the suites about the records' place share: a usual file, the player's data folder's file,
// and how to tell a lock and a folder the game can write.

#include "records/progressdisk.h"
#include "records/progresslocation.h"
#include "tests/support.h"

#include <QDir>
#include <QSettings>
#include <cstdlib>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace numblaze::testing
{

// Records 11 to 22, then Multiplication and Ronald Red.
inline QByteArray usualFile()
{
    QByteArray bytes;
    for (int n = 11; n <= 22; ++n)
        bytes += QByteArray::number(n) + "\r\n";
    return bytes + "2\r\n2\r\n";
}

inline QString dataFile()
{
    return QDir(playerDataFolder()).filePath(QStringLiteral("Progress.txt"));
}

// How /proc/locks names the file: its device as "<major>:<minor>" in hexadecimal, then its inode.
// Empty when the file cannot be found.
inline QByteArray lockListName(const QString& file)
{
    struct stat st {
    };
    if (::stat(QFile::encodeName(file).constData(), &st) != 0)
        return QByteArray();
    return QString::asprintf(" %02x:%02x:%llu ", major(st.st_dev), minor(st.st_dev),
                             qulonglong(st.st_ino))
        .toLatin1();
}

// True when the game could really create a file in the folder.
inline bool canCreateFilesIn(const QString& folder)
{
    const Folder opened = Folder::open(QFile::encodeName(folder));
    return opened.isOpen() && opened.isWritable();
}

/// A clean slate for a case about the records' place: no remembered place, an empty data folder
/// and an empty program folder. True when it could be made.
inline bool startAfresh(const QString& programFolder)
{
    QSettings().clear();
    QDir(playerDataFolder()).removeRecursively();
    // rm, because a case may leave a folder deeper than QDir can remove.
    const QByteArray program = QFile::encodeName(programFolder);
    return std::system("rm -rf '" + program + "'") == 0 && QDir().mkpath(programFolder);
}

} // namespace numblaze::testing
