// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The game in every language it speaks: races won and lost by the translated texts, every
// caption whole in its control, the same records in every language, complete translations, and
// the language the real program picks from the system's settings.
#include "app/translations.h"
#include "halloffame/form3.h"
#include "menu/form2.h"
#include "race/form1.h"
#include "tests/screens/language.h"
#include "tests/screens/racing.h"
#include "tests/support.h"
#include "tools/drawassets/bannerwords.h"
#include "widgets/pictures.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QHash>
#include <QLibraryInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextLayout>
#include <QTextOption>
#include <QTimer>
#include <QTranslator>
#include <QXmlStreamReader>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <memory>
#include <utility>

using namespace numblaze;
using namespace numblaze::testing;

namespace
{
const QStringList Languages = {"de", "fr", "es", "it", "pt_BR", "ar",    "he", "fa", "ru",
                               "tr", "pl", "id", "vi", "sw",    "zh_CN", "hi", "bn"};

/// Whether a language's texts are drawn in the design's own faces: Latin, Greek and Cyrillic
/// letters are; any other script has a font of its own.
bool inDesignFaces(const QString& language)
{
    const QLocale::Script script = QLocale(language).script();
    return script == QLocale::LatinScript || script == QLocale::GreekScript ||
           script == QLocale::CyrillicScript;
}

void languageRows(bool withEnglish)
{
    QTest::addColumn<QString>("language");
    if (withEnglish)
        QTest::newRow("en") << QStringLiteral("en");
    for (const QString& language : Languages)
        QTest::newRow(qPrintable(language)) << language;
}

/// Starts a race from the menu and counts it down to its start.
Form1Controls& startRace()
{
    QTest::mouseClick(Form2::get().ui().Command1, Qt::LeftButton);
    for (int tick = 0; tick < 3; ++tick)
        Form1::get().Timer1_Timer();
    return Form1::get().ui();
}

/// Whether the caption fits the width on one line, or on two split at a space, with the letters
/// of both lines no higher than `height`.
bool fitsTwoLines(const QFontMetrics& metrics, const QString& caption, int width, int height)
{
    if (metrics.horizontalAdvance(caption) <= width)
        return true;
    const QStringList words = caption.split(u' ');
    for (qsizetype n = 1; n < words.size(); ++n) {
        const QString first = words.first(n).join(u' '), second = words.sliced(n).join(u' ');
        const QRect ink = metrics.tightBoundingRect(first) |
                          metrics.tightBoundingRect(second).translated(0, metrics.height());
        if (metrics.horizontalAdvance(first) <= width &&
            metrics.horizontalAdvance(second) <= width && ink.height() <= height)
            return true;
    }
    return false;
}

/// The messages of a translation source: context and source text, the translation, its state.
struct Message {
    QString context, source, translation, type;
};

QList<Message> messagesOf(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&file);
    QList<Message> messages;
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name"))
            context = xml.readElementText();
        else if (xml.name() == QLatin1String("message"))
            messages.append({context, {}, {}, {}});
        else if (xml.name() == QLatin1String("source"))
            messages.last().source = xml.readElementText();
        else if (xml.name() == QLatin1String("translation")) {
            messages.last().type = xml.attributes().value("type").toString();
            messages.last().translation = xml.readElementText();
        }
    }
    return xml.hasError() ? QList<Message>() : messages;
}

QString fileText(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

/// The value of a key in a desktop entry ("Comment[de]"), or nothing.
QString entryValue(const QString& entry, const QString& key)
{
    for (const QString& line : entry.split('\n'))
        if (line.startsWith(key + '='))
            return line.mid(key.size() + 1);
    return {};
}

/// The quotation marks a language's schools teach, opening and closing: „so“ in German, «so» in
/// French, Spanish, Italian, Arabic, Persian and Russian, "so" in Hebrew, „so” in Polish, “so”
/// in the others.
std::pair<QChar, QChar> quotesOf(const QString& language)
{
    if (language == "de")
        return {u'\u201E', u'\u201C'};
    if (language == "pl")
        return {u'\u201E', u'\u201D'};
    if (QStringList{"fr", "es", "it", "ar", "fa", "ru"}.contains(language))
        return {u'\u00AB', u'\u00BB'};
    if (language == "he")
        return {u'"', u'"'};
    return {u'\u201C', u'\u201D'};
}

/**
 * The first punctuation mistake in a text of a language, or nothing: French sets a no-break space
 * before ; : ! ? and inside « », Spanish opens every ! and ? with ¡ and ¿, Arabic and Persian
 * write their own comma, semicolon and question mark (and Persian joins the prefix of its verbs
 * with a zero-width non-joiner), Chinese its full-width marks beside its characters, Hindi and
 * Bengali end a sentence with "।", every language quotes with its own marks, and no language sets
 * a space before . , or a plain space where French needs a no-break one.
 */
QString punctuationMistake(const QString& language, const QString& text)
{
    const QString noBreak = QStringLiteral(u"\u00A0\u202F");
    static const QRegularExpression spaceBefore(QStringLiteral("\\s[.,)\u0964]"));
    if (text.contains(spaceBefore) || text.contains(QStringLiteral("  ")))
        return QStringLiteral("a space before . , ) \u0964 or two spaces");
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const QChar before = i > 0 ? text[i - 1] : QChar();
        if (language == "fr") {
            if (QStringLiteral(";:!?»").contains(c) && !noBreak.contains(before) &&
                !QStringLiteral("!?").contains(before))
                return QStringLiteral("no no-break space before %1").arg(c);
            if (c == u'«' && (i + 1 == text.size() || !noBreak.contains(text[i + 1])))
                return QStringLiteral("no no-break space after «");
        } else if (QStringLiteral(";:!?").contains(c) && before.isSpace()) {
            return QStringLiteral("a space before %1").arg(c);
        }
        if ((language == "ar" || language == "fa") && QStringLiteral(",;?").contains(c))
            return QStringLiteral("a Latin %1 where the Arabic script has its own").arg(c);
    }
    const auto [open, close] = quotesOf(language);
    for (const QChar quote : QStringLiteral(u"\"\u00AB\u00BB\u201C\u201D\u201E"))
        if (quote != open && quote != close && text.contains(quote))
            return QStringLiteral("the quotation mark %1, which is not this language's").arg(quote);
    if (open != close && text.count(open) != text.count(close))
        return QStringLiteral("%1 and %2 not in pairs").arg(open, close);
    if (language == "es")
        for (const auto& [opening, closing] : {std::pair{u'¡', u'!'}, std::pair{u'¿', u'?'}})
            if (text.count(opening) != text.count(closing))
                return QStringLiteral("%1 without %2").arg(QChar(closing), QChar(opening));
    if (language == "fa" &&
        QRegularExpression(QStringLiteral("(^|\\s)(ن?)می ")).match(text).hasMatch())
        return QStringLiteral("a verb's prefix \"می\" set apart by a space");
    // Chinese writes its full-width marks beside its characters: "，" "。" "！" "：" "（".
    static const QRegularExpression latinBesideHan(
        QStringLiteral("\\p{Han}[,.!?;:()]|[,.!?;:()]\\p{Han}"));
    if (language.startsWith("zh") && text.contains(latinBesideHan))
        return QStringLiteral("a Latin mark beside a Chinese character");
    // Hindi and Bengali end a sentence with the danda "।", not with a full stop.
    static const QRegularExpression stopAfterIndic(
        QStringLiteral("[\\x{0900}-\\x{0963}\\x{0966}-\\x{09FF}]\\."));
    if ((language == "hi" || language == "bn") && text.contains(stopAfterIndic))
        return QStringLiteral("a full stop where the sentence ends with \u0964");
    return {};
}

/// The most common colour within `area` of a picture: its background.
QRgb backgroundOf(const QImage& picture, const QRect& area)
{
    QHash<QRgb, int> count;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++count[picture.pixel(x, y)];
    return std::max_element(count.begin(), count.end()).key();
}

/// The letters' ink within `area` of a picture: the pixels at least a third of the way from the
/// area's background to the colour of the text.
QRect inkIn(const QImage& picture, const QRect& area, const QColor& text)
{
    const QImage shot = picture.convertToFormat(QImage::Format_RGB32);
    const QRgb background = backgroundOf(shot, area);
    const auto distance = [](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
               std::abs(qBlue(a) - qBlue(b));
    };
    const int full = distance(text.rgb(), background);
    QRect ink;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (3 * distance(shot.pixel(x, y), background) >= full)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

/// The ink of text drawn in the font and colours with nothing to cut it: the lines one below the
/// other, from their left, or the text wrapped `wrapWidth` pixels wide as a label wraps it.
QRect inkDrawn(const QFont& font, const QStringList& lines, int wrapWidth, const QColor& text,
               const QColor& background)
{
    const QFontMetrics metrics(font);
    QImage page(2000, metrics.height() * int(lines.size() + 4), QImage::Format_RGB32);
    page.fill(background);
    QPainter painter(&page);
    painter.setFont(font);
    painter.setPen(text);
    const int top = metrics.height();
    if (wrapWidth > 0)
        painter.drawText(QRect(50, top, wrapWidth, page.height() - top), Qt::TextWordWrap,
                         lines.join(u' '));
    else
        for (qsizetype i = 0; i < lines.size(); ++i)
            painter.drawText(50, top + metrics.ascent() + int(i) * metrics.height(), lines[i]);
    painter.end();
    return inkIn(page, page.rect(), text);
}

/// The size of a caption's ink with nothing to cut it: wrapped `wrapWidth` pixels wide as a label
/// wraps it, or in lines each centred under the other as a button sets them. (The softened edges
/// of letters depend on their colours.)
QSize inkSize(const QFont& font, const QStringList& lines, int wrapWidth, const QColor& text,
              const QColor& background)
{
    QSize size = inkDrawn(font, lines, wrapWidth, text, background).size();
    if (wrapWidth == 0) {
        size.setWidth(0);
        for (const QString& line : lines)
            size.setWidth(
                std::max(size.width(), inkDrawn(font, {line}, 0, text, background).width()));
    }
    return size;
}

/// A button's caption in its lines: one where it fits, else two split at the space that makes
/// them most even.
QStringList buttonLines(const QFontMetrics& metrics, const QString& caption, int width)
{
    if (metrics.horizontalAdvance(caption) <= width)
        return {caption};
    const QStringList words = caption.split(u' ');
    QStringList best;
    int narrowest = INT_MAX;
    for (qsizetype n = 1; n < words.size(); ++n) {
        const QStringList two = {words.first(n).join(u' '), words.sliced(n).join(u' ')};
        const int wider =
            std::max(metrics.horizontalAdvance(two[0]), metrics.horizontalAdvance(two[1]));
        if (wider < narrowest) {
            narrowest = wider;
            best = two;
        }
    }
    return best;
}

QStringList placeholders(const QString& text)
{
    QStringList found;
    for (const QRegularExpressionMatch& match : QRegularExpression("%\\d").globalMatch(text))
        found << match.captured();
    found.sort();
    return found;
}
} // namespace

class LanguagesTest : public QObject
{
    Q_OBJECT
    QTemporaryDir folder_;

    QString progressFile() const { return QDir(folder_.path()).filePath("Progress.txt"); }

  private slots:
    void init()
    {
        QFile::remove(progressFile());
        QDir(folder_.path()).rmdir("Progress.txt");
        playWithRecordsIn(folder_.path());
    }
    void cleanup() { discardAllScreens(); }

    void racesGoByTheTranslatedPhases_data() { languageRows(false); }
    void racesGoByTheTranslatedPhases()
    {
        QFETCH(QString, language);
        const PlayerLanguage player(language);
        QVERIFY(!player.translations.isEmpty());
        // Qt's own buttons, such as those of the messages about the records, speak it too.
        QVERIFY(QCoreApplication::translate("QPlatformTheme", "Retry") != QLatin1String("Retry"));
        Form2Controls& menu = Form2::get().ui();
        Form1Controls& c = startRace();
        const QString racing = c.Command1->caption();
        QCOMPARE(racing, Form1::Racing());
        QVERIFY(racing != QLatin1String(Form1::Racing.source));
        // The go banner speaks the player's language too.
        const QImage banner = c.Image4[1]->picture().toImage();
        QCOMPARE(banner, picture("banner-go-" + language).toImage());
        QVERIFY(banner != picture("banner-go").toImage());

        for (int answers = 0; answers < 11 && c.Command1->caption() == racing; ++answers) {
            QTest::keyClicks(c.Text1, answerOnScreen());
            QTest::keyClick(c.Text1, Qt::Key_Return);
        }
        QCOMPARE(c.Command1->caption(), Form1::Won());
        QVERIFY(c.Command1->caption() != QLatin1String(Form1::Won.source));
        QCOMPARE(c.window->backColor(), QColor(0, 0, 255));
        waitForTheResult();
        QTest::keyClick(c.window, Qt::Key_Return);
        QVERIFY(!Form1::get().isLoaded());
        QVERIFY(menu.Label3->caption().contains("6"));
        QCOMPARE(Form2::get().record(0, 0).toText(), QStringLiteral("6"));

        // A lost race ends by the translated text as well, and Enter leaves it.
        Form1Controls& lost = startRace();
        while (lost.Command1->caption() == racing)
            Form1::get().Timer2_Timer();
        QCOMPARE(lost.Command1->caption(), Form1::Lost());
        waitForTheResult();
        QTest::keyClick(lost.window, Qt::Key_Return);
        QVERIFY(!Form1::get().isLoaded());
        QCOMPARE(Form2::get().record(0, 0).toText(), QStringLiteral("6"));
    }

    // The race shows and says the signs of the child's script; the caption the answer check
    // reads stays the game's own sign, so a right answer still counts.
    void signsAreShownInTheChildsScript_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("times");
        QTest::addColumn<QString>("divided");
        QTest::newRow("en") << "en"
                            << "*"
                            << "/";
        QTest::newRow("de") << "de" << QStringLiteral(u"\u00B7") << ":";
        QTest::newRow("fr") << "fr" << QStringLiteral(u"\u00D7") << ":";
        QTest::newRow("es") << "es" << QStringLiteral(u"\u00D7") << ":";
        QTest::newRow("it") << "it" << QStringLiteral(u"\u00D7") << ":";
        QTest::newRow("pt_BR") << "pt_BR" << QStringLiteral(u"\u00D7") << QStringLiteral(u"\u00F7");
        QTest::newRow("ar") << "ar" << QStringLiteral(u"\u00D7") << QStringLiteral(u"\u00F7");
        QTest::newRow("he") << "he" << QStringLiteral(u"\u00B7") << ":";
        QTest::newRow("fa") << "fa" << QStringLiteral(u"\u00D7") << QStringLiteral(u"\u00F7");
        QTest::newRow("ru") << "ru" << QStringLiteral(u"\u00B7") << ":";
        QTest::newRow("tr") << "tr" << QStringLiteral(u"\u00D7") << QStringLiteral(u"\u00F7");
        QTest::newRow("pl") << "pl" << QStringLiteral(u"\u00B7") << ":";
        QTest::newRow("id") << "id" << QStringLiteral(u"\u00D7") << ":";
        QTest::newRow("vi") << "vi" << QStringLiteral(u"\u00D7") << ":";
        for (const char* language : {"sw", "zh_CN", "hi", "bn"})
            QTest::newRow(language)
                << language << QStringLiteral(u"\u00D7") << QStringLiteral(u"\u00F7");
    }
    void signsAreShownInTheChildsScript()
    {
        QFETCH(QString, language);
        QFETCH(QString, times);
        QFETCH(QString, divided);
        const PlayerLanguage player(language);
        Form2Controls& menu = Form2::get().ui();
        for (int kind : {2, 3}) {
            menu.Option1[kind]->select();
            Form1Controls& c = startRace();
            const QString sign = kind == 2 ? "*" : "/";
            QCOMPARE(c.Label3->caption(), sign);
            QCOMPARE(c.Label3->text(), kind == 2 ? times : divided);
            QCOMPARE(QAccessible::queryAccessibleInterface(c.Label3)->text(QAccessible::Name),
                     c.Label3->text());
            const float before = c.Image2->left();
            QTest::keyClicks(c.Text1, answerOnScreen());
            QTest::keyClick(c.Text1, Qt::Key_Return);
            QCOMPARE(c.Image2->left(), before + 480.0f);
            QCOMPARE(c.Label3->caption(), sign);
            Form1::get().unload();
        }
    }

    // A right answer of 1000 or more, grouped as the child's school writes it, moves the ball; a
    // decimal number is no grouped whole number.
    void groupedAnswersCount_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("right");
        QTest::newRow("fr, narrow no-break space") << "fr" << QStringLiteral(u"1\u202F512") << true;
        QTest::newRow("fr, space") << "fr"
                                   << "1 512" << true;
        QTest::newRow("de, point") << "de"
                                   << "1.512" << true;
        QTest::newRow("de, no-break space") << "de" << QStringLiteral(u"1\u00A0512") << true;
        QTest::newRow("pt_BR, point") << "pt_BR"
                                      << "1.512" << true;
        QTest::newRow("de_CH, apostrophe") << "de_CH"
                                           << "1'512" << true;
        QTest::newRow("de, decimal") << "de"
                                     << "1,512" << false;
        QTest::newRow("fr, point") << "fr"
                                   << "1.512" << false;
        QTest::newRow("de, wrong grouping") << "de"
                                            << "15.12" << false;
    }
    void groupedAnswersCount()
    {
        QFETCH(QString, language);
        QFETCH(QString, answer);
        QFETCH(bool, right);
        const PlayerLanguage player(language);
        Form1Controls& c = startRace();
        c.Label3->setCaption("+");
        c.Label1->setCaption("1000");
        c.Label2->setCaption("512");
        typeText(c.Text1, answer);
        QCOMPARE(c.Text1->text(), answer);
        QTest::keyClick(c.Text1, Qt::Key_Return);
        QCOMPARE(c.Image2->left(), right ? 600.0f : 120.0f);
        QCOMPARE(c.window->backColor() == QColor(255, 0, 0), !right);
    }

    // The messages about records that cannot be read or saved tell the child which button to
    // press, by the name the button has in that language.
    void recordMessagesNameTheRealButtons_data() { languageRows(false); }
    void recordMessagesNameTheRealButtons()
    {
        QFETCH(QString, language);
        const PlayerLanguage player(language);
        const auto button = [](const char* text) {
            return QCoreApplication::translate("QPlatformTheme", text).remove('&');
        };
        const QString atExit = QCoreApplication::translate(
            "Form2", "Retry when the problem is solved, or discard the records of this game.");
        QVERIFY2(atExit.contains(button("Retry")) && atExit.contains(button("Discard")),
                 qPrintable(atExit));
        const QString afterWin = QCoreApplication::translate(
            "Form2", "You can go on playing: the game tries again after your next win and when "
                     "you leave.");
        QVERIFY2(afterWin.contains(button("OK")), qPrintable(afterWin));
        const QString atStart = QCoreApplication::translate(
            "Records", "Numblaze could not read your records in %1 (%2). You can play, starting "
                       "from the first records, but that file is left as it is and today's "
                       "records will not be saved in it.");
        QVERIFY2(atStart.contains(button("OK")), qPrintable(atStart));
    }

    void everyCaptionFitsItsControl_data() { languageRows(true); }
    void everyCaptionFitsItsControl()
    {
        QFETCH(QString, language);
        const PlayerLanguage player(language);
        // A four-digit record against the first opponent, the largest a file may hold (eight
        // digits) against the second.
        const QByteArray largest = QByteArray::number(LargestRecord, 'f', 0);
        QVERIFY(put(progressFile(), "1234\r\n" + largest + "\r\n" +
                                        QByteArray("5\r\n").repeated(10) + "0\r\n0\r\n"));
        Form2Controls& m = Form2::get().ui();
        for (PushButton* button : {m.Command1, m.Command4, m.Command2})
            QVERIFY2(button->fontMetrics().horizontalAdvance(button->caption()) <=
                         button->width() - 8,
                     qPrintable(button->caption()));
        for (OptionButton* option : m.Option1) {
            QStyleOptionButton look;
            look.initFrom(option);
            look.text = option->text();
            const QRect room =
                option->style()->subElementRect(QStyle::SE_RadioButtonContents, &look, option);
            QVERIFY2(option->fontMetrics().horizontalAdvance(option->text()) <= room.width(),
                     qPrintable(option->text()));
        }
        QVERIFY(m.Frame1->fontMetrics().horizontalAdvance(m.Frame1->title()) + 12 <=
                m.Frame1->width());
        // The heading wraps onto two lines at most, as "Race" and "against:" do.
        const QFontMetrics headingFont = m.Label1->fontMetrics();
        const QRect heading = headingFont.boundingRect(QRect(0, 0, m.Label1->width(), 1000),
                                                       Qt::TextWordWrap, m.Label1->caption());
        QVERIFY2(heading.width() <= m.Label1->width() &&
                     heading.height() <= 2 * headingFont.lineSpacing(),
                 qPrintable(m.Label1->caption()));
        const int width = m.window->width();
        for (Label* name : m.Label2)
            QVERIFY2(name->geometry().left() >= 0 && name->geometry().right() < width &&
                         name->fontMetrics().horizontalAdvance(name->text()) <= name->width(),
                     qPrintable(name->caption()));
        // The record label grows from its design right edge towards the design's left (mirrored,
        // from its left edge rightwards): clear of "Exit" with four digits, within the window
        // with eight.
        const bool mirrored = m.window->isRightToLeft();
        for (int opponent : {0, 1}) {
            m.Option2[opponent]->select();
            const QRect record = m.Label3->geometry();
            QVERIFY(m.Label3->caption().contains(opponent == 0 ? "1234" : largest));
            QCOMPARE(mirrored ? width - record.left() : record.right() + 1, pixels(6885));
            QVERIFY(m.Label3->fontMetrics().horizontalAdvance(m.Label3->text()) <= record.width());
            const QRect exit = m.Command2->geometry();
            const int clearOfExit =
                mirrored ? exit.left() - record.right() : record.left() - exit.right();
            QVERIFY2(record.left() >= 0 && record.right() < width &&
                         (opponent != 0 || clearOfExit >= 0),
                     qPrintable(m.Label3->caption()));
        }

        // The Hall of Fame's title and row titles fit their places, across and up and down: a
        // script's taller letters are not cut by the row.
        Form3Controls& h = Form3::get().ui();
        h.window->grab(); // the title is fitted as the window is first drawn
        for (Label* title :
             {h.Label5, h.rowTitles[0], h.rowTitles[1], h.rowTitles[2], h.rowTitles[3]}) {
            const QFontMetrics letters = title->fontMetrics();
            QVERIFY2(letters.horizontalAdvance(title->text()) <= title->width() &&
                         letters.tightBoundingRect(title->text()).height() <= title->height(),
                     qPrintable(title->caption()));
        }

        // The status button may take two lines, as the English racing text does.
        PushButton* status = Form1::get().ui().Command1;
        const QRect face = status->rect().adjusted(4, 2, -4, -2);
        for (const RaceText& phase : {Form1::Racing, Form1::Won, Form1::Lost})
            QVERIFY2(fitsTwoLines(status->fontMetrics(), phase(), face.width(), face.height()),
                     qPrintable(phase()));
    }

    // Every caption's letters stand whole in their control, measured on the screens as drawn: no
    // letter, mark above a letter or tail below it is cut by the control's edge (the stacked marks
    // of Vietnamese, the dots under its letters, the tall letters and marks of other scripts). Each
    // control's ink is as tall and as wide as the same lines drawn with nothing to cut them, but
    // for a row of the softened edge.
    void lettersStandWholeInTheirControls_data() { languageRows(true); }
    void lettersStandWholeInTheirControls()
    {
        QFETCH(QString, language);
        const PlayerLanguage player(language);
        struct Seen {
            QWidget* control;
            QRect area;
            QStringList lines;
            int wrapWidth = 0;
        };
        QList<Seen> seen;
        const auto single = [&seen](QWidget* control, const QString& text) {
            seen.append({control, control->rect(), {text}});
        };
        Form2Controls& m = Form2::get().ui();
        m.window->show();
        m.window->setFocus(); // no focus mark on a button
        for (Label* name : m.Label2)
            single(name, name->text());
        single(m.Label3, m.Label3->text());
        seen.append({m.Label1, m.Label1->rect(), {m.Label1->text()}, m.Label1->width()});
        // Inside the buttons' bevels.
        for (PushButton* button : {m.Command1, m.Command4, m.Command2})
            seen.append({button, button->rect().adjusted(2, 2, -2, -2), {button->text()}});
        const QFontMetrics frameFont = m.Frame1->fontMetrics();
        QRect title(8, 0, frameFont.horizontalAdvance(m.Frame1->title()) + 4, frameFont.height());
        if (m.Frame1->isRightToLeft())
            title.moveRight(m.Frame1->width() - 1 - 8);
        seen.append({m.Frame1, title, {m.Frame1->title()}});
        for (OptionButton* option : m.Option1) {
            QStyleOptionButton look;
            look.initFrom(option);
            look.text = option->text();
            seen.append(
                {option,
                 option->style()->subElementRect(QStyle::SE_RadioButtonContents, &look, option),
                 {option->text()}});
        }
        Form3Controls& h = Form3::get().ui();
        h.window->grab();
        for (Label* label :
             {h.Label5, h.rowTitles[0], h.rowTitles[1], h.rowTitles[2], h.rowTitles[3]})
            single(label, label->text());
        const auto measure = [&seen] {
            for (const Seen& s : seen) {
                const QImage shot =
                    s.control->grab().toImage().convertToFormat(QImage::Format_RGB32);
                const QColor text = s.control->palette().color(s.control->foregroundRole());
                const QRect ink = inkIn(shot, s.area, text);
                const QSize whole = inkSize(s.control->font(), s.lines, s.wrapWidth, text,
                                            backgroundOf(shot, s.area));
                QVERIFY2(ink.height() + 1 >= whole.height() && ink.width() + 1 >= whole.width(),
                         qPrintable(QStringLiteral("%1: ink %2 by %3 pixels of %4 by %5 in %6")
                                        .arg(s.lines.join(u' '))
                                        .arg(ink.width())
                                        .arg(ink.height())
                                        .arg(whole.width())
                                        .arg(whole.height())
                                        .arg(s.control->objectName())));
            }
        };
        measure();
        if (QTest::currentTestFailed())
            return;

        // The race's status button in each phase, its focus mark off.
        seen.clear();
        Form1Controls& c = startRace();
        c.window->setFocus();
        const QRect face = c.Command1->rect().adjusted(4, 2, -4, -2);
        for (const RaceText& phase : {Form1::Racing, Form1::Won, Form1::Lost}) {
            c.Command1->setCaption(phase());
            seen = {{c.Command1, c.Command1->rect().adjusted(2, 2, -2, -2),
                     buttonLines(c.Command1->fontMetrics(), phase(), face.width())}};
            measure();
        }
    }

    // The go banner says the word the race says as it starts ("Los!", "LOS!!!") in the language's
    // own capitals: a Turkish "i" is "İ" in capitals, never the English "I".
    void goBannerSaysTheSpokenWordInCapitals_data() { languageRows(true); }
    void goBannerSaysTheSpokenWordInCapitals()
    {
        QFETCH(QString, language);
        const auto letters = [](const QString& text) {
            QString only;
            for (const QChar c : text)
                if (c.isLetter() || c.isMark())
                    only += c;
            return only;
        };
        const QString spoken = Translations::forLanguage(language).translate("Form1", "Go! %1.");
        const QString word =
            letters(spoken.section(QRegularExpression(QStringLiteral(u"[!\uFF01]")), 0, 0));
        QVERIFY(!word.isEmpty());
        const auto* banner = std::find_if(
            std::begin(banners::bannerWords), std::end(banners::bannerWords),
            [&language](const banners::BannerWords& words) {
                return QLatin1String(words.language) == (language == "en" ? QString() : language);
            });
        QVERIFY(banner != std::end(banners::bannerWords));
        QCOMPARE(letters(QString::fromUtf8(banner->go)), QLocale(language).toUpper(word));
    }

    // The race, the record line, the Hall of Fame and the countdown show numbers in the digits
    // the child's school writes; the captions the handlers read keep the game's own, and a
    // reader hears what is shown.
    void numbersAreShownInTheChildsDigits_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("digits"); // 0 to 9 as the language's schools write them
        QTest::newRow("en") << "en"
                            << "0123456789";
        for (const QString& language : Languages)
            QTest::newRow(qPrintable(language))
                << language
                << (language == "ar"
                        ? QStringLiteral(u"\u0660\u0661\u0662\u0663\u0664\u0665\u0666\u0667"
                                         u"\u0668\u0669")
                    : language == "fa"
                        ? QStringLiteral(u"\u06F0\u06F1\u06F2\u06F3\u06F4\u06F5\u06F6\u06F7"
                                         u"\u06F8\u06F9")
                    : language == "bn"
                        ? QStringLiteral(u"\u09E6\u09E7\u09E8\u09E9\u09EA\u09EB\u09EC\u09ED"
                                         u"\u09EE\u09EF")
                        : QString("0123456789"));
    }
    void numbersAreShownInTheChildsDigits()
    {
        QFETCH(QString, language);
        QFETCH(QString, digits);
        const auto written = [&digits](QString number) {
            for (QChar& c : number)
                c = digits[c.digitValue()];
            return number;
        };
        QVERIFY(put(progressFile(), "1234\r\n" + QByteArray("5\r\n").repeated(11) + "0\r\n0\r\n"));
        const PlayerLanguage player(language);
        Form2Controls& menu = Form2::get().ui();
        QVERIFY(menu.Label3->caption().contains("1234"));
        QVERIFY2(menu.Label3->text().contains(written("1234")), qPrintable(menu.Label3->text()));

        QTest::mouseClick(menu.Command1, Qt::LeftButton);
        Form1Controls& c = Form1::get().ui();
        QCOMPARE(c.Command1->caption(), QStringLiteral("3"));
        QVERIFY(c.Command1->text().contains(written("3")));
        for (int tick = 0; tick < 3; ++tick)
            Form1::get().Timer1_Timer();
        c.Label1->setCaption("1207");
        c.Label2->setCaption("58");
        QCOMPARE(c.Label1->caption(), QStringLiteral("1207"));
        QCOMPARE(c.Label1->text(), written("1207"));
        QCOMPARE(c.Label2->text(), written("58"));
        QCOMPARE(QAccessible::queryAccessibleInterface(c.Label1)->text(QAccessible::Name),
                 c.Label1->text());
        // The child answers in the digits it sees.
        typeText(c.Text1, written("1265"));
        QTest::keyClick(c.Text1, Qt::Key_Return);
        QCOMPARE(c.Image2->left(), 600.0f);
        Form1::get().unload();

        Label* cell = Form3::get().ui().Label6[0];
        cell->setCaption("1234");
        QCOMPARE(cell->text(), written("1234"));
        QCOMPARE(cell->caption(), QStringLiteral("1234"));
    }

    // Each language's texts are drawn by a font installed for them, in every font of the
    // screens: none of their characters is an empty box. Latin, Greek and Cyrillic texts keep
    // the design's faces and their stand-ins; other scripts are drawn in the Noto font made for
    // them, upright and at their own spacing.
    void everyTextHasAFontThatDrawsIt_data() { languageRows(true); }
    void everyTextHasAFontThatDrawsIt()
    {
        QFETCH(QString, language);
        const PlayerLanguage player(language);
        QStringList texts;
        const QList<Message> messages =
            messagesOf(QStringLiteral(NUMBLAZE_SOURCE_DIR "/translations/numblaze_%1.ts")
                           .arg(language == "en" ? "de" : language));
        QVERIFY(!messages.isEmpty());
        for (const Message& m : messages)
            texts << (language == "en" ? m.source : m.translation);
        texts << school::digits("0123456789");
        const bool designFaces = language == "en" || inDesignFaces(language);
        const QStringList designFamilies = {"ocra",        "ocrabold",        "dejavu sans mono",
                                            "dejavu sans", "liberation sans", "liberation serif",
                                            "dejavu serif"};
        const QFont fonts[] = {
            designFont("OCR A Extended", 9.75),     designFont("OCR A Extended", 12),
            designFont("OCR A Extended", 12, true), designFont("OCR A Extended", 14.25),
            designFont("MS Sans Serif", 24),        designFont("Narkisim", 39.75, false, true)};
        for (const QFont& font : fonts) {
            QCOMPARE(font.italic(), designFaces && font.pixelSize() == 53);
            if (!designFaces)
                QCOMPARE(font.letterSpacing(), 0.0);
            for (const QString& text : texts) {
                QTextLayout layout(text, font);
                layout.beginLayout();
                layout.createLine();
                layout.endLayout();
                for (const QGlyphRun& run : layout.glyphRuns()) {
                    const QString family = run.rawFont().familyName().toLower();
                    const QString what = family + ": " + text;
                    QVERIFY2(!run.glyphIndexes().contains(0), qPrintable("empty box in " + what));
                    if (designFaces)
                        QVERIFY2(designFamilies.contains(family), qPrintable(what));
                    else
                        QVERIFY2(family.startsWith("noto"), qPrintable(what));
                }
            }
        }
    }

    // The messages about the records name their buttons as the buttons show them, also on a
    // system without Qt's own translations: the game's translation names the buttons then.
    void messageButtonsSpeakTheLanguageWithoutQtsTranslations_data() { languageRows(false); }
    void messageButtonsSpeakTheLanguageWithoutQtsTranslations()
    {
        QFETCH(QString, language);
        const PlayerLanguage player(language, Translations::QtTexts::None);
        QVERIFY(!player.translations.isEmpty());
        QString ours[3];
        for (const Message& m : messagesOf(
                 QStringLiteral(NUMBLAZE_SOURCE_DIR "/translations/numblaze_%1.ts").arg(language)))
            if (m.context == "QPlatformTheme")
                ours[m.source == "OK" ? 0 : m.source == "Retry" ? 1 : 2] = m.translation;
        // The records cannot be read (Progress.txt is a folder): a message with OK at the start.
        QVERIFY(QDir(folder_.path()).mkdir("Progress.txt"));
        QStringList shown;
        QString message;
        // Answers the next message box as it opens, noting its text and its buttons' texts.
        const auto answer = [&](QList<QMessageBox::StandardButton> buttons, Qt::Key key) {
            auto* poll = new QTimer(this);
            connect(poll, &QTimer::timeout, poll, [&shown, &message, buttons, key, poll] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (!box)
                    return;
                poll->deleteLater();
                message = box->text();
                for (QMessageBox::StandardButton b : buttons)
                    shown << box->button(b)->text();
                QTest::keyClick(box, key);
            });
            poll->start(10);
        };
        answer({QMessageBox::Ok}, Qt::Key_Return);
        Form2Controls& m = Form2::get().ui();
        QVERIFY(QTest::qWaitFor([&shown] { return !shown.isEmpty(); }, Patience));
        QCOMPARE(shown, QStringList{ours[0]});
        QVERIFY2(message.contains(QString(ours[0]).remove('&')), qPrintable(message));
        // Leaving cannot save there either: Retry and Discard; Escape goes back to the game.
        shown.clear();
        answer({QMessageBox::Retry, QMessageBox::Discard}, Qt::Key_Escape);
        QTest::mouseClick(m.Command2, Qt::LeftButton);
        QCOMPARE(shown, (QStringList{ours[1], ours[2]}));
        for (const QString& button : shown) {
            QVERIFY(button != "Retry" && button != "Discard");
            QVERIFY2(message.contains(QString(button).remove('&')), qPrintable(message));
        }
        QVERIFY(Form2::get().isLoaded());
    }

    // Where Qt has its own translation of a Qt text the game translates too (the message
    // buttons, the answer box's menu, the options' heading in --help), the game's says the same,
    // so that the texts read alike with Qt's translations and without them.
    void qtsTextsAgreeWithQtsTranslations_data() { languageRows(false); }
    void qtsTextsAgreeWithQtsTranslations()
    {
        QFETCH(QString, language);
        QTranslator qt;
        if (!qt.load("qtbase_" + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QSKIP("Qt has no translation of its own for this language here");
        const Translations game = Translations::forLanguage(language, Translations::QtTexts::None);
        for (const char* button : {"OK", "Retry", "Discard"})
            QCOMPARE(game.translate("QPlatformTheme", button),
                     qt.translate("QPlatformTheme", button));
        for (const Message& m :
             messagesOf(QStringLiteral(NUMBLAZE_SOURCE_DIR "/translations/numblaze_%1.ts")
                            .arg(language))) {
            const QString qts = qt.translate(qPrintable(m.context), qPrintable(m.source));
            if (m.context.startsWith(u'Q') && m.context != "QGuiApplication" && !qts.isEmpty())
                QCOMPARE(m.translation, qts);
        }
    }

    // The answer box's menu (a right click) names its commands in the player's language, also on
    // a system without Qt's translations or where Qt has none for the language.
    void answerBoxMenuSpeaksTheLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("withQtsTranslations");
        for (const QString& language : Languages)
            for (const bool withQt : {true, false})
                QTest::addRow("%s, %s", qPrintable(language), withQt ? "Qt's" : "no Qt's")
                    << language << withQt;
    }
    void answerBoxMenuSpeaksTheLanguage()
    {
        QFETCH(QString, language);
        QFETCH(bool, withQtsTranslations);
        const PlayerLanguage player(language, withQtsTranslations
                                                  ? Translations::QtTexts::FromSystem
                                                  : Translations::QtTexts::None);
        Form1Controls& c = startRace();
        const std::unique_ptr<QMenu> menu(c.Text1->createStandardContextMenu());
        QStringList commands;
        for (const QAction* action : menu->actions())
            if (!action->isSeparator())
                commands << action->text().section(u'\t', 0, 0);
        QVERIFY(commands.size() >= 7);
        for (const QString& command : commands)
            QVERIFY2(
                !QStringList({"&Undo", "&Redo", "Cu&t", "&Copy", "&Paste", "Delete", "Select All"})
                     .contains(command),
                qPrintable(command));
    }

    // --help speaks the player's language from its first line to the options' heading, also where
    // Qt has no translation of its own for it.
    void helpSpeaksThePlayersLanguage_data() { languageRows(false); }
    void helpSpeaksThePlayersLanguage()
    {
        QFETCH(QString, language);
        const Translations game = Translations::forLanguage(language);
        QProcess help;
        QProcessEnvironment system = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
            system.remove(name);
        system.insert("LANG", language + ".UTF-8");
        help.setProcessEnvironment(system);
        help.start(NUMBLAZE_PROGRAM, {"--help"});
        QVERIFY(help.waitForFinished(20000));
        const QStringList lines = QString::fromUtf8(help.readAllStandardOutput()).split(u'\n');
        QCOMPARE(lines.value(0),
                 game.translate("CommandLine", "Usage: %1 [options]").arg("numblaze"));
        const QString heading = game.translate("QCommandLineParser", "Options:");
        QVERIFY(heading != "Options:");
        QVERIFY2(lines.contains(heading), qPrintable(lines.join(u'\n')));
    }

    // Each language's punctuation as its schools teach it, in the game's texts, the menu entry and
    // the software centres' description.
    void punctuationFollowsTheLanguage_data() { languageRows(false); }
    void punctuationFollowsTheLanguage()
    {
        QFETCH(QString, language);
        QTranslator qt;
        // Not every language has Qt's: then every text is the game's.
        [[maybe_unused]] const bool loaded =
            qt.load("qtbase_" + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        QStringList texts;
        for (const Message& m : messagesOf(
                 QStringLiteral(NUMBLAZE_SOURCE_DIR "/translations/numblaze_%1.ts").arg(language)))
            // Qt's own words, as Qt's translation of the language has them, are left alone.
            if (m.context != "QGuiApplication" && m.context != "Translations" &&
                qt.translate(qPrintable(m.context), qPrintable(m.source)) != m.translation)
                texts << m.translation;
        const QString entry = fileText(NUMBLAZE_SOURCE_DIR "/dist/numblaze.desktop");
        for (const char* key : {"GenericName", "Comment"})
            texts << entryValue(entry, key + ("[" + language + "]"));
        QXmlStreamReader metainfo(
            fileText(NUMBLAZE_SOURCE_DIR "/dist/io.github.numblaze.Numblaze.metainfo.xml"));
        while (!metainfo.atEnd())
            if (metainfo.readNext() == QXmlStreamReader::StartElement &&
                metainfo.attributes().value("xml:lang") == language)
                // Line breaks and indents fold to one space; no-break spaces stay.
                texts << metainfo.readElementText()
                             .replace(QRegularExpression("[ \\n]+"), " ")
                             .trimmed();
        QVERIFY(texts.size() > 100);
        for (const QString& text : texts) {
            // A sign alone (":" for division) is no sentence.
            if (std::none_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); }))
                continue;
            const QString broken = punctuationMistake(language, text);
            QVERIFY2(broken.isEmpty(), qPrintable(broken + " in: " + text));
        }
    }

    void progressFileIsTheSameInEveryLanguage()
    {
        // Four digits: a record written with the locale's digit grouping would read as another.
        QVERIFY(put(progressFile(), QByteArray("1234\r\n").repeated(12) + "0\r\n0\r\n"));
        {
            const PlayerLanguage german("de");
            Form2Controls& m = Form2::get().ui();
            m.Option1[2]->select();
            m.Option2[1]->select();
            startRace();
            Form1::get().Win();
            QTest::keyClick(Form1::get().ui().window, Qt::Key_Return);
            QTest::mouseClick(m.Command2, Qt::LeftButton);
        }
        const QByteArray written = contents(progressFile());
        QCOMPARE(written, QByteArray("1234\r\n").repeated(7) + "1235\r\n" +
                              QByteArray("1234\r\n").repeated(4) + "2\r\n1\r\n");
        for (const char* language : {"en", "fr"}) {
            discardAllScreens();
            playWithRecordsIn(folder_.path());
            const PlayerLanguage player(QString::fromLatin1(language));
            Form2Controls& m = Form2::get().ui();
            QCOMPARE(Form2::get().Active_Math.toNumber(), 2.0);
            QCOMPARE(Form2::get().Active_Difficulty.toNumber(), 1.0);
            QCOMPARE(Form2::get().record(2, 1).toNumber(), 1235.0);
            QVERIFY(m.Label3->caption().contains("1235"));
            QTest::mouseClick(m.Command2, Qt::LeftButton);
            QCOMPARE(contents(progressFile()), written);
        }
    }

    void translationsAreComplete_data() { languageRows(false); }
    void translationsAreComplete()
    {
        QFETCH(QString, language);
        const QList<Message> messages = messagesOf(
            QStringLiteral(NUMBLAZE_SOURCE_DIR "/translations/numblaze_%1.ts").arg(language));
        QVERIFY(messages.size() > 60);
        const Translations built = Translations::forLanguage(language);
        for (const Message& m : messages) {
            const QString what = m.context + ": " + m.source;
            QVERIFY2(m.type.isEmpty() && !m.translation.isEmpty(), qPrintable(what));
            QVERIFY2(placeholders(m.translation) == placeholders(m.source), qPrintable(what));
            // The program carries this very translation.
            QCOMPARE(built.translate(qPrintable(m.context), qPrintable(m.source)), m.translation);
        }
        QCOMPARE(built.translate("Translations", "en"), language);

        // The menu entry and the software centres' description speak the language too, and say
        // what the game's own help says of it.
        const QString entry = fileText(NUMBLAZE_SOURCE_DIR "/dist/numblaze.desktop");
        for (const char* key : {"Name", "GenericName", "Comment", "Keywords"})
            QVERIFY2(!entryValue(entry, key + ("[" + language + "]")).isEmpty(), key);
        const QString comment = entryValue(entry, "Comment[" + language + "]");
        // The help's sentence without its full stop: "." or the script's own, "。" or "।".
        const QString sentence =
            built.translate("CommandLine", "Race the computer with mental arithmetic.");
        QVERIFY2(QStringLiteral(u".\u3002\u0964").contains(sentence.back()), qPrintable(sentence));
        QCOMPARE(comment, sentence.chopped(1));
        const QString metainfo =
            fileText(NUMBLAZE_SOURCE_DIR "/dist/io.github.numblaze.Numblaze.metainfo.xml");
        QVERIFY(metainfo.contains(
            QStringLiteral("<summary xml:lang=\"%1\">%2</summary>").arg(language, comment)));
        // One translation for each paragraph of the description.
        QCOMPARE(metainfo.count(QStringLiteral("<p xml:lang=\"%1\">").arg(language)),
                 metainfo.section("</description>", 0, 0).count("<p>"));
    }

    void programSpeaksThePlayersLanguage_data()
    {
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<QString>("usage"); // the first line of the help
        const QString english = "Usage: numblaze [options]";
        const QString german = "Aufruf: numblaze [Optionen]";
        QTest::newRow("German") << QStringList{"LANG=de_DE.UTF-8"} << german;
        QTest::newRow("Brazilian") << QStringList{"LANG=pt_BR.UTF-8"} << "Uso: numblaze [opções]";
        QTest::newRow("C") << QStringList{"LANG=C"} << english;
        QTest::newRow("C ignores LANGUAGE") << QStringList{"LANG=C", "LANGUAGE=de"} << english;
        QTest::newRow("English") << QStringList{"LANG=en_GB.UTF-8"} << english;
        QTest::newRow("English first")
            << QStringList{"LANG=de_DE.UTF-8", "LANGUAGE=en:de"} << english;
        QTest::newRow("first one spoken") << QStringList{"LANG=de_DE.UTF-8", "LANGUAGE=nl:fr:de"}
                                          << QString("Utilisation\u00a0: numblaze [options]");
        QTest::newRow("LC_ALL first")
            << QStringList{"LANG=de_DE.UTF-8", "LC_ALL=it_IT.UTF-8"} << "Uso: numblaze [opzioni]";
        QTest::newRow("unknown") << QStringList{"LANG=nl_NL.UTF-8"} << english;
        // A language spoken in another country than the translation's takes that translation.
        QTest::newRow("Portuguese of Portugal")
            << QStringList{"LANG=pt_PT.UTF-8"} << "Uso: numblaze [opções]";
        QTest::newRow("Portuguese, no country")
            << QStringList{"LANG=de_DE.UTF-8", "LANGUAGE=pt"} << "Uso: numblaze [opções]";
        QTest::newRow("Austrian German") << QStringList{"LANG=de_AT.UTF-8"} << german;
        const QString russian = QStringLiteral("Использование: numblaze [параметры]");
        QTest::newRow("Russian") << QStringList{"LANG=ru_RU.UTF-8"} << russian;
        QTest::newRow("Russian of Ukraine") << QStringList{"LANG=ru_UA.UTF-8"} << russian;
        QTest::newRow("Turkish") << QStringList{"LANG=tr_TR.UTF-8"}
                                 << QStringLiteral("Kullanım: numblaze [seçenekler]");
        QTest::newRow("Bengali of India")
            << QStringList{"LANG=bn_IN.UTF-8"} << QStringLiteral("ব্যবহার: numblaze [অপশন]");
        QTest::newRow("Swahili of Kenya")
            << QStringList{"LANG=sw_KE.UTF-8"} << QStringLiteral("Matumizi: numblaze [chaguo]");
        // Chinese in the simplified characters wherever children learn those; not where they
        // learn the traditional ones, unless the player's languages name it.
        const QString chinese = QStringLiteral("用法：numblaze [选项]");
        QTest::newRow("Chinese") << QStringList{"LANG=zh_CN.UTF-8"} << chinese;
        QTest::newRow("Chinese of Singapore") << QStringList{"LANG=zh_SG.UTF-8"} << chinese;
        QTest::newRow("Chinese, no country")
            << QStringList{"LANG=de_DE.UTF-8", "LANGUAGE=zh"} << chinese;
        QTest::newRow("Chinese of Taiwan") << QStringList{"LANG=zh_TW.UTF-8"} << english;
        QTest::newRow("Chinese of Hong Kong") << QStringList{"LANG=zh_HK.UTF-8"} << english;
        QTest::newRow("Chinese of Macau") << QStringList{"LANG=zh_MO.UTF-8"} << english;
        QTest::newRow("traditional Chinese, then simplified")
            << QStringList{"LANG=zh_TW.UTF-8", "LANGUAGE=zh_TW:zh_CN"} << chinese;
        QTest::newRow("Arabic") << QStringList{"LANG=ar_EG.UTF-8"}
                                << QStringLiteral(
                                       u"\u0627\u0644\u0627\u0633\u062A\u062E\u062F\u0627\u0645: "
                                       u"numblaze [\u062E\u064A\u0627\u0631\u0627\u062A]");
        QTest::newRow("Hebrew") << QStringList{"LANG=he_IL.UTF-8"}
                                << QStringLiteral(
                                       u"\u05E9\u05D9\u05DE\u05D5\u05E9: numblaze "
                                       u"[\u05D0\u05E4\u05E9\u05E8\u05D5\u05D9\u05D5\u05EA]");
        QTest::newRow("Persian")
            << QStringList{"LANG=fa_IR.UTF-8"}
            << QStringLiteral(u"\u0637\u0631\u0632 \u0627\u0633\u062A\u0641\u0627\u062F\u0647: "
                              u"numblaze [\u06AF\u0632\u06CC\u0646\u0647\u200C\u0647\u0627]");
    }
    void programSpeaksThePlayersLanguage()
    {
        QFETCH(QStringList, environment);
        QFETCH(QString, usage);
        QProcess game;
        QProcessEnvironment system = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LANG", "LANGUAGE", "LC_ALL", "LC_MESSAGES"})
            system.remove(name);
        for (const QString& setting : environment)
            system.insert(setting.section('=', 0, 0), setting.section('=', 1));
        game.setProcessEnvironment(system);
        game.start(NUMBLAZE_PROGRAM, {"--help"});
        QVERIFY(game.waitForFinished(20000));
        QCOMPARE(game.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(game.readAllStandardOutput()).section('\n', 0, 0), usage);
    }
};

QTEST_MAIN(LanguagesTest)
#include "test_languages.moc"
