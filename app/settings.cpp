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
const char ListeningTimeKey[] = "race/listeningTime";

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

std::optional<bool> listeningTime()
{
    const QVariant chosen = QSettings().value(QLatin1String(ListeningTimeKey));
    if (!chosen.isValid())
        return std::nullopt;
    return chosen.toBool();
}

void setListeningTime(std::optional<bool> on)
{
    if (on) {
        write(ListeningTimeKey, *on);
        return;
    }
    QSettings player;
    player.remove(QLatin1String(ListeningTimeKey));
    player.sync();
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
