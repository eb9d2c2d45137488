// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCoreApplication>
#include <QString>
#include <array>

namespace numblaze
{

/// How a race of a math kind draws the two operands of its equations. Each draw is a whole
/// number from 0 to a limit, its two end values half as likely as the others.
enum class Operands {
    /// Both operands up to the record.
    BothUpToRecord,
    /// The first up to the record, drawn again while it is 0, and the second up to the first:
    /// the answer is never negative.
    SecondUpToFirst,
    /// A divisor up to the record, drawn again while it is 0, then a quotient up to the record;
    /// the first operand is their product, so the answer is always whole.
    ProductOfDivisorAndQuotient,
};

/// A text of a math kind, marked for translation where it is written and put into the player's
/// language each time it is asked for.
struct MathKindText {
    const char* source;
    /// Tells apart two texts that read the same in English ("*" the sign against another "*").
    const char* disambiguation = nullptr;

    QString operator()() const
    {
        return QCoreApplication::translate("MathKinds", source, disambiguation);
    }
};

/**
 * One of the four math kinds, with everything the game does differently for it. The menu's
 * option Option1(index) chooses it, the records file and the Hall of Fame give it row `index`,
 * and the race screen knows it by its sign, the caption of its Label3.
 */
struct MathKind {
    int index;
    /// The game's own sign ("+", "-", "*", "/"): the race screen's Label3 caption, which the
    /// equation and the answer check read. It never changes with the language.
    const char* sign;
    /// Its name, as the menu's option and the spoken records say it.
    MathKindText name;
    /// Its name as the title of its row in the Hall of Fame.
    MathKindText rowTitle;
    /// The sign as the race shows it and a reader says it, in the child's school's writing.
    MathKindText shownSign;
    /// An equation said in words: "%1 plus %2".
    MathKindText inWords;
    /// How its equations draw their operands.
    Operands operands;
    /// The answer to `first` and `second`, in double precision. Throws std::domain_error when
    /// there is none (a division by 0).
    double (*answer)(double first, double second);

    QString signText() const { return QString::fromLatin1(sign); }
    /// The equation with these operands in words, in the player's language.
    QString said(const QString& first, const QString& second) const
    {
        return inWords().arg(first, second);
    }
};

namespace detail
{
double sum(double a, double b);
double difference(double a, double b);
double product(double a, double b);
double quotient(double a, double b);
} // namespace detail

/// The four math kinds, by index: Addition, Subtraction, Multiplication, Division.
inline constexpr std::array<MathKind, 4> mathKinds = {{
    {0,
     "+",
     //: A math kind, as the menu offers it and the spoken records say it ("Addition against
     //: Bobby Blue"): the noun, not a verb. At most 13 characters on the menu.
     {QT_TRANSLATE_NOOP("MathKinds", "Addition")},
     //: A row title of the Hall of Fame: the math kind's name and the language's colon. At most
     //: 15 characters.
     {QT_TRANSLATE_NOOP("MathKinds", "Addition:")},
     //: The addition sign as the race shows it and a screen reader says it, as the children of
     //: this language write it at school
     QT_TRANSLATE_NOOP3("MathKinds", "+", "the addition sign as the race shows it"),
     //: An addition in words, as a screen reader says it: %1 and %2 are numbers
     {QT_TRANSLATE_NOOP("MathKinds", "%1 plus %2")},
     Operands::BothUpToRecord,
     detail::sum},
    {1,
     "-",
     //: A math kind, as the menu offers it and the spoken records say it: the noun. At most 11
     //: characters on the menu.
     {QT_TRANSLATE_NOOP("MathKinds", "Subtraction")},
     //: A row title of the Hall of Fame, with the language's colon. At most 15 characters.
     {QT_TRANSLATE_NOOP("MathKinds", "Subtraction:")},
     //: The subtraction sign as the race shows it and a screen reader says it
     QT_TRANSLATE_NOOP3("MathKinds", "-", "the subtraction sign as the race shows it"),
     //: A subtraction in words, as a screen reader says it: %1 and %2 are numbers
     {QT_TRANSLATE_NOOP("MathKinds", "%1 minus %2")},
     Operands::SecondUpToFirst,
     detail::difference},
    {2,
     "*",
     //: A math kind, as the menu offers it and the spoken records say it: the noun. At most 14
     //: characters on the menu.
     {QT_TRANSLATE_NOOP("MathKinds", "Multiplication")},
     //: A row title of the Hall of Fame, with the language's colon. At most 15 characters.
     {QT_TRANSLATE_NOOP("MathKinds", "Multiplication:")},
     //: The multiplication sign as the race shows it and a screen reader says it, as the
     //: children of this language write it at school ("×", "·")
     QT_TRANSLATE_NOOP3("MathKinds", "*", "the multiplication sign as the race shows it"),
     //: A multiplication in words, as a screen reader says it: %1 and %2 are numbers
     {QT_TRANSLATE_NOOP("MathKinds", "%1 times %2")},
     Operands::BothUpToRecord,
     detail::product},
    {3,
     "/",
     //: A math kind, as the menu offers it and the spoken records say it: the noun. At most 11
     //: characters on the menu.
     {QT_TRANSLATE_NOOP("MathKinds", "Division")},
     //: A row title of the Hall of Fame, with the language's colon. At most 15 characters.
     {QT_TRANSLATE_NOOP("MathKinds", "Division:")},
     //: The division sign as the race shows it and a screen reader says it, as the children of
     //: this language write it at school ("÷", ":")
     QT_TRANSLATE_NOOP3("MathKinds", "/", "the division sign as the race shows it"),
     //: A division in words, as a screen reader says it: %1 and %2 are numbers
     {QT_TRANSLATE_NOOP("MathKinds", "%1 divided by %2")},
     Operands::ProductOfDivisorAndQuotient,
     detail::quotient},
}};

inline constexpr int MathKindCount = int(mathKinds.size());

/// The math kind whose sign is exactly `sign`; none for any other text.
const MathKind* mathKindOfSign(const QString& sign);

/// How the child's school writes numbers and equations, as the player's language says: with the
/// signs above, and with these.
namespace school
{
/// The text with its digits 0 to 9 written as the child's school writes them: "12" is "١٢" in
/// Arabic, "۱۲" in Persian, and stays "12" where schools teach these digits.
QString digits(const QString& text);

/// Whether the child's school writes an equation from right to left, its first number on the
/// right.
bool equationsReadRightToLeft();
} // namespace school

} // namespace numblaze
