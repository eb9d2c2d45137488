// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/runningcopy.h"

#include "app/endsignals.h"
#include "records/progresslocation.h"
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

// The channel takes little of the game, whatever a program of the player's sends it: a few
// connections at once (more are closed at once), a short line each, and a few seconds each. The
// rest of the game's open files stay free for what it needs, saving the records first.
constexpr int MostConnections = 4;
constexpr qint64 LongestLine = 64;
constexpr int LongestConnectionMs = 3000;

/// The program the process pid runs, as the player can read it: its file, else its name.
QString programOf(qint64 pid)
{
    const QString proc = QStringLiteral("/proc/%1/").arg(pid);
    const QString file = QFile::symLinkTarget(proc + QStringLiteral("exe"));
    if (!file.isEmpty())
        return file;
    QFile name(proc + QStringLiteral("comm"));
    return name.open(QIODevice::ReadOnly) ? QString::fromUtf8(name.readAll().trimmed()) : QString();
}

/// Closes a connection of the channel's at once.
void drop(QLocalSocket* socket)
{
    socket->abort();
    socket->deleteLater();
}

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
    socket.setReadBufferSize(LongestLine);
    const auto readAnswer = [&] {
        if (socket.canReadLine())
            finish(socket.readLine(LongestLine) == Done ? FrontAnswer::Fronted
                                                        : FrontAnswer::NoAnswer);
        else if (socket.bytesAvailable() >= LongestLine)
            finish(FrontAnswer::NoAnswer);
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
    // The copy is named when it is one of the player's own processes, which the player may
    // look into; another user's is not to be seen.
    const qint64 holder =
        answer == FrontAnswer::OtherUser ? 0 : progressLockHolder(QFileInfo(fileName).path());
    QString detail;
    if (answer == FrontAnswer::OtherUser)
        //: Under "Numblaze is already running.": %1 is the records file's full name.
        detail = QCoreApplication::translate("RunningCopy",
                                             "Another user's copy of the game is using the records "
                                             "in %1. Close it, then start Numblaze again.")
                     .arg(fileName);
    else if (holder > 0)
        //: Under "Numblaze is already running.": %1 is the records file's full name, %2 the
        //: running copy's process number, %3 its program's file name.
        detail = QCoreApplication::translate(
                     "RunningCopy",
                     "Another copy of the game, process %2 (%3), is using the records in %1, and "
                     "it did not come to the front: it may run on another screen. Close it, then "
                     "start Numblaze again.")
                     .arg(fileName, QString::number(holder), programOf(holder));
    else
        //: Under "Numblaze is already running.": %1 is the records file's full name.
        detail = QCoreApplication::translate("RunningCopy",
                                             "Another copy of the game is using the records in "
                                             "%1, and it did not come to the front: it may run on "
                                             "another screen or as another user. Close it, then "
                                             "start Numblaze again.")
                     .arg(fileName);
    QMessageBox box(QMessageBox::Information, QStringLiteral("Numblaze"),
                    //: The first line of the message a second start of the game shows.
                    QCoreApplication::translate("RunningCopy", "Numblaze is already running.") +
                        QStringLiteral("\n\n") + detail,
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
    // Connections accepted and not yet taken hold open files of the game's too.
    server_->setMaxPendingConnections(MostConnections);
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
        if (connections_ >= MostConnections || !peerIsPlayer(socket->socketDescriptor())) {
            drop(socket);
            continue;
        }
        ++connections_;
        connect(socket, &QObject::destroyed, this, [this] { --connections_; });
        socket->setReadBufferSize(LongestLine);
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, socket, [socket] { serve(socket); });
        QTimer::singleShot(LongestConnectionMs, socket, [socket] { drop(socket); });
        serve(socket);
    }
}

void RunningCopyListener::serve(QLocalSocket* socket)
{
    if (!socket->canReadLine()) {
        // A line longer than any request is no request of the game's.
        if (socket->bytesAvailable() >= LongestLine)
            drop(socket);
        return;
    }
    if (socket->readLine(LongestLine) == Request) {
        const QWidget* front = bringVisibleWindowToFront();
        qCInfo(runningCopy) << "brought to the front:"
                            << (front ? front->objectName() : QStringLiteral("nothing"));
        socket->write(Done);
        socket->flush();
    }
    socket->disconnectFromServer();
}

} // namespace numblaze
