// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The life of one race, from "Race!" to the menu again:
// 1. Countdown: the screen loads with "3" on the status button; Timer1 (1 s) shows "2", "1".
// 2. Racing: at "1" the go banner shows, the answer box opens, Make_Equation puts the first
//    equation up and Timer2 (100 ms) starts.
// 3. Each answer (Enter): right moves the green ball PlayerStep twips and brings a new equation;
//    wrong flashes the screen red until Timer3 (100 ms, once) ends the flash.
// 4. The opponent: each Timer2 tick moves its ball enemy_speed twips; at the finish line the race
//    is lost. The green ball at the line first wins, and onWon hands the new record on.
// 5. The end: Stop, or Enter after the finish, unloads the screen; onClosed brings the menu back.
// With listening time on (a screen reader says the race), the race waits for the reader: the
// countdown starts once the reader has named the window, and the opponent's clock (Timer2)
// stands still from go, and from each answer, until the next equation has been said.

#include "core/loose.h"
#include "core/randomsource.h"
#include "race/form1layout.h"
#include "widgets/voice.h"

#include <functional>
#include <optional>

namespace numblaze
{

/**
 * A text of the race screen, marked for translation where it is written and put into the
 * player's language each time it is used, so never before the translations are installed. The
 * handlers compare the status caption with the very texts they set it to.
 */
struct RaceText {
    const char* source;

    QString operator()() const;
    operator QString() const { return (*this)(); }
};

/// The race screen: one race from countdown to result, loaded afresh for every race.
class Form1 : public ScreenOf<Form1Controls>
{
    Q_DECLARE_TR_FUNCTIONS(Form1)

  public:
    /// The race phases, as the status button shows them.
    //: The status button's caption while the race runs, on at most two lines of the wide
    //: button under the track (about 30 characters a line). ENTER is the key's name.
    static constexpr RaceText Racing{QT_TR_NOOP("Press ENTER to send your answer!")};
    //: The status button's caption after a won race, on one line.
    static constexpr RaceText Won{QT_TR_NOOP("You won!!!")};
    //: The status button's caption after a lost race, on one line.
    static constexpr RaceText Lost{QT_TR_NOOP("You lost!")};
    /// A ball whose left edge is at or beyond this line, in twips, has finished.
    static constexpr float FinishLine = 5380.0f;
    /// Where both balls start: their left edge, in twips.
    static constexpr float StartLine = 120.0f;

    static Form1& get();

    /// Largest operand of the race's equations: the record cell as the menu holds it.
    Loose Highest;
    /// Twips the opponent's ball moves per tick of Timer2: 15, 25 or 35.
    Loose enemy_speed;
    /// Extra time: the race halves the opponent's speed when it loads. Off unless the player
    /// asked for it; everything else about the race stays as it is.
    bool extraTime = false;
    /// The finish line in the player's steps: the eleventh right answer wins.
    static constexpr int StepsToFinish = 11;
    /**
     * Listening time: a screen reader says the race, and the race gives the player the time it
     * takes. The answer box has the focus from the start, so the reader names nothing in the
     * middle of the countdown; the countdown starts once the reader has named the window, each
     * number said with its tone; the opponent's clock stands still from go until the first
     * equation has been said, and from each answer until the next one has; the result is said
     * before the focus leaves the answer box. Set before the screen loads; off unless the
     * player or a screen reader asked for it, and a race without it is as designed.
     */
    bool listeningTime = false;
    /// After the finish the status button leaves the race only after this many milliseconds,
    /// so that an Enter meant for the last answer does not take the result away.
    static constexpr int ResultShownMs = 1500;

    /// Puts a new equation of the race's operator, sized by Highest, on the operand labels.
    void Make_Equation();

    /// A race was won with the new record, Highest + 1. Whoever set the race up connects it.
    std::function<void(double newRecord)> onWon;
    /// The race screen has been unloaded: the race is over, won, lost or stopped.
    std::function<void()> onClosed;

    /// The race's random source; seeded from the time of day at every load.
    RandomSource& randomSource() { return random_; }

    // The screen's event handlers, one per control event.
    void Command1_Click();
    void Command2_Click();
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    /// The player's ball has crossed the finish line: the race is won.
    void Win();
    /// Says the standing, when the player asks for it (F3).
    void tellStanding();

  protected:
    void connectEvents(Form1Controls& c) override;
    void Form_Load() override;
    void Form_Unload() override;

  private:
    /// What the player's last answer was, as the answer box tells a reader.
    enum class Verdict { None, Right, Wrong };
    /// Who leads the race, by the balls' places.
    enum class Lead { Nobody, Player, Opponent };

    Form1() = default;
    double draw(double m);
    void wrongAnswerFlash(bool withFocus);
    /// Sounds and says a number of the countdown. In step with a reader (listening time, or a
    /// reader speaking the game) the tone is asked for as the reader begins the number (the
    /// sounds hold it until the number has been said), and the first number starts the
    /// countdown's timer.
    void countAloud(const QString& number);
    /// The countdown goes in step with the voice (see Form_Load).
    bool countsInStep_ = false;
    /// The equation on the screen in words ("7 plus 5"); empty when there is none.
    QString equationInWords() const;
    /// Says the next equation after the player's answer (verdict None: the first one, after
    /// "Go!"). A right answer is told by its chime, or in words when the sound is off; a wrong
    /// one in words. Before the equation comes what changed in the race since the last one was
    /// said. With listening time the opponent's clock runs again once the equation has been
    /// said, and `atFirstWord` runs as the reader starts it.
    void tellEquation(Verdict verdict, std::function<void()> atFirstWord = {});
    /// What changed in the race that the player should hear before the next equation: who
    /// leads, once it has changed, and the opponent near the finish, once.
    QStringList newsOfTheRace();
    /// The standing in words ("You 4, Bobby Blue 6."), in steps of the player's ball.
    QString standingInWords() const;
    /// Steps a ball has come from the start, whole steps only; all of them at the finish line.
    static int stepsOf(const Image* ball);
    /// The opponent's name as the race says it.
    QString opponentInWords() const;
    /// Says the end of the race: the result, and after a win the new record.
    void tellResult(bool won, const QString& newRecord);
    /// The answer box closes at the finish. With listening time it keeps the focus until the
    /// result has been said, so that the reader says the result before it names another
    /// control; as designed, it closes at once.
    void closeAnswerBox();
    /// True when the status button may leave the finished race.
    bool resultShown() const;
    /// Sets what the status button is called to readers in this phase.
    void nameStatusButton(const QString& name);
    /// Takes opponent k's ball, picture and name, for the opponent's lane.
    void takeOpponentBall(int k);
    /// The sounds of a tick that moved the opponent's ball: a knock for each tenth of the track
    /// it passes, pitched by that tenth, and the lead sound when it has really taken the lead.
    void soundOpponentMove();
    /// With listening time, the opponent's clock stands still while the player listens...
    void holdOpponent();
    /// ...and runs again, while the race is on, once the player has heard the equation.
    void runOpponent();
    /// A call for later from the voice, which does nothing once the screen has unloaded.
    std::function<void()> whileLoaded(std::function<void()> call);
    /// The player's chime has just rung: the lead is not judged until it has settled.
    void chimeRang() { ticksSinceChime_ = 0; }

    /// Twips the player's ball moves per right answer.
    Loose PlayerStep;
    RandomSource random_;
    /// The race's one spoken channel; lives with the window.
    QPointer<Voice> voice_;
    /// The opponent whose ball runs, or -1 when the speed is none of theirs.
    int opponent_ = -1;
    /// Who led when the race last said so.
    Lead toldLead_ = Lead::Nobody;
    /// The player has been told the opponent is near the finish.
    bool toldNear_ = false;
    /// Counts the equations said; only the latest lets the opponent's clock run again.
    int prompts_ = 0;
    /// Started at the finish.
    QElapsedTimer finished_;
    /// The result has been said to its end.
    bool resultHeard_ = false;
    /// Whether the opponent leads as the lead sound last had it: unknown until the player's
    /// ball has left the start and settled.
    std::optional<bool> leadHeard_;
    /// The opponent's ticks since the player's last chime.
    int ticksSinceChime_ = 0;
    /// Ticks after a chime before the lead is judged again: the sixth tick of 100 ms comes at
    /// least half a second after it. A pass within that time is the two balls trading places
    /// around one answer, not news; the lead sound would land on the chime.
    static constexpr int TicksToSettle = 6;
};

} // namespace numblaze
