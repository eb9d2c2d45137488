// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QEventLoop>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

#include <QAbstractButton>

#include "widgets/sound.h"

namespace numblaze
{

class Voice;

/// The window of a loaded screen: its client area, frame kind, background and keyboard rules.
class ScreenWindow : public QWidget
{
    Q_OBJECT

  public:
    enum class FrameKind { None, FixedSingle, Sizable };

    ScreenWindow(const QString& name, const QString& caption, QSize client, FrameKind frame);

    QColor backColor() const;
    void setBackColor(const QColor& colour);

    /// Enter clicks this button wherever the focus is on the screen.
    void setDefaultButton(QAbstractButton* button) { defaultButton_ = button; }

    /// Called when the player closes the window (close box or the platform's close command).
    std::function<void()> onClose;

    /// Escape closes the window, and so does Enter when no button takes it; readers are offered
    /// a close action. Off by default: the game's main screens are left by their own buttons.
    void setClosesOnEscape(bool closes) { closesOnEscape_ = closes; }
    bool closesOnEscape() const { return closesOnEscape_; }

    /// What the window tells a reader when it appears, worked out when asked; none when unset.
    std::function<QString()> describe;

    /// Work only the window as drawn needs, such as fitting a caption to its letters' ink, done
    /// once as the window is first drawn, on screen or into a picture, instead of when the
    /// screen loads: a screen loaded hidden at start-up then costs the start nothing of it. The
    /// window is drawn before its controls, so they are drawn with what it set.
    std::function<void()> beforeFirstDrawn;

    /// Finishes the window once its controls exist: windowed controls go above the drawn ones
    /// and every control passes Enter to the screen's rules.
    void finishControls();

    /// Makes the window a dialog of the owner's: window managers keep it above the owner and
    /// give it no minimise button of its own.
    void becomeDialogOf(QWidget* owner);

  protected:
    /// Tab and Shift+Tab: an option group is one stop, entered at its selected button.
    bool focusNextPrevChild(bool next) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    bool pressEnter(QObject* target);
    bool takesTab(QWidget* widget) const;

    QPointer<QAbstractButton> defaultButton_;
    bool centred_ = false;
    /// Where the client area was when the game last hid the window; empty while shown.
    QRect hiddenAt_;
    bool closesOnEscape_ = false;
};

/**
 * One screen of the game. The screen object lasts for the whole run and keeps its public
 * variables; its window and controls exist only while it is loaded. Using a control of an
 * unloaded screen loads it afresh with the design values.
 */
class Screen
{
  public:
    Screen() = default;
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;
    virtual ~Screen();

    bool isLoaded() const { return !window_.isNull(); }
    /// Creates the window and controls with their design values, then raises the load event.
    void load();
    /// Shows the screen and returns at once; raises the activate event.
    void show();
    /// Shows the screen over owner and returns when it has been closed (unloaded); owner then
    /// gets no input meanwhile and is activated again afterwards.
    void showModal(Screen& owner);
    void hide();
    /// Asks the screen whether it may unload, then raises the unload event and destroys the
    /// window and controls.
    void unload();
    /// Destroys the window and controls without raising any event (the program is ending).
    void discard();

    /// The screen's window, loading the screen first if needed.
    ScreenWindow& window();

    /// The game's sounds, which the screen's handlers ask for; none keeps the screen silent.
    void useSounds(Sounds* sounds) { sounds_ = sounds; }
    Sounds* sounds() const { return sounds_; }

  protected:
    /// Builds the window and every control with their design values.
    virtual ScreenWindow* createControls() = 0;
    /// Forgets the controls after their window has been scheduled for deletion.
    virtual void forgetControls() = 0;

    virtual void Form_Load() {}
    /// Asked before the screen unloads: false keeps it loaded (the player went back to it).
    virtual bool Form_QueryUnload() { return true; }
    virtual void Form_Unload() {}
    virtual void Form_Activate() {}

    void playSound(Cue cue, int step = 0)
    {
        if (sounds_)
            sounds_->play(cue, step);
    }
    /// True when the player hears the game's sounds: a sound device and the sound not muted.
    bool soundIsHeard() const { return sounds_ && !sounds_->isMuted() && sounds_->output(); }
    /// True when a screen reader speaks the game, as the screen's sounds have it.
    bool readerListens() const
    {
        return sounds_ && sounds_->readerListens && sounds_->readerListens();
    }
    /// The screen's sounds make room for the phrases its voice says.
    void soundsBeside(Voice* voice);

  private:
    void destroyWindow();

    QPointer<ScreenWindow> window_;
    QEventLoop* modalLoop_ = nullptr;
    bool unloading_ = false;
    Sounds* sounds_ = nullptr;
};

/// A screen whose controls are the struct Controls; its constructor builds the design layout.
template <class Controls> class ScreenOf : public Screen
{
  public:
    /// The screen's controls, loading the screen first if needed.
    Controls& ui()
    {
        load();
        return *controls_;
    }

  protected:
    /// Connects the controls' events to the screen's handlers.
    virtual void connectEvents(Controls& controls) = 0;

    ScreenWindow* createControls() override
    {
        controls_ = std::make_unique<Controls>();
        connectEvents(*controls_);
        return controls_->window;
    }
    void forgetControls() override { controls_.reset(); }

    std::unique_ptr<Controls> controls_;
};

} // namespace numblaze
