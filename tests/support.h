// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Helpers the test suites share: files on disk, a full disk, the records' folder and a clean
// slate of screens.

#include "app/game.h"
#include "halloffame/form3.h"
#include "menu/form2.h"
#include "race/form1.h"
#include "records/progressfile.h"
#include "records/progressstore.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

namespace numblaze::testing
{

/// How long a test waits for something that comes at once when all is well, in milliseconds: only
/// ever reached when something is wrong.
constexpr int Patience = 30000;

/// The bytes of a file, or nothing when it cannot be read.
inline QByteArray contents(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// Writes a file with exactly these bytes.
inline bool put(const QString& fileName, const QByteArray& bytes)
{
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

/// Makes writes fail past a few bytes, as on a full disk; even root cannot write past it.
struct DiskFull {
    rlimit old{};
    DiskFull()
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit small = old;
        small.rlim_cur = 8;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~DiskFull() { setrlimit(RLIMIT_FSIZE, &old); }
};

/// A small tmpfs mounted over a folder for the test's lifetime, holding a copy of what the
/// folder held; restrict() then makes it read-only or leaves it without a free inode (no new
/// file can be made there, even by root). Needs root; mounted says whether it worked.
struct TinyMount {
    enum Kind { ReadOnly, NoInodesLeft };
    QByteArray folder;
    bool mounted = false;

    explicit TinyMount(const QString& path) : folder(QFile::encodeName(path))
    {
        const QByteArray copy = folder + ".before-mount";
        if (::rename(folder.constData(), copy.constData()) != 0 ||
            ::mkdir(folder.constData(), 0777) != 0)
            return;
        mounted = ::mount("tmpfs", folder.constData(), "tmpfs", 0, "size=1m,mode=0777") == 0;
        if (mounted) {
            const QByteArray command = "cp -a '" + copy + "/.' '" + folder + "/'";
            mounted = std::system(command.constData()) == 0;
            if (!mounted)
                ::umount(folder.constData());
        }
        if (!mounted) {
            ::rmdir(folder.constData());
            ::rename(copy.constData(), folder.constData());
        }
    }
    /// Makes the mounted folder read-only, or uses up its last inode.
    bool restrict(Kind kind) const
    {
        struct statvfs use {
        };
        if (!mounted || ::statvfs(folder.constData(), &use) != 0)
            return false;
        const QByteArray options =
            kind == ReadOnly
                ? QByteArray("size=1m")
                : "size=1m,nr_inodes=" + QByteArray::number(qulonglong(use.f_files - use.f_ffree));
        return ::mount("tmpfs", folder.constData(), "tmpfs",
                       MS_REMOUNT | (kind == ReadOnly ? MS_RDONLY : 0), options.constData()) == 0;
    }
    ~TinyMount()
    {
        if (!mounted)
            return;
        ::umount2(folder.constData(), MNT_DETACH);
        ::rmdir(folder.constData());
        ::rename((folder + ".before-mount").constData(), folder.constData());
    }
};

/// The progress a file holds, read as the game reads its records (only a regular file, only as
/// much as 14 lines can use); the first-run progress when it is missing or cannot be read.
inline Progress readProgressFile(const QString& fileName)
{
    const QFileInfo info(fileName);
    const Folder folder = Folder::open(QFile::encodeName(info.absolutePath()));
    const FileRead read =
        readRegularFile(folder, QFile::encodeName(info.fileName()), LargestUsefulFile);
    return readProgressBytes(read.outcome == FileRead::Outcome::Read ? read.bytes : QByteArray());
}

/// Writes the progress into a file as the game saves its records: a new file synced and renamed
/// over the old one. On failure the old file stays whole and *error says why.
inline bool writeProgressFile(const QString& fileName, const Progress& progress, QString* error)
{
    const QFileInfo info(fileName);
    QString reason;
    const Folder folder = Folder::open(QFile::encodeName(info.absolutePath()), &reason);
    FileIdentity written;
    const bool done = folder.isOpen() && replaceFile(folder, QFile::encodeName(info.fileName()),
                                                     progressBytes(progress), &written, &reason);
    if (!done && error)
        *error = reason;
    return done;
}

/// The menu's next load reads and saves the records in this folder, as the game does with the
/// records beside it when it is started from there.
inline void playWithRecordsIn(const QString& folder)
{
    // The store of an earlier test still holds its lock: it goes before the next one is opened.
    Form2::get().useProgressStore(ProgressStore());
    Form2::get().useProgressStore(ProgressStore::open(QFile::encodeName(folder)));
}

/// Every suite plays with the screens connected as the game connects them: a won race reaches
/// the menu's mailbox and is saved, an unloaded race screen brings the menu back.
inline const bool screensConnected = [] {
    connectScreens();
    return true;
}();

/// Destroys every screen without unload events (nothing is written), as between two runs.
inline void discardAllScreens()
{
    for (Screen* screen :
         std::initializer_list<Screen*>{&Form1::get(), &Form3::get(), &Form2::get()})
        screen->discard();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

/// Starts an X server of its own, and can take it away again.
struct XServer {
    pid_t pid = -1;
    QString display;

    XServer()
    {
        int number[2];
        if (::pipe(number) != 0)
            return;
        pid = fork();
        if (pid == 0) {
            ::dup2(number[1], 3);
            const int null = ::open("/dev/null", O_WRONLY);
            ::dup2(null, 1);
            ::dup2(null, 2);
            ::execlp("Xvfb", "Xvfb", "-displayfd", "3", "-nolisten", "tcp", "-noreset", "-screen",
                     "0", "800x600x24", static_cast<char*>(nullptr));
            _exit(127);
        }
        ::close(number[1]);
        pollfd ready{number[0], POLLIN, 0};
        char text[16] = {};
        if (pid > 0 && ::poll(&ready, 1, 30000) == 1 && ::read(number[0], text, 15) > 0)
            display = QStringLiteral(":") + QString::fromLatin1(text).trimmed();
        ::close(number[0]);
    }
    void stop()
    {
        if (pid <= 0)
            return;
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        pid = -1;
    }
    ~XServer() { stop(); }
};

} // namespace numblaze::testing
