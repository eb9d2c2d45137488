// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/gamesounds.h"

#include "app/settings.h"
#include "widgets/accessibility.h"
#include "widgets/screen.h"

#include <QApplication>
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

void startSounds(Sounds& sounds, bool muteThisRun)
{
    sounds.setMuted(muteThisRun || settings::muted());
    listenToMuteKey(sounds);
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
            // Not a zero-time timer, which would run before the event loop next waits: only
            // then does Qt hand the painted menu to the display server, and loading the sound
            // libraries first kept the menu off the screen a millisecond longer.
            QTimer::singleShot(1, this, [this] {
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
