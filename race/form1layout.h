// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/gamedata.h"
#include "widgets/controls.h"
#include "widgets/screen.h"

#include <QCoreApplication>
#include <array>

namespace numblaze
{

/// The race screen's window and controls, built with their design values.
struct Form1Controls {
    Q_DECLARE_TR_FUNCTIONS(Form1)

  public:
    Form1Controls();

    ScreenWindow* window;
    std::array<Image*, 2> Image4;             ///< the get-ready and go banners, in one place
    std::array<Image*, OpponentCount> Image1; ///< hidden store of the opponents' balls
    Shape* Shape3;                            ///< coloured box behind the first operand
    Label* Label1;                            ///< first operand
    Label* Label3;                            ///< operator sign
    Shape* Shape2;                            ///< coloured box behind the second operand
    Label* Label2;                            ///< second operand
    Label* Label4;                            ///< "="
    Shape* Shape1;                            ///< coloured box behind the answer box
    TextBox* Text1;                           ///< the player's answer
    PictureBox* Picture1;                     ///< the track, holding both balls
    Image* Image2;                            ///< the player's green ball
    Image* Image3;                            ///< the opponent's ball
    PushButton* Command1;                     ///< status button: its caption is the race phase
    PushButton* Command2;                     ///< stop button
    Timer* Timer1;                            ///< countdown, 1000 ms
    Timer* Timer2;                            ///< opponent movement, 100 ms
    Timer* Timer3;                            ///< end of the red flash, 100 ms
};

} // namespace numblaze
