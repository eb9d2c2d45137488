// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/application.h"
#include "app/commandline.h"
#include "app/game.h"
#include "app/runningcopy.h"
#include "app/startup.h"
#include "records/progressstore.h"

using namespace numblaze;

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
    ProgressStore progress = ProgressStore::open(application::programFolder(argv[0]));
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
    return playGame(std::move(progress),
                    {asked.extraTime, asked.mute, asked.choseListeningTime, asked.listeningTime});
}
