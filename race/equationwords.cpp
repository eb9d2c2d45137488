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
    //: Said in place of the opponent's name in the race's spoken phrases when the opponent is
    //: none of the three (it never is in a normal game).
    return opponent_ >= 0 ? opponentName(opponent_) : tr("Your opponent");
}

QString Form1::standingInWords() const
{
    //: The standing, spoken: %1 is how many steps of 11 the player's ball has come, %2 the
    //: opponent's name, %3 the opponent's steps: "You 4, Bobby Blue 6."
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
        //: Spoken as the race starts: %1 is the first equation in words ("3 plus 8").
        told = tr("Go! %1.").arg(equation);
        toldStanding_ = standingInWords(); // both at the start: no news
    } else {
        // The standing comes with the verdict when it has changed since it was last told.
        const QString standing = standingInWords();
        QString verdictWords;
        if (verdict == Verdict::Right)
            //: Spoken after a right answer, before the next equation.
            verdictWords = tr("Right.");
        else
            //: Spoken after a wrong answer, before the equation again.
            verdictWords = tr("Wrong.");
        if (standing == toldStanding_)
            //: Spoken after an answer: %1 is "Right." or "Wrong.", %2 the next equation in words
            //: ("3 plus 8"). Change the order or the stop only if the language needs it.
            told = tr("%1 %2.").arg(verdictWords, equation);
        else
            //: Spoken after an answer that changed the standing: %1 is "Right." or "Wrong.", %2
            //: the standing ("You 4, Bobby Blue 6."), %3 the next equation in words ("3 plus 8").
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
        //: Spoken when the opponent %1 (a name, a boy's or a girl's) takes the lead.
        voice_->say(tr("%1 is ahead.").arg(opponentInWords()), Voice::Kind::Note,
                    QStringLiteral("standing"));
    }
    if (!toldNear_ && opponent >= StepsToFinish - NearFinish) {
        toldNear_ = true;
        //: Spoken when the opponent %1 (a name, a boy's or a girl's: keep the words the same
        //: for both) is two steps from the finish line.
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
        //: Spoken when the race is lost: %1 is the opponent's name, a boy's or a girl's (keep
        //: the words the same for both).
        voice_->say(tr("You lost! %1 got there first.").arg(opponentInWords()),
                    Voice::Kind::Result);
        return;
    }
    const MathKind* kind = mathKindOfSign(controls_->Label3->caption());
    //: Spoken when the race is won: %1 is the math kind's name ("Addition"), %2 the opponent's
    //: name, %3 the new highest number. "Highest number" is the game's word for the record.
    const QString told = kind ? tr("You won! Your highest number for %1 against %2 is now %3.")
                                    .arg(kind->name(), opponentInWords(), newRecord)
                              //: Spoken when a race is won whose math kind is unknown (it
                              //: never is in a normal game): %1 is the new highest number.
                              : tr("You won! Your highest number is now %1.").arg(newRecord);
    // The last right answer brought the win: the player acted, so it is said at once.
    voice_->say(told, Voice::Kind::Reply);
}

} // namespace numblaze
