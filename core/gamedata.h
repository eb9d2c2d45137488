// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/mathkinds.h"

#include <QCoreApplication>
#include <QString>
#include <array>

namespace numblaze
{

// The game's data in one place: who the opponents are, the pairings of math kind and opponent
// that the records are kept for, and the colours the screens share (the math kinds have a table
// of their own, core/mathkinds.h). Everything else about a screen's look is in its own layout.

/// One of the three computer opponents.
struct Opponent {
    const char* name; ///< as the menu shows it, before translation: see opponentName()
    const char* ball; ///< picture name of its ball, without the size: see ballPicture()
    int speed;        ///< twips its ball moves per 100 ms
};

inline constexpr std::array<Opponent, 3> opponents = {{
    //: The slowest opponent, a boy, whose ball is blue: a boy's first name and the colour, both
    //: starting with the same sound where the language allows ("Bruno Blau"). At most 12
    //: characters.
    {QT_TRANSLATE_NOOP("Opponents", "Bobby Blue"), "ball-blue", 15},
    //: The middle opponent, a girl, whose ball is purple: a girl's first name and the colour,
    //: starting with the same sound where the language allows ("Lotte Lila"). At most 14
    //: characters.
    {QT_TRANSLATE_NOOP("Opponents", "Patty Purple"), "ball-purple", 25},
    //: The fastest opponent, a boy, whose ball is red: a boy's first name and the colour,
    //: starting with the same sound where the language allows ("Rudi Rot"). At most 12
    //: characters.
    {QT_TRANSLATE_NOOP("Opponents", "Ronald Red"), "ball-red", 35},
}};

/// Opponent k's name in the player's language, wherever the game shows or says it.
inline QString opponentName(int k)
{
    return QCoreApplication::translate("Opponents", opponents[k].name);
}

/// The name of the picture of a ball ("ball-blue") at a size in pixels: "ball-blue-32".
inline QString ballPicture(const char* ball, int size)
{
    return QStringLiteral("%1-%2").arg(QLatin1String(ball)).arg(size);
}

/// The player's ball, always green.
inline constexpr char PlayerBall[] = "ball-green";

/// The number of opponents.
inline constexpr int OpponentCount = int(opponents.size());

/// A pairing of a math kind and an opponent: one record of the table.
struct Pairing {
    int math;
    int opponent;

    /// Its place among all pairings: its line in the records file, counted from 0, and the
    /// index of its cell in the Hall of Fame.
    constexpr int index() const { return math * OpponentCount + opponent; }
    bool operator==(const Pairing&) const = default;
};

/// Every pairing, in the order of the records file and of the Hall of Fame's cells: the math
/// kind outside, the opponent inside.
inline constexpr std::array<Pairing, MathKindCount* OpponentCount> pairings = [] {
    std::array<Pairing, MathKindCount * OpponentCount> all{};
    for (int k = 0; k < int(all.size()); ++k)
        all[k] = {k / OpponentCount, k % OpponentCount};
    return all;
}();

/// Colours more than one screen uses, as &H00BBGGRR& values (bgrColor() makes them colours).
namespace palette
{
/// The race screen's background while nothing is flashed.
inline constexpr unsigned RaceGreen = 0x0080FF80;
/// The menu's and the Hall of Fame's background.
inline constexpr unsigned Lavender = 0x00FFC0C0;
/// The blue of the race's boxes and the Hall of Fame's grid.
inline constexpr unsigned BoxBlue = 0x00FF8080;
/// The dark red of the menu's and the Hall of Fame's captions.
inline constexpr unsigned DarkRed = 0x00000040;
} // namespace palette

} // namespace numblaze
