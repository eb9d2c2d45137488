// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace numblaze
{

/**
 * Turns the signals that end a program in ordinary use (SIGTERM from a shutdown, SIGHUP from a
 * closed terminal or a logout, SIGINT from Ctrl+C) into a call on the message loop, where the
 * game can save and end as it always does. No game code runs inside a signal handler: the
 * signals are blocked and read from a signalfd.
 */
class EndSignals : public QObject
{
    Q_OBJECT

  public:
    /// Blocks the three signals in the calling thread and every thread it starts later. Call it
    /// before the application object exists, so that Qt's own threads never take them.
    static void block();

    /// Starts listening; the signals are blocked here too, if they were not yet.
    explicit EndSignals(QObject* parent = nullptr);
    ~EndSignals() override;

    /// The listener the application object has, if any.
    static EndSignals* of(QObject* application);

    /// Called on the message loop for each signal that arrives, with the signal's number.
    std::function<void(int)> onSignal;

  private:
    void readSignals();

    int fd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace numblaze
