// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "race/form1.h"

#include "core/gamedata.h"

#include <QShortcut>
#include <algorithm>
#include <cmath>

namespace numblaze
{

namespace
{
const QColor LightGreen = bgrColor(palette::RaceGreen);
const QColor Red(255, 0, 0);
const QColor Blue(0, 0, 255);
} // namespace

QString RaceText::operator()() const
{
    return Form1::tr(source);
}

Form1& Form1::get()
{
    static Form1 screen;
    return screen;
}

void Form1::connectEvents(Form1Controls& c)
{
    c.Command1->onClick = [this] { Command1_Click(); };
    c.Command2->onClick = [this] { Command2_Click(); };
    c.Timer1->onTick = [this] { Timer1_Timer(); };
    c.Timer2->onTick = [this] { Timer2_Timer(); };
    c.Timer3->onTick = [this] { Timer3_Timer(); };
    auto* f3 = new QShortcut(QKeySequence(Qt::Key_F3), c.window);
    QObject::connect(f3, &QShortcut::activated, c.window, [this] { tellStanding(); });
}

void Form1::Form_Load()
{
    Form1Controls& c = *controls_;
    random_.seedFromTimeOfDay();
    c.Command1->setCaption(QStringLiteral("3"));
    //: The status button's name to screen readers while it counts down "3", "2", "1".
    nameStatusButton(tr("Get ready"));
    PlayerStep = 480;
    opponent_ = -1;
    toldLead_ = Lead::Nobody;
    toldNear_ = false;
    prompts_ = 0;
    finished_.invalidate();
    resultHeard_ = false;
    // Each opponent's speed has its own ball; any other speed leaves the ball without one.
    for (int k = 0; k < OpponentCount; ++k)
        if (enemy_speed.toNumber() == opponents[k].speed)
            takeOpponentBall(k);
    if (extraTime)
        enemy_speed = enemy_speed.toNumber() / 2;
    // Where each ball is, for a reader that asks: it says nothing on its own as it moves.
    for (Image* ball : {c.Image2, c.Image3})
        ball->describe = [ball] {
            //: Where a ball is, when a screen reader asks: %1 is the steps it has come, %2 is
            //: always 11, the steps to the finish line (so the plural of "steps" is always the
            //: one for 11).
            return tr("%1 of %2 steps").arg(stepsOf(ball)).arg(StepsToFinish);
        };
    // Counted in step with a reader: each tone follows its spoken number, and the count waits
    // while the reader names the screen.
    countsInStep_ = listeningTime || readerListens();
    if (countsInStep_)
        c.Timer1->setEnabled(false);
    if (listeningTime) {
        c.Text1->setEnabled(true);
        c.Text1->setFocus();
    } else {
        // The answer box is disabled until the start, so the status button has the focus.
        c.Command1->setFocus();
    }
    leadHeard_.reset();
    ticksSinceChime_ = 0;
    voice_ = new Voice(c.window);
    soundsBeside(voice_);
    countAloud(QStringLiteral("3"));
}

void Form1::countAloud(const QString& number)
{
    if (!countsInStep_) {
        voice_->say(number, Voice::Kind::Reply);
        playSound(Cue::Countdown);
        return;
    }
    const bool first = number == QLatin1String("3");
    voice_->say(number, Voice::Kind::Reply, {},
                {whileLoaded([this, first] {
                     playSound(Cue::Countdown);
                     if (first)
                         controls_->Timer1->setEnabled(true);
                 }),
                 {}});
}

std::function<void()> Form1::whileLoaded(std::function<void()> call)
{
    return [this, call = std::move(call)] {
        if (isLoaded())
            call();
    };
}

void Form1::nameStatusButton(const QString& name)
{
    controls_->Command1->setAccessibleName(name);
}

void Form1::takeOpponentBall(int k)
{
    Form1Controls& c = *controls_;
    c.Image3->setPicture(c.Image1[k]->picture());
    c.Image3->setAccessibleName(opponentName(k));
    opponent_ = k;
}

void Form1::Form_Unload()
{
    Form1Controls& c = *controls_;
    c.Timer1->setEnabled(false);
    c.Timer2->setEnabled(false);
    // A red flash still showing ends with the screen: its timer must not tick on a screen that
    // is gone.
    c.Timer3->setEnabled(false);
    if (onClosed)
        onClosed();
}

void Form1::Timer1_Timer()
{
    Form1Controls& c = *controls_;
    const QString phase = c.Command1->caption();
    if (phase == QLatin1String("1")) {
        c.Command1->setCaption(Racing);
        nameStatusButton(QString());
        c.Image4[0]->hide();
        c.Image4[1]->show();
        c.Timer1->setEnabled(false);
        if (listeningTime)
            c.Text1->setText(QString()); // typed while the countdown ran
        c.Text1->setEnabled(true);
        c.Text1->setFocus();
        try {
            Make_Equation();
        } catch (const std::exception&) {
            // A record that cannot size an equation leaves the labels empty; the race runs on.
        }
        if (listeningTime) {
            // The opponent sets off once the first equation has been said.
            tellEquation(Verdict::None, whileLoaded([this] { playSound(Cue::Go); }));
            return;
        }
        tellEquation(Verdict::None);
        c.Timer2->setEnabled(true);
        playSound(Cue::Go);
    } else if (phase == QLatin1String("2")) {
        c.Command1->setCaption(QStringLiteral("1"));
        countAloud(QStringLiteral("1"));
    } else if (phase == QLatin1String("3")) {
        c.Command1->setCaption(QStringLiteral("2"));
        countAloud(QStringLiteral("2"));
    }
}

void Form1::Timer2_Timer()
{
    Form1Controls& c = *controls_;
    c.Image3->setLeft(float(c.Image3->left() + enemy_speed.toNumber()));
    soundOpponentMove();
    if (c.Image3->left() >= FinishLine) {
        c.Label1->setCaption(QString());
        c.Label2->setCaption(QString());
        //: The status button's name to screen readers once the race is over: pressing it (or
        //: Enter) goes back to the menu.
        nameStatusButton(tr("Back to the menu"));
        c.Text1->setText(QString());
        c.Timer2->setEnabled(false);
        c.window->setBackColor(Red);
        c.Command1->setCaption(Lost);
        playSound(Cue::Lost);
        finished_.start();
        tellResult(false, QString());
        closeAnswerBox();
    }
}

void Form1::holdOpponent()
{
    if (listeningTime)
        controls_->Timer2->setEnabled(false);
}

void Form1::runOpponent()
{
    if (controls_->Command1->caption() == Racing())
        controls_->Timer2->setEnabled(true);
}

void Form1::closeAnswerBox()
{
    if (!listeningTime || resultHeard_) {
        controls_->Text1->setText(QString());
        controls_->Text1->setEnabled(false);
    }
}

bool Form1::resultShown() const
{
    return finished_.isValid() && finished_.elapsed() >= ResultShownMs &&
           (!listeningTime || resultHeard_);
}

void Form1::Timer3_Timer()
{
    // The end of a red flash; it does not look at the phase.
    Form1Controls& c = *controls_;
    c.window->setBackColor(LightGreen);
    c.Timer3->setEnabled(false);
    c.Text1->setText(QString());
}

void Form1::Win()
{
    Form1Controls& c = *controls_;
    c.Timer2->setEnabled(false);
    c.Label1->setCaption(QString());
    c.Label2->setCaption(QString());
    nameStatusButton(tr("Back to the menu"));
    // The sum is numeric even when Highest holds the text read from the file.
    const double newRecord = Highest.toNumber() + 1;
    c.window->setBackColor(Blue);
    c.Command1->setCaption(Won);
    finished_.start();
    tellResult(true, Loose::plainText(newRecord));
    closeAnswerBox();
    if (onWon)
        onWon(newRecord);
}

void Form1::Command2_Click()
{
    unload();
}

void Form1::wrongAnswerFlash(bool withFocus)
{
    Form1Controls& c = *controls_;
    c.window->setBackColor(Red);
    c.Timer3->setEnabled(true);
    tellEquation(Verdict::Wrong);
    playSound(Cue::Wrong);
    if (withFocus)
        c.Text1->setFocus();
}

namespace
{
/// How many tenths of the track a ball whose left edge is at `left` has run.
int tenthsRun(float left)
{
    const double run = (left - Form1::StartLine) / (Form1::FinishLine - Form1::StartLine);
    return std::clamp(int(std::floor(run * 10)), 0, 10);
}
} // namespace

void Form1::soundOpponentMove()
{
    // Called after a tick has moved the opponent's ball by enemy_speed.
    const Form1Controls& c = *controls_;
    const float to = c.Image3->left();
    const float from = float(to - enemy_speed.toNumber());
    if (tenthsRun(to) > tenthsRun(from))
        playSound(Cue::OpponentTenth, tenthsRun(to));
    // The lead is judged once the player has left the start, where both balls stand, and not
    // in the moments after a chime. The first judgement is where things stand; a sound tells
    // only a change to the opponent's lead from there.
    const float player = c.Image2->left();
    if (player <= StartLine || ++ticksSinceChime_ < TicksToSettle)
        return;
    const bool opponentLeads = to > player;
    if (leadHeard_ && !*leadHeard_ && opponentLeads)
        playSound(Cue::OpponentLeads);
    leadHeard_ = opponentLeads;
}

} // namespace numblaze
