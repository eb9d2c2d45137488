// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QFile>
#include <QSet>

/// How many shared libraries the process has mapped so far, its own program not counted.
inline int sharedLibraries()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return -1;
    QSet<QByteArray> names;
    for (const QByteArray& line : maps.readAll().split('\n'))
        if (line.contains(".so"))
            names.insert(line.mid(line.indexOf('/')));
    return int(names.size());
}
