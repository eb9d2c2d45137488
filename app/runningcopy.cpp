// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/runningcopy.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QWidget>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace numblaze
{

namespace
{
Q_LOGGING_CATEGORY(runningCopy, "numblaze.runningcopy", QtWarningMsg)

const QByteArray Request = "front\n";
const QByteArray Done = "done\n";

QString playerId()
{
#ifdef Q_OS_UNIX
    return QString::number(getuid());
#else
    return qEnvironmentVariable("USERNAME");
#endif
}

bool isGameWindow(const QWidget* widget)
{
    return widget->isWindow() && widget->isVisible() && widget->windowType() != Qt::Desktop &&
           widget->windowType() != Qt::ToolTip && widget->windowType() != Qt::Popup;
}
} // namespace

QString runningCopyName(const QString& progressFolder)
{
    const QFileInfo folder(progressFolder);
    const QString path = folder.exists() ? folder.canonicalFilePath() : folder.absoluteFilePath();
    const QByteArray hash =
        QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    // The player's own runtime folder where the session has one; the name keeps players apart
    // in the shared temporary folder otherwise.
    QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty() || !QFileInfo(runtime).isDir())
        runtime = QDir::tempPath();
    return QDir(runtime).filePath(
        QStringLiteral("numblaze-%1-%2").arg(playerId(), QString::fromLatin1(hash)));
}

bool bringRunningCopyToFront(const QString& progressFolder, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(runningCopyName(progressFolder));
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(Request);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    while (!socket.canReadLine())
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
    return socket.readLine() == Done;
}

void tellAlreadyRunning()
{
    QMessageBox::information(
        nullptr, QStringLiteral("Numblaze"),
        QCoreApplication::translate("RunningCopy", "Numblaze is already running."));
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
    QLocalServer::removeServer(name);
    return server_->listen(name);
}

void RunningCopyListener::answer()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
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
