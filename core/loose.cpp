// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/loose.h"

#include <QLocale>
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

/// The digits of a whole number grouped in threes by one separator of `separators`, with its
/// sign: "-1 512" gives "-1512". Nothing when the text is not written that way.
QString ungrouped(const QString& text, const QString& separators)
{
    qsizetype i = 0;
    QString digits;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        digits += text[i++];
    const qsizetype first = i;
    if (i < text.size() && text[i] == u'0')
        return {}; // a grouped number starts with its highest digit
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9' && i - first < 3)
        digits += text[i++];
    if (i == first || i == text.size() || !separators.contains(text[i]))
        return {};
    const QChar separator = text[i];
    while (i < text.size()) {
        if (text[i] != separator || i + 4 > text.size())
            return {};
        for (qsizetype d = i + 1; d <= i + 3; ++d) {
            if (text[d] < u'0' || text[d] > u'9')
                return {};
            digits += text[d];
        }
        i += 4;
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
    for (const QChar decimal : locale.decimalPoint())
        separators.remove(decimal);
    return separators;
}
} // namespace

double Loose::answerNumber(const QString& text)
{
    const QString grouped = ungrouped(text.trimmed(), groupSeparators(QLocale()));
    return localeNumber(grouped.isEmpty() ? text : grouped);
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
