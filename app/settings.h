// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace numblaze::settings
{

// The player's own settings, kept by Qt where the desktop keeps each user's settings
// (organisation and application "Numblaze"), never in the progress file beside the game.

/// Extra time, as the player last chose it with F2; off when never chosen.
bool extraTime();
/// Keeps the player's choice of extra time for the next runs.
void setExtraTime(bool on);

} // namespace numblaze::settings
