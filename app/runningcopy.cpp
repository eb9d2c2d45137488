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
#include <QLoggingCategory>
#include <QMessageBox>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cerrno>
#include <functional>
#include <memory>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
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
/// How long a second copy waits to ask again when the running copy's queue is full.
constexpr int AskAgainMs = 20;

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

/// True when path is a folder (not a link to one) that only the player can enter.
bool isPrivateFolder(const QByteArray& path)
{
    struct stat st {
    };
    return ::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
           (st.st_mode & 077) == 0;
}

/// True when the other end of the connected socket runs as the player.
bool peerIsPlayer(int socket)
{
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
           peer.uid == ::geteuid();
}

/// The address of the channel's socket file; false when the name is too long for one.
bool addressOf(const QString& name, sockaddr_un& address)
{
    const QByteArray path = QFile::encodeName(name);
    address = sockaddr_un{};
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || std::size_t(path.size()) >= sizeof address.sun_path)
        return false;
    std::copy(path.begin(), path.end(), address.sun_path);
    return true;
}

/// A new socket of the channel's kind, which never blocks the game and is not handed on to the
/// programs the game starts.
int channelSocket()
{
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
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

// The channel is a plain Unix socket watched by a QSocketNotifier rather than QLocalServer and
// QLocalSocket: those live in Qt Network, which brought eight more libraries (Kerberos, proxy
// lookup, resolver) into every start, and whose server took 0.4 ms of the start to listen, for
// two short lines of text. The channel's limits (connections, line, time) are kept here either
// way.

/// One connection of the channel, at either end: a socket read as its bytes come, of which at
/// most one line's worth is held at a time. Closed when the object goes.
class ChannelConnection : public QObject
{
  public:
    ChannelConnection(int socket, QObject* parent)
        : QObject(parent), socket_(socket), reading_(socket, QSocketNotifier::Read)
    {
        connect(&reading_, &QSocketNotifier::activated, this, &ChannelConnection::readSome);
    }
    ~ChannelConnection() override { close(); }
    ChannelConnection(const ChannelConnection&) = delete;
    ChannelConnection& operator=(const ChannelConnection&) = delete;

    /// Called after each read, and once when the other end has closed its side.
    std::function<void()> onRead;

    bool hasLine() const { return held_.contains('\n'); }
    /// The first line held, its end included.
    QByteArray takeLine()
    {
        const QByteArray line = held_.left(held_.indexOf('\n') + 1);
        held_.remove(0, line.size());
        return line;
    }
    /// As much as the longest line is held and none of it ends a line: no line of the game's.
    bool full() const { return held_.size() >= LongestLine; }
    /// The other end has closed its side, or the connection failed.
    bool ended() const { return ended_; }

    /// Sends data without waiting: a line of the game's always fits the socket's buffer.
    bool send(const QByteArray& data)
    {
        return socket_ >= 0 && ::send(socket_, data.constData(), std::size_t(data.size()),
                                      MSG_NOSIGNAL) == data.size();
    }

    /// Closes the connection at once and lets the object go.
    void drop()
    {
        close();
        deleteLater();
    }

  private:
    void readSome()
    {
        if (socket_ < 0)
            return;
        char bytes[LongestLine];
        const qint64 room = LongestLine - held_.size();
        const ssize_t got = room > 0 ? ::recv(socket_, bytes, std::size_t(room), 0) : 0;
        if (got > 0)
            held_.append(bytes, got);
        else if (room > 0 && (got == 0 || (errno != EAGAIN && errno != EINTR)))
            ended_ = true;
        if (ended_ || room <= 0)
            reading_.setEnabled(false); // nothing more is taken: the one who reads decides
        if (onRead)
            onRead();
    }

    void close()
    {
        reading_.setEnabled(false);
        if (socket_ >= 0)
            ::close(socket_);
        socket_ = -1;
    }

    int socket_;
    QSocketNotifier reading_;
    QByteArray held_;
    bool ended_ = false;
};

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
    sockaddr_un address{};
    if (!addressOf(runningCopyName(progressFolder), address))
        return FrontAnswer::NoAnswer;
    // Waited for in an event loop of its own, never in a blocking call: the deadline is kept
    // whatever the other end does, and the end signals are read while waiting.
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
    std::unique_ptr<ChannelConnection> connection;
    const auto readAnswer = [&] {
        if (connection->hasLine())
            finish(connection->takeLine() == Done ? FrontAnswer::Fronted : FrontAnswer::NoAnswer);
        else if (connection->full() || connection->ended())
            finish(FrontAnswer::NoAnswer);
    };
    // A copy whose queue of connections is full is asked again a little later, until the
    // deadline.
    QTimer again;
    again.setSingleShot(true);
    const auto ask = [&] {
        const int socket = channelSocket();
        if (socket < 0) {
            finish(FrontAnswer::NoAnswer);
            return;
        }
        if (::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
            const bool busy = errno == EAGAIN || errno == EINPROGRESS || errno == EINTR;
            ::close(socket);
            if (busy)
                again.start(AskAgainMs);
            else
                finish(FrontAnswer::NoAnswer);
            return;
        }
        connection = std::make_unique<ChannelConnection>(socket, nullptr);
        if (!peerIsPlayer(socket))
            finish(FrontAnswer::OtherUser);
        else if (!connection->send(Request))
            finish(FrontAnswer::NoAnswer);
        else
            connection->onRead = readAnswer;
    };
    QObject::connect(&again, &QTimer::timeout, &loop, ask);
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] { finish(FrontAnswer::NoAnswer); });

    EndSignals* ending = EndSignals::of(qApp);
    std::function<void(int)> previous;
    if (ending) {
        previous = std::exchange(ending->onSignal, [&](int) { finish(FrontAnswer::Ended); });
    }
    deadline.start(timeoutMs);
    ask();
    if (!finished)
        loop.exec();
    if (ending)
        ending->onSignal = previous;
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

RunningCopyListener::RunningCopyListener() = default;

RunningCopyListener::~RunningCopyListener()
{
    if (socket_ < 0)
        return;
    ::close(socket_);
    ::unlink(path_.constData());
}

bool RunningCopyListener::listen(const QString& progressFolder)
{
    sockaddr_un address{};
    if (socket_ >= 0 || !addressOf(runningCopyName(progressFolder), address))
        return false;
    // Only the copy that holds the progress lock listens: a socket file left here is a crashed
    // copy's.
    ::unlink(address.sun_path);
    const int socket = channelSocket();
    if (socket < 0)
        return false;
    // The folder is the player's alone; the socket itself is closed to everyone else as well.
    // Connections accepted and not yet taken hold open files of the game's too: the queue is
    // as short as the channel's number of connections.
    if (::bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::chmod(address.sun_path, 0600) != 0 || ::listen(socket, MostConnections) != 0) {
        ::close(socket);
        ::unlink(address.sun_path);
        return false;
    }
    socket_ = socket;
    path_ = address.sun_path;
    waiting_ = new QSocketNotifier(socket, QSocketNotifier::Read, this);
    connect(waiting_, &QSocketNotifier::activated, this, &RunningCopyListener::answer);
    return true;
}

void RunningCopyListener::answer()
{
    for (;;) {
        const int socket = ::accept4(socket_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (socket < 0) {
            if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM) {
                // The game's open files are all in use: the connection waits in the queue, and
                // the channel listens again a little later rather than spin on it.
                waiting_->setEnabled(false);
                QTimer::singleShot(100, waiting_,
                                   [waiting = waiting_] { waiting->setEnabled(true); });
            }
            return;
        }
        if (connections_ >= MostConnections || !peerIsPlayer(socket)) {
            ::close(socket);
            continue;
        }
        ++connections_;
        auto* connection = new ChannelConnection(socket, this);
        connect(connection, &QObject::destroyed, this, [this] { --connections_; });
        connection->onRead = [connection] { serve(connection); };
        QTimer::singleShot(LongestConnectionMs, connection, [connection] { connection->drop(); });
    }
}

void RunningCopyListener::serve(ChannelConnection* connection)
{
    if (!connection->hasLine()) {
        // A line longer than any request is no request of the game's.
        if (connection->full() || connection->ended())
            connection->drop();
        return;
    }
    if (connection->takeLine() == Request) {
        const QWidget* front = bringVisibleWindowToFront();
        qCInfo(runningCopy) << "brought to the front:"
                            << (front ? front->objectName() : QStringLiteral("nothing"));
        connection->send(Done);
    }
    connection->drop();
}

} // namespace numblaze
