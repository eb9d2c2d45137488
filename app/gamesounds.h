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
 * `muteThisRun`, the --mute option), the M key (see listenToMuteKey) and the sound device.
 */
void startSoundsAfterFirstPaint(Sounds& sounds, QWidget* window, bool muteThisRun);

/**
 * From now on the M key on any screen window of the game turns the sounds off or on, tells a
 * reader "Sound off" or "Sound on", and keeps the choice in the player's settings for the next
 * runs. The key is the game's own there: it never reaches a control (the answer box takes
 * numbers only). Listening twice changes nothing.
 */
void listenToMuteKey(Sounds& sounds);

} // namespace numblaze
