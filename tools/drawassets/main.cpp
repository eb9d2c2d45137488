// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Draws every picture of the game: the track, the start banners (one pair for each language the
// game speaks, named banner-ready-de and so on; the English pair has no language in its name),
// the stop sign, the balls and the title. Each picture is drawn twice, once at its own size and
// once as name@2x.png with the painter scaled by 2, so the large version is drawn crisp rather than
// upscaled.
//
//   QT_QPA_PLATFORM=offscreen drawassets <output directory>
//
// Nothing here is random: running it again gives the same files.

#include "tools/drawassets/bannerwords.h"

#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QRawFont>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

namespace
{

struct Picture {
    QString name;
    QSize size;
    bool alpha;
    std::function<void(QPainter&)> draw;
};

// The first installed family of the list, so a missing font degrades instead of failing.
QFont pickFont(const QStringList& families, qreal pixelSize, QFont::Weight weight)
{
    const QStringList installed = QFontDatabase::families();
    QString family = families.last();
    for (const QString& f : families) {
        if (installed.contains(f)) {
            family = f;
            break;
        }
    }
    QFont font(family);
    font.setPixelSize(qRound(pixelSize));
    font.setWeight(weight);
    // The @2x pictures must be the same design, so glyphs are not snapped to the pixel grid.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferOutline);
    return font;
}

QFont fixedFont(qreal pixelSize, QFont::Weight weight = QFont::Normal)
{
    QFont font = pickFont({"OCRA", "DejaVu Sans Mono"}, pixelSize, weight);
    // OCR-A has few accented letters: the others come from the fonts the game falls back on too,
    // DejaVu Sans for the few Vietnamese ones the fixed-width DejaVu lacks.
    font.setFamilies(
        {font.family(), QStringLiteral("DejaVu Sans Mono"), QStringLiteral("DejaVu Sans")});
    return font;
}

// Text as an outline whose top-left ink corner is at `at`, so placement does not depend on
// the font's ascent and line spacing.
QPainterPath textPath(const QFont& font, const QString& text, QPointF at = {})
{
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF ink = path.boundingRect();
    return path.translated(at - ink.topLeft());
}

QColor mix(const QColor& a, const QColor& b, qreal t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t),
                            float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

// ---------------------------------------------------------------------------------------------
// Track: the road seen from above, two yellow lines along it and the chequered finish band.

constexpr int trackWidth = 417;
constexpr int trackHeight = 90;
constexpr int finishLeft = 376;
constexpr int finishSquare = 5;
constexpr int finishColumns = 5;

void drawTrack(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRect(0, 0, trackWidth, trackHeight), QColor(120, 120, 120));
    const QColor yellow(255, 242, 0);
    p.fillRect(QRect(0, 40, trackWidth, 2), yellow);
    p.fillRect(QRect(0, 47, trackWidth, 2), yellow);
    for (int column = 0; column < finishColumns; ++column) {
        for (int row = 0; row * finishSquare < trackHeight; ++row) {
            const bool black = (column + row) % 2 == 0;
            p.fillRect(QRect(finishLeft + column * finishSquare, row * finishSquare, finishSquare,
                             finishSquare),
                       black ? Qt::black : Qt::white);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Start banners: green above the rising diagonal, blue below it.

constexpr int bannerWidth = 353;
constexpr int bannerHeight = 73;

void drawBannerBackground(QPainter& p)
{
    p.fillRect(QRect(0, 0, bannerWidth, bannerHeight), QColor(0, 0, 255));
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 255, 0));
    p.drawPolygon(QPolygonF({QPointF(0, 0), QPointF(bannerWidth, 0), QPointF(0, bannerHeight)}));
}

using numblaze::banners::BannerWords;
using numblaze::banners::bannerWords;

// The font of a language's banner words at a size in pixels.
QFont wordsFont(const BannerWords& words, qreal pixelSize)
{
    if (!words.family)
        return fixedFont(pixelSize);
    QFont font = pickFont({QString::fromLatin1(words.family)}, pixelSize, QFont::Normal);
    // The marks the script's font lacks (the dots, the exclamation marks) come from the same
    // fixed-width fonts as the other banners'.
    font.setFamilies({font.family(), QStringLiteral("OCRA"), QStringLiteral("DejaVu Sans Mono")});
    return font;
}

// Whether the fonts a language's banner words are drawn in are installed and draw every letter
// and mark of them: a missing font would draw the words in whatever fontconfig falls back on, or
// as empty boxes. Without a font of their own the words are drawn in OCR-A, whose few letters
// beyond English ones the DejaVu faces complete (Cyrillic, the Vietnamese marks).
bool wordsFontInstalled(const BannerWords& words, QTextStream& err)
{
    const QStringList families =
        words.family ? QStringList{QString::fromLatin1(words.family)}
                     : QStringList{QStringLiteral("OCRA"), QStringLiteral("DejaVu Sans Mono"),
                                   QStringLiteral("DejaVu Sans")};
    const QStringList installed = QFontDatabase::families();
    QList<QRawFont> faces;
    for (const QString& family : families)
        if (installed.contains(family))
            faces << QRawFont::fromFont(QFont(family));
    if (faces.isEmpty()) {
        err << "no font of " << families.join(QStringLiteral(", ")) << " for the banners in "
            << (*words.language ? words.language : "en")
            << " is installed (Debian's fonts-ocr-a, fonts-dejavu-core, fonts-noto-core and "
               "fonts-noto-cjk have them)\n";
        return false;
    }
    for (const char* text : {words.ready, words.go})
        for (const QChar c : QString::fromUtf8(text))
            if ((c.isLetter() || c.isMark()) &&
                std::none_of(faces.begin(), faces.end(),
                             [c](const QRawFont& face) { return face.supportsCharacter(c); })) {
                err << families.join(QStringLiteral(", ")) << " has no letter " << c
                    << " for the banners in " << words.language << "\n";
                return false;
            }
    return true;
}

// The banner's font at the size that keeps the text within `widest` pixels of ink.
QFont fittedFont(const BannerWords& words, qreal pixelSize, const QString& text, qreal widest)
{
    const qreal width = textPath(wordsFont(words, pixelSize), text).boundingRect().width();
    return wordsFont(words, width > widest ? pixelSize * widest / width : pixelSize);
}

qreal inkWidth(qreal pixelSize, const char* text)
{
    return textPath(fixedFont(pixelSize), QString::fromUtf8(text)).boundingRect().width();
}

void drawBannerReady(QPainter& p, const BannerWords& language)
{
    drawBannerBackground(p);
    const QString words = QString::fromUtf8(language.ready);
    const QFont font = fittedFont(language, 24, words, inkWidth(24, bannerWords[0].ready));
    const QPainterPath text = textPath(font, words, {8, 7});
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPath(text);
}

void drawBannerGo(QPainter& p, const BannerWords& language)
{
    drawBannerBackground(p);
    const QString words = QString::fromUtf8(language.go);
    const QFont font = fittedFont(language, 46, words, 1.2 * inkWidth(46, bannerWords[0].go));
    QPainterPath text = textPath(font, words);
    const QRectF ink = text.boundingRect();
    // The letters stand on the banner's lower edge; Spanish inverted marks and the dot below of
    // Devanagari and Bengali letters (the nukta of "ड़", "ড়") reach below them.
    QString upright = words;
    for (const char16_t below : {u'\u00a1', u'\u093c', u'\u09bc'})
        upright.remove(QChar(below));
    const qreal below = ink.height() - textPath(font, upright).boundingRect().height();
    text.translate(bannerWidth - 14 - ink.width(), bannerHeight - 9 - ink.height() + below);
    // A white outline of the same colour makes the letters heavier than the plain face.
    p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(text);
}

// ---------------------------------------------------------------------------------------------
// Stop sign: a red octagon with a black rim and white letters on a white square.

constexpr int stopSize = 56;

// Regular octagon with flat top, bottom and sides that fills `square`.
QPolygonF octagon(const QRectF& square)
{
    const qreal cut = square.width() / (2.0 + std::sqrt(2.0));
    const qreal l = square.left(), t = square.top(), r = square.right(), b = square.bottom();
    return QPolygonF({QPointF(l + cut, t), QPointF(r - cut, t), QPointF(r, t + cut),
                      QPointF(r, b - cut), QPointF(r - cut, b), QPointF(l + cut, b),
                      QPointF(l, b - cut), QPointF(l, t + cut)});
}

void drawStop(QPainter& p)
{
    p.fillRect(QRect(0, 0, stopSize, stopSize), Qt::white);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    const QRectF outer(0.5, 0.5, stopSize - 1, stopSize - 1);
    p.setBrush(Qt::black);
    p.drawPolygon(octagon(outer));
    p.setBrush(QColor(235, 235, 235));
    p.drawPolygon(octagon(outer.adjusted(3, 3, -3, -3)));
    QLinearGradient red(0, 4, 0, stopSize - 4);
    red.setColorAt(0, QColor(236, 40, 36));
    red.setColorAt(1, QColor(190, 12, 16));
    p.setBrush(red);
    p.drawPolygon(octagon(outer.adjusted(4.5, 4.5, -4.5, -4.5)));

    QPainterPath letters =
        textPath(pickFont({"DejaVu Sans"}, 16, QFont::Bold), QStringLiteral("STOP"));
    const QRectF ink = letters.boundingRect();
    const qreal squeeze = 38.0 / ink.width();
    QTransform fit;
    fit.translate(stopSize / 2.0 - 19.0, stopSize / 2.0 - ink.height() / 2.0);
    fit.scale(squeeze, 1.0);
    letters = fit.map(letters);
    p.setBrush(Qt::white);
    p.drawPath(letters);
}

// ---------------------------------------------------------------------------------------------
// Balls: glossy spheres lit from the upper left, on a transparent background.

/// The player's ball, which is also the application icon.
const QColor GreenBall(0, 200, 0);

void drawBall(QPainter& p, int size, const QColor& tone)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    const qreal r = (size - 1) / 2.0;
    const QPointF centre(size / 2.0, size / 2.0);
    const QRectF disc(centre.x() - r, centre.y() - r, 2 * r, 2 * r);

    QRadialGradient body(centre, r, centre + QPointF(-0.38 * r, -0.42 * r));
    body.setColorAt(0.0, mix(tone, Qt::white, 0.55));
    body.setColorAt(0.45, tone);
    body.setColorAt(0.82, mix(tone, Qt::black, 0.32));
    body.setColorAt(1.0, mix(tone, Qt::black, 0.58));
    p.setBrush(body);
    p.drawEllipse(disc);

    // Light bounced back from the ground along the lower right rim.
    QRadialGradient bounce(centre + QPointF(0.55 * r, 0.62 * r), 0.55 * r);
    QColor glow = mix(tone, Qt::white, 0.35);
    glow.setAlphaF(0.45f);
    bounce.setColorAt(0, glow);
    glow.setAlphaF(0);
    bounce.setColorAt(1, glow);
    p.save();
    QPainterPath clip;
    clip.addEllipse(disc);
    p.setClipPath(clip);
    p.setBrush(bounce);
    p.drawEllipse(disc);
    p.restore();

    // The soft specular highlight.
    const QRectF spot(centre.x() - 0.74 * r, centre.y() - 0.80 * r, 0.78 * r, 0.56 * r);
    QRadialGradient shine(spot.center(), spot.width() / 2.0);
    shine.setColorAt(0.0, QColor(255, 255, 255, 235));
    shine.setColorAt(0.45, QColor(255, 255, 255, 130));
    shine.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.save();
    p.translate(spot.center());
    p.rotate(-35);
    p.scale(1.0, spot.height() / spot.width());
    p.translate(-spot.center());
    p.setBrush(shine);
    p.drawEllipse(spot.center(), spot.width() / 2.0, spot.width() / 2.0);
    p.restore();
}

// ---------------------------------------------------------------------------------------------
// Title: "Numblaze" in bevelled steel-blue letters on a honeycomb panel, green to blue.

constexpr int titleWidth = 720;
constexpr int titleHeight = 175;

QPolygonF hexagon(const QPointF& centre, qreal radius)
{
    QPolygonF hex;
    for (int i = 0; i < 6; ++i) {
        const qreal a = std::numbers::pi / 3.0 * i;
        hex << centre + QPointF(radius * std::cos(a), radius * std::sin(a));
    }
    hex << hex.first();
    return hex;
}

void drawHoneycomb(QPainter& p, const QRectF& area)
{
    const qreal radius = 13.0;
    const qreal dx = radius * 1.5;
    const qreal dy = radius * std::sqrt(3.0);
    QPainterPath cells;
    p.setPen(Qt::NoPen);
    for (int column = -1; column * dx < area.width() + dx; ++column) {
        const qreal shift = (column % 2 != 0) ? dy / 2.0 : 0.0;
        for (int row = -1; row * dy < area.height() + dy; ++row) {
            const QPolygonF cell =
                hexagon(area.topLeft() + QPointF(column * dx, row * dy + shift), radius);
            cells.addPolygon(cell);
            // A fixed scatter of slightly lighter and darker cells gives the panel texture.
            const int tint = (column * 7 + row * 13 + (column * row) % 5 + 40) % 6;
            if (tint < 2) {
                p.setBrush(QColor(255, 255, 255, 8 + 5 * tint));
                p.drawPolygon(cell);
            } else if (tint == 5) {
                p.setBrush(QColor(0, 0, 0, 22));
                p.drawPolygon(cell);
            }
        }
    }
    // A dark groove with a faint lit lip below it reads as cells pressed into the panel.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 26), 1.0));
    p.drawPath(cells.translated(0.7, 0.9));
    p.setPen(QPen(QColor(0, 0, 0, 120), 1.4));
    p.drawPath(cells);
}

void drawTitlePanel(QPainter& p)
{
    const QRectF panel(0, 0, titleWidth, titleHeight);
    QLinearGradient across(panel.topLeft(), panel.topRight());
    across.setColorAt(0.0, QColor(18, 104, 46));
    across.setColorAt(0.5, QColor(16, 84, 96));
    across.setColorAt(1.0, QColor(20, 48, 132));
    p.fillRect(panel, across);

    p.save();
    p.setClipRect(panel);
    drawHoneycomb(p, panel);
    p.restore();

    // Lit from above: a sheen over the top, shade towards the bottom edge.
    QLinearGradient down(panel.topLeft(), panel.bottomLeft());
    down.setColorAt(0.0, QColor(255, 255, 255, 58));
    down.setColorAt(0.45, QColor(255, 255, 255, 0));
    down.setColorAt(0.7, QColor(0, 0, 0, 0));
    down.setColorAt(1.0, QColor(0, 0, 0, 110));
    p.fillRect(panel, down);
    // Darker towards the ends so the eye goes to the middle.
    QLinearGradient ends(panel.topLeft(), panel.topRight());
    ends.setColorAt(0.0, QColor(0, 0, 0, 90));
    ends.setColorAt(0.18, QColor(0, 0, 0, 0));
    ends.setColorAt(0.82, QColor(0, 0, 0, 0));
    ends.setColorAt(1.0, QColor(0, 0, 0, 90));
    p.fillRect(panel, ends);

    // Frame: a light line on the outside and a dark one just inside it.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    p.setPen(Qt::NoPen);
    const QColor light(222, 228, 236);
    p.fillRect(QRectF(0, 0, titleWidth, 2), light);
    p.fillRect(QRectF(0, titleHeight - 2, titleWidth, 2), light);
    p.fillRect(QRectF(0, 0, 2, titleHeight), light);
    p.fillRect(QRectF(titleWidth - 2, 0, 2, titleHeight), light);
    const QColor dark(0, 0, 0, 140);
    p.fillRect(QRectF(2, 2, titleWidth - 4, 1), dark);
    p.fillRect(QRectF(2, titleHeight - 3, titleWidth - 4, 1), dark);
    p.fillRect(QRectF(2, 3, 1, titleHeight - 6), dark);
    p.fillRect(QRectF(titleWidth - 3, 3, 1, titleHeight - 6), dark);
}

void drawTitleLetters(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath letters =
        textPath(pickFont({"DejaVu Sans"}, 100, QFont::Bold), QStringLiteral("Numblaze"));
    // Fit the word into the panel with room for the frame and the shadow.
    const QRectF ink = letters.boundingRect();
    const qreal scale = std::min(624.0 / ink.width(), 118.0 / ink.height());
    QTransform fit;
    fit.translate((titleWidth - ink.width() * scale) / 2.0 - 3,
                  (titleHeight - ink.height() * scale) / 2.0 - 4);
    fit.scale(scale, scale);
    letters = fit.map(letters);
    const QRectF box = letters.boundingRect();

    // Soft drop shadow, built from a few offset copies.
    p.setPen(Qt::NoPen);
    for (int i = 6; i >= 1; --i) {
        p.setBrush(QColor(0, 0, 0, 34));
        p.drawPath(letters.translated(2.0 + i * 0.8, 3.0 + i * 0.8));
    }
    // Dark outline around the letters.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(10, 24, 44), 4.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(letters);

    // The steel face, lighter at the top.
    QLinearGradient face(box.topLeft(), box.bottomLeft());
    face.setColorAt(0.0, QColor(196, 220, 240));
    face.setColorAt(0.38, QColor(100, 158, 206));
    face.setColorAt(0.55, QColor(70, 130, 180));
    face.setColorAt(1.0, QColor(36, 78, 124));
    p.setPen(Qt::NoPen);
    p.setBrush(face);
    p.drawPath(letters);

    // Bevel: thin slivers along the upper left edges lit, along the lower right edges shaded;
    // layered so the slope gets lighter (or darker) towards the very edge.
    for (int step = 1; step <= 10; ++step) {
        const qreal d = step * 0.5;
        p.setBrush(QColor(255, 255, 255, 24));
        p.drawPath(letters.subtracted(letters.translated(d, d)));
        p.setBrush(QColor(6, 22, 48, 30));
        p.drawPath(letters.subtracted(letters.translated(-d, -d)));
    }

    // Glossy band across the upper part of the face.
    p.save();
    p.setClipPath(letters);
    QLinearGradient gloss(box.topLeft(), QPointF(box.left(), box.top() + box.height() * 0.5));
    gloss.setColorAt(0.0, QColor(255, 255, 255, 90));
    gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.fillRect(QRectF(box.left(), box.top(), box.width(), box.height() * 0.5), gloss);
    p.restore();
}

void drawTitle(QPainter& p)
{
    drawTitlePanel(p);
    drawTitleLetters(p);
}

// ---------------------------------------------------------------------------------------------

std::vector<Picture> pictures()
{
    std::vector<Picture> all = {
        {"track", {trackWidth, trackHeight}, false, drawTrack},
        {"stop", {stopSize, stopSize}, false, drawStop},
        {"title", {titleWidth, titleHeight}, false, drawTitle},
    };
    for (const BannerWords& words : bannerWords) {
        const QString language =
            *words.language ? QLatin1Char('-') + QLatin1String(words.language) : QString();
        all.push_back({QStringLiteral("banner-ready") + language,
                       {bannerWidth, bannerHeight},
                       false,
                       [&words](QPainter& p) { drawBannerReady(p, words); }});
        all.push_back({QStringLiteral("banner-go") + language,
                       {bannerWidth, bannerHeight},
                       false,
                       [&words](QPainter& p) { drawBannerGo(p, words); }});
    }
    const struct {
        const char* name;
        QColor tone;
    } balls[] = {{"green", GreenBall},
                 {"blue", QColor(0, 80, 230)},
                 {"purple", QColor(150, 40, 200)},
                 {"red", QColor(220, 20, 20)}};
    for (const auto& ball : balls) {
        for (int size : {16, 24, 32, 48}) {
            const QColor tone = ball.tone;
            all.push_back({QStringLiteral("ball-%1-%2").arg(QLatin1String(ball.name)).arg(size),
                           {size, size},
                           true,
                           [size, tone](QPainter& p) { drawBall(p, size, tone); }});
        }
    }
    return all;
}

QImage render(const Picture& picture, int scale)
{
    QImage image(picture.size * scale,
                 picture.alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    image.fill(picture.alpha ? Qt::transparent : Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    picture.draw(painter);
    painter.end();
    if (picture.alpha) {
        return image.convertToFormat(QImage::Format_ARGB32);
    }
    return image;
}

} // namespace

/// The application icon at the sizes software centres and large desktops ask for, beyond those the
/// game itself shows: the green ball drawn at its own size, numblaze-<size>.png.
int drawIcons(const QDir& out, QTextStream& err)
{
    int failures = 0;
    for (int size : {64, 128}) {
        const Picture icon{QStringLiteral("numblaze-%1").arg(size),
                           {size, size},
                           true,
                           [size](QPainter& p) { drawBall(p, size, GreenBall); }};
        const QString file = out.filePath(icon.name + QStringLiteral(".png"));
        if (!render(icon, 1).save(file, "PNG")) {
            err << "cannot write " << file << "\n";
            ++failures;
        }
    }
    return failures;
}

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2 && argc != 3) {
        err << "usage: drawassets <output directory> [<icon directory>]\n";
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const QDir icons(QString::fromLocal8Bit(argc == 3 ? argv[2] : argv[1]));
    for (const QDir& folder : {out, icons}) {
        if (!folder.exists() && !QDir().mkpath(folder.path())) {
            err << "cannot create " << folder.path() << "\n";
            return 1;
        }
    }
    for (const BannerWords& words : bannerWords)
        if (!wordsFontInstalled(words, err))
            return 1;
    int failures = argc == 3 ? drawIcons(icons, err) : 0;
    for (const Picture& picture : pictures()) {
        for (int scale : {1, 2}) {
            const QString file =
                out.filePath(picture.name + (scale == 2 ? QStringLiteral("@2x") : QString()) +
                             QStringLiteral(".png"));
            if (!render(picture, scale).save(file, "PNG")) {
                err << "cannot write " << file << "\n";
                ++failures;
            }
        }
    }
    return failures == 0 ? 0 : 1;
}
