// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/gamedata.h"
#include "race/form1.h"

#include <algorithm>
#include <cmath>

namespace numblaze
{

namespace
{
/// The opponent is near the finish with this many of the player's steps left to go.
constexpr int NearFinish = 2;
} // namespace

QString Form1::equationInWords() const
{
    const Form1Controls& c = *controls_;
    const QString first = c.Label1->caption();
    const QString second = c.Label2->caption();
    const MathKind* kind = mathKindOfSign(c.Label3->caption());
    if (first.isEmpty() || second.isEmpty() || !kind)
        return {};
    return kind->said(first, second);
}

int Form1::stepsOf(const Image* ball)
{
    // A ball at the finish line has come the whole way, however the last step fell.
    if (ball->left() >= FinishLine)
        return StepsToFinish;
    const double steps = (double(ball->left()) - StartLine) / 480.0;
    return std::clamp(int(std::floor(steps)), 0, StepsToFinish);
}

QString Form1::opponentInWords() const
{
    return opponent_ >= 0 ? opponentName(opponent_) : tr("Your opponent");
}

QString Form1::standingInWords() const
{
    return tr("You %1, %2 %3.")
        .arg(stepsOf(controls_->Image2))
        .arg(opponentInWords())
        .arg(stepsOf(controls_->Image3));
}

void Form1::tellEquation(Verdict verdict)
{
    const QString equation = equationInWords();
    if (equation.isEmpty() || !voice_)
        return;
    QString told;
    if (verdict == Verdict::None) {
        told = tr("Go! %1.").arg(equation);
        toldStanding_ = standingInWords(); // both at the start: no news
    } else {
        // The standing comes with the verdict when it has changed since it was last told.
        const QString standing = standingInWords();
        const QString verdictWords = verdict == Verdict::Right ? tr("Right.") : tr("Wrong.");
        if (standing == toldStanding_)
            told = tr("%1 %2.").arg(verdictWords, equation);
        else
            told = tr("%1 %2 %3.").arg(verdictWords, standing, equation);
        toldStanding_ = standing;
        // The verdict told the standing: a lead told before it is news again when it comes.
        toldAhead_ = stepsOf(controls_->Image3) > stepsOf(controls_->Image2);
    }
    voice_->say(told, Voice::Kind::Prompt);
}

void Form1::watchOpponent()
{
    if (!voice_)
        return;
    const int player = stepsOf(controls_->Image2);
    const int opponent = stepsOf(controls_->Image3);
    if (opponent <= player) {
        toldAhead_ = false;
    } else if (!toldAhead_) {
        toldAhead_ = true;
        voice_->say(tr("%1 is ahead.").arg(opponentInWords()), Voice::Kind::Note,
                    QStringLiteral("standing"));
    }
    if (!toldNear_ && opponent >= StepsToFinish - NearFinish) {
        toldNear_ = true;
        voice_->say(tr("%1 is near the finish.").arg(opponentInWords()), Voice::Kind::Note,
                    QStringLiteral("standing"));
    }
}

void Form1::tellResult(bool won, const QString& newRecord)
{
    if (!voice_)
        return;
    voice_->clear();
    if (!won) {
        voice_->say(tr("You lost! %1 got there first.").arg(opponentInWords()),
                    Voice::Kind::Result);
        return;
    }
    const MathKind* kind = mathKindOfSign(controls_->Label3->caption());
    const QString told = kind ? tr("You won! Your highest number for %1 against %2 is now %3.")
                                    .arg(kind->name(), opponentInWords(), newRecord)
                              : tr("You won! Your highest number is now %1.").arg(newRecord);
    // The last right answer brought the win: the player acted, so it is said at once.
    voice_->say(told, Voice::Kind::Reply);
}

} // namespace numblaze
