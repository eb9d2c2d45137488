// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAccessible>
#include <QObject>
#include <QString>
#include <QStringList>

class QDBusConnection;
class QDBusMessage;

namespace numblaze
{

/**
 * Looks for a screen reader on the desktop, as the desktop itself tells it. Any program that
 * reads the screen (a switch program, a test tool, a magnifier) switches the game's
 * accessibility on; only a screen reader speaks the game, and only for it does the race wait.
 * Two signs count, both on the accessibility bus of the session: its status says a screen
 * reader is enabled (GNOME's screen-reader switch sets it), or a screen reader has joined it as
 * an application (as Orca does however it was started). Each look is asynchronous and cheap:
 * a few D-Bus calls, none while the game's accessibility is off (no reader could hear it then).
 * It looks when the game's accessibility comes on, and whenever asked.
 */
class ScreenReaderWatch : public QObject, public QAccessible::ActivationObserver
{
    Q_OBJECT

  public:
    explicit ScreenReaderWatch(QObject* parent = nullptr);
    ~ScreenReaderWatch() override;

    /// True when the last look found a screen reader and the game's accessibility is on, so
    /// that it hears the game.
    bool found() const;

    /// The names screen readers have as applications on the accessibility bus, in lower case.
    static const QStringList& readerNames();

  public slots:
    /// Looks again; found() changes when the answer has come.
    void look();

  signals:
    /// The answer of a look has come: a reader was found or not.
    void looked(bool found);

  private:
    void accessibilityActiveChanged(bool active) override;
    void lookOnTheBus();
    void lookAtApplications(const QDBusConnection& bus, const QDBusMessage& children);
    void answer(int look, bool found);

    bool found_ = false;
    int look_ = 0;
    QString busName_;
    bool watchingStatus_ = false;
};

} // namespace numblaze
