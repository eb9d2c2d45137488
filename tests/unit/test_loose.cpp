// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/loose.h"
#include "core/randomsource.h"

#include <QLocale>
#include <QTest>
#include <cmath>

using namespace numblaze;

class LooseTest : public QObject
{
    Q_OBJECT

  private slots:
    void localeNumberReadsNumbers_data();
    void localeNumberReadsNumbers();
    void localeNumberRefusesNonNumbers_data();
    void localeNumberRefusesNonNumbers();
    void localeNumberFollowsTheLocale();
    void answersMayGroupDigitsAsTheLanguageDoes_data();
    void answersMayGroupDigitsAsTheLanguageDoes();
    void answersMayUseTheDigitsOfAnyScript_data();
    void answersMayUseTheDigitsOfAnyScript();
    void leadingNumber_data();
    void leadingNumber();
    void plainTextIsShortestAndPlain_data();
    void plainTextIsShortestAndPlain();
    void integer16RoundsHalfToEven_data();
    void integer16RoundsHalfToEven();
    void integer16RefusesOutOfRange_data();
    void integer16RefusesOutOfRange();
    void textPlusNumberIsNumeric();
    void nothingCountsAsZero();
    void randomValuesStayBelowOne();
    void theLastSeedChoosesTheSequence();
};

void LooseTest::localeNumberReadsNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");
    QTest::newRow("plain") << "7" << 7.0;
    QTest::newRow("leading blank") << " 7" << 7.0;
    QTest::newRow("leading zero") << "07" << 7.0;
    QTest::newRow("blanks around") << " 12 " << 12.0;
    QTest::newRow("minus zero") << "-0" << 0.0;
    QTest::newRow("plus sign") << "+3" << 3.0;
    QTest::newRow("negative") << "-15" << -15.0;
    QTest::newRow("fraction") << "2.5" << 2.5;
    QTest::newRow("largest record") << "94906265" << 94906265.0;
}

void LooseTest::localeNumberReadsNumbers()
{
    QFETCH(QString, text);
    QFETCH(double, number);
    QCOMPARE(Loose::localeNumber(text), number);
    QCOMPARE(Loose(text).toNumber(), number);
}

void LooseTest::localeNumberRefusesNonNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("letters") << "abc";
    QTest::newRow("empty") << "";
    QTest::newRow("blanks only") << "   ";
    QTest::newRow("number then letters") << "12abc";
    QTest::newRow("thousands separator") << "1,000";
    QTest::newRow("two numbers") << "1 2";
    QTest::newRow("infinity") << "inf";
    QTest::newRow("not a number") << "NaN";
    QTest::newRow("too large") << "1e999";
    QTest::newRow("arabic-indic digits") << QString::fromUtf8("\u0661\u0662");
    QTest::newRow("nul inside") << QString::fromLatin1("1\0002", 3);
}

void LooseTest::localeNumberRefusesNonNumbers()
{
    QFETCH(QString, text);
    QVERIFY_THROWS_EXCEPTION(TypeMismatch, Loose::localeNumber(text));
}

void LooseTest::localeNumberFollowsTheLocale()
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const double comma = Loose::localeNumber(QStringLiteral("2,5"));
    QLocale::setDefault(saved);
    QCOMPARE(comma, 2.5);
}

void LooseTest::answersMayGroupDigitsAsTheLanguageDoes_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number"); // NaN: the answer is not a number, so it is wrong
    const double refused = std::nan("");
    const QString space = QStringLiteral(" "), noBreak = QStringLiteral(u"\u00A0"),
                  narrow = QStringLiteral(u"\u202F");
    for (const QString locale : {"fr_FR", "de_DE"}) {
        QTest::addRow("%s, plain space", qPrintable(locale))
            << locale << "1" + space + "512" << 1512.0;
        QTest::addRow("%s, no-break space", qPrintable(locale))
            << locale << "1" + noBreak + "512" << 1512.0;
        QTest::addRow("%s, narrow no-break space", qPrintable(locale))
            << locale << "1" + narrow + "512" << 1512.0;
        QTest::addRow("%s, millions", qPrintable(locale)) << locale << "12 345 678" << 12345678.0;
        QTest::addRow("%s, negative", qPrintable(locale)) << locale << "-1 512" << -1512.0;
        QTest::addRow("%s, blanks around", qPrintable(locale)) << locale << " 1 512 " << 1512.0;
        QTest::addRow("%s, decimal comma", qPrintable(locale)) << locale << "7,5" << 7.5;
        QTest::addRow("%s, two numbers", qPrintable(locale)) << locale << "1 2" << refused;
        QTest::addRow("%s, group of two", qPrintable(locale)) << locale << "1 51" << refused;
        QTest::addRow("%s, group of four", qPrintable(locale)) << locale << "1 5120" << refused;
        QTest::addRow("%s, first group of four", qPrintable(locale))
            << locale << "1512 000" << refused;
        QTest::addRow("%s, leading zero", qPrintable(locale)) << locale << "0 512" << refused;
        QTest::addRow("%s, mixed separators", qPrintable(locale))
            << locale << "1 234" + noBreak + "567" << refused;
        QTest::addRow("%s, apostrophe", qPrintable(locale)) << locale << "1'512" << refused;
        QTest::addRow("%s, grouped fraction", qPrintable(locale)) << locale << "1 512,5" << refused;
    }
    QTest::newRow("de_DE, point") << "de_DE"
                                  << "1.512" << 1512.0;
    QTest::newRow("de_DE, point, millions") << "de_DE"
                                            << "1.234.567" << 1234567.0;
    QTest::newRow("de_DE, point and space") << "de_DE"
                                            << "1.234 567" << refused;
    QTest::newRow("de_DE, point then two") << "de_DE"
                                           << "1.51" << refused;
    QTest::newRow("fr_FR, point") << "fr_FR"
                                  << "1.512" << refused;
    QTest::newRow("pt_BR, point") << "pt_BR"
                                  << "1.512" << 1512.0;
    QTest::newRow("pt_BR, decimal comma") << "pt_BR"
                                          << "7,5" << 7.5;
    QTest::newRow("pt_BR, point as decimal") << "pt_BR"
                                             << "7.5" << refused;
    QTest::newRow("de_CH, apostrophe") << "de_CH"
                                       << "1'512" << 1512.0;
    QTest::newRow("de_CH, typographic apostrophe")
        << "de_CH" << QStringLiteral(u"1\u2019512") << 1512.0;
    QTest::newRow("de_CH, space") << "de_CH"
                                  << "1 512" << 1512.0;
    QTest::newRow("de_CH, point is decimal") << "de_CH"
                                             << "1.512" << 1.512;
    QTest::newRow("fr_CH, apostrophe") << "fr_CH"
                                       << "1'512" << 1512.0;
    QTest::newRow("it_IT, point") << "it_IT"
                                  << "1.512" << 1512.0;
    QTest::newRow("es_ES, point") << "es_ES"
                                  << "1.512" << 1512.0;
    QTest::newRow("en_US, comma") << "en_US"
                                  << "1,512" << 1512.0;
    QTest::newRow("en_US, comma then one") << "en_US"
                                           << "7,5" << refused;
    QTest::newRow("en_US, point is decimal") << "en_US"
                                             << "1.512" << 1.512;
    QTest::newRow("en_US, space") << "en_US"
                                  << "1 512" << refused;
    QTest::newRow("C, comma") << "C"
                              << "1,512" << refused;
    QTest::newRow("C, space") << "C"
                              << "1 512" << refused;
}

void LooseTest::answersMayGroupDigitsAsTheLanguageDoes()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(double, number);
    const QLocale saved;
    QLocale::setDefault(QLocale(locale));
    double read = std::nan("");
    try {
        read = Loose::answerNumber(text);
    } catch (const TypeMismatch&) {
    }
    QLocale::setDefault(saved);
    if (std::isnan(number))
        QVERIFY2(std::isnan(read), qPrintable(QString::number(read)));
    else
        QCOMPARE(read, number);
}

// The digits a child types on its keyboard, with the separators its language groups them with;
// "refused" rows are answers that stay wrong.
void LooseTest::answersMayUseTheDigitsOfAnyScript_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number"); // NaN: the answer is not a number, so it is wrong
    const double refused = std::nan("");
    const auto row = [](const char* tag, const char* locale, const char16_t* text, double number) {
        QTest::newRow(tag) << QString::fromLatin1(locale) << QString::fromUtf16(text) << number;
    };
    // Devanagari, as the Hindi keyboard's number row types it; India groups in lakhs.
    row("Devanagari", "hi_IN", u"\u0967\u0968", 12);
    row("Devanagari, thousands", "hi_IN", u"\u0967,\u096B\u0967\u0968", 1512);
    row("Devanagari, lakh", "hi_IN", u"\u0967,\u0967\u0968,\u096B\u0967\u0968", 112512);
    row("Devanagari, in threes", "hi_IN", u"\u0967\u0967\u0968,\u096B\u0967\u0968", 112512);
    row("Western digits, lakh", "hi_IN", u"1,12,512", 112512);
    row("Devanagari, decimal", "hi_IN", u"\u0967\u0968.\u096B", 12.5);
    row("Devanagari, group of one", "hi_IN", u"\u0967\u096B,\u0967\u0968", refused);
    row("lakh, group of one", "hi_IN", u"1,12,51", refused);
    // Arabic-Indic, with the Arabic thousands and decimal separators or a typed comma.
    row("Arabic-Indic", "ar_EG", u"\u0661\u0662", 12);
    row("Arabic-Indic, Arabic thousands", "ar_EG", u"\u0661\u066C\u0665\u0661\u0662", 1512);
    row("Arabic-Indic, comma", "ar_EG", u"\u0661,\u0665\u0661\u0662", 1512);
    row("Arabic-Indic, Arabic decimal", "ar_EG", u"\u0667\u066B\u0665", 7.5);
    row("Arabic-Indic, marked minus", "ar_EG", u"\u061C-\u0661\u0662", -12);
    row("Arabic-Indic, comma then one", "ar_EG", u"\u0667,\u0665", refused);
    row("Western digits in Arabic", "ar_EG", u"1512", 1512);
    // Extended Arabic-Indic, as Persian and Urdu write them.
    row("Persian", "fa_IR", u"\u06F1\u06F2", 12);
    row("Persian, Arabic thousands", "fa_IR", u"\u06F1\u066C\u06F5\u06F1\u06F2", 1512);
    row("Persian, Arabic decimal", "fa_IR", u"\u06F7\u066B\u06F5", 7.5);
    row("Urdu", "ur_PK", u"\u06F1\u06F2", 12);
    // Full-width, as Chinese and Japanese input methods type them.
    row("full-width", "zh_CN", u"\uFF11\uFF12", 12);
    row("full-width, comma", "zh_CN", u"\uFF11\uFF0C\uFF15\uFF11\uFF12", 1512);
    row("full-width, decimal", "ja_JP", u"\uFF11\uFF12\uFF0E\uFF15", 12.5);
    row("full-width, minus", "ja_JP", u"\uFF0D\uFF13", -3);
    row("full-width, ideographic space around", "ja_JP", u"\u3000\uFF11\uFF12\u3000", 12);
    // Bengali, grouped in lakhs in Bangladesh too.
    row("Bengali", "bn_BD", u"\u09E7\u09E8", 12);
    row("Bengali, lakh", "bn_BD", u"\u09E7,\u09E7\u09E8,\u09EB\u09E7\u09E8", 112512);
    // Any digits in any language; what no language writes stays wrong.
    row("Arabic-Indic in English", "en_US", u"\u0661\u0662", 12);
    row("Devanagari in French", "fr_FR", u"\u0967\u00A0\u096B\u0967\u0968", 1512);
    row("decimal comma in English", "en_US", u"7,5", refused);
    row("Arabic thousands in English", "en_US", u"1\u066C512", refused);
    row("superscript figures", "en_US", u"1\u00B2", refused);
    row("circled digit", "en_US", u"\u2460", refused);
}

void LooseTest::answersMayUseTheDigitsOfAnyScript()
{
    answersMayGroupDigitsAsTheLanguageDoes();
}

void LooseTest::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");
    QTest::newRow("digits then letters") << "12abc" << 12.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("blank and fraction") << " 3.5x" << 3.5;
    QTest::newRow("negative") << "-4" << -4.0;
    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("letter e without digits") << "7eggs" << 7.0;
    QTest::newRow("comma is not a point") << "2,5" << 2.0;
    QTest::newRow("large product") << "9007199254740991" << 9007199254740991.0;
}

void LooseTest::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, number);
    QCOMPARE(Loose::leadingNumber(text), number);
}

void LooseTest::plainTextIsShortestAndPlain_data()
{
    QTest::addColumn<double>("number");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 6.0 << "6";
    QTest::newRow("fraction") << 6.5 << "6.5";
    QTest::newRow("minus zero") << -0.0 << "0";
    QTest::newRow("negative") << -3.0 << "-3";
    QTest::newRow("round hundred thousand") << 100000.0 << "100000";
    QTest::newRow("beyond the largest record") << 94906266.0 << "94906266";
    QTest::newRow("very large") << 1e20 << "100000000000000000000";
}

void LooseTest::plainTextIsShortestAndPlain()
{
    QFETCH(double, number);
    QFETCH(QString, text);
    QCOMPARE(Loose::plainText(number), text);
    QCOMPARE(Loose(number).toText(), text);
}

void LooseTest::integer16RoundsHalfToEven_data()
{
    QTest::addColumn<double>("number");
    QTest::addColumn<int>("integer");
    QTest::newRow("2.5") << 2.5 << 2;
    QTest::newRow("3.5") << 3.5 << 4;
    QTest::newRow("-2.5") << -2.5 << -2;
    QTest::newRow("2.4") << 2.4 << 2;
    QTest::newRow("top") << 32767.0 << 32767;
    QTest::newRow("bottom, rounded") << -32768.5 << -32768;
}

void LooseTest::integer16RoundsHalfToEven()
{
    QFETCH(double, number);
    QFETCH(int, integer);
    QCOMPARE(int(Loose::integer16(number)), integer);
}

void LooseTest::integer16RefusesOutOfRange_data()
{
    QTest::addColumn<double>("number");
    QTest::newRow("rounds past the top") << 32767.5;
    QTest::newRow("far above") << 40000.0;
    QTest::newRow("below") << -32769.0;
    QTest::newRow("not a number") << std::nan("");
}

void LooseTest::integer16RefusesOutOfRange()
{
    QFETCH(double, number);
    QVERIFY_THROWS_EXCEPTION(Overflow, Loose::integer16(number));
}

void LooseTest::textPlusNumberIsNumeric()
{
    const Loose five(QStringLiteral("5"));
    const Loose six(five.toNumber() + 1);
    QVERIFY(six.isNumber());
    QCOMPARE(six.toText(), QStringLiteral("6"));
    // Text is kept exactly as given until arithmetic needs it.
    QCOMPARE(Loose(QStringLiteral("07")).toText(), QStringLiteral("07"));
}

void LooseTest::nothingCountsAsZero()
{
    const Loose nothing;
    QVERIFY(nothing.isEmpty());
    QCOMPARE(nothing.toNumber(), 0.0);
    QCOMPARE(int(nothing.toInteger16()), 0);
    QCOMPARE(nothing.toText(), QString());
}

void LooseTest::randomValuesStayBelowOne()
{
    RandomSource first;
    RandomSource second;
    first.seed(43210.5);
    second.seed(43210.5);
    float lowest = 1.0f;
    float highest = 0.0f;
    for (int i = 0; i < 200000; ++i) {
        const float r = first.next();
        QCOMPARE(second.next(), r); // the same seed gives the same race
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    QVERIFY(lowest >= 0.0f && lowest < 0.001f);
    QVERIFY(highest < 1.0f && highest > 0.999f);
}

namespace
{
QList<float> firstValues(RandomSource& source)
{
    QList<float> values;
    for (int i = 0; i < 8; ++i)
        values << source.next();
    return values;
}

QList<float> firstValuesFor(double seed)
{
    RandomSource fresh;
    fresh.seed(seed);
    return firstValues(fresh);
}
} // namespace

// A seed takes effect at the first value asked for after it, however late: the seed given last
// counts, and seeding again starts its sequence from the beginning.
void LooseTest::theLastSeedChoosesTheSequence()
{
    QVERIFY(firstValuesFor(1.0) != firstValuesFor(2.0));
    RandomSource source;
    source.seed(2.0);
    source.seed(1.0);
    QCOMPARE(firstValues(source), firstValuesFor(1.0));
    source.seed(2.0);
    QCOMPARE(firstValues(source), firstValuesFor(2.0));
    source.seed(2.0);
    QCOMPARE(firstValues(source), firstValuesFor(2.0));
}

QTEST_GUILESS_MAIN(LooseTest)
#include "test_loose.moc"
