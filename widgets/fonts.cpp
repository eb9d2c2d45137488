// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/fonts.h"

#include "widgets/language.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <utility>

namespace numblaze
{

namespace
{
const QString FixedWidth = QStringLiteral("OCR A Extended");

/// The fixed-width font's advance as a share of its pixel size: 10 pixels at 12 pt (16 pixels),
/// 11 pixels in bold. The layout's label widths are counted in these.
constexpr double Pitch = 10.0 / 16.0;
constexpr double BoldPitch = 11.0 / 16.0;
/// The pixel size of the fixed-width font at 12 pt, the size most captions of the menu use.
constexpr int ReferencePixels = 16;

/// Whether this system has the family. Qt's own check also asks fontconfig for aliases, which
/// costs more than it saves; the design families are asked for by their real names.
bool isInstalled(const QString& family)
{
    static const QStringList families = [] {
        QStringList names = QFontDatabase::families();
        // A family made by more than one foundry is listed once for each, as "Family [Foundry]".
        for (QString& name : names)
            name = name.section(QStringLiteral(" ["), 0, 0);
        return names;
    }();
    return families.contains(family, Qt::CaseInsensitive);
}

/**
 * The families to ask Qt for, best first. A design family this system lacks is left out: asked
 * for, Qt would first search every installed font for it, in vain, and only then try its
 * substitutes. The fonts drawn, and those that stand in for letters a font lacks, are the same.
 */
QStringList familiesFor(const QString& family, bool bold)
{
    QStringList families = {family};
    // Qt never emboldens a fixed-width font, and OCR-A's bold is a family of its own.
    if (bold && family == FixedWidth)
        families << QStringLiteral("OCRABold");
    if (isInstalled(family))
        return families;
    families.removeFirst();
    return families + QFont::substitutes(family);
}

/// The fixed-width font's own advance at its size, measured on its 12 pt face scaled to that size.
/// The figure is the same as on a face of that size, and only the 12 pt face, which the menu
/// draws anyway, is loaded: the Hall of Fame's larger one waits until its cells are drawn.
double naturalAdvance(const QFont& font)
{
    QFont reference = font;
    reference.setPixelSize(ReferencePixels);
    QRawFont face = QRawFont::fromFont(reference);
    face.setPixelSize(font.pixelSize());
    const QList<quint32> zero = face.glyphIndexesForString(QStringLiteral("0"));
    if (zero.size() == 1 && zero[0] != 0)
        return face.advancesForGlyphIndexes(zero).value(0).x();
    return QFontMetricsF(font).horizontalAdvance(QLatin1Char('0'));
}

QFont resolve(const QString& family, double points, bool bold, bool italic)
{
    installDesignFonts();
    QFont font;
    font.setFamilies(familiesFor(family, bold));
    // The screens are laid out in pixels for 96 dpi, so the fonts are sized the same way.
    font.setPixelSize(int(std::lround(points * 96.0 / 72.0)));
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setItalic(italic);
    if (family == FixedWidth) {
        // OCR-A's own pitch is 11.4 pixels at 12 pt: set it to the design's.
        const double natural = naturalAdvance(font);
        const double pitch = font.pixelSize() * (bold ? BoldPitch : Pitch);
        if (natural > 0)
            font.setLetterSpacing(QFont::PercentageSpacing, 100.0 * pitch / natural);
    }
    return font;
}

/// Scripts whose letters the design's faces and their stand-ins draw.
bool designFacesDraw(QLocale::Script script)
{
    return script == QLocale::LatinScript || script == QLocale::GreekScript ||
           script == QLocale::CyrillicScript || script == QLocale::AnyScript;
}

/// The fonts made for a script (Debian's fonts-noto-core and fonts-noto-cjk), plain and with
/// serifs.
struct ScriptFaces {
    QLocale::Script script;
    const char* sans;
    const char* serif;
};
constexpr ScriptFaces scriptFaces[] = {
    // Naskh is the hand of Arabic and Persian schoolbooks, and its lines are shorter than those
    // of Noto's Kufi-like sans.
    {QLocale::ArabicScript, "Noto Naskh Arabic", "Noto Naskh Arabic"},
    {QLocale::HebrewScript, "Noto Sans Hebrew", "Noto Serif Hebrew"},
    {QLocale::DevanagariScript, "Noto Sans Devanagari", "Noto Serif Devanagari"},
    {QLocale::BanglaScript, "Noto Sans Bengali", "Noto Serif Bengali"},
    {QLocale::ThaiScript, "Noto Sans Thai", "Noto Serif Thai"},
    {QLocale::SimplifiedHanScript, "Noto Sans CJK SC", "Noto Serif CJK SC"},
    {QLocale::TraditionalHanScript, "Noto Sans CJK TC", "Noto Serif CJK TC"},
    {QLocale::JapaneseScript, "Noto Sans CJK JP", "Noto Serif CJK JP"},
    {QLocale::KoreanScript, "Noto Sans CJK KR", "Noto Serif CJK KR"},
};

/**
 * A font of the design for a script the design's faces do not draw: the font made for it, with
 * Noto's Latin face for the odd Latin word or digit among its letters and the design's own
 * stand-ins last. The design's size and weight stay; its fixed pitch, made for OCR-A's Latin
 * letters, and its slant, which the script's letters never have, do not.
 */
QFont resolveForScript(const QString& family, double points, bool bold, QLocale::Script script)
{
    installDesignFonts();
    const bool serif = family == QLatin1String("Narkisim");
    QStringList families;
    for (const ScriptFaces& faces : scriptFaces)
        if (faces.script == script)
            families << QLatin1String(serif ? faces.serif : faces.sans);
    families << (serif ? QStringLiteral("Noto Serif") : QStringLiteral("Noto Sans"));
    families << familiesFor(family, false);
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(int(std::lround(points * 96.0 / 72.0)));
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

/// A font the screens' design uses.
struct Design {
    const char* family;
    double points;
    bool bold;
    bool italic;

    bool is(const QString& f, double p, bool b, bool i) const
    {
        return f == QLatin1String(family) && p == points && b == bold && i == italic;
    }
};

/// Every font of the screens. Each is worked out once, when a screen first asks for it, so
/// the twenty-odd controls that share a font do not measure it again.
constexpr Design designs[] = {
    {"OCR A Extended", 9.75, false, false}, {"OCR A Extended", 12, false, false},
    {"OCR A Extended", 12, true, false},    {"OCR A Extended", 14.25, false, false},
    {"MS Sans Serif", 24, false, false},    {"Narkisim", 39.75, false, true},
};

template <std::size_t Index> const QFont& resolvedOnce()
{
    constexpr Design design = designs[Index];
    static const QFont font =
        resolve(QLatin1String(design.family), design.points, design.bold, design.italic);
    return font;
}

template <std::size_t... Index> constexpr auto resolvers(std::index_sequence<Index...>)
{
    return std::array{&resolvedOnce<Index>...};
}

constexpr auto resolved = resolvers(std::make_index_sequence<std::size(designs)>());
} // namespace

void installDesignFonts()
{
    static const bool installed = [] {
        // Debian's OCR-A ("OCRA", from fonts-ocr-a) first; the other two have no free namesakes.
        // OCR-A has few letters beyond English ones and DejaVu Sans Mono lacks some Vietnamese
        // ones ("ả", "ố", "ử"): DejaVu Sans draws those, rather than whatever face fontconfig
        // would choose.
        const QStringList ocr = {QStringLiteral("OCRA"), QStringLiteral("DejaVu Sans Mono"),
                                 QStringLiteral("DejaVu Sans")};
        const QStringList sans = {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
        const QStringList serif = {QStringLiteral("Liberation Serif"),
                                   QStringLiteral("DejaVu Serif")};
        QFont::insertSubstitutions(FixedWidth, ocr);
        QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), sans);
        QFont::insertSubstitutions(QStringLiteral("Narkisim"), serif);
        return true;
    }();
    Q_UNUSED(installed);
}

QFont designFont(const QString& family, double points, bool bold, bool italic)
{
    const QLocale::Script script = textScript();
    if (!designFacesDraw(script)) {
        // Worked out once for each font and script: a test may switch languages in one run.
        static QHash<QString, QFont> known;
        const QString key =
            QStringLiteral("%1/%2/%3/%4").arg(family).arg(points).arg(bold).arg(int(script));
        const auto found = known.constFind(key);
        if (found != known.constEnd())
            return *found;
        return *known.insert(key, resolveForScript(family, points, bold, script));
    }
    for (std::size_t i = 0; i < std::size(designs); ++i)
        if (designs[i].is(family, points, bold, italic))
            return resolved[i]();
    return resolve(family, points, bold, italic);
}

bool designFacesDrawTexts()
{
    return designFacesDraw(textScript());
}

QRect inkOf(const QFont& font, const QString& text)
{
    const QFontMetrics metrics(font);
    // The design's scripts are written in composed letters, one glyph each, whose boxes the
    // metrics know. Other scripts' letters are drawn as a control draws them and read back: the
    // metrics leave out the marks their fonts place by rule.
    if (designFacesDrawTexts())
        return metrics.tightBoundingRect(text);
    const int margin = 2 * std::max(font.pixelSize(), metrics.height());
    QImage page(metrics.horizontalAdvance(text) + 2 * margin, 2 * margin, QImage::Format_ARGB32);
    page.fill(Qt::transparent);
    QPainter painter(&page);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(margin, margin, text);
    painter.end();
    QRect ink;
    for (int y = 0; y < page.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(page.constScanLine(y));
        for (int x = 0; x < page.width(); ++x)
            if (qAlpha(line[x]) >= 48)
                ink |= QRect(x, y, 1, 1);
    }
    return ink.translated(-margin, -margin);
}

QFont fittedTo(const QFont& font, const QString& text, QSize room)
{
    QFont smaller = font;
    const int tall = inkOf(font, text).height();
    if (tall > room.height() && room.height() > 0)
        smaller.setPixelSize(std::max(1, font.pixelSize() * room.height() / tall));
    return narrowedToFit(smaller, text, room.width());
}

QFont narrowedToFit(const QFont& font, const QString& text, int room)
{
    const int wide = QFontMetrics(font).horizontalAdvance(text);
    if (wide <= room || room <= 0)
        return font;
    QFont narrower = font;
    const int stretch = font.stretch() == QFont::AnyStretch ? 100 : font.stretch();
    narrower.setStretch(std::max(1, stretch * room / wide));
    return narrower;
}

} // namespace numblaze
