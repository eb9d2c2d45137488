// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "widgets/fonts.h"

#include <QColor>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QWidget>
#include <functional>

class QMessageBox;
class QPainter;

namespace numblaze
{

/// Positions and sizes are in twips: 1/1440 inch, 15 to a pixel at 96 dots per inch.
inline constexpr int TwipsPerPixel = 15;

/// The nearest whole pixel to a distance in twips.
int pixels(double twips);

/// A colour written as &H00BBGGRR&.
QColor bgrColor(quint32 bgr);

/// Where a control sits in its container, in twips.
struct Place {
    int left;
    int top;
    int width;
    int height;
};

/// Puts a widget at its design place in its container. In a container laid out right to left
/// the place is mirrored: its left edge goes where the design has its right edge, counted from
/// the container's right edge. The container must have its size already.
void placeControl(QWidget* widget, const QString& name, Place place);

/// Whether a control's place is mirrored: its container is laid out right to left.
bool isMirrored(const QWidget* widget);

/**
 * Reverses the order in which a row of controls reads: each is reflected about the middle of the
 * span they cover together, so the first comes last and the gaps between them are kept. An
 * equation that reads the other way than its screen.
 */
void reverseReadingOrder(const QList<QWidget*>& row);

/**
 * Names the OK, Retry and Discard buttons of a message box as the game's messages name them
 * ("press Retry"): by their texts in Qt's own context, which every translation of the game has and
 * Qt's own translations, where the system has them, give first. The box shows these texts, not
 * the platform theme's own (GNOME's Discard button would say "Close without Saving").
 */
void nameMessageButtons(QMessageBox& box);

/// Whether the focused control shows the keyboard's focus mark. Until the player first moves
/// the focus by keyboard every control keeps its designed look; from then on, for the rest of
/// the run, the focused one is marked so that a keyboard player sees where the focus is.
bool focusMarksShown();
void showFocusMarks(bool shown = true);

/// A caption on the screen; drawn, never takes the focus.
class Label : public QLabel
{
    Q_OBJECT

  public:
    /// How a label "sized to its text" grows: fixed, keeping its left edge, or its right edge.
    enum class AutoSize { Off, GrowRight, GrowLeft };

    Label(QWidget* parent, const QString& name, Place place, const QString& caption = {});

    /// The caption as set; what is shown may differ (see setShownAs).
    QString caption() const { return caption_; }
    void setCaption(const QString& caption);
    /**
     * Shows every caption as `shown` writes it, now and after each change, while caption()
     * keeps the caption as set: the handlers compare and store that one. Readers hear what is
     * shown.
     */
    void setShownAs(std::function<QString(const QString&)> shown);

    void setBackColor(const QColor& colour);
    void setForeColor(const QColor& colour);
    /// The sunken border of a framed label.
    void setFramed(bool framed);
    void setAutoSize(AutoSize mode);
    /**
     * Sets a one-line caption in the middle of the label from top to bottom by its letters, not by
     * its line, which keeps room above and below them for the tallest marks and the descenders of
     * its fonts: for letters that the label's row would cut at its top or bottom, such as a
     * script's tall marks. Across, the label's alignment stands.
     */
    void setLettersCentred(bool centred);

    std::function<void()> onClick;

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void fitToText();
    AutoSize autoSize_ = AutoSize::Off;
    bool lettersCentred_ = false;
    QString caption_;
    std::function<QString(const QString&)> shown_;
};

/// A picture without a window of its own; its Left is kept in twips as a float.
class Image : public QWidget
{
    Q_OBJECT

  public:
    Image(QWidget* parent, const QString& name, Place place);

    const QPixmap& picture() const { return picture_; }
    void setPicture(const QPixmap& picture);
    /// Shows the picture scaled to the control instead of at its own size from the corner.
    void setStretch(bool stretch);

    /// The left edge in twips as the game counts it, from the container's left edge; mirrored,
    /// the picture is shown that far from the right edge.
    float left() const { return left_; }
    /// Moves the picture.
    void setLeft(float twips);

    /// What the picture tells a reader that asks about it, worked out when asked; none when
    /// unset.
    std::function<QString()> describe;

    /// Free text that has no effect on what is shown.
    QString tag() const { return tag_; }
    void setTag(const QString& tag) { tag_ = tag; }

    std::function<void()> onClick;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QPixmap picture_;
    float left_;
    bool stretch_ = false;
    QString tag_;
};

/// A drawn rectangle, filled and optionally outlined.
class Shape : public QWidget
{
    Q_OBJECT

  public:
    Shape(QWidget* parent, const QString& name, Place place, const QColor& fill,
          const QColor& outline = QColor());

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor fill_;
    QColor outline_;
};

/// A push button; in graphical style it paints its own face colour or picture.
class PushButton : public QPushButton
{
    Q_OBJECT

  public:
    PushButton(QWidget* parent, const QString& name, Place place, const QString& caption = {});

    /// The caption as set; what is shown may differ (see setShownAs).
    QString caption() const { return caption_; }
    /// The shown caption is also the button's name to readers.
    void setCaption(const QString& caption);
    /// Shows every caption as `shown` writes it, now and after each change, while caption() keeps
    /// the caption as set: the handlers compare that one.
    void setShownAs(std::function<QString(const QString&)> shown);
    /// Graphical style: the face is painted in this colour instead of the platform's look.
    void setFaceColor(const QColor& colour);
    QColor faceColor() const { return face_; }
    /// Graphical style with a picture, centred and cut at the button's edges.
    void setPicture(const QPixmap& picture);

    std::function<void()> onClick;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void paintCaption(QPainter& painter, const QRect& area);
    void paintBevel(QPainter& painter);

    QColor face_;
    QPixmap picture_;
    QString caption_;
    std::function<QString(const QString&)> shown_;
};

/// The answer box.
class TextBox : public QLineEdit
{
    Q_OBJECT

  public:
    TextBox(QWidget* parent, const QString& name, Place place);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

/// One button of a group in which one at most is selected: the buttons sharing a container.
class OptionButton : public QRadioButton
{
    Q_OBJECT

  public:
    OptionButton(QWidget* parent, const QString& name, Place place, const QString& caption = {});

    bool value() const { return isChecked(); }
    /// The buttons of this button's group, in the order the arrow keys go round them.
    QList<QAbstractButton*> groupButtons() const;
    /// Selecting a button in code deselects the others of its group and raises its click, also
    /// when the button was selected already.
    void select();

    void setBackColor(const QColor& colour);
    void setForeColor(const QColor& colour);

    /// Raised once each time the button is selected, whichever way: a click, Space, the arrow
    /// keys, a reader's press or toggle action, or select(); and when a selected button is
    /// clicked again.
    std::function<void()> onClick;

  protected:
    void nextCheckState() override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void raiseClick();
    /// The arrow keys go round the group in order, selecting the button they reach.
    void selectNeighbour(int step);

    bool clicking_ = false;
};

/// A captioned box that contains and groups other controls.
class Frame : public QGroupBox
{
    Q_OBJECT

  public:
    Frame(QWidget* parent, const QString& name, Place place, const QString& caption);

    void setBackColor(const QColor& colour);
    void setForeColor(const QColor& colour);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

/// A windowed box that shows a picture from its top-left corner and contains other controls; laid
/// out right to left, it shows the picture mirrored from its top-right corner.
class PictureBox : public QWidget
{
    Q_OBJECT

  public:
    PictureBox(QWidget* parent, const QString& name, Place place, const QColor& background);

    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return picture_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor background_;
    QPixmap picture_;
    /// The picture mirrored, made when first shown so.
    QPixmap mirrored_;
};

/// Ticks every interval while enabled; enabling starts a fresh interval, disabling stops at once.
class Timer : public QObject
{
    Q_OBJECT

  public:
    Timer(QObject* parent, const QString& name, int intervalMs, bool enabled);

    bool enabled() const { return timer_.isActive(); }
    void setEnabled(bool enabled);
    int interval() const { return timer_.interval(); }

    std::function<void()> onTick;

  private:
    /// A child of this control, so that a screen's window finds and stops it with the others.
    QTimer timer_{this};
};

} // namespace numblaze
