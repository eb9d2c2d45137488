// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/loose.h"
#include "menu/form2layout.h"
#include "records/progressfile.h"
#include "records/progressstore.h"
#include "widgets/screenreader.h"
#include "widgets/voice.h"

#include <functional>
#include <optional>

namespace numblaze
{

/// The menu: picks the math kind and the opponent, shows and keeps the records, starts races.
class Form2 : public ScreenOf<Form2Controls>
{
    Q_DECLARE_TR_FUNCTIONS(Form2)

  public:
    static Form2& get();

    /// The selected math kind, 0 to 3.
    Loose Active_Math;
    /// The selected opponent, 0 to 2.
    Loose Active_Difficulty;

    /// Extra time: the opponents race at half their speed. F2 on the menu switches it.
    bool ExtraTime = false;
    /// The player switched extra time with F2; whoever set the menu up keeps the choice.
    std::function<void(bool on)> onExtraTimeChanged;

    /// Listening time (see Form1::listeningTime) as the player chose it with F4 or on the command
    /// line; when never chosen, it is on while a screen reader is found.
    std::optional<bool> ListeningTime;
    /// The player switched listening time with F4; whoever set the menu up keeps the choice.
    std::function<void(bool on)> onListeningTimeChanged;
    /// Finds screen readers for the menu, which looks again each time it is shown; without
    /// one, no screen reader is found.
    void useScreenReaderWatch(ScreenReaderWatch* watch) { readers_ = watch; }
    /// True when the next race gives the player listening time.
    bool listeningTimeIsOn() const;

    /// The game is over, its records saved (status 0) or not (1): whoever started the game ends
    /// the program with that status.
    std::function<void(int status)> onEnded;

    /// Keeps the records in this store, opened at start with the lock, from the menu's next load
    /// until the game ends. The menu cannot load without one.
    void useProgressStore(ProgressStore store);

    /**
     * A race has just been won with a new record for the selected pairing: plays the sound of a
     * win, puts the record in the mailbox (Image2's tag), which the menu empties into its table
     * when it is activated again, and saves at once. The first failure of the run to save is told
     * to the player over the given window; later ones are not.
     */
    void takeWonRace(double newRecord, QWidget* over);
    /// Saves without asking anything (the session is ending); true when the records are on disk.
    bool saveQuietly();
    /// Ends the game without asking anything (a signal): saves, then ends with status 0 when the
    /// records are on disk, 1 when not.
    void endWithoutAsking();

    /// The record of a pairing as the table holds it.
    const Loose& record(int math, int opponent) const { return RecordTable[math][opponent]; }

    // The screen's event handlers, one per control event.
    void Option1_Click(int Index);
    void Option2_Click(int Index);
    void Label2_Click(int Index);
    void Image3_Click(int Index);
    void Command1_Click();
    void Command4_Click();
    void Command2_Click();
    /// F2: extra time on or off, said to a reader as it changes.
    void toggleExtraTime();
    /// F4: listening time on or off, said to a reader as it changes.
    void toggleListeningTime();

  protected:
    bool Form_QueryUnload() override;
    void connectEvents(Form2Controls& c) override;
    void Form_Load() override;
    void Form_Unload() override;
    void Form_Activate() override;

    void forgetControls() override;

  private:
    Form2() = default;
    void refreshRecordLabel();
    /// The click of a choice, when the player makes it on the shown menu.
    void clickSound();
    /// Says the selected pairing and its record ("Division against Patty Purple: your highest
    /// number is 6.").
    void tellRecord();
    /// Says each of the hints about the keys, once a run, after the record.
    void tellHints();
    /// The pairing of the selected math kind and opponent.
    Pairing activePairing() const;
    Loose& activeRecord();
    /// The sound of a won race with its new record: the bigger phrase when the record beats
    /// every record of the Hall of Fame.
    void playWinSound(double newRecord);
    void saveWonRace(QWidget* over);
    Progress currentProgress() const;
    bool saveProgress(QString* error);
    /// How leaving ended: saved, the records let go by the player, or not left after all.
    enum class ExitSave { Saved, Discarded, Stayed };
    ExitSave saveAtExit();
    void endGame(int status);

    Records RecordTable;
    std::optional<ProgressStore> store_;
    /// The player has been told that a win could not be saved.
    bool toldSaveFailed_ = false;
    /// The end of the run has begun: nothing more is saved or asked.
    bool ended_ = false;
    /// Leaving saved the records.
    bool savedAtExit_ = false;
    /// The menu's spoken channel; lives with the window.
    QPointer<Voice> voice_;
    /// The hints about the keys a reader has begun to say, once a run each.
    QStringList toldHints_;
    ScreenReaderWatch* readers_ = nullptr;
};

} // namespace numblaze
