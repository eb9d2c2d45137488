#include "shell/fonts.h"

#include <QFont>
#include <QStringList>

namespace numblaze
{

void installDesignFonts()
{
    const QStringList ocr = {QStringLiteral("OCRA"), QStringLiteral("DejaVu Sans Mono")};
    const QStringList sans = {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    const QStringList serif = {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")};
    QFont::insertSubstitutions(QStringLiteral("OCR A Extended"), ocr);
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), sans);
    QFont::insertSubstitutions(QStringLiteral("Narkisim"), serif);
}

} // namespace numblaze
