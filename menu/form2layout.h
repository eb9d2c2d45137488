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

/// The menu's window and controls, built with their design values.
struct Form2Controls {
    Q_DECLARE_TR_FUNCTIONS(Form2)

  public:
    Form2Controls();

    ScreenWindow* window;
    Image* Image1;                                    ///< title banner
    Frame* Frame1;                                    ///< "Math", around the math kind group
    std::array<OptionButton*, MathKindCount> Option1; ///< the math kinds, by index
    Image* Image2;                            ///< the player's green ball; its tag is the mailbox
    PushButton* Command1;                     ///< "Race!"
    std::array<Image*, OpponentCount> Image3; ///< the opponents' balls
    Label* Label1;                            ///< "Race against:"
    std::array<OptionButton*, OpponentCount> Option2; ///< the opponent group
    std::array<Label*, OpponentCount> Label2;         ///< the opponents' names
    PushButton* Command4;                             ///< "Hall of Fame"
    PushButton* Command2;                             ///< "Exit"
    Label* Label3;                                    ///< the record label
};

} // namespace numblaze
