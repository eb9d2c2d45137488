// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/startup.h"

#include "app/endsignals.h"
#include "app/platform.h"
#include "app/settings.h"
#include "app/translations.h"
#include "widgets/pictures.h"

#include <QThread>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace numblaze
{

namespace
{
void sayNoDisplay()
{
    const QString message = Translations::forPlayer().translate("Startup", NoDisplayMessage);
    std::fprintf(stderr, "%s\n", qPrintable(message));
}

/// True when the environment or the command line names somewhere to show windows.
bool displayNamed(int argc, char** argv)
{
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        if (!qEnvironmentVariableIsEmpty(name))
            return true;
    for (int i = 1; i < argc; ++i)
        for (const char* option : {"-platform", "--platform", "-display", "--display"})
            if (std::strcmp(argv[i], option) == 0)
                return true;
    return false;
}

/// Qt's own message handler, which the game's pass messages on to.
QtMessageHandler printMessage = nullptr;

/// What the game prints that the player needs to see: everything but the one warning Qt gives
/// at every start outside a desktop session, when the player has no runtime folder and Qt uses
/// one in the temporary folder instead, and what the audio library says from its own threads
/// (the sound thread and the audio server's client threads): their news is that sound failed,
/// which the game says itself in one line.
void gameMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg &&
        message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    const bool otherThread = qApp && QThread::currentThread() != qApp->thread();
    if (otherThread && type != QtFatalMsg)
        return;
    printMessage(type, context, message);
}

/// Whether a message from the making of the application object is one of the window system's own
/// explanations of a display it could not reach: the game says that in its own line, and a
/// window system tried first and then given up for another one is no news to the player.
bool aboutUnreachableDisplay(const QMessageLogContext& context, const QString& message)
{
    return (context.category && std::strncmp(context.category, "qt.qpa.", 7) == 0) ||
           message.startsWith(QLatin1String("Failed to create wl_display"));
}

/// While the application object is made: Qt ends the program with a fatal message, after
/// advice about reinstalling, when no window system can be reached. That becomes the game's
/// one line and status 1; other messages go out as usual.
void startUpMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg) {
        sayNoDisplay();
        ::_exit(1);
    }
    if (!aboutUnreachableDisplay(context, message))
        gameMessages(type, context, message);
}
} // namespace

std::unique_ptr<QApplication> startApplication(int& argc, char** argv)
{
    if (!displayNamed(argc, argv)) {
        sayNoDisplay();
        return nullptr;
    }
    // A file size limit makes a write fail, as a full disk does, instead of killing the game.
    std::signal(SIGXFSZ, SIG_IGN);
    EndSignals::block();
    if (const QtMessageHandler previous = qInstallMessageHandler(startUpMessages);
        previous != gameMessages)
        printMessage = previous;
    const PlatformChoice platform(argc, argv);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(gameMessages);
    Translations::forPlayer().install(application.get());

    settings::nameTheGame();
    QApplication::setWindowIcon(applicationIcon());
    // The game ends only when the menu is unloaded, never because its last window closed.
    QApplication::setQuitOnLastWindowClosed(false);
    auto* ending = new EndSignals(application.get());
    ending->onSignal = [](int) { QCoreApplication::exit(1); };
    return application;
}

} // namespace numblaze
