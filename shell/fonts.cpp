#include "shell/fonts.h"

#include <QFontMetricsF>
#include <QStringList>
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

QFont resolve(const QString& family, double points, bool bold, bool italic)
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
        const QStringList ocr = {QStringLiteral("OCRA"), QStringLiteral("DejaVu Sans Mono")};
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
    for (std::size_t i = 0; i < std::size(designs); ++i)
        if (designs[i].is(family, points, bold, italic))
            return resolved[i]();
    return resolve(family, points, bold, italic);
}

} // namespace numblaze
