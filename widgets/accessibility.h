// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QVariant>

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

/// Tells readers that a control's value changed, when a reader is listening.
void announceValueChange(QObject* control, const QVariant& value);

/**
 * Tells a reader the news of the focused control whose name or description has just changed
 * to it. Readers hear of such a change by its event, but the accessibility bridge of Qt 6.4
 * sends that event without the new text, and Orca then says nothing: the news is also shown
 * as a notification on the window's news bar, which readers speak as it appears. Does nothing
 * when the control has no focus, the news is empty or no reader listens.
 */
void announceChange(QWidget* control, const QString& news);

} // namespace numblaze
