// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/game.h"

#include "app/application.h"
#include "app/endsignals.h"
#include "app/gamesounds.h"
#include "app/settings.h"
#include "halloffame/form3.h"
#include "menu/form2.h"
#include "race/form1.h"
#include "widgets/screenreader.h"

#include <QApplication>
#include <QSessionManager>
#include <cstdlib>

namespace numblaze
{

namespace
{
/// Runs when the program ends through exit() while the game plays: Qt does that when the
/// connection to the display breaks. The sound thread ends first, before the rest of the process
/// is taken down under it; then the records are saved if the menu is still loaded.
void endSuddenly()
{
    Form2& menu = Form2::get();
    if (Sounds* sounds = menu.sounds())
        sounds->setOutput(nullptr);
    if (menu.isLoaded())
        menu.saveQuietly();
}
} // namespace

void connectScreens()
{
    Form1& race = Form1::get();
    race.onWon = [](double newRecord) {
        Form2::get().takeWonRace(newRecord, &Form1::get().window());
    };
    race.onClosed = [] { Form2::get().show(); };
    Form2::get().onEnded = [](int status) {
        application::end({&Form1::get(), &Form3::get(), &Form2::get()}, status);
    };
}

int playGame(ProgressStore store, RunOptions options)
{
    connectScreens();
    // Extra time as the player last chose it, or as the command line asks for this run; a
    // choice made with F2 is kept for the next runs.
    Form2& menu = Form2::get();
    menu.ExtraTime = options.extraTime || settings::extraTime();
    menu.onExtraTimeChanged = [](bool on) { settings::setExtraTime(on); };
    // Listening time as the player chose it, with F4 or now on the command line; when never
    // chosen, the menu looks for a screen reader before each race.
    if (options.choseListeningTime)
        settings::setListeningTime(options.listeningTime);
    menu.ListeningTime = settings::listeningTime();
    menu.onListeningTimeChanged = [](bool on) { settings::setListeningTime(on); };
    ScreenReaderWatch readers;
    menu.useScreenReaderWatch(&readers);
    EndSignals* ending = EndSignals::of(qApp);
    if (!ending)
        ending = new EndSignals(qApp);
    ending->onSignal = [](int) { Form2::get().endWithoutAsking(); };
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, qApp,
                     [](QSessionManager&) { Form2::get().saveQuietly(); });

    // One player of sounds for the whole run, so every screen shares the mute choice.
    Sounds sounds;
    const std::initializer_list<Screen*> screens = {&Form1::get(), &Form2::get(), &Form3::get()};
    for (Screen* screen : screens)
        screen->useSounds(&sounds);
    // While a screen reader speaks the game, the sounds make room for its phrases.
    sounds.readerListens = [&readers] { return readers.found(); };
    menu.useProgressStore(std::move(store));
    // Registered after the menu exists, so it runs before the menu is destroyed.
    static const bool registered = std::atexit(endSuddenly) == 0;
    Q_UNUSED(registered);
    menu.show();
    startSoundsAfterFirstPaint(sounds, &menu.window(), options.mute);
    int status = QApplication::exec();
    // The loop ended without the menu ending the game (someone quit the application).
    if (menu.isLoaded() && !menu.saveQuietly() && status == 0)
        status = 1;

    for (Screen* screen : screens) {
        screen->discard();
        screen->useSounds(nullptr);
    }
    menu.useScreenReaderWatch(nullptr);
    return status;
}

} // namespace numblaze
