// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Random and mangled input for the progress-file reader and the loose value's conversions.
// Nothing may crash, hang or throw what it should not; whatever the file held, the menu ends up
// with twelve usable records and valid selections, and writes back 14 CR LF lines.
//
// The inputs come from a seeded generator, so a failure repeats: the message names the seed
// and the case. NUMBLAZE_FUZZ_SEED picks another seed, NUMBLAZE_FUZZ_SCALE runs N times as
// many cases (for a long local run).
#include "tests/unit/fuzzcheck.h"

#include <QDir>
#include <QLocale>
#include <QRegularExpression>
#include <QTest>
#include <bit>
#include <cmath>
#include <limits>
#include <random>

using namespace numblaze;
using namespace numblaze::fuzzcheck;

namespace
{

enum class Input { RandomBytes, MutatedFile, LongLines, LineEnds, HugeNumbers };

// Bytes that mean something to the reader or the number conversions.
const char MeaningfulBytes[] = "0123456789 \t\r\n-+.,eE\0\xA0\xFF";
const QByteArray Meaningful(MeaningfulBytes, sizeof MeaningfulBytes - 1);

// Pieces a mutation may splice in.
const QList<QByteArray> Tokens = {"\r",
                                  "\n",
                                  "\r\n",
                                  QByteArray(1, '\0'),
                                  "-",
                                  "+",
                                  ".",
                                  ",",
                                  " ",
                                  "1e999",
                                  "-1e999",
                                  "NaN",
                                  "inf",
                                  "0x1F",
                                  "94906265",
                                  "94906266",
                                  "32767",
                                  "32768",
                                  "-32769",
                                  "1.5",
                                  "\xD9\xA3",
                                  "\xC2\xA0",
                                  "\xEF\xBB\xBF",
                                  QByteArray(LongestLine, '7'),
                                  QByteArray(LongestLine + 1, '7'),
                                  QByteArray(400, '9')};

class Generator
{
  public:
    explicit Generator(quint64 seed) : engine_(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine_); }
    bool chance(int percent) { return below(100) < percent; }

    char byte() { return chance(60) ? Meaningful[below(Meaningful.size())] : char(below(256)); }

    QByteArray bytes(int size)
    {
        QByteArray out(size, '\0');
        for (char& b : out)
            b = byte();
        return out;
    }

    // Short inputs mostly, now and then a long one.
    int size() { return chance(90) ? below(300) : below(20000); }

    QByteArray mutated(QByteArray in)
    {
        for (int n = 1 + below(8); n > 0; --n) {
            const int at = below(int(in.size()) + 1);
            switch (below(6)) {
            case 0:
                if (at < in.size())
                    in[at] = char(in[at] ^ (1 << below(8)));
                break;
            case 1:
                in.insert(at, bytes(1 + below(8)));
                break;
            case 2:
                in.remove(at, 1 + below(16));
                break;
            case 3:
                in.insert(at, in.mid(below(int(in.size()) + 1), 1 + below(40)));
                break;
            default:
                in.insert(at, Tokens[below(int(Tokens.size()))]);
                break;
            }
        }
        return in;
    }

    // A line too long to be a record, or just short enough, among ordinary ones.
    QByteArray withLongLines()
    {
        static const int lengths[] = {LongestLine - 1, LongestLine,     LongestLine + 1,
                                      LongestLine + 2, LongestLine + 3, 64 * 1024 + 1,
                                      1 << 20};
        QByteArray out;
        for (int line = 0; line < 14; ++line) {
            const int length = chance(30) ? lengths[below(7)] : below(4);
            out += QByteArray(length, chance(50) ? '8' : byte());
            out += chance(50) ? "\r\n" : chance(50) ? "\n" : "\r";
        }
        return out;
    }

    // Records and selections with every way of ending a line: CR LF, LF, CR alone, CR CR LF.
    QByteArray withMixedLineEnds()
    {
        static const char* const ends[] = {"\r\n", "\n", "\r", "\r\r\n", "\n\r", ""};
        QByteArray out;
        for (int line = 0; line < 12 + below(6); ++line)
            out += QByteArray::number(below(40)) + ends[below(6)];
        return out;
    }

    // Numbers far beyond any record: long digit strings, exponents, signs, fractions.
    QByteArray withHugeNumbers()
    {
        QByteArray out;
        for (int line = 0; line < 14; ++line) {
            QByteArray number = QByteArray(1 + below(600), '9');
            if (chance(30))
                number.insert(below(int(number.size())), '.');
            if (chance(30))
                number += "e" + QByteArray::number(below(700) - 350);
            if (chance(30))
                number.prepend('-');
            out += number + "\r\n";
        }
        return out;
    }

    QString text()
    {
        static const char16_t special[] = {
            u'0',   u'5',   u'9',   u'.',   u',',   u'-',   u'+',   u'e',   u'E',   u' ',
            u'\t',  u'\0',  u'\r',  u'\n',  0x00A0, 0x202F, 0x2212, 0x0660, 0x0663, 0x06F5,
            0x0966, 0xFF11, 0x066B, 0x066C, 0xD800, 0xDC00, 0xFFFF, u'n',   u'a',   u'i'};
        QString out;
        const int length = chance(95) ? below(24) : below(3000);
        for (int i = 0; i < length; ++i)
            out += chance(80) ? QChar(special[below(std::size(special))])
                              : QChar(char16_t(below(0x10000)));
        return out;
    }

    double number()
    {
        switch (below(4)) {
        case 0:
            return std::bit_cast<double>(std::uniform_int_distribution<quint64>()(engine_));
        case 1:
            return std::uniform_real_distribution<double>(-40000, 40000)(engine_);
        case 2:
            return below(80000) / 2.0 - 40000; // the halves, where rounding decides
        default:
            return std::ldexp(std::uniform_real_distribution<double>(-1, 1)(engine_),
                              below(2200) - 1100);
        }
    }

  private:
    std::mt19937_64 engine_;
};

quint64 seed()
{
    bool ok = false;
    const quint64 chosen = qEnvironmentVariable("NUMBLAZE_FUZZ_SEED").toULongLong(&ok);
    return ok ? chosen : 20261207;
}

int scale()
{
    return std::max(1, qEnvironmentVariableIntValue("NUMBLAZE_FUZZ_SCALE"));
}

QString plainForm()
{
    return QStringLiteral("^-?(0|[1-9][0-9]*)(\\.[0-9]*[1-9])?$");
}

} // namespace

class TestFuzz : public QObject
{
    Q_OBJECT

    QList<QByteArray> corpus;

    QByteArray input(Generator& g, Input kind)
    {
        switch (kind) {
        case Input::RandomBytes:
            return g.bytes(g.size());
        case Input::MutatedFile:
            return g.mutated(corpus[g.below(int(corpus.size()))]);
        case Input::LongLines:
            return g.withLongLines();
        case Input::LineEnds:
            return g.withMixedLineEnds();
        case Input::HugeNumbers:
            return g.withHugeNumbers();
        }
        return {};
    }

  private slots:
    void initTestCase()
    {
        qInfo("seed %llu, scale %d", seed(), scale());
        const QDir folder(QStringLiteral(NUMBLAZE_CORPUS_DIR));
        for (const QString& name : folder.entryList({"*.txt"}, QDir::Files)) {
            QFile file(folder.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            corpus << file.readAll();
        }
        QVERIFY(corpus.size() >= 10);
    }

    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void corpusFilesReadIntoAUsableTable()
    {
        for (const QByteArray& file : corpus)
            QVERIFY2(problemWith(file).isEmpty(), qPrintable(problemWith(file)));
    }

    void anyFileReadsIntoAUsableTable_data()
    {
        QTest::addColumn<Input>("kind");
        QTest::addColumn<int>("cases");
        QTest::newRow("random bytes") << Input::RandomBytes << 4000;
        QTest::newRow("mutated real files") << Input::MutatedFile << 6000;
        QTest::newRow("long lines") << Input::LongLines << 200;
        QTest::newRow("CR, LF and CR LF mixed") << Input::LineEnds << 2000;
        QTest::newRow("huge numbers") << Input::HugeNumbers << 300;
    }

    void anyFileReadsIntoAUsableTable()
    {
        QFETCH(Input, kind);
        QFETCH(int, cases);
        Generator g(seed() + quint64(kind));
        for (int i = 0; i < cases * scale(); ++i) {
            const QByteArray bytes = input(g, kind);
            const QString problem = problemWith(bytes);
            if (!problem.isEmpty())
                QFAIL(qPrintable(QStringLiteral("case %1 (seed %2): %3; input \"%4\"")
                                     .arg(i)
                                     .arg(seed())
                                     .arg(problem, show(QString::fromLatin1(bytes)))));
        }
    }

    void localeNumberReadsOrRefuses_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("C") << QLocale::c();
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany);
        QTest::newRow("French") << QLocale(QLocale::French, QLocale::France);
        QTest::newRow("Arabic") << QLocale(QLocale::Arabic, QLocale::Egypt);
        QTest::newRow("Hindi") << QLocale(QLocale::Hindi, QLocale::India);
    }

    void localeNumberReadsOrRefuses()
    {
        QFETCH(QLocale, locale);
        QLocale::setDefault(locale);
        Generator g(seed());
        for (int i = 0; i < 10000 * scale(); ++i) {
            const QString text = g.text();
            try {
                const double number = Loose::localeNumber(text);
                QVERIFY2(std::isfinite(number), qPrintable(show(text)));
            } catch (const TypeMismatch&) {
            } catch (const std::exception& e) {
                QFAIL(qPrintable(QStringLiteral("\"%1\" threw %2").arg(show(text), e.what())));
            }
            const double leading = Loose::leadingNumber(text);
            QVERIFY2(!std::isnan(leading), qPrintable(show(text)));
        }
    }

    void integer16RoundsOrOverflows()
    {
        Generator g(seed());
        for (int i = 0; i < 20000 * scale(); ++i) {
            const double number = g.number();
            const bool fits = number > -32768.5 && number < 32767.5;
            try {
                const qint16 integer = Loose::integer16(number);
                QVERIFY2(std::abs(integer - number) <= 0.5, qPrintable(QString::number(number)));
            } catch (const Overflow&) {
                QVERIFY2(!fits, qPrintable(QString::number(number, 'g', 17)));
            }
        }
        for (const double special :
             {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
              -std::numeric_limits<double>::infinity()})
            QVERIFY_THROWS_EXCEPTION(Overflow, Loose::integer16(special));
    }

    void plainTextReadsBackExactly()
    {
        const QRegularExpression plain(plainForm());
        Generator g(seed());
        for (int i = 0; i < 20000 * scale(); ++i) {
            const double number = g.number();
            if (!std::isfinite(number))
                continue;
            const QString text = Loose::plainText(number);
            const QString what = QString::number(number, 'g', 17) + " gave " + text;
            QVERIFY2(plain.match(text).hasMatch(), qPrintable(what));
            QVERIFY2(Loose::leadingNumber(text) == number, qPrintable(what));
            QVERIFY2(Loose::localeNumber(text) == number, qPrintable(what));
        }
    }
};

QTEST_GUILESS_MAIN(TestFuzz)
#include "test_fuzz.moc"
