// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QApplication>
#include <memory>

namespace numblaze
{

/// What the game says, on one line, when there is no display to show it on (before translation).
//: Printed on the terminal when the game is started where there is no screen. DISPLAY and
//: WAYLAND_DISPLAY are names to type as they are.
inline constexpr char NoDisplayMessage[] = QT_TRANSLATE_NOOP(
    "Startup",
    "no display found: set DISPLAY or WAYLAND_DISPLAY, or start it from a desktop session");

/**
 * Creates the application object the game runs in, with its name, icon and end signals (see
 * EndSignals; until the game listens, a signal just ends the program with status 1). Without a
 * display to show the game on, or with one that cannot be reached, it prints NoDisplayMessage
 * on standard error and returns nothing.
 */
std::unique_ptr<QApplication> startApplication(int& argc, char** argv);

} // namespace numblaze
