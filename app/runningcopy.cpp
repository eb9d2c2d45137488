// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/runningcopy.h"

#include "app/endsignals.h"
#include "widgets/controls.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <cerrno>
#include <functional>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace numblaze
{

namespace
{
Q_LOGGING_CATEGORY(runningCopy, "numblaze.runningcopy", QtWarningMsg)

const QByteArray Request = "front\n";
const QByteArray Done = "done\n";

/// True when path is a folder (not a link to one) that only the player can enter.
bool isPrivateFolder(const QByteArray& path)
{
    struct stat st {
    };
    return ::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
           (st.st_mode & 077) == 0;
}

/// True when the other end of the connected socket runs as the player.
bool peerIsPlayer(qintptr socket)
{
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(int(socket), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
           peer.uid == ::geteuid();
}

bool isGameWindow(const QWidget* widget)
{
    return widget->isWindow() && widget->isVisible() && widget->windowType() != Qt::Desktop &&
           widget->windowType() != Qt::ToolTip && widget->windowType() != Qt::Popup;
}

/// The folder the game's second-start channel lives in: one only the player can enter. The
/// player's runtime folder when that is theirs alone, else the player's own folder in the
/// temporary folder; empty when there is none.
QString privateChannelFolder()
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (runtime.startsWith('/') && isPrivateFolder(runtime))
        return QFile::decodeName(runtime);
    // In the shared temporary folder anyone may have made the name first: it is used only when
    // it is the player's own folder, closed to everyone else.
    const QByteArray own = QFile::encodeName(QDir::tempPath()) + "/numblaze-" +
                           QByteArray::number(qulonglong(::geteuid()));
    if (::mkdir(own.constData(), 0700) != 0 && errno != EEXIST)
        return QString();
    return isPrivateFolder(own) ? QFile::decodeName(own) : QString();
}
} // namespace

QString runningCopyName(const QString& progressFolder)
{
    const QString channels = privateChannelFolder();
    if (channels.isEmpty())
        return QString();
    const QFileInfo folder(progressFolder);
    const QString path = folder.exists() ? folder.canonicalFilePath() : folder.absoluteFilePath();
    const QByteArray hash =
        QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QDir(channels).filePath(QStringLiteral("numblaze-%1").arg(QString::fromLatin1(hash)));
}

FrontAnswer bringRunningCopyToFront(const QString& progressFolder, int timeoutMs)
{
    const QString name = runningCopyName(progressFolder);
    if (name.isEmpty())
        return FrontAnswer::NoAnswer;
    // Waited for in an event loop of its own, never in a blocking call: the deadline is kept
    // whatever the other end does, and the end signals are read while waiting.
    QLocalSocket socket;
    QEventLoop loop;
    bool finished = false;
    FrontAnswer answer = FrontAnswer::NoAnswer;
    const auto finish = [&](FrontAnswer result) {
        if (finished)
            return;
        finished = true;
        answer = result;
        loop.quit();
    };
    const auto readAnswer = [&] {
        if (socket.canReadLine())
            finish(socket.readLine() == Done ? FrontAnswer::Fronted : FrontAnswer::NoAnswer);
    };
    QObject::connect(&socket, &QLocalSocket::connected, &loop, [&] {
        if (!peerIsPlayer(socket.socketDescriptor()))
            finish(FrontAnswer::OtherUser);
        else
            socket.write(Request);
    });
    QObject::connect(&socket, &QLocalSocket::readyRead, &loop, readAnswer);
    QObject::connect(&socket, &QLocalSocket::disconnected, &loop, [&] {
        readAnswer();
        finish(FrontAnswer::NoAnswer);
    });
    QObject::connect(&socket, &QLocalSocket::errorOccurred, &loop,
                     [&] { finish(FrontAnswer::NoAnswer); });
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] { finish(FrontAnswer::NoAnswer); });

    EndSignals* ending = EndSignals::of(qApp);
    std::function<void(int)> previous;
    if (ending) {
        previous = std::exchange(ending->onSignal, [&](int) { finish(FrontAnswer::Ended); });
    }
    deadline.start(timeoutMs);
    socket.connectToServer(name);
    if (!finished)
        loop.exec();
    if (ending)
        ending->onSignal = previous;
    socket.abort();
    return answer;
}

void tellAlreadyRunning(const QString& fileName, FrontAnswer answer)
{
    QString detail;
    if (answer == FrontAnswer::OtherUser)
        //: Under "Numblaze is already running.": %1 is the records file's full name.
        detail = QCoreApplication::translate("RunningCopy",
                                             "Another user's copy of the game is using the "
                                             "records in %1. Close it, then start Numblaze again.");
    else
        //: Under "Numblaze is already running.": %1 is the records file's full name.
        detail = QCoreApplication::translate(
            "RunningCopy", "Another copy of the game is using the records in %1, and it did not "
                           "come to the front: it may run on another screen or as another user. "
                           "Close it, then start Numblaze again.");
    QMessageBox box(QMessageBox::Information, QStringLiteral("Numblaze"),
                    //: The first line of the message a second start of the game shows.
                    QCoreApplication::translate("RunningCopy", "Numblaze is already running.") +
                        QStringLiteral("\n\n") + detail.arg(fileName),
                    QMessageBox::Ok);
    nameMessageButtons(box);
    box.exec();
}

QWidget* bringVisibleWindowToFront()
{
    QWidget* front = QApplication::activeModalWidget();
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (!isGameWindow(window))
            continue;
        // A window minimised with its owner comes back with it.
        if (window->isMinimized())
            window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
        if (!front)
            front = window;
    }
    if (front) {
        front->raise();
        front->activateWindow();
    }
    return front;
}

RunningCopyListener::RunningCopyListener() : server_(new QLocalServer(this))
{
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &RunningCopyListener::answer);
}

RunningCopyListener::~RunningCopyListener() = default;

bool RunningCopyListener::listen(const QString& progressFolder)
{
    const QString name = runningCopyName(progressFolder);
    if (name.isEmpty())
        return false;
    QLocalServer::removeServer(name);
    return server_->listen(name);
}

void RunningCopyListener::answer()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        if (!peerIsPlayer(socket->socketDescriptor())) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, socket, [socket] { serve(socket); });
        serve(socket);
    }
}

void RunningCopyListener::serve(QLocalSocket* socket)
{
    if (!socket->canReadLine())
        return;
    if (socket->readLine() == Request) {
        const QWidget* front = bringVisibleWindowToFront();
        qCInfo(runningCopy) << "brought to the front:"
                            << (front ? front->objectName() : QStringLiteral("nothing"));
        socket->write(Done);
        socket->flush();
    }
    socket->disconnectFromServer();
}

} // namespace numblaze
