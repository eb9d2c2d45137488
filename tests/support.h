// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Helpers the test suites share: files on disk, a full disk, and a clean slate of screens.

#include "app/game.h"
#include "halloffame/form3.h"
#include "menu/form2.h"
#include "race/form1.h"

#include <QCoreApplication>
#include <QFile>
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
