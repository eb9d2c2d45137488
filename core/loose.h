// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <stdexcept>
#include <variant>

namespace numblaze
{

/// Raised when text that does not read as a number is used where a number is needed.
class TypeMismatch : public std::runtime_error
{
  public:
    explicit TypeMismatch(const QString& text);
};

/// Raised when a number does not fit the 16-bit integer it is converted to.
class Overflow : public std::runtime_error
{
  public:
    explicit Overflow(double value);
};

/**
 * The value every game variable and record cell holds: nothing, text, or a number.
 *
 * Text is kept exactly as it was given (a record read from the progress file stays byte for
 * byte what the file held); it only becomes a number when arithmetic needs one.
 */
class Loose
{
  public:
    /// Holds nothing; counts as 0 where a number is needed.
    Loose() = default;
    Loose(double number) : value_(number) {}
    Loose(int number) : value_(double(number)) {}
    Loose(const QString& text) : value_(text) {}
    Loose(const char* text) : value_(QString::fromLatin1(text)) {}

    bool isEmpty() const { return std::holds_alternative<std::monostate>(value_); }
    bool isText() const { return std::holds_alternative<QString>(value_); }
    bool isNumber() const { return std::holds_alternative<double>(value_); }

    /// The value as a number: text through the locale-aware conversion, nothing as 0.
    double toNumber() const;
    /// The value as text: text unchanged, a number in its shortest plain form, nothing as "".
    QString toText() const;
    /// The value as a 16-bit integer, rounded half to even.
    qint16 toInteger16() const { return integer16(toNumber()); }

    /// Reads text as a decimal number in the user's locale: blanks around it, a sign and the
    /// locale's decimal separator are accepted; anything else throws TypeMismatch.
    static double localeNumber(const QString& text);
    /**
     * Reads an answer as the player types it: as localeNumber, in the decimal digits of any
     * script ("١٢", "۱۲", "१२", full-width "１２"), and also a whole number grouped as the
     * player's language groups digits ("1 512" in French, "1.512" in German or Brazilian
     * Portuguese, "1'512" in Switzerland, "١٬٥١٢" in Arabic, "1,12,512" in Hindi), with one
     * separator all through. A separator that is the locale's decimal sign never groups, so "7,5"
     * stays 7.5 where "," is the decimal sign and is no number where it is not. Throws
     * TypeMismatch like localeNumber.
     */
    static double answerNumber(const QString& text);
    /// The leading number of text, with "." as the decimal point; text without one gives 0.
    static double leadingNumber(const QString& text);
    /// The shortest plain decimal form of a number: 6, not 6.0 or 6e0.
    static QString plainText(double number);
    /// Rounds half to even into -32768..32767; throws Overflow outside that range.
    static qint16 integer16(double number);

    bool operator==(const Loose&) const = default;

  private:
    std::variant<std::monostate, QString, double> value_;
};

} // namespace numblaze
