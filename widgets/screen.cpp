// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/screen.h"

#include "widgets/accessibility.h"
#include "widgets/controls.h"
#include "widgets/fonts.h"
#include "widgets/voice.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyleHints>
#include <QTimer>
#include <algorithm>
#include <map>
#include <utility>

namespace numblaze
{

// ScreenWindow

ScreenWindow::ScreenWindow(const QString& name, const QString& caption, QSize client,
                           FrameKind frame)
{
    installDesignFonts();
    installAccessibility();
    setObjectName(name);
    setWindowTitle(caption);
    Qt::WindowFlags flags = Qt::Window;
    switch (frame) {
    case FrameKind::None:
        flags |= Qt::FramelessWindowHint;
        break;
    case FrameKind::FixedSingle:
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
        break;
    case FrameKind::Sizable:
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
        break;
    }
    setWindowFlags(flags);
    if (frame == FrameKind::Sizable)
        resize(client);
    else
        setFixedSize(client);
    setAutoFillBackground(true);
}

QColor ScreenWindow::backColor() const
{
    return palette().color(QPalette::Window);
}

void ScreenWindow::setBackColor(const QColor& colour)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    setPalette(p);
}

void ScreenWindow::finishControls()
{
    // The option buttons of one container form one group. Qt 6.4 on its own counts a frame's
    // buttons into the group of the window around it, so two could be selected at once.
    std::map<QWidget*, QButtonGroup*> groups;
    const auto children = findChildren<QWidget*>();
    for (QWidget* child : children) {
        if (auto* option = qobject_cast<QRadioButton*>(child)) {
            QButtonGroup*& group = groups[option->parentWidget()];
            if (!group)
                group = new QButtonGroup(this);
            group->addButton(option);
        }
        child->installEventFilter(this);
        // Windowed controls lie above everything drawn on their container.
        if (qobject_cast<QAbstractButton*>(child) || qobject_cast<QLineEdit*>(child) ||
            qobject_cast<QGroupBox*>(child) || child->focusPolicy() != Qt::NoFocus)
            child->raise();
    }
}

void ScreenWindow::becomeDialogOf(QWidget* owner)
{
    if (parentWidget() != owner)
        setParent(owner, (windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
}

/// The button Tab enters an option group at: the selected one, else the first that can be used.
static QAbstractButton* entryOf(const QButtonGroup* group)
{
    QAbstractButton* selected = group->checkedButton();
    if (selected && selected->isEnabled() && selected->isVisibleTo(selected->window()))
        return selected;
    const QList<QAbstractButton*> buttons = group->buttons();
    const auto usable = std::find_if(buttons.begin(), buttons.end(), [](QAbstractButton* b) {
        return b->isEnabled() && b->isVisibleTo(b->window());
    });
    return usable == buttons.end() ? nullptr : *usable;
}

bool ScreenWindow::takesTab(QWidget* widget) const
{
    const bool allControls =
        QGuiApplication::styleHints()->tabFocusBehavior() == Qt::TabFocusAllControls;
    const int policy = allControls ? Qt::TabFocus : Qt::StrongFocus;
    if (widget == this || widget->window() != this || !widget->isEnabled() ||
        !widget->isVisibleTo(this) || (widget->focusPolicy() & policy) != policy)
        return false;
    const auto* option = qobject_cast<QRadioButton*>(widget);
    return !option || !option->group() || entryOf(option->group()) == option;
}

bool ScreenWindow::focusNextPrevChild(bool next)
{
    QWidget* from = focusWidget() ? focusWidget() : this;
    QWidget* widget = from;
    do {
        widget = next ? widget->nextInFocusChain() : widget->previousInFocusChain();
        if (takesTab(widget)) {
            showFocusMarks();
            widget->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    } while (widget != from);
    return false;
}

bool ScreenWindow::pressEnter(QObject* target)
{
    if (defaultButton_) {
        if (defaultButton_->isEnabled())
            defaultButton_->click();
        return true;
    }
    // Without a default button, Enter clicks the push button that has the focus.
    auto* button = qobject_cast<QPushButton*>(target);
    if (button && button->isEnabled()) {
        button->click();
        return true;
    }
    return false;
}

static bool isEnter(QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

void ScreenWindow::paintEvent(QPaintEvent* event)
{
    if (beforeFirstDrawn)
        std::exchange(beforeFirstDrawn, nullptr)();
    QWidget::paintEvent(event);
}

bool ScreenWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (isEnter(event))
        return pressEnter(watched);
    return QWidget::eventFilter(watched, event);
}

void ScreenWindow::keyPressEvent(QKeyEvent* event)
{
    if (isEnter(event) && pressEnter(this))
        return;
    // A screen that Escape closes closes on Enter too, when no button takes Enter.
    if (closesOnEscape_ && (event->key() == Qt::Key_Escape || isEnter(event))) {
        close();
        return;
    }
    // Escape and every other key the controls did not take do nothing on a screen.
    event->ignore();
}

void ScreenWindow::closeEvent(QCloseEvent* event)
{
    if (!onClose) {
        QWidget::closeEvent(event);
        return;
    }
    // The screen decides: unloading it destroys this window.
    event->ignore();
    onClose();
}

void ScreenWindow::showEvent(QShowEvent* event)
{
    if (!centred_) {
        centred_ = true;
        if (const QScreen* screen = this->screen()) {
            const QRect area = screen->availableGeometry();
            move(area.center() - QPoint(width() / 2, height() / 2));
        }
    } else if (!hiddenAt_.isNull() && geometry() != hiddenAt_) {
        // Shown again after the game hid it: the window comes back exactly where it was. Some
        // window managers hand a withdrawn window back at its frame's corner, which Qt then
        // takes for the client area's (under GNOME's Xwayland the menu would climb by its title
        // bar's height after every race).
        setGeometry(hiddenAt_);
    }
    hiddenAt_ = QRect();
    QWidget::showEvent(event);
}

void ScreenWindow::hideEvent(QHideEvent* event)
{
    // Only a hide of the game's own: a window minimised by the player keeps the window
    // manager's place.
    if (!event->spontaneous())
        hiddenAt_ = geometry();
    QWidget::hideEvent(event);
}

// Screen

// The screens last as long as the program: their windows are discarded when the game ends, or
// left to the application object. Deleting a window here, as the program exits, would reach a
// window system that may be gone (a lost display ends the program from inside Qt).
Screen::~Screen() = default;

void Screen::load()
{
    if (isLoaded())
        return;
    window_ = createControls();
    window_->onClose = [this] { unload(); };
    window_->finishControls();
    Form_Load();
}

ScreenWindow& Screen::window()
{
    load();
    return *window_;
}

void Screen::show()
{
    load();
    window_->show();
    window_->raise();
    window_->activateWindow();
    Form_Activate();
}

void Screen::showModal(Screen& owner)
{
    load();
    window_->becomeDialogOf(&owner.window());
    window_->setWindowModality(Qt::ApplicationModal);
    window_->show();
    window_->raise();
    window_->activateWindow();
    QEventLoop loop;
    modalLoop_ = &loop;
    loop.exec();
    modalLoop_ = nullptr;
    if (owner.isLoaded()) {
        owner.window_->activateWindow();
        owner.Form_Activate();
    }
}

void Screen::hide()
{
    if (isLoaded())
        window_->hide();
}

void Screen::unload()
{
    if (!isLoaded() || unloading_)
        return;
    unloading_ = true;
    if (!Form_QueryUnload()) {
        unloading_ = false;
        return;
    }
    Form_Unload();
    unloading_ = false;
    destroyWindow();
}

void Screen::discard()
{
    destroyWindow();
}

void Screen::destroyWindow()
{
    if (!isLoaded())
        return;
    ScreenWindow* window = window_.data();
    window_.clear();
    // A click handler may be unloading its own screen: stop everything now, delete later.
    for (QTimer* timer : window->findChildren<QTimer*>())
        timer->stop();
    window->onClose = nullptr;
    window->hide();
    window->deleteLater();
    forgetControls();
    if (modalLoop_)
        modalLoop_->quit();
}

void Screen::soundsBeside(Voice* voice)
{
    // The sounds of the moment, not those of when the voice was made: the player of sounds can
    // change meanwhile.
    QObject::connect(voice, &Voice::phraseStarted, voice, [this](int estimatedMs) {
        if (sounds_)
            sounds_->besidePhrase(estimatedMs);
    });
}

} // namespace numblaze
