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
// Reports, one a line: ready, won, menu, racing, right, pressed m, hall, selected, label: TEXT,
// closed, committed, told: TEXT (a message is shown; it waits for an answer), already running.
#include "app/application.h"
#include "app/game.h"
#include "app/startup.h"
#include "halloffame/form3.h"
#include "menu/form2.h"
#include "race/form1.h"
#include "tests/screens/racing.h"

#include <QAbstractButton>
#include <QFile>
#include <QMessageBox>
#include <QSocketNotifier>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <cstdio>
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
    QTimer::singleShot(0, [] { report("ready"); });
    return playGame(std::move(store));
}
