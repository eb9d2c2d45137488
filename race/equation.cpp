// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/mathkinds.h"
#include "race/form1.h"

#include <cmath>
#include <stdexcept>

namespace numblaze
{

/// A whole number from 0 to m: the end values come out half as often as the others.
double Form1::draw(double m)
{
    return std::nearbyint(double(randomSource().next()) * m);
}

void Form1::Make_Equation()
{
    Form1Controls& c = ui();
    const MathKind* kind = mathKindOfSign(c.Label3->caption());
    if (!kind)
        return;
    if (kind->operands == Operands::BothUpToRecord) {
        c.Label1->setCaption(Loose::plainText(draw(Highest.toNumber())));
        c.Label2->setCaption(Loose::plainText(draw(Highest.toNumber())));
        return;
    }
    // Subtraction draws again until it gets at least 1, division until it gets anything but 0.
    // The largest random value gives the draw farthest from 0: a record that leaves even that
    // one short would have them draw for ever.
    const bool subtracts = kind->operands == Operands::SecondUpToFirst;
    const double farthest = std::nearbyint(double(RandomSource::Largest) * Highest.toNumber());
    if (subtracts ? farthest < 1 : farthest == 0)
        throw std::domain_error("the record is too small for this math kind");
    if (subtracts) {
        double a = 0;
        do
            a = draw(Highest.toNumber());
        while (a < 1);
        c.Label1->setCaption(Loose::plainText(a));
        const double b = draw(Loose::leadingNumber(c.Label1->caption()));
        c.Label2->setCaption(Loose::plainText(b));
    } else {
        double b = 0;
        do
            b = draw(Highest.toNumber());
        while (b == 0);
        const double q = draw(Highest.toNumber());
        c.Label1->setCaption(Loose::plainText(b * q));
        c.Label2->setCaption(Loose::plainText(b));
    }
}

} // namespace numblaze
