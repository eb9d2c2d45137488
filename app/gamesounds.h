// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "widgets/sound.h"

class QWidget;

namespace numblaze
{

/**
 * Gives the game its sounds once `window` has been painted for the first time, so start-up does
 * not wait for them: the player's remembered choice (silent for this run only with
 * `muteThisRun`, the --mute option), the M key, which toggles sound and remembers the choice,
 * and the sound device.
 */
void startSoundsAfterFirstPaint(Sounds& sounds, QWidget* window, bool muteThisRun);

} // namespace numblaze
