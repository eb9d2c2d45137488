// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/settings.h"

#include <QSettings>

namespace numblaze::settings
{

namespace
{
const char ExtraTimeKey[] = "race/extraTime";
const char Organisation[] = "Numblaze";
const char Application[] = "Numblaze";
} // namespace

bool extraTime()
{
    const QSettings player(QString::fromLatin1(Organisation), QString::fromLatin1(Application));
    return player.value(QLatin1String(ExtraTimeKey), false).toBool();
}

void setExtraTime(bool on)
{
    QSettings player(QString::fromLatin1(Organisation), QString::fromLatin1(Application));
    player.setValue(QLatin1String(ExtraTimeKey), on);
    player.sync();
}

} // namespace numblaze::settings
