// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <initializer_list>

namespace numblaze
{

class Screen;

namespace application
{

/**
 * The folder that holds the running program, named as the file system names it: any bytes, valid
 * text or not, so that the folder is found whatever its name. The system names it, except when
 * its path is longer than the system can name at once: then it is found from `started`, how the
 * program was started (argv[0], relative to the folder it was started in), checked to hold this
 * very program.
 */
QByteArray programFolder(const char* started = nullptr);

/// Ends the program at once: the given screens are destroyed without any further event, and
/// every message loop returns, the main one with status.
void end(std::initializer_list<Screen*> screens, int status = 0);

} // namespace application
} // namespace numblaze
