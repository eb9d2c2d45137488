#include "shell/controls.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <cmath>

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

QFont designFont(const QString& family, double points, bool bold, bool italic)
{
    QFont font(family);
    // The screens are laid out in pixels for 96 dpi, so the fonts are sized the same way.
    font.setPixelSize(int(std::lround(points * 96.0 / 72.0)));
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setItalic(italic);
    return font;
}

void placeControl(QWidget* widget, const QString& name, Place place)
{
    widget->setObjectName(name);
    widget->setGeometry(pixels(place.left), pixels(place.top), pixels(place.width),
                        pixels(place.height));
}

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

Label::Label(QWidget* parent, const QString& name, Place place, const QString& caption)
    : QLabel(caption, parent)
{
    placeControl(this, name, place);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWordWrap(true);
}

void Label::setCaption(const QString& caption)
{
    setText(caption);
    fitToText();
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

void Label::fitToText()
{
    if (autoSize_ == AutoSize::Off)
        return;
    const QRect old = geometry();
    const QSize size = sizeHint();
    const int left = autoSize_ == AutoSize::GrowLeft ? old.right() + 1 - size.width() : old.left();
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
    move(pixels(twips), y());
}

void Image::paintEvent(QPaintEvent*)
{
    if (picture_.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (stretch_)
        painter.drawPixmap(rect(), picture_);
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

PushButton::PushButton(QWidget* parent, const QString& name, Place place, const QString& caption)
    : QPushButton(caption, parent)
{
    placeControl(this, name, place);
    setAutoDefault(false);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (onClick)
            onClick();
    });
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
    const QRect r = rect();
    const bool down = isDown();
    painter.fillRect(r, face_);
    if (!picture_.isNull()) {
        const QSizeF size = picture_.deviceIndependentSize();
        const QPointF corner((r.width() - size.width()) / 2.0, (r.height() - size.height()) / 2.0);
        painter.setClipRect(r.adjusted(2, 2, -2, -2));
        painter.drawPixmap(corner + QPointF(down ? 1 : 0, down ? 1 : 0), picture_);
        painter.setClipping(false);
    }
    if (!text().isEmpty()) {
        painter.setPen(palette().color(QPalette::ButtonText));
        painter.setFont(font());
        const QRect textArea = r.adjusted(4, 2, -4, -2).translated(down ? 1 : 0, down ? 1 : 0);
        painter.drawText(textArea, Qt::AlignCenter | Qt::TextWordWrap, text());
    }
    const QColor light = face_.lighter(160);
    const QColor shade = face_.darker(160);
    const QColor outer = down ? Qt::black : QColor(Qt::white);
    painter.setPen(down ? shade : light);
    painter.drawLine(r.left() + 1, r.top() + 1, r.right() - 1, r.top() + 1);
    painter.drawLine(r.left() + 1, r.top() + 1, r.left() + 1, r.bottom() - 1);
    painter.setPen(down ? light : shade);
    painter.drawLine(r.left() + 1, r.bottom() - 1, r.right() - 1, r.bottom() - 1);
    painter.drawLine(r.right() - 1, r.top() + 1, r.right() - 1, r.bottom() - 1);
    painter.setPen(down ? Qt::black : outer);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(Qt::black);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
    if (hasFocus()) {
        QPen dotted(Qt::black, 1, Qt::DotLine);
        painter.setPen(dotted);
        painter.drawRect(r.adjusted(4, 4, -5, -5));
    }
}

// TextBox

TextBox::TextBox(QWidget* parent, const QString& name, Place place) : QLineEdit(parent)
{
    placeControl(this, name, place);
}

// OptionButton

OptionButton::OptionButton(QWidget* parent, const QString& name, Place place,
                           const QString& caption)
    : QRadioButton(caption, parent)
{
    placeControl(this, name, place);
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (onClick)
            onClick();
    });
}

void OptionButton::select()
{
    setChecked(true);
    if (onClick)
        onClick();
}

void OptionButton::setBackColor(const QColor& colour)
{
    setAutoFillBackground(true);
    setPaletteColour(this, QPalette::Window, colour);
}

void OptionButton::setForeColor(const QColor& colour)
{
    setPaletteColour(this, QPalette::WindowText, colour);
}

// Frame

Frame::Frame(QWidget* parent, const QString& name, Place place, const QString& caption)
    : QGroupBox(caption, parent)
{
    placeControl(this, name, place);
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
    // An etched rectangle whose top line is broken by the caption, the caption at the top left.
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int lineY = metrics.height() / 2;
    const QRect box = rect().adjusted(0, lineY, -2, -2);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(box);
    painter.setPen(Qt::white);
    painter.drawRect(box.translated(1, 1));
    const int textWidth = metrics.horizontalAdvance(title());
    const QRect textArea(8, 0, textWidth + 4, metrics.height());
    painter.fillRect(textArea, palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(textArea.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, title());
}

// PictureBox

PictureBox::PictureBox(QWidget* parent, const QString& name, Place place, const QColor& background)
    : QWidget(parent), background_(background)
{
    placeControl(this, name, place);
    setFocusPolicy(Qt::TabFocus);
}

void PictureBox::setPicture(const QPixmap& picture)
{
    picture_ = picture;
    update();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), background_);
    painter.drawPixmap(0, 0, picture_);
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
