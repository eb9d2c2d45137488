#include "shell/fonts.h"

#include <QFontMetricsF>
#include <QStringList>
#include <cmath>

namespace numblaze
{

namespace
{
const QString FixedWidth = QStringLiteral("OCR A Extended");

/// The fixed-width font's advance as a share of its pixel size: 10 pixels at 12 pt (16 pixels),
/// 11 pixels in bold. The layout's label widths are counted in these.
constexpr double Pitch = 10.0 / 16.0;
constexpr double BoldPitch = 11.0 / 16.0;
} // namespace

void installDesignFonts()
{
    // Debian's OCR-A ("OCRA", from fonts-ocr-a) first; the other two have no free namesakes.
    const QStringList ocr = {QStringLiteral("OCRA"), QStringLiteral("DejaVu Sans Mono")};
    const QStringList sans = {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    const QStringList serif = {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")};
    QFont::insertSubstitutions(FixedWidth, ocr);
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), sans);
    QFont::insertSubstitutions(QStringLiteral("Narkisim"), serif);
}

QFont designFont(const QString& family, double points, bool bold, bool italic)
{
    installDesignFonts();
    QStringList families = {family};
    // Qt never emboldens a fixed-width font, and OCR-A's bold is a family of its own.
    if (bold && family == FixedWidth)
        families << QStringLiteral("OCRABold");
    QFont font;
    font.setFamilies(families);
    // The screens are laid out in pixels for 96 dpi, so the fonts are sized the same way.
    font.setPixelSize(int(std::lround(points * 96.0 / 72.0)));
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setItalic(italic);
    if (family == FixedWidth) {
        // OCR-A's own pitch is 11.4 pixels at 12 pt: set it to the design's.
        const double natural = QFontMetricsF(font).horizontalAdvance(QLatin1Char('0'));
        const double pitch = font.pixelSize() * (bold ? BoldPitch : Pitch);
        if (natural > 0)
            font.setLetterSpacing(QFont::PercentageSpacing, 100.0 * pitch / natural);
    }
    return font;
}

} // namespace numblaze
