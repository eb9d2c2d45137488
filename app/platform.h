// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <functional>

namespace numblaze
{

/// The window systems the game asks Qt to try in a GNOME session, in order: X11 through
/// Xwayland, where GNOME draws the game's frames and places its windows as the screens are
/// designed, and Wayland when no X server answers.
inline constexpr char GnomePlatforms[] = "xcb;wayland";

/**
 * The platforms the game asks Qt for (as QT_QPA_PLATFORM writes them), or nothing to leave the
 * choice to Qt. Only a GNOME desktop with an X display at hand gets GnomePlatforms; a platform
 * the player chose, in QT_QPA_PLATFORM or with Qt's -platform option, always stands.
 * environment gives a variable's value (empty when unset); arguments is the whole command line.
 */
QByteArray chosenPlatform(const std::function<QByteArray(const char*)>& environment,
                          const QByteArrayList& arguments);

/**
 * While it lives, Qt is asked for chosenPlatform() of this process: make the application object
 * in its lifetime. Afterwards the environment is again as the player set it.
 */
class PlatformChoice
{
  public:
    PlatformChoice(int argc, char** argv);
    ~PlatformChoice();
    PlatformChoice(const PlatformChoice&) = delete;
    PlatformChoice& operator=(const PlatformChoice&) = delete;

  private:
    bool chosen_ = false;
    bool wasSet_ = false;
};

} // namespace numblaze
