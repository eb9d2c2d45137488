// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "menu/form2.h"

#include "core/gamedata.h"
#include "halloffame/form3.h"
#include "race/form1.h"

#include <QCoreApplication>
#include <QFile>
#include <QMessageBox>
#include <QPointer>
#include <QShortcut>
#include <QTimer>

namespace numblaze
{

Form2& Form2::get()
{
    static Form2 screen;
    return screen;
}

namespace
{
/// Shows a message over a window and waits for the player. The box is guarded: the game may end
/// (a signal) while it is open, and take its window away.
int tellPlayer(QWidget* over, const QString& text, QMessageBox::StandardButtons buttons,
               QMessageBox::StandardButton escape)
{
    QPointer<QMessageBox> box =
        new QMessageBox(QMessageBox::Warning, QStringLiteral("Numblaze"), text, buttons, over);
    nameMessageButtons(*box);
    if (!(buttons & escape)) {
        // Escape, and the box's close button, answer with a button the box does not show.
        box->addButton(escape)->hide();
    }
    box->setEscapeButton(escape);
    const int answer = box->exec();
    delete box.data();
    return answer;
}
} // namespace

void Form2::useProgressStore(ProgressStore store)
{
    store_.emplace(std::move(store));
}

void Form2::connectEvents(Form2Controls& c)
{
    for (int i = 0; i < MathKindCount; ++i)
        c.Option1[i]->onClick = [this, i] { Option1_Click(i); };
    for (int i = 0; i < OpponentCount; ++i) {
        c.Option2[i]->onClick = [this, i] { Option2_Click(i); };
        c.Label2[i]->onClick = [this, i] { Label2_Click(i); };
        c.Image3[i]->onClick = [this, i] { Image3_Click(i); };
    }
    c.Command1->onClick = [this] { Command1_Click(); };
    c.Command4->onClick = [this] { Command4_Click(); };
    c.Command2->onClick = [this] { Command2_Click(); };
    auto* f2 = new QShortcut(QKeySequence(Qt::Key_F2), c.window);
    QObject::connect(f2, &QShortcut::activated, c.window, [this] { toggleExtraTime(); });
    auto* f4 = new QShortcut(QKeySequence(Qt::Key_F4), c.window);
    QObject::connect(f4, &QShortcut::activated, c.window, [this] { toggleListeningTime(); });
}

void Form2::Form_Load()
{
    Form2Controls& c = *controls_;
    c.window->setWindowIcon(Form3::get().window().windowIcon());
    if (!store_)
        qFatal(
            "The menu has no store for the records: the game gives it one before the menu loads");
    ended_ = false;
    toldSaveFailed_ = false;
    toldHints_.clear(); // the menu loads once a run
    const Progress progress = store_->read();
    RecordTable = progress.records;
    c.Option1[progress.math]->select();
    c.Option2[progress.opponent]->select();
    // Made after the choices are restored: the record is told when the menu comes up.
    voice_ = new Voice(c.window);
    soundsBeside(voice_);
    // Told once the menu is on screen, and before anything is played.
    if (const QString notice = store_->startNotice(); !notice.isEmpty())
        QTimer::singleShot(0, c.window, [window = c.window, notice] {
            tellPlayer(window, notice, QMessageBox::Ok, QMessageBox::Ok);
        });
}

bool Form2::Form_QueryUnload()
{
    const ExitSave outcome = saveAtExit();
    savedAtExit_ = outcome == ExitSave::Saved;
    return outcome != ExitSave::Stayed;
}

void Form2::Form_Unload()
{
    if (!ended_)
        endGame(savedAtExit_ ? 0 : 1);
}

void Form2::forgetControls()
{
    ScreenOf<Form2Controls>::forgetControls();
    store_.reset(); // the run is over: the place and its lock go with it
}

Progress Form2::currentProgress() const
{
    const Form2Controls& c = *controls_;
    Progress progress;
    progress.records = RecordTable;
    // A won race still on screen has not been taken in yet: its record is saved all the same.
    const QString mailbox = c.Image2->tag();
    if (!mailbox.isEmpty())
        recordOf(progress.records, activePairing()) = Loose::leadingNumber(mailbox);
    for (int k = 0; k < MathKindCount; ++k)
        if (c.Option1[k]->value())
            progress.math = k;
    for (int j = 0; j < OpponentCount; ++j)
        if (c.Option2[j]->value())
            progress.opponent = j;
    return progress;
}

bool Form2::saveProgress(QString* error)
{
    if (!isLoaded() || !store_)
        return false;
    Progress progress = currentProgress();
    std::vector<Pairing> raised;
    if (!store_->save(progress, error, &raised))
        return false;
    // Records another program raised on disk while the game ran are the player's too. The
    // pairing whose won race is still in the mailbox gets its record, as saved, when the menu
    // takes it in.
    Image* mailbox = controls_->Image2;
    for (const Pairing pairing : raised) {
        if (!mailbox->tag().isEmpty() && pairing == activePairing())
            mailbox->setTag(recordOf(progress.records, pairing).toText());
        else
            recordOf(RecordTable, pairing) = recordOf(progress.records, pairing);
    }
    if (!raised.empty())
        refreshRecordLabel();
    return true;
}

void Form2::takeWonRace(double newRecord, QWidget* over)
{
    playWinSound(newRecord);
    ui().Image2->setTag(Loose::plainText(newRecord));
    // On disk the moment it is won: whatever ends the game from here on, the win is kept.
    saveWonRace(over);
}

void Form2::saveWonRace(QWidget* over)
{
    QString error;
    if (ended_ || saveProgress(&error) || toldSaveFailed_)
        return;
    toldSaveFailed_ = true;
    //: Under the reason a won record could not be saved, in a message with one button, OK: name
    //: the button as the QPlatformTheme context names it.
    const QString goOn = tr("You can go on playing: the game tries again after your next win and "
                            "when you leave.");
    tellPlayer(over, error + QLatin1Char('\n') + goOn, QMessageBox::Ok, QMessageBox::Ok);
}

bool Form2::saveQuietly()
{
    QString error;
    return !ended_ && saveProgress(&error);
}

void Form2::endWithoutAsking()
{
    if (ended_ || !isLoaded())
        return;
    endGame(saveQuietly() ? 0 : 1);
}

Form2::ExitSave Form2::saveAtExit()
{
    QPointer<QWidget> window = controls_->window;
    QString error;
    while (!ended_ && !saveProgress(&error)) {
        // The old file is still whole; the player decides whether this run's records are lost.
        // Only the Discard button lets them go: Escape or closing the box goes back to the game.
        //: Under the reason the records could not be saved as the game ends, in a message with
        //: the buttons Retry and Discard: name them as the QPlatformTheme context names them.
        const QString whatNow =
            tr("Retry when the problem is solved, or discard the records of this game.");
        const int answer =
            tellPlayer(window, error + QLatin1Char('\n') + whatNow,
                       QMessageBox::Retry | QMessageBox::Discard, QMessageBox::Cancel);
        if (answer == QMessageBox::Discard)
            return ExitSave::Discarded;
        if (answer != QMessageBox::Retry)
            return ended_ ? ExitSave::Discarded : ExitSave::Stayed;
    }
    return ended_ ? ExitSave::Discarded : ExitSave::Saved;
}

void Form2::endGame(int status)
{
    ended_ = true;
    if (onEnded)
        onEnded(status);
}

void Form2::Form_Activate()
{
    Form2Controls& c = *controls_;
    const QString mailbox = c.Image2->tag();
    if (!mailbox.isEmpty()) {
        activeRecord() = Loose::leadingNumber(mailbox);
        refreshRecordLabel();
        c.Image2->setTag(QString());
    }
    if (readers_)
        readers_->look();
    // Back on the menu the reader first names the window and the focused control, which the
    // voice waits for; what was still waiting from before is out of date. Then the record, and
    // the hints not yet said.
    if (!voice_)
        return;
    voice_->clear();
    tellRecord();
    tellHints();
}

void Form2::tellHints()
{
    QString extraTime;
    if (ExtraTime)
        //: Said once a run on the menu when extra time is on.
        extraTime = tr("Extra time is on: press F2 to switch it off.");
    else
        //: Said once a run on the menu: how to get extra time, which halves every opponent's
        //: speed.
        extraTime = tr("For extra time, press F2: the opponents go at half speed.");
    //: Said once a run on the menu: F3 is the key that says who leads in a race.
    QStringList hints{extraTime, tr("In a race, press F3 to hear the standing.")};
    if (!listeningTimeIsOn())
        //: Said once a run on the menu while listening time is off: with it, the opponent waits
        //: while a screen reader says each sum.
        hints << tr("For listening time, press F4: the opponent waits while you hear each sum.");
    for (int k = 0; k < hints.size(); ++k) {
        const QString topic = QStringLiteral("hint %1").arg(k);
        if (toldHints_.contains(topic))
            continue;
        voice_->say(hints[k], Voice::Kind::Reply, topic,
                    {[this, topic] { toldHints_ << topic; }, {}});
    }
}

void Form2::tellRecord()
{
    if (!voice_)
        return;
    const Pairing pairing = activePairing();
    //: Said as a choice is made on the menu: %1 is the math kind ("Division"), %2 the
    //: opponent's name, %3 the highest number (the record) of that pairing.
    voice_->say(tr("%1 against %2: your highest number is %3.")
                    .arg(mathKinds[pairing.math].name(), opponentName(pairing.opponent),
                         Loose::plainText(activeRecord().toNumber())),
                Voice::Kind::Reply, QStringLiteral("record"));
}

void Form2::toggleExtraTime()
{
    ExtraTime = !ExtraTime;
    if (voice_) {
        voice_->clear();
        QString switched;
        if (ExtraTime)
            //: Said when F2 switches extra time on.
            switched = tr("Extra time on.");
        else
            //: Said when F2 switches extra time off.
            switched = tr("Extra time off.");
        voice_->say(switched, Voice::Kind::Reply);
    }
    if (onExtraTimeChanged)
        onExtraTimeChanged(ExtraTime);
}

bool Form2::listeningTimeIsOn() const
{
    return ListeningTime.value_or(readers_ && readers_->found());
}

void Form2::toggleListeningTime()
{
    ListeningTime = !listeningTimeIsOn();
    if (voice_) {
        voice_->clear();
        QString switched;
        if (*ListeningTime)
            //: Said when F4 on the menu switches listening time on: the opponent then waits
            //: while a screen reader says each sum.
            switched = tr("Listening time on.");
        else
            //: Said when F4 on the menu switches listening time off.
            switched = tr("Listening time off.");
        voice_->say(switched, Voice::Kind::Reply);
    }
    if (onListeningTimeChanged)
        onListeningTimeChanged(*ListeningTime);
}

Pairing Form2::activePairing() const
{
    return {Active_Math.toInteger16(), Active_Difficulty.toInteger16()};
}

Loose& Form2::activeRecord()
{
    return recordOf(RecordTable, activePairing());
}

void Form2::refreshRecordLabel()
{
    const double record = activeRecord().toNumber();
    //: The menu's record line, in bold under the opponents: %1 is the highest number of the
    //: chosen math kind and opponent. At most about 40 characters with a number of 8 digits.
    controls_->Label3->setCaption(tr("Your highest number is %1.").arg(Loose::plainText(record)));
}

void Form2::Option1_Click(int Index)
{
    clickSound();
    Active_Math = Index;
    refreshRecordLabel();
    tellRecord();
}

void Form2::Option2_Click(int Index)
{
    clickSound();
    Active_Difficulty = Index;
    refreshRecordLabel();
    tellRecord();
}

void Form2::Label2_Click(int Index)
{
    controls_->Option2[Index]->select();
}

void Form2::Image3_Click(int Index)
{
    controls_->Option2[Index]->select();
}

void Form2::Command1_Click()
{
    Form2Controls& c = *controls_;
    Form1& race = Form1::get();
    const int opponent = Active_Difficulty.toInteger16();
    race.enemy_speed = opponents[opponent].speed;
    race.extraTime = ExtraTime;
    race.listeningTime = listeningTimeIsOn();
    // Touching the race screen's sign label loads it: after the speed, before the record.
    for (const MathKind& kind : mathKinds)
        if (c.Option1[kind.index]->value())
            race.ui().Label3->setCaption(kind.signText());
    race.Highest = activeRecord();
    race.show();
    c.window->hide();
}

void Form2::Command4_Click()
{
    Form3& hallOfFame = Form3::get();
    for (const Pairing pairing : pairings)
        hallOfFame.ui().Label6[pairing.index()]->setCaption(
            recordOf(RecordTable, pairing).toText());
    hallOfFame.showModal(*this);
}

void Form2::Command2_Click()
{
    unload();
}

void Form2::clickSound()
{
    // The options are also selected in code while the menu loads, before it is shown.
    if (controls_->window->isVisible())
        playSound(Cue::Choice);
}

void Form2::playWinSound(double newRecord)
{
    for (const Pairing pairing : pairings)
        if (recordValue(recordOf(RecordTable, pairing)).value_or(0) >= newRecord) {
            playSound(Cue::Won);
            return;
        }
    playSound(Cue::Record);
}

} // namespace numblaze
