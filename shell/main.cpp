#include "menu/game.h"
#include "menu/progressstore.h"
#include "shell/application.h"
#include "shell/commandline.h"
#include "shell/startup.h"

#include <QMessageBox>

using namespace numblaze;

int main(int argc, char* argv[])
{
    // --help and --version need no display and must not touch the records.
    if (const std::optional<int> status = CommandLine::handle(argc, argv))
        return *status;

    const std::unique_ptr<QApplication> app = startApplication(argc, argv);
    if (!app)
        return 1;

    // The place of the records is decided once, with the lock that keeps a second copy of the
    // game from undoing this one's wins: a second copy leaves the records alone and ends.
    ProgressStore progress = ProgressStore::open(application::folderName());
    if (progress.lockResult() == ProgressLockResult::HeldByAnother) {
        QMessageBox::information(nullptr, QStringLiteral("Numblaze"),
                                 QStringLiteral("Numblaze is already running."));
        return 1;
    }
    return playGame(std::move(progress));
}
