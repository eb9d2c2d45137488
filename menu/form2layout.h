// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "widgets/controls.h"
#include "widgets/screen.h"

#include <QCoreApplication>
#include <array>

namespace numblaze
{

/// The menu's window and controls, built with their design values.
struct Form2Controls {
    Q_DECLARE_TR_FUNCTIONS(Form2)

  public:
    Form2Controls();

    ScreenWindow* window;
    Image* Image1;                        ///< title banner
    Frame* Frame1;                        ///< "Math", around the math kind group
    std::array<OptionButton*, 4> Option1; ///< Addition, Subtraction, Multiplication, Division
    Image* Image2;                        ///< the player's green ball; its tag is the mailbox
    PushButton* Command1;                 ///< "Race!"
    std::array<Image*, 3> Image3;         ///< the opponents' balls
    Label* Label1;                        ///< "Race against:"
    std::array<OptionButton*, 3> Option2; ///< the opponent group
    std::array<Label*, 3> Label2;         ///< the opponents' names
    PushButton* Command4;                 ///< "Hall of Fame"
    PushButton* Command2;                 ///< "Exit"
    Label* Label3;                        ///< the record label
};

} // namespace numblaze
