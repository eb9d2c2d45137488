// The menu with its real widgets: selections, races, the Hall of Fame and whole runs that end
// with Progress.txt on disk.
#include "halloffame/form3.h"
#include "menu/form2.h"
#include "race/form1.h"
#include "tests/support.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <functional>
#include <memory>
#include <optional>
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

// What the Hall of Fame showed while it was open, and whether Escape and Enter left it open.
struct Visit {
    QStringList cells;
    bool modal = false;
    bool openAfterKeys = false;
};

Visit visitHallOfFame()
{
    Visit visit;
    QTimer::singleShot(0, [&visit] {
        Form3& hall = Form3::get();
        if (!hall.isLoaded())
            return;
        visit.modal = QApplication::activeModalWidget() == &hall.window();
        for (const Label* cell : hall.ui().Label6)
            visit.cells << cell->caption();
        QTest::keyClick(&hall.window(), Qt::Key_Escape);
        QTest::keyClick(&hall.window(), Qt::Key_Return);
        visit.openAfterKeys = hall.isLoaded() && hall.window().isVisible();
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
    QTest::keyClick(c.Command1, Qt::Key_Return);
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
        Form2::get().progressFolder = dir->path();
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
        for (const QString& after : {afterFirst, afterSecond}) {
            QTest::mouseClick(c.Command1, Qt::LeftButton);
            QVERIFY(!c.window->isVisible());
            playRace(outcome);
            if (QTest::currentTestFailed())
                return;
            QVERIFY(!Form1::get().isLoaded());
            QVERIFY(c.window->isVisible());
            QVERIFY(c.Image2->tag().isEmpty());
            QCOMPARE(c.Label3->caption(), says(after));
        }
        QCOMPARE(runUntilEnd([&c] { QTest::mouseClick(c.Command2, Qt::LeftButton); }), 0);
        QCOMPARE(contents(fileName()),
                 fileWith({{4, "07"}, {5, afterSecond.toLatin1()}, {13, "1"}, {14, "1"}}));
    }

    void hallOfFameEmptyBeforeFirstFill()
    {
        startMenu(fileWith({}));
        QVERIFY(Form3::get().isLoaded()); // the menu took its icon
        QVERIFY(!Form3::get().window().isVisible());
        for (const Label* cell : Form3::get().ui().Label6)
            QCOMPARE(cell->caption(), QString());
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
                QTest::mouseClick(Form1::get().ui().Command1, Qt::LeftButton);
            }
            const Visit seen = visitHallOfFame();
            QVERIFY(seen.modal);
            QVERIFY(seen.openAfterKeys);
            QCOMPARE(seen.cells, table); // Label6(11), Division against Ronald Red, shows 42
            QVERIFY(!Form3::get().isLoaded());
            // Back on the menu with an empty mailbox: nothing changes.
            QCOMPARE(c.Label3->caption(), says(visit == 2 ? "8" : "7"));
            QVERIFY(c.window->isVisible() && !QApplication::activeModalWidget());
        }
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
};

QTEST_MAIN(TestMenu)
#include "test_menu.moc"
