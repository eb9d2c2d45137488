// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace numblaze
{

/// A picture of the game by its name ("track", "ball-green-32"), drawn at twice its size on
/// screens of double density. A missing picture gives a null pixmap.
QPixmap picture(const QString& name);

/// The green ball in every size it is drawn in: the game's icon.
QIcon applicationIcon();

/// The pixels of one picture file of the game ("track", "track@2x"), with nothing to decode. A
/// picture at its own size uses the program's read-only copy in place; an unknown name gives a
/// null image.
QImage pictureFile(const QString& fileName);

} // namespace numblaze
