// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QLabel;
class QObject;
class QWidget;

namespace numblaze
{

/**
 * Lets readers (screen readers, switch access, voice control) see the game's controls for what
 * they are: the screens as windows or dialogs, option buttons that a press or toggle action
 * selects, pictures that carry meaning as named graphics or progress indicators. Decorative
 * pictures and shapes are not offered. Interfaces are made only when a reader asks for them.
 * Safe to call more than once.
 */
void installAccessibility();

/**
 * Names for readers the group of option buttons that lie directly on the heading's container,
 * as a frame's caption names the buttons inside it: readers find the buttons inside the group,
 * and say its name once as the focus enters it. The heading itself looks unchanged.
 */
void nameOptionGroup(QLabel* heading);

/**
 * Tells a reader news of a window, wherever the focus is in it: shown as a notification on the
 * window's news bar, which readers speak as it appears. Does nothing when the news is empty or
 * no reader listens.
 */
void announce(QWidget* window, const QString& news);

/// Gets a window ready to tell news, so that a reader knows where news comes from before the
/// first piece arrives.
void prepareNews(QWidget* window);

/// The name of the action that closes a screen which Escape closes.
QString closeActionName();

/**
 * Tells a reader the news of the focused control whose name or description has just changed
 * to it. Readers hear of such a change by its event, but the accessibility bridge of Qt 6.4
 * sends that event without the new text, and Orca then says nothing: the news is also shown
 * as a notification on the window's news bar, which readers speak as it appears. Does nothing
 * when the control has no focus, the news is empty or no reader listens.
 */
void announceChange(QWidget* control, const QString& news);

} // namespace numblaze
