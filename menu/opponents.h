#pragma once

#include <QString>
#include <array>

namespace numblaze
{

/// One of the three computer opponents.
struct Opponent {
    QString name; ///< as the menu shows it
    QString ball; ///< picture name of its ball, without the size
    int speed;    ///< twips its ball moves per 100 ms
};

inline const std::array<Opponent, 3> opponents = {{
    {QStringLiteral("Bobby Blue"), QStringLiteral("ball-blue"), 15},
    {QStringLiteral("Patty Purple"), QStringLiteral("ball-purple"), 25},
    {QStringLiteral("Ronald Red"), QStringLiteral("ball-red"), 35},
}};

/// The math kinds' operator signs, by math kind.
inline const std::array<QString, 4> operatorSigns = {QStringLiteral("+"), QStringLiteral("-"),
                                                     QStringLiteral("*"), QStringLiteral("/")};

} // namespace numblaze
