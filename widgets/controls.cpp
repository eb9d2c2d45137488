// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/controls.h"

#include "widgets/language.h"

#include <QApplication>
#include <QButtonGroup>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>
#include <cmath>
#include <limits>
#include <qdrawutil.h>

namespace numblaze
{

int pixels(double twips)
{
    return int(std::lround(twips / TwipsPerPixel));
}

QColor bgrColor(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

bool isMirrored(const QWidget* widget)
{
    const QWidget* container = widget->parentWidget();
    return container && !widget->isWindow() && container->isRightToLeft();
}

/// Where a control whose design puts its left edge at `left` pixels, `width` wide, shows its
/// left edge: mirrored, as far from the container's right edge. Reflecting whole pixels keeps
/// the mirrored screen the design's exact mirror image.
static int shownLeft(const QWidget* widget, int left, int width)
{
    return isMirrored(widget) ? widget->parentWidget()->width() - left - width : left;
}

void placeControl(QWidget* widget, const QString& name, Place place)
{
    widget->setObjectName(name);
    const int width = pixels(place.width);
    widget->setGeometry(shownLeft(widget, pixels(place.left), width), pixels(place.top), width,
                        pixels(place.height));
}

void reverseReadingOrder(const QList<QWidget*>& row)
{
    int first = std::numeric_limits<int>::max();
    int last = std::numeric_limits<int>::min();
    for (const QWidget* control : row) {
        first = std::min(first, control->x());
        last = std::max(last, control->x() + control->width());
    }
    for (QWidget* control : row)
        control->move(first + last - control->x() - control->width(), control->y());
}

/**
 * The text as a control shows it: a text in the language's own direction where the control is
 * laid out the other way (a left-to-right language mirrored with Qt's -reverse, or the other way
 * round) is marked with that direction at both ends, so that it still reads as written: "En
 * piste !" rather than "! En piste".
 */
static QString inTextDirection(const QWidget* control, const QString& text)
{
    if (text.isEmpty() || textDirection() == control->layoutDirection())
        return text;
    const QChar mark = textDirection() == Qt::RightToLeft ? QChar(0x200F) : QChar(0x200E);
    return mark + text + mark;
}

namespace
{
struct MessageButton {
    QMessageBox::StandardButton button;
    const char* text;
};
constexpr MessageButton messageButtons[] = {
    //: The button that closes a message of the game. Take Qt's own translation of it where Qt
    //: has one in this language: the messages name the button as it is shown.
    {QMessageBox::Ok, QT_TRANSLATE_NOOP("QPlatformTheme", "OK")},
    //: The button that tries again to save the records. Take Qt's own translation of it where
    //: Qt has one in this language.
    {QMessageBox::Retry, QT_TRANSLATE_NOOP("QPlatformTheme", "Retry")},
    //: The button that lets the records of this game go, without saving them. Take Qt's own
    //: translation of it where Qt has one in this language.
    {QMessageBox::Discard, QT_TRANSLATE_NOOP("QPlatformTheme", "Discard")},
};
} // namespace

void nameMessageButtons(QMessageBox& box)
{
    // Qt's translations are installed after the game's, so theirs are found first.
    for (const MessageButton& named : messageButtons)
        if (QAbstractButton* button = box.button(named.button))
            button->setText(QCoreApplication::translate("QPlatformTheme", named.text));
}

namespace
{
bool focusMarks = false;
} // namespace

bool focusMarksShown()
{
    return focusMarks;
}

void showFocusMarks(bool shown)
{
    if (focusMarks == shown)
        return;
    focusMarks = shown;
    if (QWidget* focused = QApplication::focusWidget())
        focused->update();
}

namespace
{
/// The keyboard's focus mark around the inside of a rectangle: a black ring two pixels wide
/// with a white ring inside it, clear on light faces, dark faces and pictures alike.
void paintFocusMark(QPainter& painter, const QRect& rect)
{
    const QRect outer = rect.adjusted(0, 0, -1, -1);
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Qt::black);
    painter.drawRect(outer);
    painter.drawRect(outer.adjusted(1, 1, -1, -1));
    painter.setPen(Qt::white);
    painter.drawRect(outer.adjusted(2, 2, -2, -2));
    painter.restore();
}

/// Paints the focus mark around a control drawn by Qt's own style, when it has the focus and
/// the marks are shown.
void markFocusOver(QWidget* control)
{
    if (control->hasFocus() && focusMarksShown()) {
        QPainter painter(control);
        paintFocusMark(painter, control->rect());
    }
}
} // namespace

static void setPaletteColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

static bool releasedInside(QWidget* widget, QMouseEvent* event)
{
    return event->button() == Qt::LeftButton &&
           widget->rect().contains(event->position().toPoint());
}

// Label

// The captions of labels and option buttons are set once the control is whole: setting one
// tells readers, and the reader's view of a control is made the first time it is told of it.

Label::Label(QWidget* parent, const QString& name, Place place, const QString& caption)
    : QLabel(parent), caption_(caption)
{
    placeControl(this, name, place);
    setText(inTextDirection(this, caption));
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWordWrap(true);
}

void Label::setCaption(const QString& caption)
{
    caption_ = caption;
    setText(inTextDirection(this, shown_ ? shown_(caption) : caption));
    fitToText();
}

void Label::setShownAs(std::function<QString(const QString&)> shown)
{
    shown_ = std::move(shown);
    setCaption(caption_);
}

void Label::setBackColor(const QColor& colour)
{
    setAutoFillBackground(true);
    setPaletteColour(this, QPalette::Window, colour);
}

void Label::setForeColor(const QColor& colour)
{
    setPaletteColour(this, QPalette::WindowText, colour);
}

void Label::setFramed(bool framed)
{
    setFrameStyle(framed ? QFrame::WinPanel | QFrame::Sunken : QFrame::NoFrame);
}

void Label::setAutoSize(AutoSize mode)
{
    autoSize_ = mode;
    setWordWrap(mode == AutoSize::Off);
    fitToText();
}

void Label::setLettersCentred(bool centred)
{
    lettersCentred_ = centred;
    update();
}

void Label::paintEvent(QPaintEvent* event)
{
    if (!lettersCentred_) {
        QLabel::paintEvent(event);
        return;
    }
    // A label clips its text to its line's place; these letters are set by their ink instead,
    // across as the label's alignment sets them.
    QPainter painter(this);
    drawFrame(&painter);
    const QRect room = contentsRect();
    const QRect ink = inkOf(font(), text());
    const int baseline = room.top() + (room.height() - ink.height()) / 2 - ink.top();
    const int spare = room.width() - fontMetrics().horizontalAdvance(text());
    const Qt::Alignment across = QStyle::visualAlignment(layoutDirection(), alignment());
    const int left = room.left() + (across & Qt::AlignRight     ? spare
                                    : across & Qt::AlignHCenter ? spare / 2
                                                                : 0);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(left, baseline, text());
}

void Label::fitToText()
{
    if (autoSize_ == AutoSize::Off)
        return;
    const QRect old = geometry();
    const QSize size = sizeHint();
    // Mirrored, the edge the design keeps is on the other side.
    const bool keepsRightEdge = (autoSize_ == AutoSize::GrowLeft) != isMirrored(this);
    const int left = keepsRightEdge ? old.right() + 1 - size.width() : old.left();
    setGeometry(left, old.top(), size.width(), size.height());
}

void Label::mouseReleaseEvent(QMouseEvent* event)
{
    if (onClick && releasedInside(this, event))
        onClick();
}

// Image

Image::Image(QWidget* parent, const QString& name, Place place)
    : QWidget(parent), left_(float(place.left))
{
    placeControl(this, name, place);
}

void Image::setPicture(const QPixmap& picture)
{
    picture_ = picture;
    update();
}

void Image::setStretch(bool stretch)
{
    stretch_ = stretch;
    update();
}

void Image::setLeft(float twips)
{
    left_ = twips;
    move(shownLeft(this, pixels(twips), width()), y());
}

void Image::paintEvent(QPaintEvent*)
{
    if (picture_.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (stretch_)
        painter.drawPixmap(rect(), picture_);
    else if (isRightToLeft())
        painter.drawPixmap(QPointF(width() - picture_.deviceIndependentSize().width(), 0),
                           picture_);
    else
        painter.drawPixmap(0, 0, picture_);
}

void Image::mouseReleaseEvent(QMouseEvent* event)
{
    if (onClick && releasedInside(this, event))
        onClick();
}

// Shape

Shape::Shape(QWidget* parent, const QString& name, Place place, const QColor& fill,
             const QColor& outline)
    : QWidget(parent), fill_(fill), outline_(outline)
{
    placeControl(this, name, place);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), fill_);
    if (outline_.isValid()) {
        painter.setPen(outline_);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

// PushButton

// The caption on one line when it fits the width; otherwise on two lines split at the space that
// makes them most even, so a long caption reads as a tidy block rather than a full line and a
// stray word; word by word only when even two lines are too wide.
static QStringList captionLines(const QString& caption, const QFontMetrics& metrics, int width)
{
    if (metrics.horizontalAdvance(caption) <= width)
        return {caption};
    const QStringList words = caption.split(u' ');
    QStringList best;
    int bestWidth = width + 1;
    for (qsizetype n = 1; n < words.size(); ++n) {
        const QString first = words.first(n).join(u' ');
        const QString second = words.sliced(n).join(u' ');
        const int wider =
            std::max(metrics.horizontalAdvance(first), metrics.horizontalAdvance(second));
        if (wider < bestWidth) {
            bestWidth = wider;
            best = {first, second};
        }
    }
    if (!best.isEmpty())
        return best;
    QStringList lines;
    for (const QString& word : words) {
        if (!lines.isEmpty() && metrics.horizontalAdvance(lines.last() + u' ' + word) <= width)
            lines.last() += u' ' + word;
        else
            lines << word;
    }
    return lines;
}

PushButton::PushButton(QWidget* parent, const QString& name, Place place, const QString& caption)
    : QPushButton(parent), caption_(caption)
{
    placeControl(this, name, place);
    setText(inTextDirection(this, caption));
    setAutoDefault(false);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (onClick)
            onClick();
    });
}

void PushButton::setCaption(const QString& caption)
{
    caption_ = caption;
    setText(inTextDirection(this, shown_ ? shown_(caption) : caption));
}

void PushButton::setShownAs(std::function<QString(const QString&)> shown)
{
    shown_ = std::move(shown);
    setCaption(caption_);
}

void PushButton::setFaceColor(const QColor& colour)
{
    face_ = colour;
    update();
}

void PushButton::setPicture(const QPixmap& picture)
{
    picture_ = picture;
    if (!face_.isValid())
        face_ = palette().color(QPalette::Button);
    update();
}

void PushButton::paintEvent(QPaintEvent* event)
{
    if (!face_.isValid()) {
        QPushButton::paintEvent(event);
        return;
    }
    // Graphical style: a flat face in its own colour inside a raised (or, pressed, sunken) bevel.
    QPainter painter(this);
    const QPoint pressed = isDown() ? QPoint(1, 1) : QPoint(0, 0);
    painter.fillRect(rect(), face_);
    if (!picture_.isNull()) {
        // Centred on the face and cut at its edges, however much larger than the button it is.
        const QSizeF size = picture_.deviceIndependentSize();
        const QPointF corner((width() - size.width()) / 2.0, (height() - size.height()) / 2.0);
        painter.setClipRect(rect().adjusted(2, 2, -2, -2));
        painter.drawPixmap(corner + pressed, picture_);
        painter.setClipping(false);
    }
    if (!text().isEmpty())
        paintCaption(painter, rect().adjusted(4, 2, -4, -2).translated(pressed));
    paintBevel(painter);
}

void PushButton::paintCaption(QPainter& painter, const QRect& area)
{
    const QFontMetrics metrics = fontMetrics();
    const QStringList lines = captionLines(text(), metrics, area.width());
    // The letters are centred, not the line boxes: OCR-A's lines have a tall empty band above
    // the letters, which would push a two-line caption onto the bottom edge, and narrow letters
    // like "!" stand in wide empty cells.
    QRect ink;
    for (int i = 0; i < lines.size(); ++i)
        ink |= metrics.tightBoundingRect(lines[i]).translated(0, i * metrics.height());
    const int baseline = area.top() + (area.height() - ink.height()) / 2 - ink.top();
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.setFont(font());
    for (int i = 0; i < lines.size(); ++i) {
        const QRect letters = metrics.tightBoundingRect(lines[i]);
        const int left = area.left() + (area.width() - letters.width()) / 2 - letters.left();
        painter.drawText(left, baseline + i * metrics.height(), lines[i]);
    }
}

// Qt's qDrawWinButton draws the same raised bevel from a palette, but its sunken one is lit from
// below (white along the bottom and right), where a pressed button of this design is ringed in
// black; it also strokes each edge as a line, which costs more than the fills below.
void PushButton::paintBevel(QPainter& painter)
{
    const QRect r = rect();
    const bool down = isDown();
    const QColor light = face_.lighter(160);
    const QColor shade = face_.darker(160);
    const QColor outer = down ? Qt::black : Qt::white;
    // At one device pixel to a pixel, each edge is filled as a rectangle from its first pixel to
    // its last: the pixels a drawn line covers, at a fraction of the cost of stroking it. Scaled,
    // a line straddles device pixels, so there it is drawn as a line.
    const bool unscaled = painter.device()->devicePixelRatio() == 1;
    const auto edge = [&painter, unscaled](QPoint from, QPoint to, const QColor& colour) {
        if (unscaled) {
            painter.fillRect(QRect(from, to), colour);
            return;
        }
        painter.setPen(colour);
        painter.drawLine(from, to);
    };
    edge({r.left() + 1, r.top() + 1}, {r.right() - 1, r.top() + 1}, down ? shade : light);
    edge({r.left() + 1, r.top() + 1}, {r.left() + 1, r.bottom() - 1}, down ? shade : light);
    edge({r.left() + 1, r.bottom() - 1}, {r.right() - 1, r.bottom() - 1}, down ? light : shade);
    edge({r.right() - 1, r.top() + 1}, {r.right() - 1, r.bottom() - 1}, down ? light : shade);
    edge(r.topLeft(), r.topRight(), outer);
    edge(r.topLeft(), r.bottomLeft(), outer);
    edge(r.bottomLeft(), r.bottomRight(), Qt::black);
    edge(r.topRight(), r.bottomRight(), Qt::black);
    if (hasFocus() && focusMarksShown()) {
        paintFocusMark(painter, r.adjusted(2, 2, -2, -2));
    } else if (hasFocus()) {
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(r.adjusted(4, 4, -5, -5));
    }
}

// TextBox

namespace
{
// The answer box's own menu (a right click) is Qt's. Qt's translations name its commands where
// the system has them in the player's language; the game's translation names them where it has
// not, so that the menu is never in English under another language.
//: A command of the answer box's menu (a right click). Take Qt's own translation where Qt has one
//: in this language; "&" marks the letter that chooses it with Alt.
[[maybe_unused]] constexpr const char* AnswerMenuUndo = QT_TRANSLATE_NOOP("QLineEdit", "&Undo");
//: A command of the answer box's menu. Take Qt's own translation where Qt has one.
[[maybe_unused]] constexpr const char* AnswerMenuRedo = QT_TRANSLATE_NOOP("QLineEdit", "&Redo");
//: A command of the answer box's menu. Take Qt's own translation where Qt has one.
[[maybe_unused]] constexpr const char* AnswerMenuCut = QT_TRANSLATE_NOOP("QLineEdit", "Cu&t");
//: A command of the answer box's menu. Take Qt's own translation where Qt has one.
[[maybe_unused]] constexpr const char* AnswerMenuCopy = QT_TRANSLATE_NOOP("QLineEdit", "&Copy");
//: A command of the answer box's menu. Take Qt's own translation where Qt has one.
[[maybe_unused]] constexpr const char* AnswerMenuPaste = QT_TRANSLATE_NOOP("QLineEdit", "&Paste");
//: A command of the answer box's menu. Take Qt's own translation where Qt has one.
[[maybe_unused]] constexpr const char* AnswerMenuDelete = QT_TRANSLATE_NOOP("QLineEdit", "Delete");
//: A command of the answer box's menu. Take Qt's own translation where Qt has one.
[[maybe_unused]] constexpr const char* AnswerMenuSelectAll =
    QT_TRANSLATE_NOOP("QLineEdit", "Select All");
} // namespace

TextBox::TextBox(QWidget* parent, const QString& name, Place place) : QLineEdit(parent)
{
    placeControl(this, name, place);
}

void TextBox::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    markFocusOver(this);
}

// OptionButton

OptionButton::OptionButton(QWidget* parent, const QString& name, Place place,
                           const QString& caption)
    : QRadioButton(parent)
{
    placeControl(this, name, place);
    setText(inTextDirection(this, caption));
    // A click that selects the button toggles it on the way: that click raises it, once.
    connect(this, &QAbstractButton::toggled, this, [this](bool on) {
        if (on && !clicking_)
            raiseClick();
    });
    connect(this, &QAbstractButton::clicked, this, &OptionButton::raiseClick);
}

void OptionButton::raiseClick()
{
    if (onClick)
        onClick();
}

void OptionButton::select()
{
    if (isChecked())
        raiseClick();
    else
        setChecked(true);
}

void OptionButton::nextCheckState()
{
    const QScopedValueRollback<bool> clicking(clicking_, true);
    QRadioButton::nextCheckState();
}

void OptionButton::keyPressEvent(QKeyEvent* event)
{
    // Laid out right to left, the next button is the one on the left.
    const int rightward = isRightToLeft() ? -1 : 1;
    switch (event->key()) {
    case Qt::Key_Down:
        selectNeighbour(1);
        break;
    case Qt::Key_Right:
        selectNeighbour(rightward);
        break;
    case Qt::Key_Up:
        selectNeighbour(-1);
        break;
    case Qt::Key_Left:
        selectNeighbour(-rightward);
        break;
    default:
        QRadioButton::keyPressEvent(event);
    }
}

QList<QAbstractButton*> OptionButton::groupButtons() const
{
    return group() ? group()->buttons() : QList<QAbstractButton*>{const_cast<OptionButton*>(this)};
}

void OptionButton::selectNeighbour(int step)
{
    const QList<QAbstractButton*> buttons = groupButtons();
    const qsizetype count = buttons.size();
    qsizetype at = buttons.indexOf(this);
    for (qsizetype tried = 1; tried < count; ++tried) {
        at = (at + step + count) % count;
        auto* next = dynamic_cast<OptionButton*>(buttons[at]);
        if (next && next->isEnabled() && next->isVisibleTo(window())) {
            showFocusMarks();
            // The focus goes first, so that the click's news follows the reader's naming of
            // the button instead of being cut off by it.
            next->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            next->select();
            return;
        }
    }
}

void OptionButton::focusInEvent(QFocusEvent* event)
{
    // Qt's buttons would move the group's Tab stop to whichever button gets the focus, changing
    // the others' focus policies; the screen's Tab enters a group at its selected button instead.
    QWidget::focusInEvent(event);
}

void OptionButton::paintEvent(QPaintEvent* event)
{
    QRadioButton::paintEvent(event);
    markFocusOver(this);
}

void OptionButton::setBackColor(const QColor& colour)
{
    // A button fills with its Button colour by default, a light grey box on the window.
    setBackgroundRole(QPalette::Window);
    setAutoFillBackground(true);
    setPaletteColour(this, QPalette::Window, colour);
}

void OptionButton::setForeColor(const QColor& colour)
{
    setPaletteColour(this, QPalette::WindowText, colour);
}

// Frame

Frame::Frame(QWidget* parent, const QString& name, Place place, const QString& caption)
    : QGroupBox(parent)
{
    placeControl(this, name, place);
    setTitle(inTextDirection(this, caption));
}

void Frame::setBackColor(const QColor& colour)
{
    setAutoFillBackground(true);
    setPaletteColour(this, QPalette::Window, colour);
}

void Frame::setForeColor(const QColor& colour)
{
    setPaletteColour(this, QPalette::WindowText, colour);
}

void Frame::paintEvent(QPaintEvent*)
{
    // An etched rectangle whose top line is broken by the caption, the caption at the top left
    // (top right, laid out right to left). The style's group box would not do: Fusion rounds its
    // corners and sets the caption above the line.
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int lineY = metrics.height() / 2;
    // The classic etched line, a grey groove with a white highlight inside it on the top and
    // left and outside it on the bottom and right: Qt's sunken shade rectangle.
    QPalette etched = palette();
    etched.setColor(QPalette::Dark, QColor(128, 128, 128));
    etched.setColor(QPalette::Light, Qt::white);
    qDrawShadeRect(&painter, rect().adjusted(0, lineY, -1, -1), etched, true, 1, 0);
    const int textWidth = metrics.horizontalAdvance(title());
    QRect textArea(8, 0, textWidth + 4, metrics.height());
    if (isRightToLeft())
        textArea.moveRight(width() - 1 - 8);
    painter.fillRect(textArea, palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect letters =
        isRightToLeft() ? textArea.adjusted(0, 0, -2, 0) : textArea.adjusted(2, 0, 0, 0);
    painter.drawText(letters, Qt::AlignLeft | Qt::AlignVCenter, title());
}

// PictureBox

PictureBox::PictureBox(QWidget* parent, const QString& name, Place place, const QColor& background)
    : QWidget(parent), background_(background)
{
    placeControl(this, name, place);
}

void PictureBox::setPicture(const QPixmap& picture)
{
    picture_ = picture;
    mirrored_ = QPixmap();
    update();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), background_);
    if (!isRightToLeft() || picture_.isNull()) {
        painter.drawPixmap(0, 0, picture_);
        return;
    }
    if (mirrored_.isNull()) {
        QImage image = picture_.toImage().mirrored(true, false);
        image.setDevicePixelRatio(picture_.devicePixelRatio());
        mirrored_ = QPixmap::fromImage(std::move(image));
    }
    painter.drawPixmap(QPointF(width() - mirrored_.deviceIndependentSize().width(), 0), mirrored_);
}

// Timer

Timer::Timer(QObject* parent, const QString& name, int intervalMs, bool enabled) : QObject(parent)
{
    setObjectName(name);
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(intervalMs);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (onTick)
            onTick();
    });
    if (enabled)
        timer_.start();
}

void Timer::setEnabled(bool enabled)
{
    if (enabled && !timer_.isActive())
        timer_.start();
    else if (!enabled)
        timer_.stop();
}

} // namespace numblaze
