// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/language.h"

#include <QCoreApplication>

namespace numblaze
{

QString textLanguage()
{
    //: The code of the language of this translation, as the name of its file has it ("de",
    //: "pt_BR"). The race's pictures with words in them, and the fonts the game draws its texts
    //: in, are chosen by it.
    return QCoreApplication::translate("Translations", "en");
}

namespace
{
struct LanguageFacts {
    QString language;
    QLocale::Script script = QLocale::LatinScript;
    Qt::LayoutDirection direction = Qt::LeftToRight;
};

/// What the locale knows of the language of the texts, worked out again only when the language
/// changes: every caption the game sets asks for its direction.
const LanguageFacts& facts()
{
    static LanguageFacts known{QStringLiteral("en")};
    const QString language = textLanguage();
    if (language != known.language) {
        const QLocale locale(language);
        known = {language, locale.script(), locale.textDirection()};
    }
    return known;
}
} // namespace

QLocale::Script textScript()
{
    return facts().script;
}

Qt::LayoutDirection textDirection()
{
    return facts().direction;
}

} // namespace numblaze
