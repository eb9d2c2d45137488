// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The real game in a real GNOME desktop (GNOME Shell on Wayland with Xwayland, started by
// gnome-session.sh): the window system it chooses there, GNOME's own frame on the menu with no
// maximise, every screen centred, the Hall of Fame over the menu, and the race window in the
// menu's place with the menu coming back exactly where it was. Windows are read from the X
// server (xdotool, xwininfo, xprop); what the player sees is taken with GNOME Shell's own
// screenshots, kept in the build folder (gnome-screens/) for a person to look at.

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <functional>

namespace
{
constexpr int Patience = 20000; // ms; only ever reached when something is wrong

QByteArray output(const QString& program, const QStringList& arguments)
{
    QProcess tool;
    tool.start(program, arguments);
    if (!tool.waitForFinished(Patience))
        return {};
    return tool.readAllStandardOutput();
}

bool waitUntil(const std::function<bool()>& ready)
{
    QElapsedTimer waited;
    waited.start();
    while (!ready()) {
        if (waited.elapsed() > Patience)
            return false;
        QThread::msleep(50);
    }
    return true;
}

/// One top-level window on Xwayland, as the X server and GNOME's window manager describe it.
struct XWindow {
    quint64 id = 0;

    /// The visible window of the process with exactly this title; none when there is none.
    static XWindow find(qint64 pid, const QString& title)
    {
        const QByteArray found = output(
            QStringLiteral("xdotool"),
            {QStringLiteral("search"), QStringLiteral("--all"), QStringLiteral("--onlyvisible"),
             QStringLiteral("--pid"), QString::number(pid), QStringLiteral("--name"),
             QLatin1Char('^') + QRegularExpression::escape(title) + QLatin1Char('$')});
        return {found.split('\n').value(0).toULongLong()};
    }
    static XWindow focused()
    {
        return {output(QStringLiteral("xdotool"), {QStringLiteral("getwindowfocus")})
                    .trimmed()
                    .toULongLong()};
    }

    bool exists() const { return id != 0; }

    /// The client area on the screen: where the game draws, without the frame.
    QRect client() const
    {
        const QString info =
            QString::fromLatin1(output(QStringLiteral("xwininfo"), {QStringLiteral("-id"), hex()}));
        const auto field = [&info](const char* name) {
            const QRegularExpression pattern(QLatin1String(name) + QStringLiteral(":\\s+(-?\\d+)"));
            return pattern.match(info).captured(1).toInt();
        };
        return {field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"),
                field("Height")};
    }

    /// A property's value as xprop prints it after the "=".
    QString property(const char* name) const
    {
        return propertyOf({QStringLiteral("-id"), hex()}, name);
    }

    /// GNOME's frame around the client area: left, right, top, bottom.
    QList<int> frame() const
    {
        QList<int> sides;
        for (const QString& side : property("_NET_FRAME_EXTENTS").split(QLatin1Char(',')))
            sides.append(side.trimmed().toInt());
        return sides.size() == 4 ? sides : QList<int>{};
    }

    QString hex() const { return QStringLiteral("0x") + QString::number(id, 16); }

    static QString propertyOf(const QStringList& window, const char* name)
    {
        const QString line = QString::fromLatin1(
            output(QStringLiteral("xprop"), window + QStringList{QString::fromLatin1(name)}));
        // "NAME(TYPE) = VALUE", or "NAME(TYPE): VALUE" for a window.
        static const QRegularExpression value(QStringLiteral("^[^(]+\\([^)]+\\)(?: =|:)(.*)$"));
        return value.match(line.trimmed()).captured(1).trimmed();
    }
};

/// The windows GNOME keeps, bottom first.
QList<quint64> stacking()
{
    QList<quint64> ids;
    const QString list =
        XWindow::propertyOf({QStringLiteral("-root")}, "_NET_CLIENT_LIST_STACKING");
    for (const QString& item : list.split(QLatin1Char(',')))
        ids.append(item.section(QLatin1Char('#'), -1).trimmed().toULongLong(nullptr, 16));
    return ids;
}

/// The part of the screen GNOME leaves to windows (below its top bar).
QRect workArea()
{
    const QStringList values =
        XWindow::propertyOf({QStringLiteral("-root")}, "_NET_WORKAREA").split(QLatin1Char(','));
    if (values.size() < 4)
        return {};
    return {values[0].trimmed().toInt(), values[1].trimmed().toInt(), values[2].trimmed().toInt(),
            values[3].trimmed().toInt()};
}

/// The share of the pixels of `area` that differ between two screenshots.
double changed(const QImage& a, const QImage& b, const QRect& area)
{
    qint64 differing = 0;
    const QRect inside = area & a.rect() & b.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            differing += a.pixel(x, y) != b.pixel(x, y);
    return inside.isEmpty() ? 0 : double(differing) / (qint64(inside.width()) * inside.height());
}

/// Whether two points lie within a pixel of each other (halving odd sizes rounds).
bool near(QPointF a, QPointF b)
{
    return qAbs(a.x() - b.x()) <= 1 && qAbs(a.y() - b.y()) <= 1;
}

QPointF centre(const QRect& r)
{
    return {r.x() + r.width() / 2.0, r.y() + r.height() / 2.0};
}

} // namespace

class TestGnome : public QObject
{
    Q_OBJECT

    QDir shots_{QStringLiteral(NUMBLAZE_GNOME_SCREENS)};
    QImage desktop_;
    QTemporaryDir folder_;
    QProcess game_;
    XWindow menu_;
    QRect menuPlace_;
    QImage menuShot_;

    /// The screen as GNOME Shell shows it, kept as NAME.png.
    QImage screenshot(const QString& name)
    {
        const QString file = shots_.filePath(name + QStringLiteral(".png"));
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.gnome.Shell"), QStringLiteral("/org/gnome/Shell/Screenshot"),
            QStringLiteral("org.gnome.Shell.Screenshot"), QStringLiteral("Screenshot"));
        call << false << false << file;
        const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, Patience);
        if (reply.type() != QDBusMessage::ReplyMessage || !reply.arguments().value(0).toBool()) {
            qWarning("GNOME Shell took no screenshot: %s", qPrintable(reply.errorMessage()));
            return {};
        }
        return QImage(file).convertToFormat(QImage::Format_RGB32);
    }

    /// What the game printed, less the one line it gives where no sound device is found, as
    /// in this session.
    static QByteArray printed(QProcess& game)
    {
        QByteArray text = game.readAllStandardError();
        return text.replace("numblaze: no sound device found; playing without sound\n", "");
    }

    /// Whether a window of the game is on the screen: the screen below GNOME's top bar and its
    /// notifications differs from the empty desktop.
    bool showsAWindow(const QString& name)
    {
        const QImage now = screenshot(name);
        return !now.isNull() &&
               changed(now, desktop_, QRect(0, 120, now.width(), now.height())) > 0.05;
    }

    /// Starts the real game, alone in a folder of its own, with the session's environment
    /// changed by `set` (NAME=VALUE, or NAME= to remove it) and with `arguments`.
    void start(QProcess& game, const QTemporaryDir& folder, const QStringList& set = {},
               const QStringList& arguments = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const QString& assignment : set) {
            const QString name = assignment.section(QLatin1Char('='), 0, 0);
            const QString value = assignment.section(QLatin1Char('='), 1);
            if (value.isEmpty())
                env.remove(name);
            else
                env.insert(name, value);
        }
        const QString program = folder.filePath(QStringLiteral("numblaze"));
        if (!QFile::exists(program))
            QFile::copy(QStringLiteral(NUMBLAZE_GAME), program);
        game.setProcessEnvironment(env);
        game.start(program, arguments);
    }

    /// Presses keys in the window that has the keyboard, once GNOME has given it to `window`.
    void press(const XWindow& window, const QStringList& keys)
    {
        QVERIFY2(waitUntil([&] { return XWindow::focused().id == window.id; }),
                 "GNOME did not give the game's window the keyboard");
        for (const QString& key : keys) {
            output(QStringLiteral("xdotool"), {QStringLiteral("key"), key});
            QThread::msleep(150);
        }
    }

  private slots:
    void initTestCase()
    {
        if (!qEnvironmentVariable("XDG_CURRENT_DESKTOP").contains(QLatin1String("GNOME")) ||
            qEnvironmentVariableIsEmpty("DISPLAY") ||
            qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            QFAIL("no GNOME session: run this test through tests/system/gnome-session.sh");
        QVERIFY(shots_.mkpath(QStringLiteral(".")));
        // GNOME Shell takes screenshots only for its own tools; the test answers to the name of
        // GNOME's screenshot program on its private session bus.
        QVERIFY2(
            QDBusConnection::sessionBus().registerService(QStringLiteral("org.gnome.Screenshot")),
            "the name of GNOME's screenshot program is taken on the session bus");
        desktop_ = screenshot(QStringLiteral("0-desktop"));
        QVERIFY(!desktop_.isNull());
        QVERIFY(folder_.isValid());
    }

    /// Left to choose, the game runs on Xwayland; the player's choice of Wayland stands, and so
    /// does Wayland when no X server answers. The game prints nothing in any case.
    void windowSystemChosenInGnome_data()
    {
        QTest::addColumn<QStringList>("set");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("onX");
        QTest::newRow("Qt left to choose") << QStringList() << QStringList() << true;
        QTest::newRow("QT_QPA_PLATFORM=wayland")
            << QStringList{QStringLiteral("QT_QPA_PLATFORM=wayland")} << QStringList() << false;
        QTest::newRow("-platform wayland")
            << QStringList() << QStringList{QStringLiteral("-platform"), QStringLiteral("wayland")}
            << false;
        QTest::newRow("no DISPLAY")
            << QStringList{QStringLiteral("DISPLAY=")} << QStringList() << false;
        // A display number no X server of this machine answers on.
        QTest::newRow("X display gone")
            << QStringList{QStringLiteral("DISPLAY=:4093")} << QStringList() << false;
    }
    void windowSystemChosenInGnome()
    {
        QFETCH(QStringList, set);
        QFETCH(QStringList, arguments);
        QFETCH(bool, onX);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QProcess game;
        start(game, folder, set, arguments);
        QVERIFY(game.waitForStarted(Patience));
        const QString shot =
            QStringLiteral("1-chosen-") +
            QString::fromLatin1(QTest::currentDataTag())
                .replace(QRegularExpression(QStringLiteral("\\W")), QStringLiteral("-"));
        QVERIFY2(waitUntil([&] { return showsAWindow(shot); }), "no window of the game appeared");
        QCOMPARE(XWindow::find(game.processId(), QStringLiteral("Numblaze")).exists(), onX);
        QVERIFY(game.state() == QProcess::Running);
        game.terminate();
        QVERIFY(game.waitForFinished(Patience));
        QCOMPARE(printed(game), QByteArray());
        QCOMPARE(game.exitCode(), 0);
        // The next row looks for its window on an empty desktop.
        QVERIFY(waitUntil([&] { return !showsAWindow(QStringLiteral("1-closed")); }));
    }

    /// GNOME draws the menu's frame (title bar and close box, minimise but no maximise, as a
    /// fixed single frame), and the menu is centred in the space below GNOME's top bar.
    void menuHasGnomesFrameAndIsCentred()
    {
        start(game_, folder_);
        QVERIFY(game_.waitForStarted(Patience));
        QVERIFY2(waitUntil([&] {
                     menu_ = XWindow::find(game_.processId(), QStringLiteral("Numblaze"));
                     return menu_.exists() && menu_.frame().value(2) > 0;
                 }),
                 "the menu did not appear on Xwayland in a frame of GNOME's");
        const QStringList actions =
            menu_.property("_NET_WM_ALLOWED_ACTIONS").split(QStringLiteral(", "));
        for (const char* action : {"_NET_WM_ACTION_MINIMIZE", "_NET_WM_ACTION_CLOSE"})
            QVERIFY2(actions.contains(QLatin1String(action)), action);
        for (const char* action : {"_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT",
                                   "_NET_WM_ACTION_RESIZE", "_NET_WM_ACTION_FULLSCREEN"})
            QVERIFY2(!actions.contains(QLatin1String(action)), action);

        menuPlace_ = menu_.client();
        QCOMPARE(menuPlace_.size(), QSize(463, 329));
        const QRect area = workArea();
        QVERIFY2(near(centre(menuPlace_), centre(area)),
                 qPrintable(QStringLiteral("menu at %1,%2 in %3,%4 %5x%6")
                                .arg(menuPlace_.x())
                                .arg(menuPlace_.y())
                                .arg(area.x())
                                .arg(area.y())
                                .arg(area.width())
                                .arg(area.height())));

        // On the screen: the game's drawing in the client area, GNOME's title bar above it.
        QThread::msleep(500);
        menuShot_ = screenshot(QStringLiteral("2-menu"));
        QVERIFY(changed(menuShot_, desktop_, menuPlace_) > 0.9);
        const int titleBar = menu_.frame()[2];
        const QRect bar(menuPlace_.x(), menuPlace_.y() - titleBar, menuPlace_.width(), titleBar);
        QVERIFY(changed(menuShot_, desktop_, bar) > 0.9);
    }

    /// The race window opens where the menu was (both centred), the menu goes, and after the
    /// race it comes back exactly where it was, race after race.
    void raceTakesTheMenusPlaceAndTheMenuComesBack()
    {
        QVERIFY(menu_.exists());
        for (int race = 1; race <= 2; ++race) {
            press(menu_, {QStringLiteral("Return")});
            XWindow raceWindow;
            QVERIFY2(
                waitUntil([&] {
                    raceWindow = XWindow::find(game_.processId(), QStringLiteral("Form1"));
                    return raceWindow.exists() &&
                           !XWindow::find(game_.processId(), QStringLiteral("Numblaze")).exists();
                }),
                "the race window did not take the menu's place");
            QVERIFY(near(centre(raceWindow.client()), centre(menuPlace_)));
            QCOMPARE(raceWindow.frame().value(2), 0); // no title bar: no frame at all
            const QImage shot = screenshot(QStringLiteral("3-race-%1").arg(race));
            // Where the menu's title bar was, the desktop shows again.
            const QRect bar(menuPlace_.x(), menuPlace_.y() - menu_.frame()[2] + 2,
                            menuPlace_.width(), 4);
            QVERIFY(changed(shot, desktop_, bar) < 0.05);
            QVERIFY(changed(shot, desktop_, raceWindow.client()) > 0.9);

            press(raceWindow, {QStringLiteral("Tab"), QStringLiteral("space")}); // the stop sign
            QVERIFY2(
                waitUntil([&] {
                    return XWindow::find(game_.processId(), QStringLiteral("Numblaze")).exists();
                }),
                "the menu did not come back after the race");
            QCOMPARE(menu_.client(), menuPlace_);
            QThread::msleep(500);
            QVERIFY(changed(screenshot(QStringLiteral("4-menu-after-race-%1").arg(race)), menuShot_,
                            menuPlace_) < 0.05);
        }
    }

    /// The Hall of Fame opens as GNOME's modal dialog of the menu: over it, centred on it,
    /// above it; Escape closes it and leaves the menu where it was.
    void hallOfFameLiesOverTheMenu()
    {
        QVERIFY(menu_.exists());
        press(menu_, {QStringLiteral("Tab"), QStringLiteral("Return")});
        XWindow hall;
        QVERIFY2(waitUntil([&] {
                     hall =
                         XWindow::find(game_.processId(), QStringLiteral("Numblaze Hall of Fame"));
                     return hall.exists();
                 }),
                 "the Hall of Fame did not open");
        QCOMPARE(hall.property("WM_TRANSIENT_FOR").section(QLatin1Char('#'), -1).trimmed(),
                 menu_.hex());
        QVERIFY(hall.property("_NET_WM_STATE").contains(QLatin1String("_NET_WM_STATE_MODAL")));
        const QRect place = hall.client();
        QVERIFY(qAbs(centre(place).x() - centre(menuPlace_).x()) <= 1);
        const QRect covered = place & menuPlace_;
        QVERIFY2(qint64(covered.width()) * covered.height() * 2 >
                     qint64(menuPlace_.width()) * menuPlace_.height(),
                 "the Hall of Fame lies beside the menu");
        const QList<quint64> order = stacking();
        QVERIFY(order.indexOf(hall.id) > order.indexOf(menu_.id));
        QThread::msleep(500);
        QVERIFY(changed(screenshot(QStringLiteral("5-hall-of-fame")), menuShot_, covered) > 0.3);

        press(hall, {QStringLiteral("Escape")});
        QVERIFY2(waitUntil([&] {
                     return !XWindow::find(game_.processId(),
                                           QStringLiteral("Numblaze Hall of Fame"))
                                 .exists();
                 }),
                 "Escape did not close the Hall of Fame");
        QCOMPARE(menu_.client(), menuPlace_);
    }

    void cleanupTestCase()
    {
        if (game_.state() == QProcess::NotRunning)
            return;
        game_.terminate();
        QVERIFY(game_.waitForFinished(Patience));
        QCOMPARE(game_.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TestGnome)
#include "test_gnome.moc"
