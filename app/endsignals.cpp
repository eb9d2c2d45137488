// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/endsignals.h"

#include <QSocketNotifier>
#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

namespace numblaze
{

namespace
{
sigset_t endingSignals()
{
    sigset_t set;
    sigemptyset(&set);
    for (int signal : {SIGTERM, SIGHUP, SIGINT})
        sigaddset(&set, signal);
    return set;
}
} // namespace

void EndSignals::block()
{
    const sigset_t set = endingSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

EndSignals::EndSignals(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("EndSignals"));
    block();
    const sigset_t set = endingSignals();
    fd_ = ::signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    if (fd_ < 0)
        return;
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &EndSignals::readSignals);
}

EndSignals::~EndSignals()
{
    if (fd_ >= 0)
        ::close(fd_);
}

EndSignals* EndSignals::of(QObject* application)
{
    return application ? application->findChild<EndSignals*>(QStringLiteral("EndSignals"),
                                                             Qt::FindDirectChildrenOnly)
                       : nullptr;
}

void EndSignals::readSignals()
{
    signalfd_siginfo info{};
    while (::read(fd_, &info, sizeof info) == ssize_t(sizeof info))
        if (onSignal)
            onSignal(int(info.ssi_signo));
}

} // namespace numblaze
