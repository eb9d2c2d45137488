// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The menu with its real widgets: selections, races, the Hall of Fame and whole runs that end
// with Progress.txt on disk.
#include "core/gamedata.h"
#include "halloffame/form3.h"
#include "menu/form2.h"
#include "race/form1.h"
#include "tests/screens/racing.h"
#include "tests/support.h"

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <csignal>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <qpa/qwindowsysteminterface.h>
#include <sys/resource.h>

using namespace numblaze;
using namespace numblaze::testing;

namespace
{

// A progress file with line n holding 10 + n, Addition and Bobby Blue selected, and the given
// lines changed; `terminator` ends every line.
QByteArray fileWith(std::initializer_list<std::pair<int, QByteArray>> changes,
                    const char* terminator = "\r\n")
{
    QList<QByteArray> lines;
    for (int n = 1; n <= 12; ++n)
        lines << QByteArray::number(10 + n);
    lines << "0"
          << "0";
    for (const auto& [n, text] : changes)
        lines[n - 1] = text;
    return lines.join(terminator) + terminator;
}

QString says(const QString& record)
{
    return QStringLiteral("Your highest number is %1.").arg(record);
}

// Runs the message loop as the game does, with `action` as its first event. Returns the loop's
// exit code: the game's status when the game ended it, NotEnded when it did not end within 20 s.
constexpr int NotEnded = 99;
int runUntilEnd(const std::function<void()>& action)
{
    QTimer::singleShot(0, action);
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(NotEnded); });
    watchdog.start(20000);
    return QApplication::exec();
}

bool everyScreenUnloaded()
{
    return !Form1::get().isLoaded() && !Form2::get().isLoaded() && !Form3::get().isLoaded();
}

// What the Hall of Fame showed while it was open, and whether the way out closed it.
struct Visit {
    QStringList cells;
    bool modal = false;
    bool closed = false;
};

/// How the player leaves the Hall of Fame.
enum class WayOut { Escape, Enter, CloseAction };

Visit visitHallOfFame(WayOut way = WayOut::Escape)
{
    Visit visit;
    QTimer::singleShot(0, [&visit, way] {
        Form3& hall = Form3::get();
        if (!hall.isLoaded())
            return;
        visit.modal = QApplication::activeModalWidget() == &hall.window();
        for (const Label* cell : hall.ui().Label6)
            visit.cells << cell->caption();
        if (way == WayOut::CloseAction) {
            QAccessibleInterface* dialog = QAccessible::queryAccessibleInterface(&hall.window());
            QAccessibleActionInterface* actions = dialog ? dialog->actionInterface() : nullptr;
            if (actions && actions->actionNames().contains(QStringLiteral("close")))
                actions->doAction(QStringLiteral("close"));
        } else {
            QTest::keyClick(&hall.window(),
                            way == WayOut::Escape ? Qt::Key_Escape : Qt::Key_Return);
        }
        visit.closed = !hall.isLoaded();
        if (hall.isLoaded())
            hall.window().close();
    });
    QTest::mouseClick(Form2::get().ui().Command4, Qt::LeftButton);
    return visit;
}

// Plays the race on the race screen to its end and leaves it: "won" answers eleven equations,
// "lost" lets the opponent arrive, "stopped" presses the stop sign during the countdown.
void playRace(const QString& outcome)
{
    Form1& race = Form1::get();
    Form1Controls& c = race.ui();
    if (outcome == QLatin1String("stopped")) {
        QTest::mouseClick(c.Command2, Qt::LeftButton);
        return;
    }
    for (int tick = 0; tick < 3; ++tick)
        race.Timer1_Timer();
    if (outcome == QLatin1String("won")) {
        for (int right = 0; right < 11; ++right) {
            // Every race played here is a Subtraction race.
            const double answer = Loose::leadingNumber(c.Label1->caption()) -
                                  Loose::leadingNumber(c.Label2->caption());
            QTest::keyClicks(c.Text1, Loose::plainText(answer));
            QTest::keyClick(c.Text1, Qt::Key_Return);
        }
    } else {
        for (int tick = 0; tick < 1000 && c.Command1->caption() != Form1::Lost; ++tick)
            race.Timer2_Timer();
    }
    QCOMPARE(c.Command1->caption(), outcome == QLatin1String("won") ? Form1::Won : Form1::Lost);
    testing::waitForTheResult();
    QTest::keyClick(c.Command1, Qt::Key_Return);
}

// Counts the click handler runs of each option button, on top of the menu's own handlers.
struct ClickCounter {
    std::map<QString, int> runs;
    explicit ClickCounter(Form2Controls& c)
    {
        for (OptionButton* option : c.Option1)
            count(option);
        for (OptionButton* option : c.Option2)
            count(option);
    }
    void count(OptionButton* option)
    {
        option->onClick = [this, option, handler = option->onClick] {
            ++runs[option->objectName()];
            handler();
        };
    }
};

// Selects an option button the way a player or a helper does: "mouse", "space", "arrow" (from
// the selected button of its group, which is `from`), the accessibility "press" and "toggle"
// actions, or "code".
void selectBy(const QString& way, OptionButton* option, OptionButton* from, int arrowKey)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(option);
    if (way == QLatin1String("mouse")) {
        QTest::mouseClick(option, Qt::LeftButton);
    } else if (way == QLatin1String("space")) {
        option->setFocus();
        QTest::keyClick(option, Qt::Key_Space);
    } else if (way == QLatin1String("arrow")) {
        from->setFocus();
        QTest::keyClick(from, Qt::Key(arrowKey));
    } else if (way == QLatin1String("press action")) {
        iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    } else if (way == QLatin1String("toggle action")) {
        iface->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    } else {
        option->select();
    }
}

} // namespace

class TestMenu : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    QString fileName() const { return dir->filePath(QStringLiteral("Progress.txt")); }

    // Starts the game as at program start, with `file` as Progress.txt (none when null).
    Form2Controls& startMenu(const QByteArray& file)
    {
        if (!file.isNull()) {
            QFile progress(fileName());
            if (progress.open(QIODevice::WriteOnly))
                progress.write(file);
        }
        playWithRecordsIn(dir->path());
        Form2::get().show();
        return Form2::get().ui();
    }

    static void unloadAll() { discardAllScreens(); }

  private slots:
    void init()
    {
        unloadAll();
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        Form2::get().Active_Math = Loose();
        Form2::get().Active_Difficulty = Loose();
        Form1::get().Highest = Loose();
        Form1::get().enemy_speed = Loose();
    }
    void cleanup() { unloadAll(); }

    void startsWithTheFilesSelections_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("math");
        QTest::addColumn<int>("opponent");
        QTest::addColumn<QString>("record");
        QTest::newRow("2 and 0") << fileWith({{7, "31"}, {13, "2"}, {14, "0"}}) << 2 << 0 << "31";
        QTest::newRow("07") << fileWith({{5, "07"}, {13, "1"}, {14, "1"}}) << 1 << 1 << "7";
        QTest::newRow("blank 7") << fileWith({{12, " 7"}, {13, "3"}, {14, "2"}}) << 3 << 2 << "7";
        QTest::newRow("no file") << QByteArray() << 0 << 0 << "5";
        QTest::newRow("one line") << QByteArray("9\r\n") << 0 << 0 << "9";
        QTest::newRow("bad record") << fileWith({{1, "zero"}}) << 0 << 0 << "5";
        QTest::newRow("bad selections") << fileWith({{13, "7"}, {14, "-1"}}) << 0 << 0 << "11";
    }
    void startsWithTheFilesSelections()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, math);
        QFETCH(int, opponent);
        QFETCH(QString, record);
        Form2Controls& c = startMenu(file);
        for (int k = 0; k < 4; ++k)
            QCOMPARE(c.Option1[k]->isChecked(), k == math);
        for (int j = 0; j < 3; ++j)
            QCOMPARE(c.Option2[j]->isChecked(), j == opponent);
        QCOMPARE(Form2::get().Active_Math.toNumber(), double(math));
        QCOMPARE(Form2::get().Active_Difficulty.toNumber(), double(opponent));
        QCOMPARE(c.Label3->caption(), says(record));
        QVERIFY(c.Image2->tag().isEmpty());
    }

    void opponentNameOrBallSelects_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("opponent");
        QTest::newRow("name Patty Purple") << "Label2(1)" << 1;
        QTest::newRow("purple ball") << "Image3(1)" << 1;
        QTest::newRow("name Ronald Red") << "Label2(2)" << 2;
        QTest::newRow("blue ball") << "Image3(0)" << 0;
    }
    void opponentNameOrBallSelects()
    {
        QFETCH(QString, control);
        QFETCH(int, opponent);
        // Subtraction selected, and an opponent other than the one clicked.
        Form2Controls& c = startMenu(fileWith({{13, "1"}, {14, opponent == 0 ? "2" : "0"}}));
        QTest::mouseClick(c.window->findChild<QWidget*>(control), Qt::LeftButton);
        for (int j = 0; j < 3; ++j)
            QCOMPARE(c.Option2[j]->isChecked(), j == opponent);
        QCOMPARE(Form2::get().Active_Difficulty.toNumber(), double(opponent));
        QCOMPARE(c.Label3->caption(), says(QString::number(14 + opponent)));
    }

    void raceGetsSpeedSignAndRecord_data()
    {
        QTest::addColumn<int>("math");
        QTest::addColumn<int>("opponent");
        QTest::addColumn<int>("speed");
        QTest::addColumn<QString>("sign");
        QTest::newRow("Addition, Bobby Blue") << 0 << 0 << 15 << "+";
        QTest::newRow("Subtraction, Patty Purple") << 1 << 1 << 25 << "-";
        QTest::newRow("Multiplication, Ronald Red") << 2 << 2 << 35 << "*";
        QTest::newRow("Division, Patty Purple") << 3 << 1 << 25 << "/";
    }
    void raceGetsSpeedSignAndRecord()
    {
        QFETCH(int, math);
        QFETCH(int, opponent);
        QFETCH(int, speed);
        QFETCH(QString, sign);
        Form2Controls& c = startMenu(fileWith({{3 * math + opponent + 1, "07"}}));
        c.Option1[math]->click();
        c.Option2[opponent]->click();
        QTest::mouseClick(c.Command1, Qt::LeftButton);

        Form1& race = Form1::get();
        QVERIFY(race.isLoaded() && race.window().isVisible());
        QVERIFY(!c.window->isVisible());
        QCOMPARE(race.enemy_speed.toNumber(), double(speed));
        QCOMPARE(race.ui().Label3->caption(), sign);
        QVERIFY(race.Highest.isText()); // handed on as the file held it
        QCOMPARE(race.Highest.toText(), QStringLiteral("07"));
        // The speed was set before the race screen loaded: it shows this opponent's ball.
        QCOMPARE(race.ui().Image3->picture().toImage(),
                 race.ui().Image1[opponent]->picture().toImage());
    }

    // Two races in a row on Subtraction against Patty Purple, whose line holds 7; then Exit.
    void raceOutcome_data()
    {
        QTest::addColumn<QString>("outcome");
        QTest::addColumn<QString>("afterFirst");
        QTest::addColumn<QString>("afterSecond");
        QTest::newRow("won") << "won"
                             << "8"
                             << "9";
        QTest::newRow("lost") << "lost"
                              << "7"
                              << "7";
        QTest::newRow("stopped") << "stopped"
                                 << "7"
                                 << "7";
    }
    void raceOutcome()
    {
        QFETCH(QString, outcome);
        QFETCH(QString, afterFirst);
        QFETCH(QString, afterSecond);
        Form2Controls& c = startMenu(fileWith({{4, "07"}, {5, "7"}, {13, "1"}, {14, "1"}}));
        const QRect place = c.window->geometry();
        for (const QString& after : {afterFirst, afterSecond}) {
            QTest::mouseClick(c.Command1, Qt::LeftButton);
            QVERIFY(!c.window->isVisible());
            // A window manager may hand the withdrawn menu back elsewhere (GNOME's Xwayland: at
            // its frame's corner, a title bar higher); it still comes back where it was.
            QWindowSystemInterface::handleGeometryChange<
                QWindowSystemInterface::SynchronousDelivery>(c.window->windowHandle(),
                                                             place.translated(0, -37));
            playRace(outcome);
            if (QTest::currentTestFailed())
                return;
            QVERIFY(!Form1::get().isLoaded());
            QVERIFY(c.window->isVisible());
            QCOMPARE(c.window->geometry(), place);
            QVERIFY(c.Image2->tag().isEmpty());
            QCOMPARE(c.Label3->caption(), says(after));
        }
        QCOMPARE(runUntilEnd([&c] { QTest::mouseClick(c.Command2, Qt::LeftButton); }), 0);
        QCOMPARE(contents(fileName()),
                 fileWith({{4, "07"}, {5, afterSecond.toLatin1()}, {13, "1"}, {14, "1"}}));
    }

    // However a button comes to be selected, its click handler runs once, so the menu's
    // variables, the record label, the race and the record a win raises follow the selection.
    void everyWayOfSelectingRaisesTheClickOnce_data()
    {
        QTest::addColumn<QString>("way");
        for (const char* way : {"mouse", "space", "arrow", "press action", "toggle action", "code"})
            QTest::newRow(way) << way;
    }
    void everyWayOfSelectingRaisesTheClickOnce()
    {
        QFETCH(QString, way);
        // Addition against Bobby Blue selected; Subtraction against Ronald Red is line 6.
        Form2Controls& c = startMenu(fileWith({{13, "0"}, {14, "0"}}));
        QVERIFY(QTest::qWaitForWindowActive(c.window));
        ClickCounter clicks(c);
        // From Addition, Right reaches Subtraction; from Bobby Blue, Up goes round to Ronald Red.
        selectBy(way, c.Option1[1], c.Option1[0], Qt::Key_Right);
        selectBy(way, c.Option2[2], c.Option2[0], Qt::Key_Up);
        QTRY_COMPARE(clicks.runs["Option2(2)"], 1); // the press action may click a moment later
        QCOMPARE(clicks.runs, (std::map<QString, int>{{"Option1(1)", 1}, {"Option2(2)", 1}}));
        QVERIFY(c.Option1[1]->isChecked() && c.Option2[2]->isChecked());
        QCOMPARE(Form2::get().Active_Math.toNumber(), 1.0);
        QCOMPARE(Form2::get().Active_Difficulty.toNumber(), 2.0);
        QCOMPARE(c.Label3->caption(), says("16"));

        QTest::mouseClick(c.Command1, Qt::LeftButton);
        QCOMPARE(Form1::get().ui().Label3->caption(), QStringLiteral("-"));
        QCOMPARE(Form1::get().enemy_speed.toNumber(), 35.0);
        QCOMPARE(Form1::get().Highest.toText(), QStringLiteral("16"));
        playRace(QStringLiteral("won"));
        QCOMPARE(c.Label3->caption(), says("17"));
        QCOMPARE(Form2::get().record(1, 2).toText(), QStringLiteral("17"));
        QCOMPARE(Form2::get().record(0, 0).toText(), QStringLiteral("11"));
    }

    // Tab and Shift+Tab enter each group at its selected button and leave it at once; the
    // order of the menu is otherwise Race!, Hall of Fame, the math kinds, Exit, the opponents.
    void tabEntersEachGroupAtItsSelectedButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QStringList>("stops");
        QTest::newRow("Tab") << int(Qt::Key_Tab)
                             << QStringList{"Command4", "Option1(2)", "Command2", "Option2(1)",
                                            "Command1"};
        QTest::newRow("Shift+Tab")
            << int(Qt::Key_Backtab)
            << QStringList{"Option2(1)", "Command2", "Option1(2)", "Command4", "Command1"};
    }
    void tabEntersEachGroupAtItsSelectedButton()
    {
        QFETCH(int, key);
        QFETCH(QStringList, stops);
        // Multiplication against Patty Purple: neither is the first button of its group.
        Form2Controls& c = startMenu(fileWith({{13, "2"}, {14, "1"}}));
        QVERIFY(QTest::qWaitForWindowActive(c.window));
        // A button that had the focus without being selected does not become the group's stop.
        c.Option1[0]->setFocus();
        c.Command1->setFocus();
        QStringList seen;
        for (int step = 0; step < stops.size(); ++step) {
            QTest::keyClick(c.window->focusWidget(), Qt::Key(key));
            seen << c.window->focusWidget()->objectName();
        }
        QCOMPARE(seen, stops);
    }

    // In a group the arrow keys move in index order, round from the last button to the first,
    // and select the button they reach: Enter on Race! then races what the player arrowed to.
    void arrowKeysSelectAsTheyMove_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("to");
        QTest::newRow("math Down") << "Option1" << 2 << int(Qt::Key_Down) << 3;
        QTest::newRow("math Right") << "Option1" << 0 << int(Qt::Key_Right) << 1;
        QTest::newRow("math Up") << "Option1" << 3 << int(Qt::Key_Up) << 2;
        QTest::newRow("math Left round") << "Option1" << 0 << int(Qt::Key_Left) << 3;
        QTest::newRow("math Down round") << "Option1" << 3 << int(Qt::Key_Down) << 0;
        QTest::newRow("opponent Down") << "Option2" << 0 << int(Qt::Key_Down) << 1;
        QTest::newRow("opponent Up round") << "Option2" << 0 << int(Qt::Key_Up) << 2;
        QTest::newRow("opponent Right round") << "Option2" << 2 << int(Qt::Key_Right) << 0;
    }
    void arrowKeysSelectAsTheyMove()
    {
        QFETCH(QString, group);
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(int, to);
        const bool math = group == QLatin1String("Option1");
        Form2Controls& c = startMenu(fileWith({{13, QByteArray::number(math ? from : 0)},
                                               {14, QByteArray::number(math ? 0 : from)}}));
        QVERIFY(QTest::qWaitForWindowActive(c.window));
        const std::vector<OptionButton*> options =
            math ? std::vector<OptionButton*>(c.Option1.begin(), c.Option1.end())
                 : std::vector<OptionButton*>(c.Option2.begin(), c.Option2.end());
        c.Command1->setFocus();
        // Tab to the group: the math kinds come after Hall of Fame, the opponents after Exit.
        for (int tabs = 0; tabs < (math ? 2 : 4); ++tabs)
            QTest::keyClick(c.window->focusWidget(), Qt::Key_Tab);
        QCOMPARE(c.window->focusWidget(), options[from]);
        QTest::keyClick(options[from], Qt::Key(key));
        QCOMPARE(c.window->focusWidget(), options[to]);
        QVERIFY(options[to]->isChecked());
        const Loose& active = math ? Form2::get().Active_Math : Form2::get().Active_Difficulty;
        QCOMPARE(active.toNumber(), double(to));
        QCOMPARE(c.Label3->caption(), says(QString::number(11 + (math ? 3 * to : to))));

        // Shift+Tab back to Race! and Enter: the race is the one arrowed to.
        while (c.window->focusWidget() != c.Command1)
            QTest::keyClick(c.window->focusWidget(), Qt::Key_Backtab);
        QTest::keyClick(c.Command1, Qt::Key_Return);
        QVERIFY(Form1::get().isLoaded());
        QCOMPARE(Form1::get().ui().Label3->caption(), mathKinds[math ? to : 0].signText());
        QCOMPARE(Form1::get().enemy_speed.toNumber(), double(opponents[math ? 0 : to].speed));
    }

    // The Hall of Fame is a dialog that belongs to the menu: window managers keep it above the
    // menu and give it a close box only, so it cannot be minimised out of sight.
    void hallOfFameIsADialogOfTheMenu()
    {
        Form2Controls& c = startMenu(fileWith({}));
        Qt::WindowFlags flags;
        QWindow* owner = nullptr;
        bool modal = false;
        QTimer::singleShot(0, [&] {
            QWidget& hall = Form3::get().window();
            flags = hall.windowFlags();
            owner = hall.windowHandle() ? hall.windowHandle()->transientParent() : nullptr;
            modal = QApplication::activeModalWidget() == &hall;
            hall.close();
        });
        QTest::mouseClick(c.Command4, Qt::LeftButton);
        QVERIFY(modal);
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Dialog);
        QVERIFY(owner);
        QCOMPARE(owner, c.window->windowHandle());
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!Form3::get().isLoaded());
    }

    void hallOfFameEmptyBeforeFirstFill()
    {
        startMenu(fileWith({}));
        QVERIFY(Form3::get().isLoaded()); // the menu took its icon
        QVERIFY(!Form3::get().window().isVisible());
        for (const Label* cell : Form3::get().ui().Label6)
            QCOMPARE(cell->caption(), QString());
        // Its title's large face is measured when it is first drawn, not at start-up.
        Label* title = Form3::get().ui().Label5;
        QVERIFY(title->font().pixelSize() != 53);
        QVERIFY(!Form3::get().window().grab().isNull());
        QCOMPARE(title->font().pixelSize(), 53);
        QVERIFY(title->font().italic());
    }

    void hallOfFameShowsCurrentTable()
    {
        Form2Controls& c = startMenu(fileWith({{5, "07"}, {12, "42"}, {13, "1"}, {14, "1"}}));
        QStringList table;
        for (int n = 1; n <= 12; ++n)
            table << QString::number(10 + n);
        table[4] = "07";
        table[11] = "42";
        for (int visit = 0; visit < 3; ++visit) {
            if (visit == 2) { // a won race between two visits
                table[4] = "8";
                QTest::mouseClick(c.Command1, Qt::LeftButton);
                Form1::get().Win();
                testing::waitForTheResult();
                QTest::mouseClick(Form1::get().ui().Command1, Qt::LeftButton);
            }
            const Visit seen = visitHallOfFame();
            QVERIFY(seen.modal);
            QVERIFY(seen.closed);
            QCOMPARE(seen.cells, table); // Label6(11), Division against Ronald Red, shows 42
            QVERIFY(!Form3::get().isLoaded());
            // Back on the menu with an empty mailbox: nothing changes.
            QCOMPARE(c.Label3->caption(), says(visit == 2 ? "8" : "7"));
            QVERIFY(c.window->isVisible() && !QApplication::activeModalWidget());
        }
    }

    // The Hall of Fame is left by Escape, Enter or a reader's close action, back to the menu.
    void hallOfFameLeftByKeysAndAction_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("Escape") << int(WayOut::Escape);
        QTest::newRow("Enter") << int(WayOut::Enter);
        QTest::newRow("close action") << int(WayOut::CloseAction);
    }
    void hallOfFameLeftByKeysAndAction()
    {
        QFETCH(int, way);
        Form2Controls& c = startMenu(fileWith({}));
        const Visit seen = visitHallOfFame(WayOut(way));
        QVERIFY(seen.modal);
        QVERIFY(seen.closed);
        QVERIFY(c.window->isVisible() && !QApplication::activeModalWidget());
        QVERIFY(Form2::get().isLoaded());
    }

    // A whole run ended by Exit or by the close box: the same file either way.
    void wholeRun_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("Exit") << false;
        QTest::newRow("close box") << true;
    }
    void wholeRun()
    {
        QFETCH(bool, closeBox);
        const QByteArray file = fileWith({{2, " 7"}, {9, "07"}, {13, "3"}, {14, "2"}}, "\n");
        Form2Controls& c = startMenu(file + "99\nleftover\n");
        c.Option1[2]->click();
        QTest::mouseClick(c.Label2[0], Qt::LeftButton);
        visitHallOfFame();
        const int code = runUntilEnd([&c, closeBox] {
            if (closeBox)
                c.window->close();
            else
                QTest::mouseClick(c.Command2, Qt::LeftButton);
        });
        QCOMPARE(code, 0);
        QVERIFY(everyScreenUnloaded());
        QCOMPARE(contents(fileName()), fileWith({{2, " 7"}, {9, "07"}, {13, "2"}, {14, "0"}}));
    }

    // The win is on disk when it is won; Exit then meets a full disk and asks what to do.
    void failedSaveAtExitOffersRetry_data()
    {
        QTest::addColumn<bool>("retry");
        QTest::addColumn<int>("code");
        QTest::newRow("discard") << false << 1;
        QTest::newRow("retry once the disk has room") << true << 0;
    }
    void failedSaveAtExitOffersRetry()
    {
        QFETCH(bool, retry);
        QFETCH(int, code);
        Form2Controls& c = startMenu(fileWith({{5, "7"}, {13, "1"}, {14, "1"}}));
        QTest::mouseClick(c.Command1, Qt::LeftButton);
        playRace(QStringLiteral("won"));
        const QByteArray afterWin = fileWith({{5, "8"}, {13, "1"}, {14, "1"}});
        QCOMPARE(contents(fileName()), afterWin);
        c.Option1[2]->click(); // a change that only Exit saves

        QString message;
        std::optional<DiskFull> full(std::in_place);
        const int ended = runUntilEnd([&] {
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (!box)
                    return;
                message = box->text();
                if (retry)
                    full.reset();
                box->button(retry ? QMessageBox::Retry : QMessageBox::Discard)->click();
            });
            QTest::mouseClick(c.Command2, Qt::LeftButton);
        });
        full.reset();
        QCOMPARE(ended, code);
        QVERIFY2(message.contains(fileName()), qPrintable(message));
        QVERIFY(everyScreenUnloaded());
        QCOMPARE(contents(fileName()),
                 retry ? fileWith({{5, "8"}, {13, "2"}, {14, "1"}}) : afterWin);
    }

    // Escape, or the box's close button, backs out of the Retry/Discard box: the game goes on
    // with nothing discarded, and a later Exit saves everything.
    void escapeOnFailedSaveGoesBackToTheGame_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("Escape") << false;
        QTest::newRow("close button") << true;
    }
    void escapeOnFailedSaveGoesBackToTheGame()
    {
        QFETCH(bool, closeBox);
        Form2Controls& c = startMenu(fileWith({{5, "7"}, {13, "1"}, {14, "1"}}));
        c.Option1[2]->click(); // a change that only Exit saves
        bool asked = false;
        bool discardShown = false;
        {
            DiskFull full;
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (!box)
                    return;
                asked = true;
                discardShown = box->button(QMessageBox::Discard)->isVisible();
                if (closeBox)
                    box->close();
                else
                    QTest::keyClick(box, Qt::Key_Escape);
            });
            QTest::mouseClick(c.Command2, Qt::LeftButton);
        }
        QVERIFY(asked);
        QVERIFY(discardShown);
        QVERIFY(Form2::get().isLoaded());
        QVERIFY(c.window->isVisible());
        QCOMPARE(contents(fileName()), fileWith({{5, "7"}, {13, "1"}, {14, "1"}}));
        QCOMPARE(runUntilEnd([&c] { QTest::mouseClick(c.Command2, Qt::LeftButton); }), 0);
        QCOMPARE(contents(fileName()), fileWith({{5, "7"}, {13, "2"}, {14, "1"}}));
    }
};

QTEST_MAIN(TestMenu)
#include "test_menu.moc"
