// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// How the three screens look: every control at its design place, the colours and pictures where
// the layout puts them (rendered offscreen with grab()), the fonts, and the race screen at 200 %.
#include "halloffame/form3.h"
#include "menu/form2.h"
#include "race/form1.h"
#include "tests/support.h"
#include "widgets/pictures.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QTemporaryDir>
#include <QTest>
#include <QTextLayout>

using namespace numblaze;
using namespace numblaze::testing;

namespace
{
const QColor LightGreen(128, 255, 128), Lavender(192, 192, 255), BoxBlue(128, 128, 255);
const QColor Green(0, 255, 0), White(255, 255, 255), Grey(120, 120, 120), Yellow(255, 242, 0);

/// The screen's window as it is drawn: some captions are fitted to their letters only then,
/// so a window not drawn yet is drawn once into a picture.
QWidget* window(const QString& screen)
{
    ScreenWindow* shown = screen == "Form1"   ? Form1::get().ui().window
                          : screen == "Form2" ? Form2::get().ui().window
                                              : Form3::get().ui().window;
    if (shown->beforeFirstDrawn)
        shown->grab();
    return shown;
}

QWidget* control(const QString& screen, const QString& name)
{
    return window(screen)->findChild<QWidget*>(name);
}

/// The colour shown at point p of a control, in a grab of its whole window.
QColor at(const QImage& shot, QWidget* control, QPoint p)
{
    const QPoint inWindow = control->mapTo(control->window(), p);
    return shot.pixelColor(inWindow * shot.devicePixelRatio());
}

int distance(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
           std::abs(a.blue() - b.blue());
}

bool greenish(QColor c)
{
    return c.green() > c.red() + 50 && c.green() > c.blue() + 50;
}

/// Whether the window shows `picture` on `area` (window pixels), shifted by `offset` pixels.
bool showsPicture(const QImage& shot, QRect area, QString name, QPoint offset = {})
{
    const qreal ratio = shot.devicePixelRatio();
    QImage picture(":/assets/" + name + (ratio > 1 ? "@2x.png" : ".png"));
    picture = picture.convertToFormat(QImage::Format_RGB32);
    const QImage shown = shot.copy(QRect(area.topLeft() * ratio, area.size() * ratio));
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (shown.pixel(x, y) != picture.pixel(QPoint(x, y) + offset * ratio))
                return false;
    return true;
}

Form1Controls& startRace(int speed)
{
    Form1& race = Form1::get();
    race.enemy_speed = speed;
    race.ui().Label3->setCaption("+");
    race.Highest = 5;
    race.show();
    return race.ui();
}

/// The rows of a grab of `widget` that hold ink: pixels far from its face colour.
QList<int> inkRows(QWidget* widget, QColor face, int* left, int* right)
{
    const QImage image = widget->grab().toImage();
    QList<int> rows;
    *left = image.width();
    *right = -1;
    for (int y = 2; y < image.height() - 2; ++y)
        for (int x = 2; x < image.width() - 2; ++x) {
            if (distance(image.pixelColor(x, y), face) > 150) {
                if (rows.isEmpty() || rows.last() != y)
                    rows << y;
                *left = std::min(*left, x);
                *right = std::max(*right, x);
            }
        }
    return rows;
}
} // namespace

class LookTest : public QObject
{
    Q_OBJECT
    QTemporaryDir folder_;

  private slots:
    void init()
    {
        playWithRecordsIn(folder_.path());
        showFocusMarks(false);
    }
    void cleanup() { discardAllScreens(); }

    void windowsHaveTheirDesignFrameAndTabOrder_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<bool>("frameless");
        QTest::addColumn<bool>("resizable");
        QTest::addColumn<bool>("minimise");
        QTest::addColumn<QStringList>("tabOrder"); // the controls that can take the focus
        QTest::newRow("race") << "Form1" << QSize(449, 337) << true << false << false
                              << QStringList{"Text1", "Command1", "Command2"};
        QTest::newRow("menu") << "Form2" << QSize(463, 329) << false << false << true
                              << QStringList{"Command1",   "Command4",   "Option1(0)", "Option1(1)",
                                             "Option1(2)", "Option1(3)", "Command2",   "Option2(0)",
                                             "Option2(1)", "Option2(2)"};
        QTest::newRow("hall of fame")
            << "Form3" << QSize(504, 304) << false << true << false << QStringList{};
    }
    void windowsHaveTheirDesignFrameAndTabOrder()
    {
        QFETCH(QString, screen);
        QWidget* w = window(screen);
        QTEST(w->size(), "client");
        const Qt::WindowFlags flags = w->windowFlags();
        QTEST(flags.testFlag(Qt::FramelessWindowHint), "frameless");
        QTEST(w->minimumSize() != w->maximumSize(), "resizable");
        QTEST(flags.testFlag(Qt::WindowMinimizeButtonHint), "minimise");
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(flags.testFlag(Qt::WindowCloseButtonHint),
                 !flags.testFlag(Qt::FramelessWindowHint));
        QStringList order;
        for (QWidget* next = w->nextInFocusChain(); next != w; next = next->nextInFocusChain())
            if (next->focusPolicy() & Qt::TabFocus)
                order << next->objectName();
        QTEST(order, "tabOrder");
    }

    // The race screen keeps what its design says of its parts: each coloured box reaches 120
    // twips (8 pixels) beyond its control on the left and top and 150 on the right, below 150 for
    // the labels' boxes and 120 for the answer box's; the equation reads along one row; the
    // balls run in the lanes the track picture paints and finish inside its chequered band.
    void raceScreenKeepsItsDesignsRelations()
    {
        Form1Controls& c = startRace(15);
        const auto boxAround = [](QWidget* box, QWidget* control, int below) {
            const QRect b = box->geometry(), w = control->geometry();
            return b.left() == w.left() - 8 && b.top() == w.top() - 8 &&
                   b.right() == w.right() + 10 && b.bottom() == w.bottom() + below;
        };
        QVERIFY(boxAround(c.Shape3, c.Label1, 10));
        QVERIFY(boxAround(c.Shape2, c.Label2, 10));
        QVERIFY(boxAround(c.Shape1, c.Text1, 8));
        const QList<QWidget*> row = {c.Label1, c.Label3, c.Label2, c.Label4, c.Text1};
        for (qsizetype i = 1; i < row.size(); ++i) {
            QCOMPARE(row[i]->y(), row[0]->y());
            QVERIFY(row[i]->x() > row[i - 1]->geometry().right() - 8); // "=" may touch a box
        }

        // The track picture: its yellow lines part the lanes, its chequered band is the finish.
        const QImage track = QImage(":/assets/track.png").convertToFormat(QImage::Format_RGB32);
        QList<int> yellowRows, bandColumns;
        for (int y = 0; y < track.height(); ++y)
            if (track.pixelColor(100, y) == Yellow)
                yellowRows << y;
        for (int x = 0; x < track.width(); ++x) {
            const QColor top = track.pixelColor(x, 2);
            if (top == Qt::black || top == Qt::white)
                bandColumns << x;
        }
        QVERIFY(!yellowRows.isEmpty() && !bandColumns.isEmpty());
        QCOMPARE(c.Picture1->height(), track.height() - 1); // its lowest row is cut
        QVERIFY(c.Image2->geometry().bottom() < yellowRows.first());
        QVERIFY(c.Image3->y() > yellowRows.last());
        QCOMPARE(c.Image2->x(), c.Image3->x());
        c.Image2->setLeft(Form1::FinishLine);
        const int rightEdge = c.Image2->geometry().right();
        QVERIFY(rightEdge >= bandColumns.first() && rightEdge <= bandColumns.last());
        c.Image2->setLeft(Form1::FinishLine - 480);
        QVERIFY(c.Image2->geometry().right() < bandColumns.first()); // a step short of it

        // The pictures fill their places: the banners exactly, one over the other; the stop sign
        // is larger than its button and cut there.
        for (Image* banner : c.Image4)
            QCOMPARE(banner->geometry(), QRect(c.Image4[0]->pos(), picture("banner-ready").size()));
        QVERIFY(picture("stop").width() > c.Command2->width());
        // The track box, the status button and the stop button line up on both sides.
        QCOMPARE(c.Picture1->x(), c.window->width() - 1 - c.Picture1->geometry().right());
        QCOMPARE(c.Command1->x(), c.Picture1->x());
        QCOMPARE(c.Command2->geometry().right(), c.Picture1->geometry().right());
        QCOMPARE(c.Command2->width(), c.Command2->height());
        QCOMPARE(c.Command1->y(), c.Command2->y());
        QCOMPARE(c.Command1->height(), c.Command2->height());
    }

    // The menu: each opponent's button, ball and name on one row (the ball 120 twips higher),
    // the rows 600 twips apart; the banner cut at the right edge, its lowest row under the
    // frame; Exit centred under the two buttons above it.
    void menuKeepsItsDesignsRelations()
    {
        Form2Controls& c = Form2::get().ui();
        for (int i = 0; i < OpponentCount; ++i) {
            QCOMPARE(c.Label2[i]->y(), c.Option2[i]->y());
            QCOMPARE(c.Image3[i]->y(), c.Option2[i]->y() - 8);
            QCOMPARE(c.Option2[i]->y(), c.Option2[0]->y() + 40 * i);
            QCOMPARE(c.Image3[i]->size(), picture(ballPicture(opponents[i].ball, 32)).size());
            QVERIFY(c.Option2[i]->geometry().right() < c.Image3[i]->x());
            QVERIFY(c.Image3[i]->geometry().right() < c.Label2[i]->x());
        }
        QCOMPARE(c.Label1->y(), c.Option2[0]->y());
        QCOMPARE(c.Image1->x(), 0);
        QCOMPARE(c.Image1->width(), c.window->width() + 2);
        QCOMPARE(c.Image1->geometry().bottom(), c.Frame1->y());
        for (int i : {1, 3})
            QCOMPARE(c.Option1[i]->y(), c.Option1[i - 1]->y());
        for (int i : {2, 3})
            QCOMPARE(c.Option1[i]->x(), c.Option1[i - 2]->x());
        QCOMPARE(c.Command4->x(), c.Command1->x());
        QCOMPARE(c.Command4->size(), c.Command1->size());
        QCOMPARE(c.Command2->geometry().center().x(), c.Command1->geometry().center().x());
        QCOMPARE(c.Image2->size(), picture(ballPicture(PlayerBall, 48)).size());
    }

    // The Hall of Fame: twelve cells of one size in a grid, the backdrop the block of cells
    // grown by 120 twips on every side, each ball centred over its column and each row title
    // level with its row, ending 465 twips left of the grid. Resizing the window moves nothing.
    void hallOfFameKeepsItsDesignsRelations()
    {
        Form3Controls& c = Form3::get().ui();
        QRect block;
        for (const Pairing cell : pairings) {
            const QRect shown = c.Label6[cell.index()]->geometry();
            QCOMPARE(shown.size(), c.Label6[0]->size());
            QCOMPARE(shown.topLeft(),
                     c.Label6[0]->pos() + QPoint(96 * cell.opponent, 40 * cell.math));
            block |= shown;
        }
        QCOMPARE(c.Shape1->geometry(), block.adjusted(-8, -8, 8, 8));
        const Image* balls[] = {c.Image2, c.Image1, c.Image3};
        for (int column = 0; column < OpponentCount; ++column) {
            const int cellMiddle = c.Label6[column]->geometry().center().x();
            QVERIFY(std::abs(balls[column]->geometry().center().x() - cellMiddle) <= 1);
            QCOMPARE(balls[column]->size(),
                     picture(ballPicture(opponents[column].ball, 48)).size());
        }
        for (const MathKind& kind : mathKinds) {
            QCOMPARE(c.rowTitles[kind.index]->y(), c.Label6[3 * kind.index]->y());
            QCOMPARE(c.rowTitles[kind.index]->geometry().right() + 1 + 31, block.left());
        }
        QList<QRect> before;
        for (QWidget* child : c.window->findChildren<QWidget*>())
            before << child->geometry();
        c.window->resize(700, 500);
        QList<QRect> after;
        for (QWidget* child : c.window->findChildren<QWidget*>())
            after << child->geometry();
        QCOMPARE(after, before);
    }

    void fontsAreTheDesignsOrTheirSubstitutes_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("face"); // the font the letters are drawn in
        QTest::addColumn<int>("pixels");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        const auto row = [](const char* tag, const char* screen, const char* name, const char* face,
                            int pixels, bool bold, bool italic) {
            QTest::newRow(tag) << QString(screen) << QString(name) << QString(face) << pixels
                               << bold << italic;
        };
        row("operand", "Form1", "Label1", "liberation sans", 32, false, false);
        row("answer", "Form1", "Text1", "liberation sans", 32, false, false);
        row("status", "Form1", "Command1", "ocra", 19, false, false);
        row("race!", "Form2", "Command1", "ocra", 16, false, false);
        row("math", "Form2", "Frame1", "ocra", 16, false, false);
        row("math kind", "Form2", "Option1(2)", "ocra", 13, false, false);
        row("name", "Form2", "Label2(1)", "ocra", 16, false, false);
        row("record", "Form2", "Label3", "ocrabold", 16, true, false);
        row("title", "Form3", "Label5", "liberation serif", 53, false, true);
        row("row title", "Form3", "Label3", "ocra", 16, false, false);
        row("cell", "Form3", "Label6(11)", "ocra", 19, false, false);
    }
    void fontsAreTheDesignsOrTheirSubstitutes()
    {
        QFETCH(QString, screen);
        QFETCH(QString, name);
        QFETCH(QString, face);
        QFETCH(bool, bold);
        if (!QFontDatabase::hasFamily(face))
            QSKIP("the substitute font is not installed");
        const QFont font = control(screen, name)->font();
        QTEST(font.pixelSize(), "pixels");
        QCOMPARE(font.bold(), bold);
        QTEST(font.italic(), "italic");
        QTextLayout layout("Multiplication", font);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        QCOMPARE(layout.glyphRuns().value(0).rawFont().familyName().toLower(), face);
        // The fixed-width font keeps the design's pitch: 10 pixels at 12 pt, 11 in bold.
        if (face.startsWith("ocra"))
            QCOMPARE(QFontMetricsF(font).horizontalAdvance("0123456789"),
                     font.pixelSize() * (bold ? 110 : 100) / 16.0);
    }

    void buttonCaptionsAreWholeAndCentred_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("lines");
        const auto row = [](const char* tag, const char* screen, const char* name,
                            const QString& caption, int lines) {
            QTest::newRow(tag) << QString(screen) << QString(name) << caption << lines;
        };
        row("race!", "Form2", "Command1", {}, 1);
        row("hall of fame", "Form2", "Command4", {}, 1);
        row("exit", "Form2", "Command2", {}, 1);
        row("countdown", "Form1", "Command1", {}, 1);
        row("racing", "Form1", "Command1", Form1::Racing, 2);
        row("won", "Form1", "Command1", Form1::Won, 1);
    }
    void buttonCaptionsAreWholeAndCentred()
    {
        QFETCH(QString, screen);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(int, lines);
        auto* button = static_cast<PushButton*>(control(screen, name));
        if (!caption.isEmpty())
            button->setCaption(caption);
        button->clearFocus();
        int left = 0, right = 0;
        const QList<int> rows = inkRows(button, button->faceColor(), &left, &right);
        QVERIFY(!rows.isEmpty());
        int bands = 1;
        for (int i = 1; i < rows.size(); ++i)
            bands += rows[i] > rows[i - 1] + 1;
        QCOMPARE(bands, lines);
        const int below = button->height() - 1 - rows.last(), after = button->width() - 1 - right;
        QVERIFY2(rows.first() > 2 && below > 2 && left > 3 && after > 3,
                 "caption touches the edge");
        QVERIFY(std::abs(rows.first() - below) <= 2 && std::abs(left - after) <= 2);
    }

    void raceScreenShowsItsDesign()
    {
        Form1Controls& c = startRace(25);
        const QImage shot = c.window->grab().toImage();
        QCOMPARE(at(shot, c.window, {2, 2}), LightGreen);
        QVERIFY(showsPicture(shot, c.Image4[0]->geometry(), "banner-ready"));
        const QPoint track(300, 0);
        QCOMPARE(at(shot, c.Picture1, track + QPoint(0, 20)), Grey);
        for (int y : {40, 41, 47, 48})
            QCOMPARE(at(shot, c.Picture1, track + QPoint(0, y)), Yellow);
        for (int y : {39, 42, 46, 49})
            QCOMPARE(at(shot, c.Picture1, track + QPoint(0, y)), Grey);
        const QColor square = at(shot, c.Picture1, {378, 2});
        QVERIFY(square == Qt::black || square == Qt::white);
        QCOMPARE(at(shot, c.Picture1, {383, 2}).lightness(), 255 - square.lightness());
        QCOMPARE(at(shot, c.Picture1, {378, 7}).lightness(), 255 - square.lightness());
        QVERIFY(greenish(at(shot, c.Image2, {16, 16})));
        const QColor purple = at(shot, c.Image3, {16, 16});
        QVERIFY(purple.red() > purple.green() + 40 && purple.blue() > purple.green() + 40);
        // The stop sign is centred on its button and cut at its bevel.
        const QRect face = c.Command2->geometry().adjusted(2, 2, -2, -2);
        QVERIFY(showsPicture(shot, face, "stop", {5, 5}) ||
                showsPicture(shot, face, "stop", {6, 6}));
        QCOMPARE(at(shot, c.Command1, {8, 8}), Green);
        checkEquationRow(shot, c);
    }

    void backgroundTurnsRedOrBlueAroundTheLabels_data()
    {
        QTest::addColumn<bool>("won");
        QTest::addColumn<QColor>("background");
        QTest::newRow("lost") << false << QColor(255, 0, 0);
        QTest::newRow("won") << true << QColor(0, 0, 255);
    }
    void backgroundTurnsRedOrBlueAroundTheLabels()
    {
        QFETCH(bool, won);
        Form1Controls& c = startRace(35);
        for (int tick = 0; tick < 3; ++tick)
            Form1::get().Timer1_Timer();
        for (int tick = 0; !won && c.Command1->caption() == Form1::Racing && tick < 1000; ++tick)
            Form1::get().Timer2_Timer();
        if (won)
            Form1::get().Win();
        QCOMPARE(c.Command1->caption(), won ? Form1::Won : Form1::Lost);
        const QImage shot = c.window->grab().toImage();
        QTEST(at(shot, c.window, {2, 2}), "background");
        QVERIFY(showsPicture(shot, c.Image4[1]->geometry(), "banner-go"));
        checkEquationRow(shot, c);
    }

    // Focused by the mouse a control keeps its designed pixels; once the focus has moved by
    // keyboard, the focused control wears a mark: black two pixels wide, white inside it.
    void focusMarkAfterTheKeyboard_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("inset"); // where the mark starts, from the control's edge
        QTest::newRow("grey Exit") << "Form2"
                                   << "Option1(3)"
                                   << "Command2" << 2;
        QTest::newRow("blue Hall of Fame") << "Form2"
                                           << "Command1"
                                           << "Command4" << 2;
        QTest::newRow("math option") << "Form2"
                                     << "Command4"
                                     << "Option1(0)" << 0;
        QTest::newRow("red Stop sign") << "Form1"
                                       << "Command1"
                                       << "Command2" << 2;
    }
    void focusMarkAfterTheKeyboard()
    {
        QFETCH(QString, screen);
        QFETCH(QString, from);
        QFETCH(QString, name);
        QFETCH(int, inset);
        QWidget* w = window(screen);
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QWidget* before = control(screen, from);
        QWidget* target = control(screen, name);
        before->setFocus(Qt::MouseFocusReason);
        const QImage unfocused = w->grab().toImage();
        target->setFocus(Qt::MouseFocusReason);
        const QImage byMouse = w->grab().toImage();
        const int y = target->height() / 2;
        for (int x = inset; x < inset + 2; ++x)
            QCOMPARE(at(byMouse, target, {x, y}), at(unfocused, target, {x, y}));

        before->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(before, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), target);
        const QImage byTab = w->grab().toImage();
        const int right = target->width() - 1 - inset;
        for (int d : {0, 1}) {
            QCOMPARE(at(byTab, target, {inset + d, y}), QColor(Qt::black));
            QCOMPARE(at(byTab, target, {right - d, y}), QColor(Qt::black));
            QCOMPARE(at(byTab, target, {target->width() / 2, inset + d}), QColor(Qt::black));
        }
        QCOMPARE(at(byTab, target, {inset + 2, y}), QColor(Qt::white));
    }

    void menuShowsItsDesign()
    {
        Form2::get().show();
        Form2Controls& c = Form2::get().ui();
        const QImage shot = c.window->grab().toImage();
        QCOMPARE(c.window->focusWidget(), c.Command1);
        QCOMPARE(at(shot, c.window, {2, 100}), Lavender);
        // The banner: the title stretched to 465 x 81, from row 8, cut at the right edge.
        QImage title(465, 81, QImage::Format_RGB32);
        QPainter painter(&title);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(title.rect(), QImage(":/assets/title.png"));
        painter.end();
        QCOMPARE(at(shot, c.window, {100, 7}), Lavender);
        for (QPoint p : {QPoint(0, 0), QPoint(100, 40), QPoint(232, 20), QPoint(462, 79)}) {
            const QColor shown = at(shot, c.window, p + QPoint(0, 8)), drawn = title.pixelColor(p);
            QVERIFY2(distance(shown, drawn) < 30,
                     qPrintable(QString("banner at %1,%2").arg(p.x()).arg(p.y())));
        }
        // Option buttons blend into the window: no box of another colour around them.
        for (QWidget* option : c.Option1)
            QCOMPARE(at(shot, option, {option->width() - 2, 1}), Lavender);
        for (QWidget* option : c.Option2)
            QCOMPARE(at(shot, option, {0, 0}), Lavender);
        // "Math" is framed by an etched line: grey, with white inside and below.
        QCOMPARE(at(shot, c.Frame1, {0, 40}), QColor(128, 128, 128));
        QCOMPARE(at(shot, c.Frame1, {1, 40}), White);
        QCOMPARE(at(shot, c.Frame1, {c.Frame1->width() - 2, 40}), White);
        QCOMPARE(at(shot, c.Command4, {8, 4}), BoxBlue);
        QCOMPARE(at(shot, c.Command2, {8, 4}), QColor(128, 128, 128));
        QVERIFY(greenish(at(shot, c.Image2, {24, 24})));
    }

    void recordLabelGrowsToTheLeft_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<int>("left");
        QTest::newRow("design") << "5" << 2760;
        QTest::newRow("two digits") << "12" << 2595;
        QTest::newRow("six digits") << "123456" << 1935;
    }
    void recordLabelGrowsToTheLeft()
    {
        QFETCH(QString, record);
        QFETCH(int, left);
        Label* label = Form2::get().ui().Label3;
        label->setCaption("Your highest number is " + record + ".");
        QCOMPARE(label->x(), left / 15);
        QCOMPARE(label->geometry().right() + 1, 6885 / 15);
        QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(label->caption()));
    }

    void hallOfFameShowsItsDesign()
    {
        Form3Controls& c = Form3::get().ui();
        c.window->show();
        const QImage shot = c.window->grab().toImage();
        QCOMPARE(at(shot, c.window, {2, 2}), Lavender);
        QCOMPARE(at(shot, c.Shape1, {0, 0}), White);
        QCOMPARE(at(shot, c.Shape1, {3, 3}), BoxBlue);
        QCOMPARE(at(shot, c.Label6[4], {40, 12}), Lavender); // the cells lie above the backdrop
        QVERIFY(at(shot, c.Label6[4], {0, 0}).lightness() <
                at(shot, c.Label6[4], {80, 24}).lightness());
        const QColor blue = at(shot, c.Image2, {24, 24}), red = at(shot, c.Image3, {24, 24});
        QVERIFY(blue.blue() > blue.red() + 80 && red.red() > red.blue() + 80);
        int navy = 0;
        for (int x = 0; x < c.Label5->width(); ++x)
            navy += at(shot, c.Label5, {x, 30}) == QColor(0, 0, 128);
        QVERIFY(navy > 20);
        c.window->resize(700, 500);
        QCOMPARE(c.window->grab().toImage().pixelColor(650, 450), Lavender);
    }

    // Run by CTest a second time with QT_SCALE_FACTOR=2; skipped at 100 %.
    void raceScreenIsSharpAtTwiceTheScale()
    {
        if (qApp->devicePixelRatio() < 2)
            QSKIP("needs QT_SCALE_FACTOR=2");
        Form1Controls& c = startRace(15);
        const QImage shot = c.window->grab().toImage();
        QCOMPARE(shot.size(), QSize(898, 674));
        const QPoint track = c.Picture1->mapTo(c.window, QPoint(300, 0)) * 2;
        for (int y = 79; y <= 84; ++y)
            QCOMPARE(shot.pixelColor(track + QPoint(0, y)), y == 79 || y == 84 ? Grey : Yellow);
        QVERIFY(showsPicture(shot, c.Image4[0]->geometry(), "banner-ready"));
        QImage single(":/assets/banner-ready.png"), sharp(":/assets/banner-ready@2x.png");
        sharp.setDevicePixelRatio(1);
        QVERIFY(sharp.convertToFormat(QImage::Format_RGB32) !=
                single.scaled(single.size() * 2).convertToFormat(QImage::Format_RGB32));
    }

  private:
    /// The equation row keeps its own colours whatever the window's background.
    static void checkEquationRow(const QImage& shot, Form1Controls& c)
    {
        QCOMPARE(at(shot, c.Shape3, {3, 3}), BoxBlue);
        QCOMPARE(at(shot, c.Shape2, {c.Shape2->width() - 1, 20}), BoxBlue); // whole, over "="
        QCOMPARE(at(shot, c.Shape1, {0, 20}), Green);
        QCOMPARE(at(shot, c.Label1, {6, 6}), White);
        QCOMPARE(at(shot, c.Label2, {6, 6}), White);
        QCOMPARE(at(shot, c.Label3, {2, 2}), LightGreen);
        QCOMPARE(at(shot, c.Label4, {4, 2}), LightGreen);
        // The operand labels' sunken border: dark above and to the left, light below.
        QVERIFY(at(shot, c.Label1, {0, 10}).lightness() < at(shot, c.Label1, {72, 10}).lightness());
    }
};

QTEST_MAIN(LookTest)
#include "test_look.moc"
