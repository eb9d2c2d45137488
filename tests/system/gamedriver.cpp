// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The game, started exactly as numblaze starts it, played by orders read from standard input so
// that a test in another process can bring it into any state and then end it as a player, a
// session or the system would. A test tool only: it is never installed.
//
//   numblaze_test_game [--folder PATH] [--file-size-limit BYTES]
//
// Without --folder the records live where the game itself would keep them, decided from the
// folder this program is in. Orders, one a line:
//   win            from the menu: race and answer all eleven equations ("You won!!!" stays)
//   back           leave the finished race for the menu
//   race           from the menu: race, and stop after the countdown
//   right          in a race: answer the equation on the screen rightly
//   mute           press the M key on the screen that has the focus (sound off, or on again)
//   hall           open the Hall of Fame
//   select M O     select math kind M and opponent O
//   label          report the menu's record label
//   exit           press Exit
//   close FormN    ask the window to close, as the window system does for a logout
//   commit         the session manager asks the game to save before the session ends
//   answer BUTTON  press the button of the message that is shown
//   logsounds      once the sound device is open, write down every sound it is given and every
//                  phrase the race's voice says, with the moment (steady clock, nanoseconds)
//   start          from the menu: race, the countdown running on its own timer
//   right-on-beat  in a race: answer rightly 40 ms after the opponent's next tick, between two
//                  of its knocks
//   wrong          in a race: answer wrongly
//   exit-suddenly  end the process with exit(), as Qt does when the display is lost
//   shortfalls     with logsounds: report how often the sound stream ran dry inside a sound
// Reports, one a line: ready, won, menu, racing, right, pressed m, hall, selected, label: TEXT,
// closed, committed, told: TEXT (a message is shown; it waits for an answer), already running,
// logging, started, wrong; with logsounds: "sound NAME NS" (NAME the sound file's name) and
// "phrase MS NS" (a phrase a reader takes MS to say), "shortfalls: N". At the end of the process,
// if the sound thread is still running: "sound thread still running".
#include "app/application.h"
#include "app/game.h"
#include "app/startup.h"
#include "halloffame/form3.h"
#include "menu/form2.h"
#include "race/form1.h"
#include "tests/screens/racing.h"
#include "widgets/sound.h"
#include "widgets/voice.h"

#include <QAbstractButton>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QSocketNotifier>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <functional>
#include <memory>
#include <private/qguiapplication_p.h>
#include <qpa/qwindowsysteminterface.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace numblaze;

namespace
{

void report(const QString& line)
{
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

void startRace()
{
    QTest::mouseClick(Form2::get().ui().Command1, Qt::LeftButton);
    for (int tick = 0; tick < 3; ++tick)
        Form1::get().Timer1_Timer();
}

qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

/// The sound device, every sound it is given written down first.
class LoggedDevice : public SoundOutput
{
  public:
    void play(SoundCue cue) override
    {
        report(
            QStringLiteral("sound %1 %2").arg(QFileInfo(soundFile(cue)).baseName()).arg(nowNs()));
        device.play(cue);
    }
    void duckFor(int ms) override { device.duckFor(ms); }

    SoundDevice device;
};

/// Writes down the phrases of the race's voice, once for each load of the race.
void logPhrases()
{
    static QPointer<Voice> logged;
    auto* voice = Form1::get().window().findChild<Voice*>();
    if (!voice || voice == logged)
        return;
    logged = voice;
    QObject::connect(voice, &Voice::phraseStarted, voice, [](int estimatedMs) {
        report(QStringLiteral("phrase %1 %2").arg(estimatedMs).arg(nowNs()));
    });
}

/// The logged sound device, once there is one.
const SoundDevice* loggedDevice = nullptr;

/// Replaces the game's sound device with a logged one once the game has started its sounds, and
/// reports once the new one is open.
void logSounds()
{
    Sounds* sounds = Form2::get().sounds();
    if (!sounds || !sounds->output()) {
        QTimer::singleShot(50, logSounds);
        return;
    }
    auto logged = std::make_unique<LoggedDevice>();
    const SoundDevice* device = &logged->device;
    loggedDevice = device;
    sounds->setOutput(std::move(logged));
    auto* waiting = new QTimer(qApp);
    QObject::connect(waiting, &QTimer::timeout, [waiting, device] {
        if (device->isOpen()) {
            waiting->deleteLater();
            report("logging");
        }
    });
    waiting->start(20);
}

/// Whether a thread of this process is the sound thread. Runs at the end of the process, where
/// little of Qt is left: plain system calls only.
bool soundThreadRuns()
{
    DIR* tasks = opendir("/proc/self/task");
    if (!tasks)
        return false;
    bool found = false;
    while (const dirent* task = readdir(tasks)) {
        char path[300], name[32] = {};
        std::snprintf(path, sizeof path, "/proc/self/task/%s/comm", task->d_name);
        if (FILE* comm = std::fopen(path, "r")) {
            found = found || (std::fgets(name, sizeof name, comm) &&
                              std::strncmp(name, "numblaze-sound", 14) == 0);
            std::fclose(comm);
        }
    }
    closedir(tasks);
    return found;
}

/// Answers rightly 40 ms after the opponent's next tick.
void answerOnBeat()
{
    Timer* timer = Form1::get().ui().Timer2;
    auto tick = std::make_shared<std::function<void()>>(timer->onTick);
    timer->onTick = [timer, tick] {
        (*tick)();
        QTimer::singleShot(0, [timer, tick] { timer->onTick = *tick; });
        QTimer::singleShot(40, Qt::PreciseTimer, [] {
            testing::typeAndEnter(testing::answerOnScreen());
            report("right");
        });
    };
}

/// Types the right answer to the sum on screen and presses Enter.
void answerRightly()
{
    testing::typeAndEnter(testing::answerOnScreen());
}

void winRace()
{
    startRace();
    for (int right = 0; right < 11; ++right)
        answerRightly();
}

Screen* screenNamed(const QString& name)
{
    if (name == QLatin1String("Form1"))
        return &Form1::get();
    if (name == QLatin1String("Form3"))
        return &Form3::get();
    return &Form2::get();
}

void answer(const QString& buttonText)
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box)
        return;
    for (QAbstractButton* button : box->buttons())
        if (button->text().remove(QLatin1Char('&')) == buttonText)
            button->click();
}

/// Carries out one order.
void perform(const QString& order)
{
    const QStringList words = order.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString verb = words.value(0);
    if (verb == "win") {
        winRace();
        report("won");
    } else if (verb == "back") {
        // The status button takes the player back once the result has been shown a moment. The
        // orders that follow wait their turn: no event loop runs meanwhile.
        QThread::msleep(Form1::ResultShownMs);
        QTest::keyClick(Form1::get().ui().Command1, Qt::Key_Return);
        report("menu");
    } else if (verb == "race") {
        startRace();
        report("racing");
    } else if (verb == "right") {
        answerRightly();
        report("right");
    } else if (verb == "mute") {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : &Form2::get().window(), Qt::Key_M);
        report("pressed m");
    } else if (verb == "hall") {
        QTimer::singleShot(0, [] { report("hall"); });
        QTest::mouseClick(Form2::get().ui().Command4, Qt::LeftButton);
    } else if (verb == "select") {
        Form2::get().ui().Option1[words.value(1).toInt()]->click();
        Form2::get().ui().Option2[words.value(2).toInt()]->click();
        report("selected");
    } else if (verb == "shortfalls" && loggedDevice) {
        report(QStringLiteral("shortfalls: %1").arg(loggedDevice->shortfalls()));
    } else if (verb == "label") {
        report("label: " + Form2::get().ui().Label3->caption());
    } else if (verb == "exit") {
        QTest::mouseClick(Form2::get().ui().Command2, Qt::LeftButton);
    } else if (verb == "close") {
        Screen* screen = screenNamed(words.value(1));
        if (screen->isLoaded())
            QWindowSystemInterface::handleCloseEvent<QWindowSystemInterface::SynchronousDelivery>(
                screen->window().windowHandle());
        report("closed");
    } else if (verb == "commit") {
        QGuiApplicationPrivate::instance()->commitData();
        report("committed");
    } else if (verb == "answer") {
        answer(words.mid(1).join(QLatin1Char(' ')));
    } else if (verb == "logsounds") {
        logSounds();
    } else if (verb == "start") {
        QTest::mouseClick(Form2::get().ui().Command1, Qt::LeftButton);
        logPhrases();
        report("started");
    } else if (verb == "right-on-beat") {
        answerOnBeat();
    } else if (verb == "wrong") {
        testing::typeAndEnter(testing::answerOnScreen() + "1");
        report("wrong");
    } else if (verb == "exit-suddenly") {
        std::exit(0);
    }
}

/// Reads orders from standard input and reports every message the game shows.
class Driver : public QObject
{
  public:
    Driver() : notifier_(STDIN_FILENO, QSocketNotifier::Read)
    {
        connect(&notifier_, &QSocketNotifier::activated, this, &Driver::readOrders);
        qApp->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            if (auto* box = qobject_cast<QMessageBox*>(watched))
                report("told: " + box->text().replace(QLatin1Char('\n'), QLatin1Char(' ')));
        return false;
    }

  private:
    void readOrders()
    {
        char bytes[4096];
        const ssize_t got = ::read(STDIN_FILENO, bytes, sizeof bytes);
        if (got <= 0) {
            notifier_.setEnabled(false);
            return;
        }
        pending_.append(bytes, got);
        for (qsizetype end = pending_.indexOf('\n'); end >= 0; end = pending_.indexOf('\n')) {
            const QString order = QString::fromUtf8(pending_.left(end));
            pending_.remove(0, end + 1);
            // Orders run from the message loop, so one that opens a modal screen does not hold
            // up the ones that follow.
            QTimer::singleShot(0, [order] { perform(order); });
        }
    }

    QSocketNotifier notifier_;
    QByteArray pending_;
};

} // namespace

int main(int argc, char* argv[])
{
    QByteArray folder;
    for (int i = 1; i + 1 < argc; ++i) {
        if (qstrcmp(argv[i], "--folder") == 0)
            folder = argv[i + 1];
        if (qstrcmp(argv[i], "--file-size-limit") == 0) {
            const rlimit limit{rlim_t(std::atoll(argv[i + 1])), rlim_t(std::atoll(argv[i + 1]))};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
    }
    const std::unique_ptr<QApplication> app = startApplication(argc, argv);
    if (!app)
        return 1;
    ProgressStore store =
        ProgressStore::open(folder.isEmpty() ? application::programFolder() : folder);
    if (store.lockResult() == ProgressLockResult::HeldByAnother) {
        report("already running");
        return 1;
    }
    Driver driver;
    // Registered before the game registers its own, so it runs after them.
    std::atexit([] {
        if (soundThreadRuns()) {
            const char line[] = "sound thread still running\n";
            [[maybe_unused]] const ssize_t written = ::write(STDOUT_FILENO, line, sizeof line - 1);
        }
    });
    QTimer::singleShot(0, [] { report("ready"); });
    return playGame(std::move(store));
}
