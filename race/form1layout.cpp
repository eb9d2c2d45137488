// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "race/form1layout.h"

#include "core/gamedata.h"
#include "widgets/language.h"
#include "widgets/pictures.h"

#include <limits>

namespace numblaze
{

namespace
{
const QColor LightGreen = bgrColor(palette::RaceGreen);
const QColor BoxBlue = bgrColor(palette::BoxBlue);
const QColor White = bgrColor(0x00FFFFFF);

Label* equationLabel(QWidget* window, const QString& name, Place place, const QString& caption,
                     bool operand)
{
    auto* label = new Label(window, name, place, caption);
    label->setBackColor(operand ? White : LightGreen);
    label->setFramed(operand);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(false);
    label->setFont(designFont(QStringLiteral("MS Sans Serif"), 24));
    return label;
}

/// A picture with words in it, drawn in the language of the game's texts when there is one.
QPixmap pictureWithWords(const QString& name)
{
    const QString language = textLanguage();
    if (language != QLatin1String("en")) {
        QPixmap translated = picture(name + QLatin1Char('-') + language);
        if (!translated.isNull())
            return translated;
    }
    return picture(name);
}
} // namespace

Form1Controls::Form1Controls()
{
    window = new ScreenWindow(QStringLiteral("Form1"), QStringLiteral("Form1"),
                              QSize(pixels(6735), pixels(5055)), ScreenWindow::FrameKind::None);
    window->setBackColor(LightGreen);
    // The caption is never seen (the window has no title bar); a reader says what it is.
    //: The race window's name, as a screen reader says it when the race comes up.
    window->setAccessibleName(tr("Numblaze race"));

    // Drawn controls first, from the bottom of the stack up.
    Image4[0] = new Image(window, QStringLiteral("Image4(0)"), {720, 240, 5295, 1095});
    Image4[0]->setPicture(pictureWithWords(QStringLiteral("banner-ready")));
    Image4[1] = new Image(window, QStringLiteral("Image4(1)"), {720, 240, 5295, 1095});
    Image4[1]->setPicture(pictureWithWords(QStringLiteral("banner-go")));
    Image4[1]->hide();
    for (int i = 0; i < OpponentCount; ++i) {
        Image1[i] =
            new Image(window, QStringLiteral("Image1(%1)").arg(i), {6240, 840 + 480 * i, 480, 480});
        Image1[i]->setPicture(picture(ballPicture(opponents[i].ball, 32)));
        Image1[i]->hide();
    }

    Shape3 = new Shape(window, QStringLiteral("Shape3"), {720, 1560, 1365, 765}, BoxBlue);
    Label1 = equationLabel(window, QStringLiteral("Label1"), {840, 1680, 1095, 495}, {}, true);
    // The operands are shown in the digits of the child's school; their captions stay the game's
    // own digits, which the equation and the answer check read.
    Label1->setShownAs(school::digits);
    Label3 = equationLabel(window, QStringLiteral("Label3"), {2130, 1680, 375, 495},
                           QStringLiteral("+"), false);
    // The sign is shown, and read out, as the child's school writes it (":" for division in
    // German); its caption stays the game's own sign, which the equation and the answer read.
    Label3->setShownAs([](const QString& sign) {
        const MathKind* kind = mathKindOfSign(sign);
        return kind ? kind->shownSign() : sign;
    });
    // "=" reaches three pixels into the box on its left and one into the box on its right: it
    // goes under both, so each box stays a whole rectangle.
    Label4 = equationLabel(window, QStringLiteral("Label4"), {3840, 1680, 495, 495},
                           QStringLiteral("="), false);
    Shape2 = new Shape(window, QStringLiteral("Shape2"), {2520, 1560, 1365, 765}, BoxBlue);
    Label2 = equationLabel(window, QStringLiteral("Label2"), {2640, 1680, 1095, 495}, {}, true);
    Label2->setShownAs(school::digits);
    Shape1 =
        new Shape(window, QStringLiteral("Shape1"), {4320, 1560, 1725, 765}, bgrColor(0x0000FF00));

    // Windowed controls, in tab order.
    Text1 = new TextBox(window, QStringLiteral("Text1"), {4440, 1680, 1455, 525});
    Text1->setAlignment(Qt::AlignCenter);
    Text1->setFont(designFont(QStringLiteral("MS Sans Serif"), 24));
    Text1->setEnabled(false);
    //: The answer box's name to screen readers: a noun, the box the answer is typed in.
    Text1->setAccessibleName(tr("Answer"));
    Text1->setMaxLength(std::numeric_limits<int>::max()); // the answer box has no length limit

    Command1 = new PushButton(window, QStringLiteral("Command1"), {240, 4080, 5415, 735},
                              QStringLiteral("3"));
    Command1->setFaceColor(bgrColor(0x0000FF00));
    Command1->setFont(designFont(QStringLiteral("OCR A Extended"), 14.25));
    // The countdown counts in the child's digits; the caption, the race's phase, does not change.
    Command1->setShownAs(school::digits);
    window->setDefaultButton(Command1);

    Picture1 = new PictureBox(window, QStringLiteral("Picture1"), {240, 2520, 6255, 1335}, White);
    Picture1->setPicture(picture(QStringLiteral("track")));
    //: The race track's name to screen readers: a noun.
    Picture1->setAccessibleName(tr("Track"));
    // The track takes no focus: readers hear the standing from the race itself, and find each
    // ball's place by asking about it.
    Image2 = new Image(Picture1, QStringLiteral("Image2"), {120, 60, 480, 480});
    Image2->setPicture(picture(ballPicture(PlayerBall, 32)));
    //: The player's green ball on the track, as a screen reader names it.
    Image2->setAccessibleName(tr("Your ball"));
    Image3 = new Image(Picture1, QStringLiteral("Image3"), {120, 795, 480, 480});
    //: The opponent's ball on the track, before the race knows the opponent (it is then named
    //: by the opponent's name).
    Image3->setAccessibleName(tr("Opponent's ball"));

    Command2 = new PushButton(window, QStringLiteral("Command2"), {5760, 4080, 735, 735});
    Command2->setPicture(picture(QStringLiteral("stop")));
    //: The stop sign's name to screen readers: the button that leaves the race. A command or a
    //: noun, as a stop sign says it.
    Command2->setAccessibleName(tr("Stop"));

    // The equation reads the way the child's school writes it, whichever way the screen reads.
    if (school::equationsReadRightToLeft() != window->isRightToLeft())
        reverseReadingOrder({Shape3, Label1, Label3, Shape2, Label2, Label4, Shape1, Text1});

    QWidget::setTabOrder(Text1, Command1);
    QWidget::setTabOrder(Command1, Command2);

    Timer1 = new Timer(window, QStringLiteral("Timer1"), 1000, true);
    Timer2 = new Timer(window, QStringLiteral("Timer2"), 100, false);
    Timer3 = new Timer(window, QStringLiteral("Timer3"), 100, false);
}

} // namespace numblaze
