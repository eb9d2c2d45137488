// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The screens right to left: under Arabic, Hebrew and Persian every screen is the mirror image of
// its design (the controls' places, the track and its finish line, the balls' way, the Hall of
// Fame's columns), each equation reads the way the language's schools write it, and a race is
// won by keyboard; every left-to-right language keeps the design's places, and one mirrored by
// Qt's -reverse keeps its texts' reading.
#include "halloffame/form3.h"
#include "menu/form2.h"
#include "race/form1.h"
#include "tests/screens/language.h"
#include "tests/screens/racing.h"
#include "tests/support.h"

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <map>

using namespace numblaze;
using namespace numblaze::testing;

namespace
{
const QColor Grey(120, 120, 120), Yellow(255, 242, 0);

QWidget* windowOf(const QString& screen)
{
    if (screen == "Form1")
        return Form1::get().ui().window;
    return screen == "Form2" ? static_cast<QWidget*>(Form2::get().ui().window)
                             : Form3::get().ui().window;
}

/// Every control of a screen by its design name, with its place in its container.
std::map<QString, QRect> placesOf(const QString& screen)
{
    std::map<QString, QRect> places;
    for (const QWidget* control : windowOf(screen)->findChildren<QWidget*>())
        if (!control->objectName().isEmpty() && !control->objectName().startsWith("qt_"))
            places[control->objectName()] = control->geometry();
    return places;
}

/// The place mirrored in a container `width` pixels wide.
QRect mirrored(QRect place, int width)
{
    return QRect(width - place.x() - place.width(), place.y(), place.width(), place.height());
}

/// The controls of the race screen's equation, in the order it reads.
const QStringList EquationRow = {"Shape3", "Label1", "Label3", "Shape2",
                                 "Label2", "Label4", "Shape1", "Text1"};

/// The columns of the track picture's chequered finish band, as the picture is drawn.
QList<int> finishBand(const QImage& track)
{
    QList<int> columns;
    for (int x = 0; x < track.width(); ++x) {
        const QColor top = track.pixelColor(x, 2);
        if (top == Qt::black || top == Qt::white)
            columns << x;
    }
    return columns;
}

Form1Controls& startRace(const QString& sign = QStringLiteral("+"))
{
    launch(sign, Loose(5), 25);
    for (int tick = 0; tick < 3; ++tick)
        Form1::get().Timer1_Timer();
    return race();
}
} // namespace

class MirrorTest : public QObject
{
    Q_OBJECT
    QTemporaryDir folder_;

  private slots:
    void init() { playWithRecordsIn(folder_.path()); }
    void cleanup()
    {
        discardAllScreens();
        QGuiApplication::setLayoutDirection(Qt::LayoutDirectionAuto);
    }

    // Each control stands where the design's mirror image puts it: as far from its container's
    // right edge as the design has it from the left, at the same height and size. A label sized
    // to its text keeps the mirror of the edge the design keeps. Arabic schools write an
    // equation from right to left, so its row is mirrored with the screen; Hebrew and Persian
    // ones from left to right, so the row keeps its order within its mirrored span.
    void everyControlStandsAtItsMirrorImage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("screen");
        QTest::addColumn<bool>("equationMirrored");
        for (const char* language : {"ar", "he", "fa"})
            for (const char* screen : {"Form1", "Form2", "Form3"})
                QTest::addRow("%s, %s", language, screen)
                    << QString(language) << QString(screen) << (QString(language) == "ar");
    }
    void everyControlStandsAtItsMirrorImage()
    {
        QFETCH(QString, language);
        QFETCH(QString, screen);
        QFETCH(bool, equationMirrored);
        const std::map<QString, QRect> design = placesOf(screen);
        const int designWidth = windowOf(screen)->width();
        discardAllScreens();
        playWithRecordsIn(folder_.path());

        const PlayerLanguage player(language);
        QWidget* window = windowOf(screen);
        QVERIFY(window->isRightToLeft());
        QCOMPARE(window->width(), designWidth);
        const std::map<QString, QRect> shown = placesOf(screen);
        QCOMPARE(shown.size(), design.size());
        // The equation row's span, mirrored.
        QRect row;
        if (screen == "Form1")
            for (const QString& name : EquationRow)
                row |= design.at(name);
        const QRect rowShown = mirrored(row, designWidth);
        for (const auto& [name, place] : design) {
            QWidget* control = window->findChild<QWidget*>(name);
            const int width = control->parentWidget()->width();
            QRect expected = mirrored(place, width);
            if (screen == "Form1" && EquationRow.contains(name) && !equationMirrored)
                expected.moveLeft(rowShown.left() + place.left() - row.left());
            QVERIFY2(shown.count(name), qPrintable(name));
            const QRect at = shown.at(name);
            const bool sizedToText =
                screen == "Form2" && (name == "Label3" || name.startsWith("Label2("));
            if (sizedToText) {
                // Sized to its text: the record line keeps the mirror of its right edge, an
                // opponent's name the mirror of its left edge.
                const bool keepsRight = name == "Label3";
                QCOMPARE(keepsRight ? at.left() : at.right(),
                         keepsRight ? expected.left() : expected.right());
                QCOMPARE(at.top(), expected.top());
                continue;
            }
            QVERIFY2(at == expected, qPrintable(QStringLiteral("%1 at %2,%3, not %4,%5")
                                                    .arg(name)
                                                    .arg(at.x())
                                                    .arg(at.y())
                                                    .arg(expected.x())
                                                    .arg(expected.y())));
        }
    }

    // A language written from left to right keeps every control where the design puts it,
    // whatever its texts, and its equations read from left to right.
    void leftToRightLanguagesKeepTheDesign_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("screen");
        for (const char* language : {"de", "fr", "es", "it", "pt_BR", "ru", "tr", "pl", "id", "vi",
                                     "sw", "zh_CN", "hi", "bn"})
            for (const char* screen : {"Form1", "Form2", "Form3"})
                QTest::addRow("%s, %s", language, screen) << QString(language) << QString(screen);
    }
    void leftToRightLanguagesKeepTheDesign()
    {
        QFETCH(QString, language);
        QFETCH(QString, screen);
        const std::map<QString, QRect> design = placesOf(screen);
        discardAllScreens();
        playWithRecordsIn(folder_.path());

        const PlayerLanguage player(language);
        QVERIFY(!windowOf(screen)->isRightToLeft());
        const std::map<QString, QRect> shown = placesOf(screen);
        QCOMPARE(shown.size(), design.size());
        for (const auto& [name, place] : design) {
            QVERIFY2(shown.count(name), qPrintable(name));
            const QRect at = shown.at(name);
            if (screen == "Form2" && (name == "Label3" || name.startsWith("Label2("))) {
                // Sized to its text: the record line keeps its right edge, a name its left edge.
                const bool keepsRight = name == "Label3";
                QCOMPARE(keepsRight ? at.right() : at.left(),
                         keepsRight ? place.right() : place.left());
                QCOMPARE(at.top(), place.top());
                continue;
            }
            QVERIFY2(at == place, qPrintable(name));
        }
    }

    // The race under Arabic: the track picture mirrored, its finish band on the left, both balls
    // starting on the right and running leftwards. A ball's Left stays the game's own count from
    // the start, which the finish test reads: at the finish line the ball is in the band.
    void raceRunsRightToLeft()
    {
        const PlayerLanguage arabic("ar");
        Form1Controls& c = startRace();
        QImage track = QImage(":/assets/track.png").convertToFormat(QImage::Format_RGB32);
        const QImage shot = c.window->grab().toImage();
        const QPoint corner = c.Picture1->mapTo(c.window, QPoint(0, 0));
        const int width = c.Picture1->width();
        QCOMPARE(width, track.width());
        // Away from the balls every pixel of the track is the picture's mirror image.
        int compared = 0;
        for (int y = 0; y < c.Picture1->height(); ++y)
            for (int x = 0; x < width; ++x) {
                const QPoint p(x, y);
                if (c.Image2->geometry().contains(p) || c.Image3->geometry().contains(p))
                    continue;
                QCOMPARE(shot.pixelColor(corner + p), track.pixelColor(width - 1 - x, y));
                ++compared;
            }
        QVERIFY(compared > 30000);
        for (int y : {40, 41, 47, 48})
            QCOMPARE(shot.pixelColor(corner + QPoint(100, y)), Yellow);
        QCOMPARE(shot.pixelColor(corner + QPoint(100, 20)), Grey);

        // The band is on the left now; the balls start at the right.
        const QList<int> band = finishBand(track);
        const int bandLeft = width - 1 - band.last(), bandRight = width - 1 - band.first();
        QVERIFY(bandRight < width / 4);
        for (Image* ball : {c.Image2, c.Image3}) {
            QCOMPARE(ball->left(), Form1::StartLine);
            QCOMPARE(ball->geometry().right(), width - 1 - pixels(Form1::StartLine));
        }
        const QColor green = shot.pixelColor(c.Image2->mapTo(c.window, QPoint(16, 16)));
        QVERIFY(green.green() > green.red() + 50 && green.green() > green.blue() + 50);

        // One right answer moves the green ball one step to the left; its Left grows.
        const int before = c.Image2->x();
        typeAndEnter(answerOnScreen());
        QCOMPARE(c.Image2->left(), Form1::StartLine + 480);
        QCOMPARE(c.Image2->x(), before - 32);
        // An opponent's tick moves its ball leftwards too.
        const int opponentBefore = c.Image3->x();
        Form1::get().Timer2_Timer();
        QVERIFY(c.Image3->x() < opponentBefore);
        // At the finish line the ball's leading edge, its left, is inside the band; a step short
        // of the line it is not yet.
        c.Image2->setLeft(Form1::FinishLine);
        QVERIFY(c.Image2->x() >= bandLeft && c.Image2->x() <= bandRight);
        c.Image2->setLeft(Form1::FinishLine - 480);
        QVERIFY(c.Image2->x() > bandRight);
    }

    // The menu under Arabic: each option circle on the right of its text, the frame's caption
    // at its top right, the first math kind at the top right of the frame.
    void menuReadsRightToLeft()
    {
        const PlayerLanguage arabic("ar");
        Form2::get().show();
        Form2Controls& c = Form2::get().ui();
        QVERIFY(c.Option1[0]->x() > c.Option1[1]->x());
        QVERIFY(c.Option2[0]->x() > c.Label2[0]->geometry().right());
        QVERIFY(c.Image3[0]->x() > c.Label2[0]->geometry().right());
        const QImage shot = c.window->grab().toImage();
        // The frame's etched line runs unbroken along the top left; the caption breaks it on the
        // right.
        const QPoint frame = c.Frame1->mapTo(c.window, QPoint(0, 0));
        const int lineY = c.Frame1->fontMetrics().height() / 2;
        const auto etched = [&](int x) {
            return shot.pixelColor(frame + QPoint(x, lineY)) == QColor(128, 128, 128);
        };
        QVERIFY(etched(20) && etched(60));
        QVERIFY(!etched(c.Frame1->width() - 20));
        // The option circle: dark ring pixels on the right of the button, none on the left.
        const auto darkIn = [&](QWidget* w, int from, int to) {
            const QPoint at = w->mapTo(c.window, QPoint(0, 0));
            int dark = 0;
            for (int x = from; x < to; ++x)
                for (int y = 0; y < w->height(); ++y)
                    dark += shot.pixelColor(at + QPoint(x, y)).lightness() < 100;
            return dark;
        };
        QWidget* option = c.Option1[0];
        QVERIFY(darkIn(option, option->width() - 14, option->width()) > 10);
        QCOMPARE(darkIn(option, 0, 3), 0);
        // The arrow keys go round the group the way it reads: left to the next button.
        c.Option1[0]->setFocus();
        QTest::keyClick(c.Option1[0], Qt::Key_Left);
        QVERIFY(c.Option1[1]->value());
        QTest::keyClick(c.Option1[1], Qt::Key_Right);
        QVERIFY(c.Option1[0]->value());
    }

    // The Hall of Fame under Arabic: the blue opponent's column on the right, the red one's on
    // the left, each row's title on the right of its records.
    void hallOfFameColumnsRunRightToLeft()
    {
        const PlayerLanguage arabic("ar");
        Form3Controls& c = Form3::get().ui();
        c.window->show();
        const QImage shot = c.window->grab().toImage();
        const auto colourAt = [&](QWidget* w) {
            return shot.pixelColor(w->mapTo(c.window, QPoint(24, 24)));
        };
        const QColor blue = colourAt(c.Image2), red = colourAt(c.Image3);
        QVERIFY(blue.blue() > blue.red() + 80 && red.red() > red.blue() + 80);
        QVERIFY(c.Image2->x() > c.Image1->x() && c.Image1->x() > c.Image3->x());
        for (int math = 0; math < MathKindCount; ++math) {
            QVERIFY(c.Label6[3 * math]->x() > c.Label6[3 * math + 2]->x());
            QVERIFY(c.rowTitles[math]->x() > c.Shape1->geometry().right());
        }
        // The backdrop's white edge and blue inside, as in the design.
        QCOMPARE(shot.pixelColor(c.Shape1->mapTo(c.window, QPoint(0, 0))), QColor(Qt::white));
        QCOMPARE(shot.pixelColor(c.Shape1->mapTo(c.window, QPoint(3, 3))), QColor(128, 128, 255));
    }

    // A race under Arabic, won from the menu by keyboard alone, answered in the Arabic-Indic
    // digits the race shows: the menu comes back with the new record in those digits.
    void raceWonByKeyboardInArabic()
    {
        const PlayerLanguage arabic("ar");
        Form2::get().show();
        Form2Controls& menu = Form2::get().ui();
        QVERIFY(QTest::qWaitForWindowActive(menu.window));
        QCOMPARE(menu.window->focusWidget(), menu.Command1);
        QTest::keyClick(menu.Command1, Qt::Key_Return);
        QVERIFY(Form1::get().isLoaded());
        Form1Controls& c = race();
        for (int tick = 0; tick < 3; ++tick)
            Form1::get().Timer1_Timer();
        QVERIFY(QTest::qWaitForWindowActive(c.window));
        QCOMPARE(QApplication::focusWidget(), c.Text1);
        const QString racing = c.Command1->caption();
        for (int answers = 0; answers < 11 && c.Command1->caption() == racing; ++answers) {
            // The child reads the equation as shown and types the answer in the same digits.
            QCOMPARE(c.Label1->text(), school::digits(c.Label1->caption()));
            typeText(c.Text1, school::digits(answerOnScreen()));
            QTest::keyClick(c.Text1, Qt::Key_Return);
        }
        QCOMPARE(c.Command1->caption(), Form1::Won());
        QVERIFY(c.Image2->left() >= Form1::FinishLine);
        QVERIFY(c.Image2->x() < c.Picture1->width() / 4);
        waitForTheResult();
        QTest::keyClick(c.window, Qt::Key_Return);
        QVERIFY(!Form1::get().isLoaded());
        QCOMPARE(Form2::get().record(0, 0).toText(), QStringLiteral("6"));
        QVERIFY2(menu.Label3->text().contains(QChar(0x0666)), qPrintable(menu.Label3->text()));
    }

    // Qt's -reverse lays an English screen out right to left: the screen mirrors, the equation
    // still reads from left to right as English schools write it, and each caption still reads
    // as written ("Race!", not "!Race").
    void reversedEnglishReadsAsWritten()
    {
        QGuiApplication::setLayoutDirection(Qt::RightToLeft);
        Form2Controls& menu = Form2::get().ui();
        QVERIFY(menu.window->isRightToLeft());
        QCOMPARE(menu.Command1->caption(), QStringLiteral("Race!"));
        QCOMPARE(menu.Command1->text(), QStringLiteral(u"\u200ERace!\u200E"));
        QVERIFY(menu.Command1->x() > menu.window->width() / 2);
        Form1Controls& c = race();
        QVERIFY(c.Label1->x() < c.Label3->x() && c.Label3->x() < c.Label2->x() &&
                c.Label2->x() < c.Text1->x());
        QVERIFY(c.Image2->x() > c.Picture1->width() / 2);
    }
};

QTEST_MAIN(MirrorTest)
#include "test_mirror.moc"
