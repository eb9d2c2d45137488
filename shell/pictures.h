#pragma once

#include <QIcon>
#include <QPixmap>

namespace numblaze
{

/// A picture of the game by its name ("track", "ball-green-32"), drawn at twice its size on
/// screens of double density. A missing picture gives a null pixmap.
QPixmap picture(const QString& name);

/// The green ball in every size it is drawn in: the game's icon.
QIcon applicationIcon();

} // namespace numblaze
