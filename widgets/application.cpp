// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/application.h"

#include "widgets/screen.h"

#include <QCoreApplication>
#include <QFile>
#include <climits>
#include <unistd.h>

namespace numblaze::application
{

QString path()
{
    return QCoreApplication::applicationDirPath();
}

QByteArray folderName()
{
    // Qt's own answer is text, and a folder whose name is not valid text has none.
    char program[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", program, sizeof program);
    if (length <= 0 || length == ssize_t(sizeof program))
        return QFile::encodeName(path());
    const QByteArray file(program, length);
    return file.left(qMax<qsizetype>(file.lastIndexOf('/'), 1));
}

void end(std::initializer_list<Screen*> screens, int status)
{
    for (Screen* screen : screens)
        screen->discard();
    QCoreApplication::exit(status);
}

} // namespace numblaze::application
