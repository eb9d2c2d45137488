// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The game played in a separate process (numblaze_test_game), for the system tests.

#include "tests/support.h"

#include <QProcess>
#include <QStringList>
#include <csignal>
#include <sys/types.h>

namespace numblaze::testing
{

/// The game in a child process, driven line by line.
class Game
{
  public:
    Game(const QStringList& arguments, const QProcessEnvironment& environment,
         bool asNobody = false, const QString& program = QStringLiteral(NUMBLAZE_TEST_GAME))
        : Game(arguments, environment, asNobody ? QStringLiteral("nobody") : QString(), program)
    {
    }
    /// The game run as the user named user (with that user's groups), or as the test's own.
    Game(const QStringList& arguments, const QProcessEnvironment& environment, const QString& user,
         const QString& program = QStringLiteral(NUMBLAZE_TEST_GAME))
    {
        process_.setProcessEnvironment(environment);
        process_.setProcessChannelMode(QProcess::SeparateChannels);
        if (user == QLatin1String("nobody"))
            process_.start(QStringLiteral("setpriv"), QStringList{"--reuid=65534", "--regid=65534",
                                                                  "--clear-groups", program} +
                                                          arguments);
        else if (!user.isEmpty())
            process_.start(
                QStringLiteral("setpriv"),
                QStringList{"--reuid=" + user, "--regid=" + user, "--init-groups", program} +
                    arguments);
        else
            process_.start(program, arguments);
    }
    ~Game()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished();
        }
    }

    qint64 pid() const { return process_.processId(); }
    void order(const QByteArray& line) { process_.write(line + '\n'); }

    /// The next report that starts with prefix, or nothing when none comes.
    QString expect(const QString& prefix)
    {
        for (;;) {
            while (!lines_.isEmpty()) {
                const QString line = lines_.takeFirst();
                seen_ << line;
                if (line.startsWith(prefix))
                    return line;
            }
            if (!process_.waitForReadyRead(Patience))
                return QString();
            buffer_ += process_.readAllStandardOutput();
            for (qsizetype end = buffer_.indexOf('\n'); end >= 0; end = buffer_.indexOf('\n')) {
                lines_ << QString::fromUtf8(buffer_.left(end));
                buffer_.remove(0, end + 1);
            }
        }
    }

    /// Every report so far.
    const QStringList& seen() const { return seen_; }

    /// Waits for the game to end, after sending it a signal if one is given. The exit status, or
    /// -1 when it was killed or crashed.
    int end(int signal = 0)
    {
        if (signal)
            ::kill(pid_t(process_.processId()), signal);
        if (process_.state() != QProcess::NotRunning && !process_.waitForFinished(Patience))
            return -2;
        return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    }

    QByteArray errors() { return process_.readAllStandardError(); }

  private:
    QProcess process_;
    QByteArray buffer_;
    QStringList lines_;
    QStringList seen_;
};

} // namespace numblaze::testing
