// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "records/progressstore.h"

#include <optional>

namespace numblaze
{

/**
 * Connects what one screen reports to what the others do: a won race is handed to the menu,
 * which saves it at once; a race screen that unloads brings the menu back; the menu's end of the
 * game ends the program. Called once, before the first race; playGame() does it.
 */
void connectScreens();

/// What the command line asked of this run of the game.
struct RunOptions {
    /// Extra time for this run, whatever the player's settings say.
    bool extraTime = false;
    /// No sound for this run, whatever the player's settings say.
    bool mute = false;
    /// Listening time was chosen on the command line: the choice is kept for the next runs.
    bool choseListeningTime = false;
    /// That choice: on, off, or none for auto.
    std::optional<bool> listeningTime = std::nullopt;
};

/**
 * Plays one run of the game with the records in store: shows the menu and runs the message loop
 * until the game ends, then returns the exit status (0 when the records are saved). Every way
 * the run can end saves them first: Exit and the menu's close box, SIGTERM, SIGHUP and SIGINT,
 * the session manager's request to save before a logout, and the end of the program from inside
 * Qt when the display is lost. With options.mute (--mute) the game starts silent, whatever the
 * player chose with the M key before.
 */
int playGame(ProgressStore store, RunOptions options = {});

} // namespace numblaze
