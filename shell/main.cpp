#include "halloffame/form3.h"
#include "menu/form2.h"
#include "menu/progresslocation.h"
#include "race/form1.h"
#include "shell/application.h"
#include "shell/pictures.h"
#include "shell/runningcopy.h"

#include <QApplication>
#include <QMessageBox>

using namespace numblaze;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Numblaze"));
    QApplication::setWindowIcon(applicationIcon());
    // The game ends only when the menu is unloaded, never because its last window closed.
    QApplication::setQuitOnLastWindowClosed(false);

    // Each copy writes the progress file when it ends, so a second copy would silently undo
    // the first one's wins: it leaves the file alone, brings the running copy to the front and
    // ends. Only when that copy cannot be reached is the player told.
    const QString progressFolder = progressFolderFor(application::path());
    const ProgressLock lock = lockProgressFolder(progressFolder);
    if (lock.result == ProgressLockResult::HeldByAnother) {
        if (bringRunningCopyToFront(progressFolder))
            return 0;
        QMessageBox::information(nullptr, QStringLiteral("Numblaze"),
                                 QStringLiteral("Numblaze is already running."));
        return 1;
    }
    RunningCopyListener listener;
    if (lock.result == ProgressLockResult::Held)
        listener.listen(progressFolder);

    Form2::get().show();
    const int result = QApplication::exec();

    for (Screen* screen : {static_cast<Screen*>(&Form1::get()), static_cast<Screen*>(&Form2::get()),
                           static_cast<Screen*>(&Form3::get())})
        screen->discard();
    return result;
}
