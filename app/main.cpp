// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/commandline.h"
#include "app/game.h"
#include "app/runningcopy.h"
#include "app/startup.h"
#include "records/progressstore.h"
#include "widgets/application.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

using namespace numblaze;

namespace
{
/// The folder that holds the running program. The system names it, except when its path is
/// longer than the system can name at once: then it is found from how the program was started
/// (relative to the folder it was started in), checked to hold this very program.
QByteArray programFolder(const char* started)
{
    char probe[1];
    if (::readlink("/proc/self/exe", probe, sizeof probe) >= 0 || errno != ENAMETOOLONG)
        return application::folderName();
    const QByteArray program(started);
    const qsizetype slash = program.lastIndexOf('/');
    if (slash < 0)
        return application::folderName();
    const Folder folder = Folder::open(slash == 0 ? QByteArray("/") : program.left(slash));
    struct stat running {
    };
    struct stat found {
    };
    if (!folder.isOpen() || ::stat("/proc/self/exe", &running) != 0 ||
        ::fstatat(folder.fd(), program.mid(slash + 1).constData(), &found, 0) != 0 ||
        found.st_dev != running.st_dev || found.st_ino != running.st_ino)
        return application::folderName();
    const QByteArray path = folder.absolutePath();
    return path.isEmpty() ? application::folderName() : path;
}
} // namespace

int main(int argc, char* argv[])
{
    // --help and --version need no display and must not touch the records.
    if (const std::optional<int> status = CommandLine::handleBeforeQt(argc, argv))
        return *status;

    const std::unique_ptr<QApplication> app = startApplication(argc, argv);
    if (!app)
        return 1;
    // Qt has taken its own options out of the command line; the rest are the game's.
    CommandLineReply asked;
    if (const std::optional<int> status =
            CommandLine::handleAfterQt(QCoreApplication::arguments(), &asked))
        return *status;

    // The place of the records is decided once, with the lock that keeps a second copy of the
    // game from undoing this one's wins: a second copy leaves the records alone, brings the
    // running copy to the front and ends. Only when that copy cannot be reached is the player
    // told.
    ProgressStore progress = ProgressStore::open(programFolder(argv[0]));
    if (progress.lockResult() == ProgressLockResult::HeldByAnother) {
        const FrontAnswer answer = bringRunningCopyToFront(progress.folderName());
        if (answer == FrontAnswer::Fronted)
            return 0;
        if (answer != FrontAnswer::Ended)
            tellAlreadyRunning(progress.fileName(), answer);
        return 1;
    }
    RunningCopyListener listener;
    if (progress.lockResult() == ProgressLockResult::Held)
        listener.listen(progress.folderName());
    return playGame(std::move(progress), {asked.extraTime, asked.mute});
}
