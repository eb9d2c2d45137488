// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/gamesounds.h"

#include "app/settings.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace numblaze
{

namespace
{
void startSounds(Sounds& sounds, bool muteThisRun)
{
    sounds.setMuted(muteThisRun || settings::muted());
    sounds.listenToMuteKey();
    QObject::connect(&sounds, &Sounds::mutedByPlayer, &sounds,
                     [](bool muted) { settings::setMuted(muted); });
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

} // namespace numblaze

#include "gamesounds.moc"
