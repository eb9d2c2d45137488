// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <initializer_list>

namespace numblaze
{

class Screen;

namespace application
{

/// The directory that holds the program.
QString path();

/// The directory that holds the program, named as the file system names it: any bytes, valid
/// text or not, so that the folder is found whatever its name.
QByteArray folderName();

/// Ends the program at once: the given screens are destroyed without any further event, and
/// every message loop returns, the main one with status.
void end(std::initializer_list<Screen*> screens, int status = 0);

} // namespace application
} // namespace numblaze
