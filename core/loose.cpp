// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/loose.h"

#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cmath>

namespace numblaze
{

TypeMismatch::TypeMismatch(const QString& text)
    : std::runtime_error("not a number: " + text.left(64).toStdString())
{
}

Overflow::Overflow(double value)
    : std::runtime_error("does not fit a 16-bit integer: " + Loose::plainText(value).toStdString())
{
}

double Loose::toNumber() const
{
    if (const auto* number = std::get_if<double>(&value_))
        return *number;
    if (const auto* text = std::get_if<QString>(&value_))
        return localeNumber(*text);
    return 0.0;
}

QString Loose::toText() const
{
    if (const auto* number = std::get_if<double>(&value_))
        return plainText(*number);
    if (const auto* text = std::get_if<QString>(&value_))
        return *text;
    return QString();
}

double Loose::localeNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    QLocale locale;
    // Thousands separators are not part of a number the player types or the file holds.
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    const double number = locale.toDouble(trimmed, &ok);
    if (!ok || std::isnan(number) || std::isinf(number))
        throw TypeMismatch(text);
    return number;
}

namespace
{
const QString Spaces = QStringLiteral(u" \u00A0\u202F"); // plain, no-break, narrow no-break
const QString Apostrophes = QStringLiteral(u"'\u2019");  // typed, and as Swiss print has it
const QChar ArabicThousands(0x066C);                     // "٬", which a keyboard types as ","

/**
 * The answer in plain digits and signs, as the player meant it: every decimal digit of any script
 * (Arabic-Indic, Persian, Devanagari, Bengali, the full-width ones of Chinese and Japanese input
 * methods...) as its digit 0 to 9, the full-width forms of signs and separators as the plain ones,
 * the minus sign as "-", and without the invisible marks of direction that right-to-left locales
 * put before a sign.
 */
QString inPlainDigits(const QString& text)
{
    QString plain;
    plain.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        if (QChar::category(c) == QChar::Number_DecimalDigit)
            plain += QChar(u'0' + QChar::digitValue(c));
        else if (c >= 0xFF01 && c <= 0xFF5E) // the full-width forms of "!" to "~"
            plain += QChar(char16_t(c - 0xFEE0));
        else if (c == 0x2212) // the minus sign
            plain += u'-';
        else if (QChar::category(c) != QChar::Other_Format)
            plain += QString::fromUcs4(&c, 1);
    }
    return plain;
}

/// Whether the text is one or more digits 0 to 9.
bool allDigits(QStringView text)
{
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

/**
 * The digits of a whole number grouped by one separator of `separators`, its lowest group of
 * three digits and each higher one of `higher` (three, or two as India's lakh and crore group
 * them: "1,12,512"), with its sign: "-1 512" gives "-1512". Nothing when the text is not written
 * that way.
 */
QString ungrouped(const QString& text, const QString& separators, qsizetype higher)
{
    QStringView rest(text);
    QString digits;
    if (!rest.isEmpty() && (rest[0] == u'-' || rest[0] == u'+')) {
        digits += rest[0];
        rest = rest.sliced(1);
    }
    const auto separator =
        std::find_if(rest.begin(), rest.end(), [&](QChar c) { return separators.contains(c); });
    if (separator == rest.end())
        return {};
    const QList<QStringView> groups = rest.split(*separator);
    for (qsizetype i = 0; i < groups.size(); ++i) {
        const QStringView group = groups[i];
        const qsizetype size = i + 1 == groups.size() ? 3 : higher;
        // A grouped number starts with its highest digit, in a group no longer than the others.
        const bool fits = i == 0 ? group.size() <= size && group[0] != u'0' : group.size() == size;
        if (!allDigits(group) || !fits)
            return {};
        digits += group;
    }
    return digits;
}

/// The characters that group digits in a locale; none for the C locale.
QString groupSeparators(const QLocale& locale)
{
    if (locale.language() == QLocale::C)
        return {};
    QString separators = locale.groupSeparator();
    if (Spaces.contains(separators) || locale.language() == QLocale::German)
        separators += Spaces; // German schools group with spaces too
    if (locale.territory() == QLocale::Switzerland)
        separators += Apostrophes;
    if (separators.contains(ArabicThousands))
        separators += u',';
    for (const QChar decimal : locale.decimalPoint())
        separators.remove(decimal);
    return separators;
}

/// The size of the higher groups of digits in the locale: 3, or 2 where numbers are grouped in
/// lakhs and crores. Worked out from the locale's own way of writing a large number.
qsizetype higherGroupSize(const QLocale& locale)
{
    const QString written = inPlainDigits(locale.toString(123456789));
    const QString separator = locale.groupSeparator();
    const QStringList groups = written.split(separator);
    return groups.size() > 2 && groups[1].size() == 2 ? 2 : 3;
}
} // namespace

double Loose::answerNumber(const QString& text)
{
    const QLocale locale;
    const QString plain = inPlainDigits(text).trimmed();
    const QString separators = groupSeparators(locale);
    QString grouped = ungrouped(plain, separators, 3);
    if (grouped.isEmpty() && !separators.isEmpty())
        grouped = ungrouped(plain, separators, higherGroupSize(locale));
    return localeNumber(grouped.isEmpty() ? plain : grouped);
}

double Loose::leadingNumber(const QString& text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    std::string digits;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        digits += char(text[i++].unicode());
    bool seenPoint = false;
    bool seenDigit = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c >= u'0' && c <= u'9') {
            digits += char(c.unicode());
            seenDigit = true;
        } else if (c == u'.' && !seenPoint) {
            digits += '.';
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!seenDigit)
        return 0.0;
    // An exponent counts only when digits follow it ("12e3" is 12000, "12eggs" is 12).
    if (i + 1 < n && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        std::string exponent = "e";
        if (j < n && (text[j] == u'+' || text[j] == u'-'))
            exponent += char(text[j++].unicode());
        const qsizetype firstDigit = j;
        while (j < n && text[j] >= u'0' && text[j] <= u'9')
            exponent += char(text[j++].unicode());
        if (j > firstDigit)
            digits += exponent;
    }
    double number = 0.0;
    const char* first = digits.data();
    if (*first == '+')
        ++first;
    std::from_chars(first, digits.data() + digits.size(), number);
    return number;
}

QString Loose::plainText(double number)
{
    if (number == 0.0)
        return QStringLiteral("0"); // also for -0: a record is never shown as "-0"
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::fixed);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

qint16 Loose::integer16(double number)
{
    const double rounded = std::nearbyint(number);
    if (!(rounded >= -32768.0 && rounded <= 32767.0))
        throw Overflow(number);
    return qint16(rounded);
}

} // namespace numblaze
