// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/settings.h"

#include <QCoreApplication>
#include <QSettings>

namespace numblaze::settings
{

namespace
{
const char ExtraTimeKey[] = "race/extraTime";

bool read(const char* key)
{
    return QSettings().value(QLatin1String(key), false).toBool();
}

void write(const char* key, bool value)
{
    QSettings player;
    player.setValue(QLatin1String(key), value);
    player.sync();
}
} // namespace

void nameTheGame()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Numblaze"));
    QCoreApplication::setApplicationName(QStringLiteral("Numblaze"));
}

bool extraTime()
{
    return read(ExtraTimeKey);
}

void setExtraTime(bool on)
{
    write(ExtraTimeKey, on);
}

bool muted()
{
    return read(MutedKey);
}

void setMuted(bool muted)
{
    write(MutedKey, muted);
}

} // namespace numblaze::settings
