// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "race/form1.h"

#include <stdexcept>

namespace numblaze
{

namespace
{
/// The equation's answer from the captions on the screen.
double expectedAnswer(const QString& sign, const QString& first, const QString& second)
{
    const double a = Loose::leadingNumber(first);
    const double b = Loose::leadingNumber(second);
    if (sign == QLatin1String("+"))
        return a + b;
    if (sign == QLatin1String("-"))
        return a - b;
    if (sign == QLatin1String("*"))
        return b * a;
    if (b == 0)
        throw std::domain_error("division by zero");
    return a / b;
}

bool isOperator(const QString& sign)
{
    return sign == QLatin1String("+") || sign == QLatin1String("-") || sign == QLatin1String("*") ||
           sign == QLatin1String("/");
}
} // namespace

void Form1::Command1_Click()
{
    Form1Controls& c = *controls_;
    const QString phase = c.Command1->caption();
    if (phase == Won() || phase == Lost()) {
        unload();
        return;
    }
    if (c.Text1->text().isEmpty())
        return;
    try {
        if (phase != Racing()) {
            wrongAnswerFlash(true);
            return;
        }
        const QString sign = c.Label3->caption();
        if (isOperator(sign)) {
            const double expected = expectedAnswer(sign, c.Label1->caption(), c.Label2->caption());
            if (Loose::answerNumber(c.Text1->text()) != expected) {
                // The wrong answer stays in the box until the flash ends.
                wrongAnswerFlash(false);
                return;
            }
            c.Image2->setLeft(float(c.Image2->left() + PlayerStep.toNumber()));
            playSound(Cue::Right, stepsOf(c.Image2));
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
