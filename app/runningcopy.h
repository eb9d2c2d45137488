// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;
class QWidget;

namespace numblaze
{

/**
 * The name a running copy of the game answers to: one for each player and progress folder, so
 * two players, or two copies that keep their records in different folders, never meet. It is a
 * socket path in the player's runtime folder (XDG_RUNTIME_DIR), or in the temporary folder.
 */
QString runningCopyName(const QString& progressFolder);

/// Asks the copy of the game that runs on this progress folder to bring its window to the
/// front, waiting at most timeoutMs for its answer. True when it answered that it did.
bool bringRunningCopyToFront(const QString& progressFolder, int timeoutMs = 5000);

/// Tells the player that the game is already running, when that copy cannot be reached.
void tellAlreadyRunning();

/// Brings the window the player is using to the front, restored if it was minimised: the
/// modal one (the Hall of Fame, a message) if any, else the visible one. Returns it, or null.
QWidget* bringVisibleWindowToFront();

/// Answers later starts of the game on the same progress folder by bringing this copy's window
/// to the front.
class RunningCopyListener : public QObject
{
    Q_OBJECT

  public:
    RunningCopyListener();
    ~RunningCopyListener() override;

    /// Starts answering. Only the copy that holds the progress lock may listen: a socket left
    /// by a copy that crashed is removed first.
    bool listen(const QString& progressFolder);

  private:
    void answer();
    /// Answers one request: the window comes to the front, then the asking copy is told.
    static void serve(QLocalSocket* socket);

    QLocalServer* server_;
};

} // namespace numblaze
