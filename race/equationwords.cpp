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
        told = tr("Go! %1.").arg(equation);
        toldLead_ = Lead::Nobody; // both at the start: no news
    } else {
        QStringList leadIn;
        if (verdict == Verdict::Wrong)
            leadIn << tr("Wrong.");
        else if (!soundIsHeard())
            leadIn << tr("Right.");
        leadIn << newsOfTheRace();
        //: An equation said on its own, as the next one to answer: %1 is the equation in words
        told = leadIn.isEmpty() ? tr("%1.").arg(equation)
                                : tr("%1 %2.").arg(leadIn.join(QLatin1Char(' ')), equation);
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
        news << (lead == Lead::Player ? tr("You are ahead.")
                                      : tr("%1 is ahead.").arg(opponentInWords()));
    }
    if (!toldNear_ && stepsOf(controls_->Image3) >= StepsToFinish - NearFinish) {
        toldNear_ = true;
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
        told = tr("You lost! %1 got there first.").arg(opponentInWords());
    } else if (const MathKind* kind = mathKindOfSign(controls_->Label3->caption())) {
        told = tr("You won! Your highest number for %1 against %2 is now %3.")
                   .arg(kind->name(), opponentInWords(), newRecord);
    } else {
        told = tr("You won! Your highest number is now %1.").arg(newRecord);
    }
    voice_->say(told, Voice::Kind::Result, {}, {{}, whileLoaded([this] {
                                                    resultHeard_ = true;
                                                    closeAnswerBox();
                                                })});
}

} // namespace numblaze
