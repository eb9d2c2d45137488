#pragma once

#include <QVariant>

class QObject;

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

} // namespace numblaze
