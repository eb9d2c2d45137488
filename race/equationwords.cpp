// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "race/form1.h"

namespace numblaze
{

QString Form1::equationInWords() const
{
    const Form1Controls& c = *controls_;
    const QString first = c.Label1->caption();
    const QString second = c.Label2->caption();
    const QString sign = c.Label3->caption();
    if (first.isEmpty() || second.isEmpty())
        return {};
    if (sign == QLatin1String("+"))
        return tr("%1 plus %2").arg(first, second);
    if (sign == QLatin1String("-"))
        return tr("%1 minus %2").arg(first, second);
    if (sign == QLatin1String("*"))
        return tr("%1 times %2").arg(first, second);
    if (sign == QLatin1String("/"))
        return tr("%1 divided by %2").arg(first, second);
    return {};
}

void Form1::tellEquation(Verdict verdict)
{
    TextBox* box = controls_->Text1;
    const QString equation = equationInWords();
    if (equation.isEmpty() || verdict == Verdict::None) {
        box->setDescription(equation);
        return;
    }
    const bool right = verdict == Verdict::Right;
    QString told = (right ? tr("Right. %1") : tr("Wrong. %1")).arg(equation);
    // The same words twice in a row would not be news to every reader.
    if (told == box->accessibleDescription())
        told = (right ? tr("Right again. %1") : tr("Wrong again. %1")).arg(equation);
    box->setDescription(told);
}

} // namespace numblaze
