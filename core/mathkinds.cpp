// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/mathkinds.h"

#include <QCoreApplication>
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

namespace school
{
QString digits(const QString& text)
{
    //: The ten digits, zero to nine, as the children who speak this language learn to write
    //: numbers at school: the race shows its equations, the records and the countdown in them.
    //: Write them in order, nothing else: "٠١٢٣٤٥٦٧٨٩" in Arabic, "۰۱۲۳۴۵۶۷۸۹" in Persian; where
    //: schools teach 0 to 9, leave them as they are.
    const QString ten = QCoreApplication::translate("MathKinds", "0123456789",
                                                    "the digits the race writes its numbers in");
    if (ten == QLatin1String("0123456789") || ten.size() != 10)
        return text;
    QString written = text;
    for (QChar& c : written)
        if (c >= u'0' && c <= u'9')
            c = ten[c.unicode() - u'0'];
    return written;
}

bool equationsReadRightToLeft()
{
    //: Which way an equation reads in this language's schools: "RTL" (these three Latin letters)
    //: where children write its first number on the right and read it leftwards, as in most
    //: Arabic schoolbooks; "LTR" where they write it from left to right, also in a language
    //: written from right to left (Hebrew, Persian).
    return QCoreApplication::translate("MathKinds", "LTR", "the direction an equation reads in") ==
           QLatin1String("RTL");
}
} // namespace school

} // namespace numblaze
