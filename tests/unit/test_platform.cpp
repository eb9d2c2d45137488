// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Which window system the game asks Qt for in each desktop session: X11 through Xwayland first
// on GNOME when an X display is at hand, Qt's own choice everywhere else, and the player's
// choice above both.
#include "app/platform.h"

#include <QMap>
#include <QTest>

using namespace numblaze;

namespace
{
using Environment = QMap<QByteArray, QByteArray>;

/// A GNOME on Wayland session as Debian starts it, with Xwayland's display.
const Environment GnomeWayland = {{"XDG_CURRENT_DESKTOP", "GNOME"},
                                  {"XDG_SESSION_TYPE", "wayland"},
                                  {"WAYLAND_DISPLAY", "wayland-0"},
                                  {"DISPLAY", ":0"}};

Environment with(Environment environment, const QByteArray& name, const QByteArray& value)
{
    environment.insert(name, value);
    return environment;
}

Environment without(Environment environment, const QByteArray& name)
{
    environment.remove(name);
    return environment;
}
} // namespace

class TestPlatform : public QObject
{
    Q_OBJECT

  private slots:
    void platformForEachSession_data()
    {
        QTest::addColumn<Environment>("environment");
        QTest::addColumn<QByteArrayList>("arguments");
        QTest::addColumn<QByteArray>("platform");
        const QByteArrayList none = {"numblaze"};
        const QByteArray qtsOwn;
        const QByteArray gnome = "xcb;wayland";

        QTest::newRow("GNOME on Wayland with Xwayland") << GnomeWayland << none << gnome;
        QTest::newRow("GNOME on Wayland without an X display")
            << without(GnomeWayland, "DISPLAY") << none << qtsOwn;
        QTest::newRow("GNOME, DISPLAY set but empty")
            << with(GnomeWayland, "DISPLAY", "") << none << qtsOwn;
        QTest::newRow("GNOME on X11")
            << with(without(GnomeWayland, "WAYLAND_DISPLAY"), "XDG_SESSION_TYPE", "x11") << none
            << gnome;
        QTest::newRow("Ubuntu's GNOME")
            << with(GnomeWayland, "XDG_CURRENT_DESKTOP", "ubuntu:GNOME") << none << gnome;
        QTest::newRow("GNOME Classic")
            << with(GnomeWayland, "XDG_CURRENT_DESKTOP", "GNOME-Classic:GNOME") << none << gnome;
        QTest::newRow("desktop named in small letters")
            << with(GnomeWayland, "XDG_CURRENT_DESKTOP", "gnome") << none << gnome;
        QTest::newRow("KDE Plasma on Wayland")
            << with(GnomeWayland, "XDG_CURRENT_DESKTOP", "KDE") << none << qtsOwn;
        QTest::newRow("sway") << with(GnomeWayland, "XDG_CURRENT_DESKTOP", "sway") << none
                              << qtsOwn;
        QTest::newRow("no desktop session (a bare X server)")
            << Environment{{"DISPLAY", ":0"}} << none << qtsOwn;
        QTest::newRow("GNOME, the player chose Wayland")
            << with(GnomeWayland, "QT_QPA_PLATFORM", "wayland") << none << qtsOwn;
        QTest::newRow("GNOME, the player chose X11")
            << with(GnomeWayland, "QT_QPA_PLATFORM", "xcb") << none << qtsOwn;
        QTest::newRow("GNOME, QT_QPA_PLATFORM set but empty")
            << with(GnomeWayland, "QT_QPA_PLATFORM", "") << none << gnome;
        QTest::newRow("GNOME, -platform wayland")
            << GnomeWayland << QByteArrayList{"numblaze", "-platform", "wayland"} << qtsOwn;
        QTest::newRow("GNOME, --platform wayland after the game's option")
            << GnomeWayland << QByteArrayList{"numblaze", "--mute", "--platform", "wayland"}
            << qtsOwn;
        // Qt takes a -platform without a name as no choice at all.
        QTest::newRow("GNOME, -platform without a name")
            << GnomeWayland << QByteArrayList{"numblaze", "-platform"} << gnome;
        QTest::newRow("GNOME, a plain argument that names a platform")
            << GnomeWayland << QByteArrayList{"numblaze", "wayland"} << gnome;
        QTest::newRow("GNOME, the game's own options")
            << GnomeWayland << QByteArrayList{"numblaze", "--extra-time", "--mute"} << gnome;
        QTest::newRow("GNOME without DISPLAY, X display given with -display")
            << without(GnomeWayland, "DISPLAY") << QByteArrayList{"numblaze", "-display", ":1"}
            << gnome;
        QTest::newRow("KDE, X display given with -display")
            << with(GnomeWayland, "XDG_CURRENT_DESKTOP", "KDE")
            << QByteArrayList{"numblaze", "-display", ":1"} << qtsOwn;
    }
    void platformForEachSession()
    {
        QFETCH(Environment, environment);
        QFETCH(QByteArrayList, arguments);
        QFETCH(QByteArray, platform);
        const auto variable = [&](const char* name) { return environment.value(name); };
        QCOMPARE(chosenPlatform(variable, arguments), platform);
    }

    /// Qt is asked through QT_QPA_PLATFORM while the application object is made; afterwards
    /// the variable is as the player left it.
    void choiceLastsWhileTheApplicationIsMade_data()
    {
        QTest::addColumn<bool>("playerSetItEmpty");
        QTest::newRow("unset") << false;
        QTest::newRow("set but empty") << true;
    }
    void choiceLastsWhileTheApplicationIsMade()
    {
        QFETCH(bool, playerSetItEmpty);
        const QByteArray saved[] = {qgetenv("XDG_CURRENT_DESKTOP"), qgetenv("DISPLAY")};
        qputenv("XDG_CURRENT_DESKTOP", "GNOME");
        qputenv("DISPLAY", ":0");
        qunsetenv("QT_QPA_PLATFORM");
        if (playerSetItEmpty)
            qputenv("QT_QPA_PLATFORM", "");
        char name[] = "numblaze";
        char* argv[] = {name, nullptr};
        {
            const PlatformChoice choice(1, argv);
            QCOMPARE(qgetenv("QT_QPA_PLATFORM"), QByteArray(GnomePlatforms));
        }
        QCOMPARE(qEnvironmentVariableIsSet("QT_QPA_PLATFORM"), playerSetItEmpty);
        QCOMPARE(qgetenv("QT_QPA_PLATFORM"), QByteArray());
        qputenv("XDG_CURRENT_DESKTOP", saved[0]);
        qputenv("DISPLAY", saved[1]);
    }
};

QTEST_GUILESS_MAIN(TestPlatform)
#include "test_platform.moc"
