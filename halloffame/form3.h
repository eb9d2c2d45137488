// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/gamedata.h"
#include "halloffame/recordgrid.h"
#include "widgets/controls.h"
#include "widgets/screen.h"

#include <array>

namespace numblaze
{

/// The Hall of Fame's window and controls, built with their design values.
struct Form3Controls {
    Q_DECLARE_TR_FUNCTIONS(Form3)

  public:
    Form3Controls();

    ScreenWindow* window;
    RecordGrid* Shape1;                          ///< backdrop of the grid, a table to readers
    Label* Label5;                               ///< "Hall of Fame"
    Image* Image2;                               ///< blue ball over column 0
    Image* Image1;                               ///< purple ball over column 1
    Image* Image3;                               ///< red ball over column 2
    std::array<Label*, MathKindCount> rowTitles; ///< Label1 to Label4: the math kinds
    /// The twelve records: Label6(3m + o) shows math kind m against opponent o.
    std::array<Label*, pairings.size()> Label6;
};

/// The Hall of Fame: shows the twelve records the menu writes into it. Its only behaviour is
/// leaving: Escape and Enter close it, as a dialog's keys do, and readers get a close action.
class Form3 : public ScreenOf<Form3Controls>
{
  public:
    static Form3& get();

  protected:
    void connectEvents(Form3Controls& c) override { c.window->setClosesOnEscape(true); }

  private:
    Form3() = default;
};

} // namespace numblaze
