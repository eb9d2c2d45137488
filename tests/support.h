#pragma once

// Helpers the test suites share: files on disk, a full disk, and a clean slate of screens.

#include "halloffame/form3.h"
#include "menu/form2.h"
#include "race/form1.h"

#include <QCoreApplication>
#include <QFile>
#include <csignal>
#include <sys/resource.h>

namespace numblaze::testing
{

/// The bytes of a file, or nothing when it cannot be read.
inline QByteArray contents(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// Writes a file with exactly these bytes.
inline bool put(const QString& fileName, const QByteArray& bytes)
{
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

/// Makes writes fail past a few bytes, as on a full disk; even root cannot write past it.
struct DiskFull {
    rlimit old{};
    DiskFull()
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit small = old;
        small.rlim_cur = 8;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~DiskFull() { setrlimit(RLIMIT_FSIZE, &old); }
};

/// Destroys every screen without unload events (nothing is written), as between two runs.
inline void discardAllScreens()
{
    for (Screen* screen :
         std::initializer_list<Screen*>{&Form1::get(), &Form3::get(), &Form2::get()})
        screen->discard();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace numblaze::testing
