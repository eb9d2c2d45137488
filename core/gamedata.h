// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCoreApplication>
#include <QString>
#include <array>

namespace numblaze
{

// The game's data in one place: who the opponents are, the math kinds' signs and the colours
// the screens share. Everything else about a screen's look is in its own layout.

/// One of the three computer opponents.
struct Opponent {
    const char* name; ///< as the menu shows it, before translation: see opponentName()
    const char* ball; ///< picture name of its ball, without the size: see ballPicture()
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

/// The name of the picture of a ball ("ball-blue") at a size in pixels: "ball-blue-32".
inline QString ballPicture(const char* ball, int size)
{
    return QStringLiteral("%1-%2").arg(QLatin1String(ball)).arg(size);
}

/// The player's ball, always green.
inline constexpr char PlayerBall[] = "ball-green";

/// The math kinds' names, by math kind, before translation: see mathKindName().
inline constexpr std::array<const char*, 4> mathKinds = {
    QT_TRANSLATE_NOOP("MathKinds", "Addition"), QT_TRANSLATE_NOOP("MathKinds", "Subtraction"),
    QT_TRANSLATE_NOOP("MathKinds", "Multiplication"), QT_TRANSLATE_NOOP("MathKinds", "Division")};

/// Math kind m's name in the player's language, as the game says it.
inline QString mathKindName(int m)
{
    return QCoreApplication::translate("MathKinds", mathKinds[m]);
}

/// The math kinds' operator signs, by math kind.
inline const std::array<QString, 4> operatorSigns = {QStringLiteral("+"), QStringLiteral("-"),
                                                     QStringLiteral("*"), QStringLiteral("/")};

/// The names the player's settings are kept under (QSettings' organisation and application):
/// the game's own choices and where the records were kept last time.
inline constexpr char SettingsOrganisation[] = "Numblaze";
inline constexpr char SettingsApplication[] = "Numblaze";

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
