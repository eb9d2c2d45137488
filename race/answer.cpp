// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/mathkinds.h"
#include "race/form1.h"

namespace numblaze
{

void Form1::Command1_Click()
{
    Form1Controls& c = *controls_;
    const QString phase = c.Command1->caption();
    if (phase == Won() || phase == Lost()) {
        if (resultShown())
            unload();
        return;
    }
    if (c.Text1->text().isEmpty())
        return;
    // The player listens to what the answer brings: the opponent waits until it has been said.
    if (phase == Racing())
        holdOpponent();
    try {
        if (phase != Racing()) {
            wrongAnswerFlash(true);
            return;
        }
        // The answer is worked out afresh from the equation on the screen.
        if (const MathKind* kind = mathKindOfSign(c.Label3->caption())) {
            const double expected = kind->answer(Loose::leadingNumber(c.Label1->caption()),
                                                 Loose::leadingNumber(c.Label2->caption()));
            if (Loose::answerNumber(c.Text1->text()) != expected) {
                // The wrong answer stays in the box until the flash ends.
                wrongAnswerFlash(false);
                return;
            }
            c.Image2->setLeft(float(c.Image2->left() + PlayerStep.toNumber()));
            playSound(Cue::Right, stepsOf(c.Image2));
            chimeRang();
        }
        c.Text1->setText(QString());
        if (c.Image2->left() >= FinishLine) {
            Win();
        } else {
            Make_Equation();
            tellEquation(Verdict::Right);
        }
    } catch (const std::exception&) {
        // An answer that is not a number, or anything else that goes wrong, is a wrong answer.
        wrongAnswerFlash(true);
    }
}

} // namespace numblaze
