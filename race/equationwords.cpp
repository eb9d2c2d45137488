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

void Form1::tellEquation(Verdict verdict, std::function<void()> atFirstWord)
{
    const QString equation = equationInWords();
    const int prompt = ++prompts_;
    // Only the latest equation lets the opponent go on: an earlier one may end after it began.
    const auto heard = whileLoaded([this, prompt] {
        if (prompt == prompts_)
            runOpponent();
    });
    if (equation.isEmpty() || !voice_) {
        if (listeningTime)
            heard();
        return;
    }
    QString told;
    if (verdict == Verdict::None) {
        //: Spoken as the race starts: %1 is the first equation in words ("3 plus 8").
        told = tr("Go! %1.").arg(equation);
        toldLead_ = Lead::Nobody; // both at the start: no news
    } else {
        QStringList leadIn;
        if (verdict == Verdict::Wrong)
            //: Spoken after a wrong answer, before the equation again.
            leadIn << tr("Wrong.");
        else if (!soundIsHeard())
            //: Spoken after a right answer when the sound is off (with sound a chime says it),
            //: before the next equation.
            leadIn << tr("Right.");
        leadIn << newsOfTheRace();
        if (leadIn.isEmpty())
            //: An equation said on its own, as the next one to answer: %1 is the equation in
            //: words ("3 plus 8").
            told = tr("%1.").arg(equation);
        else
            //: Spoken after an answer: %1 is what comes first ("Right.", "Wrong.", who leads:
            //: whole sentences with their stops), %2 the next equation in words ("3 plus 8").
            //: Change the order or the stop only if the language needs it.
            told = tr("%1 %2.").arg(leadIn.join(QLatin1Char(' ')), equation);
    }
    Voice::Moments moments;
    if (listeningTime)
        moments = {std::move(atFirstWord), heard};
    voice_->say(told, Voice::Kind::Prompt, {}, moments);
}

QStringList Form1::newsOfTheRace()
{
    QStringList news;
    const float player = controls_->Image2->left();
    const float opponent = controls_->Image3->left();
    const Lead lead = player > opponent   ? Lead::Player
                      : opponent > player ? Lead::Opponent
                                          : toldLead_;
    if (lead != toldLead_) {
        toldLead_ = lead;
        if (lead == Lead::Player)
            //: Spoken before the next equation when the player has taken the lead.
            news << tr("You are ahead.");
        else
            //: Spoken before the next equation when the opponent %1 (a name, a boy's or a
            //: girl's) has taken the lead.
            news << tr("%1 is ahead.").arg(opponentInWords());
    }
    if (!toldNear_ && stepsOf(controls_->Image3) >= StepsToFinish - NearFinish) {
        toldNear_ = true;
        //: Spoken once, before the next equation, when the opponent %1 (a name, a boy's or a
        //: girl's: keep the words the same for both) is two steps from the finish line.
        news << tr("%1 is near the finish.").arg(opponentInWords());
    }
    return news;
}

void Form1::tellStanding()
{
    if (voice_)
        voice_->say(standingInWords(), Voice::Kind::Reply, QStringLiteral("standing"));
}

void Form1::tellResult(bool won, const QString& newRecord)
{
    if (!voice_)
        return;
    voice_->clear();
    QString told;
    if (!won) {
        //: Spoken when the race is lost: %1 is the opponent's name, a boy's or a girl's (keep
        //: the words the same for both).
        told = tr("You lost! %1 got there first.").arg(opponentInWords());
    } else if (const MathKind* kind = mathKindOfSign(controls_->Label3->caption())) {
        //: Spoken when the race is won: %1 is the math kind's name ("Addition"), %2 the
        //: opponent's name, %3 the new highest number. "Highest number" is the game's word for
        //: the record.
        told = tr("You won! Your highest number for %1 against %2 is now %3.")
                   .arg(kind->name(), opponentInWords(), newRecord);
    } else {
        //: Spoken when a race is won whose math kind is unknown (it never is in a normal game):
        //: %1 is the new highest number.
        told = tr("You won! Your highest number is now %1.").arg(newRecord);
    }
    voice_->say(told, Voice::Kind::Result, {}, {{}, whileLoaded([this] {
                                                    resultHeard_ = true;
                                                    closeAnswerBox();
                                                })});
}

} // namespace numblaze
