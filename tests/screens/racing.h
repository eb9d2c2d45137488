// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the race screen's suites do with a race: start one as the menu does, work out the answer
// to the equation on the screen (and how the race says it), and type it.

#include "race/form1.h"

#include <QTest>

namespace numblaze::testing
{

inline Form1Controls& race()
{
    return Form1::get().ui();
}

/// Launches a race the way the menu does: speed, then the sign (which loads), then the record.
inline void launch(const QString& sign, const Loose& highest, int speed = 15,
                   bool extraTime = false)
{
    Form1& form = Form1::get();
    form.enemy_speed = speed;
    form.extraTime = extraTime;
    form.ui().Label3->setCaption(sign);
    form.Highest = highest;
    form.show();
}

/// The answer to the equation on the screen, as the player would work it out.
inline QString answerOnScreen()
{
    const qint64 a = race().Label1->caption().toLongLong();
    const qint64 b = race().Label2->caption().toLongLong();
    const QString sign = race().Label3->caption();
    const qint64 answer = sign == "+" ? a + b : sign == "-" ? a - b : sign == "*" ? a * b : a / b;
    return QString::number(answer);
}

/// The equation on the screen in words, as the race says it ("3 plus 4").
inline QString equationSaid()
{
    const QString sign = race().Label3->caption();
    const QString word = sign == "+"   ? "plus"
                         : sign == "-" ? "minus"
                         : sign == "*" ? "times"
                                       : "divided by";
    return QStringLiteral("%1 %2 %3").arg(race().Label1->caption(), word, race().Label2->caption());
}

/// The phrases a screen's voice has said so far, oldest first.
inline QStringList said(Screen& screen)
{
    const auto* voice = screen.window().findChild<Voice*>();
    return voice ? voice->said() : QStringList{};
}

/// The last phrase a screen's voice said; empty before the first.
inline QString lastSaid(Screen& screen)
{
    const QStringList all = said(screen);
    return all.isEmpty() ? QString() : all.last();
}

/// Waits, as a player does, until the finished race lets the status button go back to the menu.
inline void waitForTheResult()
{
    QTest::qWait(Form1::ResultShownMs + 50);
}

/// Types an answer into the answer box and presses Enter, as the player does.
inline void typeAndEnter(const QString& answer)
{
    QTest::keyClicks(race().Text1, answer);
    QTest::keyClick(race().Text1, Qt::Key_Return);
}

} // namespace numblaze::testing
