// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/application.h"

#include "records/progressdisk.h"
#include "widgets/screen.h"

#include <QCoreApplication>
#include <QFile>
#include <cerrno>
#include <climits>
#include <sys/stat.h>
#include <unistd.h>

namespace numblaze::application
{

namespace
{
/// The folder the system names for the running program; Qt's own answer where the system's
/// name is too long to read. Qt's answer is text, and a folder whose name is not valid text has
/// none, so the system is asked first.
QByteArray namedProgramFolder()
{
    char program[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", program, sizeof program);
    if (length <= 0 || length == ssize_t(sizeof program))
        return QFile::encodeName(QCoreApplication::applicationDirPath());
    const QByteArray file(program, length);
    return file.left(qMax<qsizetype>(file.lastIndexOf('/'), 1));
}

/// The folder of the program as it was started, when that holds this very program.
QByteArray startedProgramFolder(const QByteArray& program)
{
    const qsizetype slash = program.lastIndexOf('/');
    if (slash < 0)
        return {};
    const Folder folder = Folder::open(slash == 0 ? QByteArray("/") : program.left(slash));
    struct stat running {
    };
    struct stat found {
    };
    if (!folder.isOpen() || ::stat("/proc/self/exe", &running) != 0 ||
        ::fstatat(folder.fd(), program.mid(slash + 1).constData(), &found, 0) != 0 ||
        found.st_dev != running.st_dev || found.st_ino != running.st_ino)
        return {};
    return folder.absolutePath();
}
} // namespace

QByteArray programFolder(const char* started)
{
    char probe[1];
    const bool tooLong =
        ::readlink("/proc/self/exe", probe, sizeof probe) < 0 && errno == ENAMETOOLONG;
    if (tooLong && started) {
        if (const QByteArray folder = startedProgramFolder(started); !folder.isEmpty())
            return folder;
    }
    return namedProgramFolder();
}

void end(std::initializer_list<Screen*> screens, int status)
{
    for (Screen* screen : screens)
        screen->discard();
    QCoreApplication::exit(status);
}

} // namespace numblaze::application
