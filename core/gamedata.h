// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCoreApplication>
#include <QString>
#include <array>

namespace numblaze
{

/// One of the three computer opponents.
struct Opponent {
    const char* name; ///< as the menu shows it, before translation: see opponentName()
    const char* ball; ///< picture name of its ball, without the size
    int speed;        ///< twips its ball moves per 100 ms
};

inline constexpr std::array<Opponent, 3> opponents = {{
    {QT_TRANSLATE_NOOP("Opponents", "Bobby Blue"), "ball-blue", 15},
    {QT_TRANSLATE_NOOP("Opponents", "Patty Purple"), "ball-purple", 25},
    {QT_TRANSLATE_NOOP("Opponents", "Ronald Red"), "ball-red", 35},
}};

/// Opponent k's name in the player's language, wherever the game shows or says it.
inline QString opponentName(int k)
{
    return QCoreApplication::translate("Opponents", opponents[k].name);
}

/// The math kinds' operator signs, by math kind.
inline const std::array<QString, 4> operatorSigns = {QStringLiteral("+"), QStringLiteral("-"),
                                                     QStringLiteral("*"), QStringLiteral("/")};

} // namespace numblaze
