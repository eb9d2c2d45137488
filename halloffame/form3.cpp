// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "halloffame/form3.h"

#include "core/gamedata.h"
#include "widgets/pictures.h"

#include <QTextLayout>
#include <cmath>

namespace numblaze
{

namespace
{
const QColor Lavender = bgrColor(palette::Lavender);

/// Whether the text's letters stand whole in a row `height` pixels tall with its line at the
/// row's top.
bool standsAtTop(const QFont& font, const QString& text, int height)
{
    // The line's ascent is the tallest of the faces that draw it, a stand-in's included.
    QTextLayout layout(text, font);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    const int baseline = int(std::lround(line.ascent()));
    const QRect ink = inkOf(font, text);
    return baseline + ink.top() >= 0 && baseline + ink.bottom() < height;
}

/// The title in the design's large serif, set at the top of its row where its letters stand
/// whole there. Letters that would not (the tail of a "y", the dot under a Vietnamese "ụ", a
/// font made for another script, which stands taller than the design's serif) are made smaller
/// where they would not fit the row, and set in the middle of it.
void fitTitle(Label* title)
{
    const QFont font = designFont(QStringLiteral("Narkisim"), 39.75, false, true);
    if (designFacesDrawTexts() && standsAtTop(font, title->caption(), title->height())) {
        title->setFont(font);
    } else {
        title->setFont(fittedTo(font, title->caption(), title->size()));
        title->setLettersCentred(true);
    }
}

} // namespace

Form3& Form3::get()
{
    static Form3 screen;
    return screen;
}

Form3Controls::Form3Controls()
{
    //: The Hall of Fame window's title.
    window = new ScreenWindow(QStringLiteral("Form3"), tr("Numblaze Hall of Fame"),
                              QSize(pixels(7560), pixels(4560)), ScreenWindow::FrameKind::Sizable);
    window->setBackColor(Lavender);
    window->setWindowIcon(QIcon(picture(ballPicture(PlayerBall, 16))));
    //: The title of the screen of the twelve records, in large letters over the whole window
    //: (at most about 14 characters), and its name to screen readers.
    window->setAccessibleName(tr("Hall of Fame"));

    Shape1 = new RecordGrid(window, QStringLiteral("Shape1"), {2760, 1920, 4335, 2415},
                            bgrColor(palette::BoxBlue), bgrColor(0x00FFFFFF));

    Label5 = new Label(window, QStringLiteral("Label5"), {0, 240, 7455, 735}, tr("Hall of Fame"));
    Label5->setBackColor(Lavender);
    Label5->setForeColor(bgrColor(0x00800000));
    Label5->setWordWrap(false);
    Label5->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    // Measuring the title's letters loads its large face: done when the Hall of Fame is first
    // shown, not when the menu loads it hidden at start-up.
    window->beforeFirstDrawn = [title = Label5] { fitTitle(title); };

    Image* headings[OpponentCount];
    const char* headingNames[OpponentCount] = {"Image2", "Image1", "Image3"};
    for (int i = 0; i < OpponentCount; ++i) {
        headings[i] = new Image(window, QString::fromLatin1(headingNames[i]),
                                {3120 + 1440 * i, 1080, 720, 720});
        headings[i]->setPicture(picture(ballPicture(opponents[i].ball, 48)));
        headings[i]->setAccessibleName(opponentName(i));
    }
    Image2 = headings[0];
    Image1 = headings[1];
    Image3 = headings[2];

    for (const MathKind& kind : mathKinds) {
        const int m = kind.index;
        rowTitles[m] = new Label(window, QStringLiteral("Label%1").arg(m + 1),
                                 {120, 2040 + 600 * m, 2295, 255}, kind.rowTitle());
        rowTitles[m]->setBackColor(Lavender);
        rowTitles[m]->setForeColor(bgrColor(palette::DarkRed));
        // OCR-A's line is three pixels taller than the row, all of it empty space above the
        // letters: aligned to the bottom, the row cuts that space and not the descenders. A font
        // made for another script has a line taller still, with room above and below: its
        // letters are set in the middle of the row.
        rowTitles[m]->setAlignment(Qt::AlignRight | Qt::AlignBottom);
        rowTitles[m]->setLettersCentred(!designFacesDrawTexts());
        const QFont font = designFont(QStringLiteral("OCR A Extended"), 12);
        rowTitles[m]->setFont(fittedTo(font, rowTitles[m]->caption(), rowTitles[m]->size()));
    }
    for (const Pairing& cell : pairings) {
        const int k = cell.index();
        Label6[k] = new Label(window, QStringLiteral("Label6(%1)").arg(k),
                              {2880 + 1440 * cell.opponent, 2040 + 600 * cell.math, 1215, 375});
        Label6[k]->setBackColor(Lavender);
        Label6[k]->setFramed(true);
        Label6[k]->setAlignment(Qt::AlignCenter);
        Label6[k]->setWordWrap(false);
        Label6[k]->setFont(designFont(QStringLiteral("OCR A Extended"), 14.25));
        Label6[k]->setShownAs(school::digits);
    }
    Shape1->setTable(Label6, rowTitles, {Image2, Image1, Image3});
    installRecordGridAccessibility();
    // A reader reads the whole table as the Hall of Fame appears, as a sighted player sees it.
    window->describe = [grid = Shape1] { return grid->inWords(); };
}

} // namespace numblaze
