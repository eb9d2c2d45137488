// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>

namespace numblaze::settings
{

// The player's own settings, kept by Qt where the desktop keeps each user's settings
// (~/.config/Numblaze/Numblaze.conf), never in the progress file beside the game.

/// Names the game to Qt, organisation and application "Numblaze": every QSettings of the game,
/// the records' last place among them, is kept under that name. Called once at start.
void nameTheGame();

/// Where the choice of sound is kept.
inline constexpr char MutedKey[] = "sound/muted";

/// Extra time, as the player last chose it with F2; off when never chosen.
bool extraTime();
/// Keeps the player's choice of extra time for the next runs.
void setExtraTime(bool on);

/// Listening time, as the player last chose it with F4 or --listening-time: on or off; none
/// when never chosen (or --listening-time=auto), and the game looks for a screen reader.
std::optional<bool> listeningTime();
/// Keeps the player's choice of listening time for the next runs; none forgets it.
void setListeningTime(std::optional<bool> on);

/// Sound off, as the player last chose it with M; sound on when never chosen.
bool muted();
/// Keeps the player's choice of sound for the next runs.
void setMuted(bool muted);

} // namespace numblaze::settings
