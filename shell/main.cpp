#include "halloffame/form3.h"
#include "menu/form2.h"
#include "menu/progresslocation.h"
#include "race/form1.h"
#include "shell/application.h"
#include "shell/commandline.h"
#include "shell/pictures.h"

#include <QApplication>
#include <QMessageBox>

using namespace numblaze;

int main(int argc, char* argv[])
{
    // --help and --version need no display and must not touch the records.
    if (const std::optional<int> status = CommandLine::handle(argc, argv))
        return *status;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Numblaze"));
    QApplication::setWindowIcon(applicationIcon());
    // The game ends only when the menu is unloaded, never because its last window closed.
    QApplication::setQuitOnLastWindowClosed(false);

    // Each copy writes the progress file when it ends, so a second copy would silently undo
    // the first one's wins: it leaves the file alone and ends.
    const ProgressLock lock = lockProgressFolder(progressFolderFor(application::path()));
    if (lock.result == ProgressLockResult::HeldByAnother) {
        QMessageBox::information(nullptr, QStringLiteral("Numblaze"),
                                 QStringLiteral("Numblaze is already running."));
        return 1;
    }

    Form2::get().show();
    const int result = QApplication::exec();

    for (Screen* screen : {static_cast<Screen*>(&Form1::get()), static_cast<Screen*>(&Form2::get()),
                           static_cast<Screen*>(&Form3::get())})
        screen->discard();
    return result;
}
