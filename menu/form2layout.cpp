// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "menu/form2layout.h"

#include "core/gamedata.h"
#include "widgets/accessibility.h"
#include "widgets/fonts.h"
#include "widgets/pictures.h"

#include <QStyle>
#include <QStyleOptionButton>

namespace numblaze
{

namespace
{
const QColor Lavender = bgrColor(palette::Lavender);
const QColor DarkRed = bgrColor(palette::DarkRed);

QFont menuFont(bool bold = false)
{
    return designFont(QStringLiteral("OCR A Extended"), 12, bold);
}

Label* menuLabel(QWidget* window, const QString& name, Place place, const QString& caption)
{
    auto* label = new Label(window, name, place, caption);
    label->setBackColor(Lavender);
    label->setForeColor(DarkRed);
    label->setFont(menuFont());
    return label;
}

PushButton* menuButton(QWidget* window, const QString& name, Place place, const QString& caption,
                       quint32 face)
{
    auto* button = new PushButton(window, name, place, caption);
    button->setFaceColor(bgrColor(face));
    button->setFont(menuFont());
    return button;
}
/// A math kind's name wider than its button's room ("Soustraction" in French) is set a little
/// narrower; one that fits keeps the design's font.
void narrowToFit(OptionButton* option)
{
    QStyleOptionButton look;
    look.initFrom(option);
    look.text = option->text();
    const QRect room =
        option->style()->subElementRect(QStyle::SE_RadioButtonContents, &look, option);
    option->setFont(narrowedToFit(option->font(), option->text(), room.width()));
}
} // namespace

Form2Controls::Form2Controls()
{
    window =
        new ScreenWindow(QStringLiteral("Form2"), QStringLiteral("Numblaze"),
                         QSize(pixels(6945), pixels(4935)), ScreenWindow::FrameKind::FixedSingle);
    window->setBackColor(Lavender);
    // The controls take the menu's font from the start: the frame measures its caption as it is
    // made, which in the default font would load a font the menu never shows.
    window->setFont(menuFont());
    window->setWindowIcon(applicationIcon());

    // Drawn controls: pictures and labels.
    Image1 = new Image(window, QStringLiteral("Image1"), {0, 120, 6975, 1215});
    Image1->setPicture(picture(QStringLiteral("title")));
    Image1->setStretch(true);
    Image2 = new Image(window, QStringLiteral("Image2"), {960, 1440, 720, 720});
    Image2->setPicture(picture(ballPicture(PlayerBall, 48)));
    for (int i = 0; i < OpponentCount; ++i) {
        Image3[i] = new Image(window, QStringLiteral("Image3(%1)").arg(i),
                              {4440, 2760 + 600 * i, 480, 480});
        Image3[i]->setPicture(picture(ballPicture(opponents[i].ball, 32)));
        Image3[i]->setAccessibleName(opponentName(i));
    }
    Label1 = menuLabel(window, QStringLiteral("Label1"), {2640, 2880, 1215, 615},
                       //: The heading of the three opponents, on at most two lines of 8
                       //: characters.
                       tr("Race against:"));
    // Readers find the opponents' buttons in a group named by the heading, as the math kinds
    // are in the frame named "Math".
    nameOptionGroup(Label1);
    const int nameWidths[] = {1500, 1800, 1500};
    for (int i = 0; i < OpponentCount; ++i) {
        Label2[i] = menuLabel(window, QStringLiteral("Label2(%1)").arg(i),
                              {5040, 2880 + 600 * i, nameWidths[i], 255}, opponentName(i));
        Label2[i]->setAutoSize(Label::AutoSize::GrowRight);
    }
    Label3 = menuLabel(window, QStringLiteral("Label3"), {2760, 4560, 4125, 255},
                       //: The menu's record line, in bold under the opponents: %1 is the highest
                       //: number of the chosen math kind and opponent. At most about 40
                       //: characters with a number of 8 digits.
                       tr("Your highest number is %1.").arg(5));
    Label3->setFont(menuFont(true));
    Label3->setAlignment(Qt::AlignRight | Qt::AlignTop);
    Label3->setAutoSize(Label::AutoSize::GrowLeft);
    Label3->setShownAs(school::digits);

    // Windowed controls, in tab order.
    Command1 = menuButton(window, QStringLiteral("Command1"), {240, 2520, 2055, 495},
                          //: The menu's button that starts a race: at most 12 characters.
                          tr("Race!"), 0x00FF8080);
    Command4 = menuButton(window, QStringLiteral("Command4"), {240, 3240, 2055, 495},
                          //: The menu's button that shows the twelve records: at most 12
                          //: characters. The Hall of Fame's own title says the same.
                          tr("Hall of Fame"), 0x00FF8080);
    Frame1 = new Frame(window, QStringLiteral("Frame1"), {2640, 1320, 4095, 1335},
                       //: The caption of the frame around the four math kinds on the menu: a
                       //: short noun.
                       tr("Math"));
    Frame1->setBackColor(Lavender);
    Frame1->setForeColor(DarkRed);
    Frame1->setFont(menuFont());
    const Place kindPlaces[] = {{120, 360, 1935, 255},
                                {2280, 360, 1695, 255},
                                {120, 840, 2055, 255},
                                {2280, 840, 1695, 255}};
    for (const MathKind& kind : mathKinds) {
        const int i = kind.index;
        Option1[i] = new OptionButton(Frame1, QStringLiteral("Option1(%1)").arg(i), kindPlaces[i],
                                      kind.name());
        Option1[i]->setBackColor(Lavender);
        Option1[i]->setForeColor(DarkRed);
        Option1[i]->setFont(designFont(QStringLiteral("OCR A Extended"), 9.75));
        narrowToFit(Option1[i]);
    }
    Option1[0]->setChecked(true);
    Command2 = menuButton(window, QStringLiteral("Command2"), {480, 4320, 1575, 495},
                          //: The menu's button that ends the game: at most 9 characters.
                          tr("Exit"), 0x00808080);
    for (int i = 0; i < OpponentCount; ++i) {
        Option2[i] = new OptionButton(window, QStringLiteral("Option2(%1)").arg(i),
                                      {4080, 2880 + 600 * i, 255, 255});
        Option2[i]->setBackColor(Lavender);
        Option2[i]->setAccessibleName(opponentName(i));
    }

    QWidget::setTabOrder(Command1, Command4);
    QWidget::setTabOrder(Command4, Option1[0]);
    for (int i = 0; i + 1 < MathKindCount; ++i)
        QWidget::setTabOrder(Option1[i], Option1[i + 1]);
    QWidget::setTabOrder(Option1.back(), Command2);
    QWidget::setTabOrder(Command2, Option2[0]);
    for (int i = 0; i + 1 < OpponentCount; ++i)
        QWidget::setTabOrder(Option2[i], Option2[i + 1]);
    Command1->setFocus();
}

} // namespace numblaze
