// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the game's own controls and fonts draw beyond the placement the look tests check: the
// bevel of a graphical button pixel by pixel, and the letters the fixed-width font lacks.
#include "widgets/controls.h"
#include "widgets/fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGlyphRun>
#include <QRawFont>
#include <QTest>
#include <QTextLayout>

using namespace numblaze;

namespace
{
const QColor Face(128, 128, 255);

/// The family of the font that draws `text` in `font`.
QString drawnIn(const QString& text, const QFont& font)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    return layout.glyphRuns().value(0).rawFont().familyName().toLower();
}
} // namespace

class DrawingTest : public QObject
{
    Q_OBJECT

  private slots:
    void buttonBevelCoversEveryEdgePixel_data()
    {
        QTest::addColumn<bool>("pressed");
        QTest::newRow("raised") << false;
        QTest::newRow("pressed") << true;
    }
    // Outside, white above and to the left, black below and to the right (pressed: black all
    // round); inside it, the face lighter above and to the left and darker below and to the
    // right, the other way round when pressed. Lines drawn later cover the corners.
    void buttonBevelCoversEveryEdgePixel()
    {
        QFETCH(bool, pressed);
        if (qApp->devicePixelRatio() != 1)
            QSKIP("counts the pixels of an unscaled screen");
        QWidget window;
        PushButton button(&window, QStringLiteral("Command1"), {0, 0, 1500, 600});
        button.setFaceColor(Face);
        button.setDown(pressed);
        const QImage shot = button.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const int right = shot.width() - 1, bottom = shot.height() - 1;
        const QRgb black = qRgb(0, 0, 0), outer = pressed ? black : qRgb(255, 255, 255);
        const QRgb upper = (pressed ? Face.darker(160) : Face.lighter(160)).rgb();
        const QRgb lower = (pressed ? Face.lighter(160) : Face.darker(160)).rgb();
        for (int x = 0; x <= right; ++x) {
            QCOMPARE(shot.pixel(x, 0), x < right ? outer : black);
            QCOMPARE(shot.pixel(x, bottom), black);
        }
        for (int y = 0; y <= bottom; ++y) {
            QCOMPARE(shot.pixel(0, y), y < bottom ? outer : black);
            QCOMPARE(shot.pixel(right, y), black);
        }
        for (int x = 1; x < right; ++x) {
            QCOMPARE(shot.pixel(x, 1), x < right - 1 ? upper : lower);
            QCOMPARE(shot.pixel(x, bottom - 1), lower);
        }
        for (int y = 1; y < bottom; ++y) {
            QCOMPARE(shot.pixel(1, y), y < bottom - 1 ? upper : lower);
            QCOMPARE(shot.pixel(right - 1, y), lower);
        }
        QCOMPARE(shot.pixel(2, 2), Face.rgb());
    }

    void lettersOcrALacksComeFromTheMonospaceStandIn_data()
    {
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bold");
        QTest::newRow("math kinds") << 9.75 << false;
        QTest::newRow("captions") << 12.0 << false;
        QTest::newRow("record") << 12.0 << true;
        QTest::newRow("hall of fame cells") << 14.25 << false;
    }
    // Translated captions hold letters such as "é" that OCR-A does not have.
    void lettersOcrALacksComeFromTheMonospaceStandIn()
    {
        QFETCH(double, points);
        QFETCH(bool, bold);
        if (!QFontDatabase::hasFamily("OCRA") || !QFontDatabase::hasFamily("DejaVu Sans Mono"))
            QSKIP("the stand-in fonts are not installed");
        const QFont font = designFont(QStringLiteral("OCR A Extended"), points, bold);
        QCOMPARE(drawnIn(QStringLiteral("n"), font), bold ? QString("ocrabold") : "ocra");
        QCOMPARE(drawnIn(QStringLiteral("é"), font), QString("dejavu sans mono"));
    }
};

QTEST_MAIN(DrawingTest)
#include "test_drawing.moc"
