// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/mathkinds.h"

#include <stdexcept>

namespace numblaze
{

namespace detail
{
double sum(double a, double b)
{
    return a + b;
}

double difference(double a, double b)
{
    return a - b;
}

double product(double a, double b)
{
    return b * a;
}

double quotient(double a, double b)
{
    if (b == 0)
        throw std::domain_error("division by zero");
    return a / b;
}
} // namespace detail

const MathKind* mathKindOfSign(const QString& sign)
{
    for (const MathKind& kind : mathKinds)
        if (sign == QLatin1String(kind.sign))
            return &kind;
    return nullptr;
}

} // namespace numblaze
