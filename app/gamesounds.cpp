// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/gamesounds.h"

#include "app/settings.h"
#include "widgets/accessibility.h"
#include "widgets/screen.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace numblaze
{

namespace
{
/// The M key of every screen window: watches the whole application's key presses.
class MuteKey : public QObject
{
    Q_OBJECT

  public:
    explicit MuteKey(Sounds& sounds) : QObject(&sounds), sounds_(sounds)
    {
        qApp->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const auto* widget = qobject_cast<QWidget*>(watched);
        const Qt::KeyboardModifiers chords =
            Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
        if (key->key() != Qt::Key_M || (key->modifiers() & chords) || !widget ||
            !dynamic_cast<ScreenWindow*>(widget->window()))
            return false;
        if (!key->isAutoRepeat())
            toggle();
        return true;
    }

  private:
    void toggle()
    {
        const bool muted = !sounds_.isMuted();
        sounds_.setMuted(muted);
        if (QWidget* focus = QApplication::focusWidget())
            announceChange(focus, muted ? tr("Sound off") : tr("Sound on"));
        settings::setMuted(muted);
    }

    Sounds& sounds_;
};

/**
 * Whether a screen reader listens: the accessibility bus's ScreenReaderEnabled, which the desktop
 * sets while its screen reader is on (GNOME's switch, Super+Alt+S). Qt's QAccessible::isActive()
 * does not tell it: it is on whenever the bus is enabled, which stays so once any assistive
 * technology has asked for it, with no reader speaking; and the sounds must not give way to
 * phrases nobody hears. Asked without waiting, then followed as it changes.
 */
class ScreenReaderWatch : public QObject
{
    Q_OBJECT

  public:
    explicit ScreenReaderWatch(QObject* parent) : QObject(parent)
    {
        QDBusConnection bus = QDBusConnection::sessionBus();
        bus.connect(Service, Path, Properties, QStringLiteral("PropertiesChanged"), this,
                    SLOT(statusChanged(QString, QVariantMap, QStringList)));
        QDBusMessage ask =
            QDBusMessage::createMethodCall(Service, Path, Properties, QStringLiteral("Get"));
        ask << Status << Enabled;
        auto* answer = new QDBusPendingCallWatcher(bus.asyncCall(ask), this);
        connect(answer, &QDBusPendingCallWatcher::finished, this,
                [this](QDBusPendingCallWatcher* call) {
                    const QDBusPendingReply<QDBusVariant> reply = *call;
                    if (reply.isValid())
                        listens_ = reply.value().variant().toBool();
                    call->deleteLater();
                });
    }

    bool listens() const { return listens_; }

  private slots:
    void statusChanged(const QString& interface, const QVariantMap& changed, const QStringList&)
    {
        if (interface == Status && changed.contains(Enabled))
            listens_ = changed.value(Enabled).toBool();
    }

  private:
    inline static const QString Service = QStringLiteral("org.a11y.Bus");
    inline static const QString Path = QStringLiteral("/org/a11y/bus");
    inline static const QString Properties = QStringLiteral("org.freedesktop.DBus.Properties");
    inline static const QString Status = QStringLiteral("org.a11y.Status");
    inline static const QString Enabled = QStringLiteral("ScreenReaderEnabled");
    bool listens_ = false;
};

void startSounds(Sounds& sounds, bool muteThisRun)
{
    sounds.setMuted(muteThisRun || settings::muted());
    listenToMuteKey(sounds);
    auto* reader = new ScreenReaderWatch(&sounds);
    sounds.readerListens = [reader] { return reader->listens(); };
    sounds.setOutput(std::make_unique<SoundDevice>());
}

/// Starts the sounds once the window's first paint pass is over.
class AfterFirstPaint : public QObject
{
    Q_OBJECT

  public:
    AfterFirstPaint(Sounds& sounds, QWidget* window, bool muteThisRun)
        : QObject(&sounds), sounds_(sounds), muteThisRun_(muteThisRun)
    {
        window->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] {
                startSounds(sounds_, muteThisRun_);
                deleteLater();
            });
        }
        return false;
    }

  private:
    Sounds& sounds_;
    bool muteThisRun_;
};
} // namespace

void startSoundsAfterFirstPaint(Sounds& sounds, QWidget* window, bool muteThisRun)
{
    new AfterFirstPaint(sounds, window, muteThisRun);
}

void listenToMuteKey(Sounds& sounds)
{
    if (!sounds.findChild<MuteKey*>(QString(), Qt::FindDirectChildrenOnly))
        new MuteKey(sounds);
}

} // namespace numblaze

#include "gamesounds.moc"
