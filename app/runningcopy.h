// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;
class QWidget;

namespace numblaze
{

class ChannelConnection;

/**
 * The name a running copy of the game answers to: one for each player and progress folder, so
 * two players, or two copies that keep their records in different folders, never meet. It is a
 * socket path in a folder only the player can enter, so that no other user can answer for the
 * game or keep it waiting: the player's runtime folder (XDG_RUNTIME_DIR) when that is theirs
 * alone, else a folder the game makes in the temporary folder and checks is the player's own.
 * Empty when there is no such folder.
 */
QString runningCopyName(const QString& progressFolder);

/// What asking the running copy to come to the front gave.
enum class FrontAnswer {
    /// It answered that its window is at the front.
    Fronted,
    /// Nothing answered in time, or not as the game does.
    NoAnswer,
    /// What answered runs as another user.
    OtherUser,
    /// A signal to end came while waiting: the game ends.
    Ended,
};

/// Asks the copy of the game that runs on this progress folder to bring its window to the
/// front, waiting at most timeoutMs for its answer in all. The signals that end the game
/// (see EndSignals) end the wait at once.
FrontAnswer bringRunningCopyToFront(const QString& progressFolder, int timeoutMs = 1000);

/// Tells the player that the game is already running, when that copy cannot be reached: where
/// its records are (fileName), whether that copy runs as another user, and which process and
/// program it is when it is one of the player's own.
void tellAlreadyRunning(const QString& fileName, FrontAnswer answer);

/// Brings the window the player is using to the front, restored if it was minimised: the
/// modal one (the Hall of Fame, a message) if any, else the visible one. Returns it, or null.
QWidget* bringVisibleWindowToFront();

/// Answers later starts of the game on the same progress folder by bringing this copy's window
/// to the front. Whatever connects, it takes only a few of the game's open files and a little of
/// its memory and time: a few connections at once, each with one short line and a few seconds.
class RunningCopyListener : public QObject
{
    Q_OBJECT

  public:
    RunningCopyListener();
    ~RunningCopyListener() override;

    /// Starts answering. Only the copy that holds the progress lock may listen: a socket left
    /// by a copy that crashed is removed first. Only the player's own copies are answered.
    bool listen(const QString& progressFolder);

  private:
    void answer();
    /// Answers one request: the window comes to the front, then the asking copy is told.
    static void serve(ChannelConnection* connection);

    /// The listening socket and its file; -1 and empty before listening.
    int socket_ = -1;
    QByteArray path_;
    QSocketNotifier* waiting_ = nullptr;
    /// The connections being answered.
    int connections_ = 0;
};

} // namespace numblaze
