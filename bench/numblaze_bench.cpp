// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Prints how fast the game starts, loads a race, keeps time and sits idle on this machine.
//
// Without arguments it runs every measurement; "--startup [runs]" only the menu's start-up,
// "--race" only the race screen's load, "--sound" only the sound's latency.
// Start-up, peak memory and idle CPU need a fresh process each (an application object can be
// created only once per process), so for those it starts copies of itself with one of the child
// arguments below and reads what they print. Every "floor" is plain Qt doing the same kind of work:
// a bare window with as many child widgets of the same Qt kinds as the game's screen, built and
// shown by the same program.
#include "app/game.h"
#include "app/gamesounds.h"
#include "app/runningcopy.h"
#include "app/startup.h"
#include "bench/libraries.h"
#include "core/gamedata.h"
#include "halloffame/form3.h"
#include "menu/form2.h"
#include "race/form1.h"
#include "records/progressstore.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QGroupBox>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMap>
#include <QProcess>
#include <QRadioButton>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sys/resource.h>
#include <utility>
#include <vector>

using namespace numblaze;
using Clock = std::chrono::steady_clock;

namespace
{

double msBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

const char* verdict(bool met)
{
    return met ? "met" : "MISSED";
}

/// Waits for the first paint of a top-level window and for the end of that paint pass: the
/// window gets the first paint event, its children are painted in the same pass, and the
/// pass is over when the event loop next gets control.
class FirstPaint : public QObject
{
  public:
    explicit FirstPaint(std::function<bool(QWidget*)> isTarget) : isTarget_(std::move(isTarget))
    {
        qApp->installEventFilter(this);
    }

    /// The time the paint pass ended. A window that is never painted ends the benchmark.
    Clock::time_point wait(int timeoutMs = 10000)
    {
        if (!done_) {
            QTimer::singleShot(timeoutMs, &loop_, &QEventLoop::quit);
            loop_.exec();
        }
        qApp->removeEventFilter(this);
        if (!done_) {
            std::fprintf(stderr, "no paint within %d ms\n", timeoutMs);
            std::exit(2);
        }
        return painted_;
    }

    /// Called when the window's first paint event arrives, before it is painted.
    std::function<void()> onFirstPaintEvent;
    /// Called when the paint pass has ended, before anything the paint started can run (the
    /// game's sounds start on a timer that falls due in the same turn of the event loop).
    std::function<void()> onPainted;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!seen_ && event->type() == QEvent::Paint) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget && widget->isWindow() && isTarget_(widget)) {
                seen_ = true;
                if (onFirstPaintEvent)
                    onFirstPaintEvent();
                QTimer::singleShot(0, this, [this] {
                    painted_ = Clock::now();
                    if (onPainted)
                        onPainted();
                    done_ = true;
                    loop_.quit();
                });
            }
        }
        return false;
    }

  private:
    std::function<bool(QWidget*)> isTarget_;
    QEventLoop loop_;
    bool seen_ = false;
    bool done_ = false;
    Clock::time_point painted_;
};

bool named(QWidget* widget, const char* name)
{
    return widget->objectName() == QLatin1String(name);
}

/// How many controls of each Qt kind a screen holds, and its window's size and frame.
struct WidgetKinds {
    QSize size;
    bool frameless = false;
    int labels = 0, buttons = 0, options = 0, frames = 0, edits = 0, plain = 0;

    int total() const { return labels + buttons + options + frames + edits + plain; }

    QString toArgument() const
    {
        return QStringLiteral("%1x%2:%3:%4,%5,%6,%7,%8,%9")
            .arg(size.width())
            .arg(size.height())
            .arg(int(frameless))
            .arg(labels)
            .arg(buttons)
            .arg(options)
            .arg(frames)
            .arg(edits)
            .arg(plain);
    }

    static WidgetKinds fromArgument(const QString& text)
    {
        const QStringList parts = text.split(QLatin1Char(':'));
        const QStringList wh = parts.value(0).split(QLatin1Char('x'));
        const QStringList n = parts.value(2).split(QLatin1Char(','));
        WidgetKinds k;
        k.size = QSize(wh.value(0).toInt(), wh.value(1).toInt());
        k.frameless = parts.value(1) == QLatin1String("1");
        int* counts[] = {&k.labels, &k.buttons, &k.options, &k.frames, &k.edits, &k.plain};
        for (int i = 0; i < 6; ++i)
            *counts[i] = n.value(i).toInt();
        return k;
    }
};

/// The design controls of a screen (Qt's own inner widgets are not counted).
WidgetKinds kindsOf(QWidget* window)
{
    WidgetKinds k;
    k.size = window->size();
    k.frameless = window->windowFlags().testFlag(Qt::FramelessWindowHint);
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        if (qobject_cast<QLabel*>(w))
            ++k.labels;
        else if (qobject_cast<QRadioButton*>(w))
            ++k.options;
        else if (qobject_cast<QPushButton*>(w))
            ++k.buttons;
        else if (qobject_cast<QGroupBox*>(w))
            ++k.frames;
        else if (qobject_cast<QLineEdit*>(w))
            ++k.edits;
        else
            ++k.plain;
    }
    return k;
}

/// The floor: a bare window with plain Qt widgets of the same kinds, laid out on a grid.
QWidget* buildFloor(const WidgetKinds& k)
{
    auto* window =
        new QWidget(nullptr, k.frameless ? Qt::Window | Qt::FramelessWindowHint : Qt::Window);
    window->setObjectName(QStringLiteral("Floor"));
    window->setFixedSize(k.size);
    int slot = 0;
    auto place = [&](QWidget* w) {
        w->setGeometry(8 + (slot % 4) * 110, 8 + (slot / 4) * 30, 100, 24);
        ++slot;
    };
    for (int i = 0; i < k.labels; ++i)
        place(new QLabel(QStringLiteral("Label %1").arg(i), window));
    for (int i = 0; i < k.buttons; ++i)
        place(new QPushButton(QStringLiteral("Button %1").arg(i), window));
    for (int i = 0; i < k.options; ++i)
        place(new QRadioButton(QStringLiteral("Option %1").arg(i), window));
    for (int i = 0; i < k.frames; ++i)
        place(new QGroupBox(QStringLiteral("Frame %1").arg(i), window));
    for (int i = 0; i < k.edits; ++i)
        place(new QLineEdit(window));
    for (int i = 0; i < k.plain; ++i)
        place(new QWidget(window));
    return window;
}

void discardScreens()
{
    Form1::get().discard();
    Form2::get().discard();
    Form3::get().discard();
}

qint64 nanoseconds(Clock::time_point t)
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count();
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

/// VmHWM, the peak resident set, in KiB.
long peakResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// --- Child processes ---------------------------------------------------------------------

/// Named moments of one start-up, each step timed from the end of the one before.
class Checkpoints
{
  public:
    Checkpoints() { clock_.start(); }

    /// Ends the step called `name`.
    void mark(const char* name)
    {
        const qint64 now = clock_.nsecsElapsed();
        steps_.push_back({name, double(now - last_) / 1e6});
        last_ = now;
    }

    /// The steps as "<name>_ms=<ms>" fields, in the order they ran.
    QString fields() const
    {
        QString text;
        for (const auto& [name, ms] : steps_)
            text += QStringLiteral(" %1_ms=%2").arg(QLatin1String(name)).arg(ms, 0, 'f', 3);
        return text;
    }

  private:
    QElapsedTimer clock_;
    qint64 last_ = 0;
    std::vector<std::pair<const char*, double>> steps_;
};

/// Prints what every start-up prints: the whole time, the steps and the moment of the paint.
void printStartup(Clock::time_point entered, Clock::time_point t0, Clock::time_point t1,
                  const Checkpoints& steps)
{
    std::printf("startup_ms=%.3f peak_kib=%ld painted_ns=%lld main_ns=%lld%s", msBetween(t0, t1),
                peakResidentKiB(), static_cast<long long>(nanoseconds(t1)),
                static_cast<long long>(nanoseconds(entered)), qPrintable(steps.fields()));
}

/// The time from `from` until the sounds' device has opened its stream; -1 when it does not
/// within two seconds (no sound device).
double msUntilSoundOpens(const Sounds& sounds, Clock::time_point from)
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 2000) {
        const auto* device = dynamic_cast<const SoundDevice*>(sounds.output());
        if (device && device->isOpen())
            return msBetween(from, Clock::now());
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return -1;
}

/// Starts the game as main() does, with its progress file in `folder`, and prints the time
/// from creating the application object to the end of the menu's first paint, step by step.
int childGame(int argc, char** argv, Clock::time_point entered, const QString& folder, bool idle)
{
    const Clock::time_point t0 = Clock::now();
    Checkpoints steps;
    // The game's own start, so whatever the game does before its first window is counted.
    const std::unique_ptr<QApplication> app = startApplication(argc, argv);
    if (!app)
        return 1;
    steps.mark("application");
    ProgressStore store = ProgressStore::open(QFile::encodeName(folder));
    RunningCopyListener listener;
    listener.listen(store.folderName());
    Form2::get().useProgressStore(std::move(store));
    steps.mark("lock");
    FirstPaint paint([](QWidget* w) { return named(w, "Form2"); });
    paint.onFirstPaintEvent = [&steps] { steps.mark("until_paint_event"); };
    // The libraries counted as the menu is painted, not once the sound thread has begun to
    // load its own.
    int libraries = -1;
    paint.onPainted = [&libraries] { libraries = sharedLibraries(); };
    Form2::get().window(); // loads the menu, which loads the Hall of Fame and reads the file
    steps.mark("build");
    // As the game does: the sounds wait for the menu's first paint.
    Sounds sounds;
    startSoundsAfterFirstPaint(sounds, &Form2::get().window(), false);
    Form2::get().show();
    steps.mark("show");
    const Clock::time_point t1 = paint.wait();
    steps.mark("paint");
    printStartup(entered, t0, t1, steps);
    std::printf(" libraries=%d", libraries);
    std::printf(" sound_open_ms=%.3f", msUntilSoundOpens(sounds, t1));
    std::printf(" kinds=%s\n", qPrintable(kindsOf(&Form2::get().window()).toArgument()));
    if (idle) {
        // The menu waits for the player: ten seconds of nothing but the event loop.
        const long peakAtMenu = peakResidentKiB();
        const double before = cpuSeconds();
        const Clock::time_point start = Clock::now();
        QEventLoop loop;
        QTimer::singleShot(10000, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
        const double wall = msBetween(start, Clock::now()) / 1000;
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("peak_kib=%ld maxrss_kib=%ld idle_cpu_s=%.6f idle_wall_s=%.3f\n", peakAtMenu,
                    usage.ru_maxrss, cpuSeconds() - before, wall);
    }
    std::fflush(stdout);
    discardScreens();
    return 0;
}

int childFloor(int argc, char** argv, Clock::time_point entered, const WidgetKinds& kinds)
{
    const Clock::time_point t0 = Clock::now();
    Checkpoints steps;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Numblaze"));
    steps.mark("application");
    steps.mark("lock");
    FirstPaint paint([](QWidget* w) { return named(w, "Floor"); });
    paint.onFirstPaintEvent = [&steps] { steps.mark("until_paint_event"); };
    QWidget* window = buildFloor(kinds);
    steps.mark("build");
    window->show();
    steps.mark("show");
    const Clock::time_point t1 = paint.wait();
    steps.mark("paint");
    printStartup(entered, t0, t1, steps);
    std::printf("\n");
    std::fflush(stdout);
    delete window;
    return 0;
}

// --- The parent --------------------------------------------------------------------------

/// One child's printed figures, and the times from starting its process to its main() and to
/// its paint.
struct ChildRun {
    QMap<QString, QString> values;
    double spawnToMainMs = 0;
    double spawnToPaintMs = 0;
};

ChildRun runChild(const QStringList& arguments,
                  const QString& program = QCoreApplication::applicationFilePath())
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const Clock::time_point spawned = Clock::now();
    child.start(program, arguments);
    child.waitForFinished(60000);
    ChildRun run;
    for (const QByteArray& field : child.readAllStandardOutput().simplified().split(' ')) {
        const int eq = field.indexOf('=');
        if (eq > 0)
            run.values.insert(QString::fromLatin1(field.left(eq)),
                              QString::fromLatin1(field.mid(eq + 1)));
    }
    auto moment = [&run](const char* field) {
        return Clock::time_point(std::chrono::nanoseconds(run.values.value(field).toLongLong()));
    };
    run.spawnToMainMs = msBetween(spawned, moment("main_ns"));
    run.spawnToPaintMs = msBetween(spawned, moment("painted_ns"));

    if (child.exitCode() != 0 || !run.values.contains(QStringLiteral("painted_ns")))
        std::printf("  (a child run failed: %s)\n", qPrintable(arguments.join(QLatin1Char(' '))));
    return run;
}

/// The start-up steps both sides print, in the order they run.
const char* const startupSteps[][2] = {
    {"application", "the application object (game: also its icon and end signals)"},
    {"lock", "the single-copy lock"},
    {"build", "building the window (menu: its controls, the Hall of Fame, the file)"},
    {"show", "show()"},
    {"until_paint_event", "show() -> first paint event"},
    {"paint", "the first paint pass"},
};

/// Medians of every printed field over a number of runs.
struct StartupRuns {
    QMap<QString, std::vector<double>> fields;
    std::vector<double> spawnToMain, spawnToPaint;

    void add(const ChildRun& run)
    {
        for (auto it = run.values.begin(); it != run.values.end(); ++it)
            if (it.key().endsWith(QLatin1String("_ms")) || it.key() == QLatin1String("peak_kib"))
                fields[it.key()].push_back(it.value().toDouble());
        spawnToMain.push_back(run.spawnToMainMs);
        spawnToPaint.push_back(run.spawnToPaintMs);
        libraries = run.values.value(QStringLiteral("libraries")).toInt();
    }
    int libraries = 0;
    double operator[](const QString& field) const { return median(fields.value(field)); }
};

void benchStartup(const QString& folder, int runs)
{
    const QStringList game = {QStringLiteral("--child-game"), folder};
    const ChildRun first = runChild(game); // warms the disk cache; not counted
    const QString kinds = first.values.value(QStringLiteral("kinds"));
    const QStringList floor = {QStringLiteral("--child-floor"), kinds};
    runChild(floor);
    const QString fontsFloor = QStringLiteral(NUMBLAZE_FONTS_FLOOR);
    runChild({}, fontsFloor);
    StartupRuns g, f, fonts;
    for (int i = 0; i < runs; ++i) {
        g.add(runChild(game));
        f.add(runChild(floor));
        fonts.add(runChild({}, fontsFloor));
    }
    const double ratio = g["startup_ms"] / f["startup_ms"];
    std::printf("Menu start-up, median of %d fresh processes each (after one warm-up run):\n",
                runs);
    std::printf("  application object created -> menu painted     %8.1f ms\n", g["startup_ms"]);
    std::printf("  floor: bare window, %2d children of the same kinds %6.1f ms\n",
                WidgetKinds::fromArgument(kinds).total(), f["startup_ms"]);
    std::printf("  ratio %.2f (target <= 1.1: %s), the sounds loading after the paint as in the "
                "game\n",
                ratio, verdict(ratio <= 1.1));
    const double open = g["sound_open_ms"];
    if (open >= 0)
        std::printf("  menu painted -> sound stream open (in its own thread) %6.1f ms\n", open);
    else
        std::printf("  no sound device: the game starts silent\n");
    std::printf("  step by step, game / floor (medians of each step, ms):\n");
    for (const auto& [field, meaning] : startupSteps)
        std::printf("    %-70s %7.2f / %6.2f\n", meaning, g[QLatin1String(field) + "_ms"],
                    f[QLatin1String(field) + "_ms"]);
    std::printf("  peak resident memory at the first paint: game %.1f MiB, floor %.1f MiB\n",
                g["peak_kib"] / 1024, f["peak_kib"] / 1024);
    std::printf("  whole process, exec -> main(): game %.1f ms, floor %.1f ms\n",
                median(g.spawnToMain), median(f.spawnToMain));
    std::printf("  whole process, exec -> painted: game %.1f ms, floor %.1f ms (ratio %.2f)\n",
                median(g.spawnToPaint), median(f.spawnToPaint),
                median(g.spawnToPaint) / median(f.spawnToPaint));
    // The floor above is this same program, which links everything the game links; the fonts
    // floor is a program of its own with Qt Widgets alone, so the libraries the game loads
    // before its first paint count here.
    const double fontsRatio = median(g.spawnToPaint) / median(fonts.spawnToPaint);
    std::printf("  whole process, exec -> painted: fonts floor (Qt Widgets alone, the menu's "
                "captions in its faces) %.1f ms, ratio %.2f (target <= 1.1: %s)\n",
                median(fonts.spawnToPaint), fontsRatio, verdict(fontsRatio <= 1.1));
    std::printf("  shared libraries mapped at the first paint: game %d, fonts floor %d\n",
                g.libraries, fonts.libraries);
}

void benchIdle(const QString& folder)
{
    const ChildRun run = runChild({QStringLiteral("--child-idle"), folder});
    const double cpu = run.values.value(QStringLiteral("idle_cpu_s")).toDouble();
    const double wall = run.values.value(QStringLiteral("idle_wall_s")).toDouble();
    const double percent = wall > 0 ? 100 * cpu / wall : -1;
    std::printf("Game process with the menu shown:\n");
    std::printf("  peak resident memory (VmHWM)   %8.1f MiB (ru_maxrss after idling %.1f MiB)\n",
                run.values.value(QStringLiteral("peak_kib")).toDouble() / 1024,
                run.values.value(QStringLiteral("maxrss_kib")).toDouble() / 1024);
    std::printf(
        "  idle CPU over %.1f s           %8.4f %% (%.1f ms of CPU; target < 0.05 %%: %s)\n", wall,
        percent, cpu * 1000, verdict(percent >= 0 && percent < 0.05));
}

/// Waits until the menu is on screen again and everything left over has run.
void settleOnMenu(FirstPaint& menuPaint)
{
    menuPaint.wait();
    QEventLoop loop;
    QTimer::singleShot(30, &loop, &QEventLoop::quit);
    loop.exec();
}

// The timed parts of a race load are kept out of line, so that a profiler can count them alone
// (valgrind's --toggle-collect, see the README).

/// What "Race!" costs: the race screen loads, shows and is painted; the menu hides. Returns the
/// milliseconds; `kinds`, when given, gets the race screen's kinds of widgets.
[[gnu::noinline]] double showRace(WidgetKinds* kinds)
{
    FirstPaint racePaint([](QWidget* w) { return named(w, "Form1"); });
    const Clock::time_point t0 = Clock::now();
    Form2::get().ui().Command1->click();
    const double ms = msBetween(t0, racePaint.wait());
    if (kinds)
        *kinds = kindsOf(&Form1::get().window());
    return ms;
}

/// The same for the floor: a bare window with the race screen's kinds of widgets replaces the
/// menu. Returns the milliseconds and the window.
[[gnu::noinline]] double showFloor(const WidgetKinds& kinds, QWidget** window)
{
    FirstPaint floorPaint([](QWidget* w) { return named(w, "Floor"); });
    const Clock::time_point t0 = Clock::now();
    *window = buildFloor(kinds);
    (*window)->show();
    Form2::get().hide();
    return msBetween(t0, floorPaint.wait());
}

/// One "Race!" and back to the menu; returns the time to the race screen's first paint.
double raceLoadOnce(WidgetKinds* kinds = nullptr)
{
    const double ms = showRace(kinds);
    FirstPaint back([](QWidget* w) { return named(w, "Form2"); });
    Form1::get().Command2_Click();
    settleOnMenu(back);
    return ms;
}

/// One floor window instead of the race screen, and back to the menu.
double floorLoadOnce(const WidgetKinds& kinds)
{
    QWidget* window = nullptr;
    const double ms = showFloor(kinds, &window);
    FirstPaint back([](QWidget* w) { return named(w, "Form2"); });
    delete window;
    Form2::get().show();
    settleOnMenu(back);
    return ms;
}

void benchRaceLoad()
{
    constexpr int Runs = 15;
    // The first load of each is the one the player waits for after start.
    WidgetKinds kinds;
    const double gameCold = raceLoadOnce(&kinds);
    const double floorCold = floorLoadOnce(kinds);
    std::vector<double> game, floor;
    for (int i = 0; i < Runs; ++i) {
        game.push_back(raceLoadOnce());
        floor.push_back(floorLoadOnce(kinds));
    }
    const double ratio = median(game) / median(floor);
    std::printf("Race screen load and show (\"Race!\" -> race screen painted), median of %d:\n",
                Runs);
    std::printf("  game                                          %8.2f ms (first time %.2f ms)\n",
                median(game), gameCold);
    std::printf("  floor: bare window, %2d children of the same kinds %6.2f ms (first time %.2f "
                "ms)\n",
                kinds.total(), median(floor), floorCold);
    std::printf("  ratio %.2f (target <= 1.2: %s)\n", ratio, verdict(ratio <= 1.2));
}

/// Plays the cue every `everyMs` `times` times and reports the game's side of each wait: from
/// the cue asked for to its first sample written into the stream, and how much audio the stream
/// held ahead of that sample then (with the silence a sound into a dry stream starts after).
void soundWaits(SoundDevice& device, SoundCue cue, int everyMs, int times, const char* what,
                const std::function<void()>& between = {})
{
    std::vector<double> written, queued, total;
    for (int i = 0; i < times; ++i) {
        if (between)
            between();
        device.play(cue);
        QEventLoop loop;
        QTimer::singleShot(everyMs, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
        if (const std::optional<SoundDevice::Latency> latency = device.lastLatency()) {
            written.push_back(latency->untilWrittenMs);
            queued.push_back(latency->queuedAheadMs);
            total.push_back(latency->untilWrittenMs + latency->queuedAheadMs);
        }
    }
    if (total.empty())
        return;
    const double worst = *std::max_element(total.begin(), total.end());
    const auto late = std::count_if(total.begin(), total.end(), [](double ms) { return ms > 30; });
    std::printf("  %s, %d times:\n", what, times);
    std::printf("    play() -> first sample written     median %5.1f ms, max %5.1f ms\n",
                median(written), *std::max_element(written.begin(), written.end()));
    std::printf("    audio ahead of it in the stream    median %5.1f ms, max %5.1f ms\n",
                median(queued), *std::max_element(queued.begin(), queued.end()));
    std::printf("    event -> sound                     median %5.1f ms, max %5.1f ms, %d over 30 "
                "ms (target <= 30: %s)\n",
                median(total), worst, int(late), verdict(worst <= 30));
}

/// From a cue asked for to its sound: into silence, and while another sound plays.
void benchSoundLatency()
{
    SoundDevice device;
    QElapsedTimer waited;
    waited.start();
    while (!device.isOpen() && waited.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    std::printf("Sound, event -> sound:\n");
    if (!device.isOpen()) {
        std::printf("  no sound device: nothing to measure\n");
        return;
    }
    std::printf("  sound thread: %s; stream open %.1f ms after it was asked for\n",
                qPrintable(device.schedule()), double(waited.elapsed()));
    soundWaits(device, {Cue::Right, 5}, 300, 40, "a chime every 300 ms, into silence");
    // The lead sound (290 ms) plays while the chime is asked for, 100 ms into it.
    soundWaits(device, {Cue::Right, 5}, 400, 40, "a chime 100 ms into the lead sound", [&] {
        device.play({Cue::OpponentLeads});
        QEventLoop loop;
        QTimer::singleShot(100, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec();
    });
    std::printf("  (the audio server's own latency comes on top; the system test test_audio "
                "measures it end to end)\n");
}

/// A real race against Ronald Red (speed 35) without a single answer, timed from the moment
/// the countdown starts the opponent's timer to "You lost!".
void benchTimerFidelity()
{
    Form2& menu = Form2::get();
    menu.ui().Option2[2]->select();
    menu.ui().Command1->click();
    Form1Controls& c = Form1::get().ui();
    Clock::time_point start;
    std::vector<Clock::time_point> ticks;
    QEventLoop loop;
    auto countdown = c.Timer1->onTick;
    c.Timer1->onTick = [&] {
        countdown();
        if (c.Timer2->enabled() && ticks.empty())
            start = Clock::now();
    };
    auto move = c.Timer2->onTick;
    c.Timer2->onTick = [&] {
        ticks.push_back(Clock::now());
        move();
        if (c.Command1->caption() == Form1::Lost)
            loop.quit();
    };
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    constexpr double Nominal = 15100;
    double largestGap = 0;
    Clock::time_point previous = start;
    for (const Clock::time_point& t : ticks) {
        largestGap = std::max(largestGap, msBetween(previous, t));
        previous = t;
    }
    const bool lost = c.Command1->caption() == Form1::Lost;
    const double duration = ticks.empty() ? 0 : msBetween(start, ticks.back());
    const double off = 100 * (duration - Nominal) / Nominal;
    std::printf("Timer fidelity, a real race at speed 35 with no answers:\n");
    std::printf("  start -> \"You lost!\"   %10.3f ms after %zu ticks%s (nominal 15100 ms)\n",
                duration, ticks.size(), lost ? "" : " WITHOUT a loss");
    std::printf("  off by %+.4f %% (target within 0.1 %%: %s); largest gap between ticks %.3f ms\n",
                off, verdict(lost && std::abs(off) <= 0.1), largestGap);
}

/// Calls `work` in batches until about `budgetMs` have passed; returns microseconds per call.
double perCall(const std::function<void()>& work, double budgetMs)
{
    long calls = 0;
    const Clock::time_point t0 = Clock::now();
    double elapsed = 0;
    while (elapsed < budgetMs) {
        for (int i = 0; i < 100; ++i)
            work();
        calls += 100;
        elapsed = msBetween(t0, Clock::now());
    }
    return 1000 * elapsed / double(calls);
}

void benchEquations()
{
    // The race screen from the timer race is still shown, as it is during a race.
    Form1& race = Form1::get();
    std::printf("Make_Equation per call, race screen shown, record 50:\n");
    for (const MathKind& kind : mathKinds) {
        race.ui().Label3->setCaption(kind.signText());
        race.Highest = 50;
        const double us = perCall([&] { race.Make_Equation(); }, 300);
        std::printf("  \"%s\"  %8.3f us\n", kind.sign, us);
    }
    race.Command2_Click();
}

void benchProgressFile(const QString& typicalFolder)
{
    // A folder of its own: the menu still shown holds the lock on the typical one.
    QTemporaryDir folder;
    QFile::copy(QDir(typicalFolder).filePath(QStringLiteral("Progress.txt")),
                QDir(folder.path()).filePath(QStringLiteral("Progress.txt")));
    ProgressStore store = ProgressStore::open(QFile::encodeName(folder.path()));
    Progress progress = store.read();
    QString error;
    const double read = perCall([&] { progress = store.read(); }, 500);
    const double write = perCall([&] { store.save(progress, &error); }, 1000);
    std::printf("Progress file (14 lines, read and saved as the game does: a new file synced and "
                "renamed over the old one):\n");
    std::printf("  read %.1f us, write %.1f us, read plus write %.1f us%s\n", read, write,
                read + write,
                error.isEmpty() ? "" : qPrintable(QStringLiteral(" (") + error + ")"));
}

int parent(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QTemporaryDir folder;
    Progress typical;
    const char* records[] = {"12", "9", "7", "20", "14", "8", "6", "5", "5", "11", "6", "5"};
    for (const Pairing pairing : pairings)
        recordOf(typical.records, pairing) = QString::fromLatin1(records[pairing.index()]);
    QFile file(QDir(folder.path()).filePath(QStringLiteral("Progress.txt")));
    if (!file.open(QIODevice::WriteOnly) || file.write(progressBytes(typical)) < 0 ||
        !file.flush()) {
        std::printf("cannot write a progress file: %s\n", qPrintable(file.errorString()));
        return 1;
    }
    file.close();
    std::printf("Numblaze benchmarks on %s, Qt %s, platform \"%s\"\n",
                qPrintable(QSysInfo::prettyProductName()), qVersion(),
                qPrintable(QGuiApplication::platformName()));
    std::fflush(stdout);
    const QByteArray only = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    if (only == "--sound") {
        benchSoundLatency();
        return 0;
    }
    if (only != "--race") {
        const bool startupOnly = only == "--startup";
        benchStartup(folder.path(), startupOnly && argc > 2 ? std::max(1, std::atoi(argv[2])) : 9);
        if (startupOnly)
            return 0;
        benchIdle(folder.path());
        std::fflush(stdout);
    }

    Form2& menu = Form2::get();
    menu.useProgressStore(ProgressStore::open(QFile::encodeName(folder.path())));
    FirstPaint shown([](QWidget* w) { return named(w, "Form2"); });
    menu.show();
    settleOnMenu(shown);
    benchRaceLoad();
    std::fflush(stdout);
    if (only == "--race") {
        discardScreens();
        return 0;
    }
    benchSoundLatency();
    std::fflush(stdout);
    benchTimerFidelity();
    benchEquations();
    benchProgressFile(folder.path());
    discardScreens();
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const Clock::time_point entered = Clock::now();
    connectScreens();
    // The offscreen platform says, at every show, that it cannot raise a window.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& message) {
        if (!message.contains(QLatin1String("does not support raise()")))
            std::fprintf(stderr, "%s\n", qPrintable(message));
    });
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const QString value = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (mode == QLatin1String("--child-game"))
        return childGame(argc, argv, entered, value, false);
    if (mode == QLatin1String("--child-idle"))
        return childGame(argc, argv, entered, value, true);
    if (mode == QLatin1String("--child-floor"))
        return childFloor(argc, argv, entered, WidgetKinds::fromArgument(value));
    return parent(argc, argv);
}
