// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <cstring>

namespace numblaze
{

namespace
{
/// The locale messages are shown in is C (or POSIX, or not set at all): programs speak as they
/// are written, whatever LANGUAGE says.
bool messagesInC()
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QByteArray value = qgetenv(name);
        if (!value.isEmpty())
            return value == "C" || value == "POSIX" || value.startsWith("C.");
    }
    return true;
}

bool isEnglish(const QString& language)
{
    return language == QLatin1String("en") || language.startsWith(QLatin1String("en_"));
}

/// The translation the game has that is nearest to a language it has none of: the same
/// language of another country, written in the same script ("pt_PT" and "pt" give "pt_BR",
/// "zh_SG" gives "zh_CN"). Empty when there is none.
QString nearestLanguage(const QString& language)
{
    // The same language as another country speaks it: Portuguese of Portugal reads the Brazilian
    // translation rather than English. Not in another script, though: the children of Taiwan,
    // Hong Kong and Macau learn the traditional Chinese characters, and a text in the simplified
    // ones is not theirs to read; that choice is the player's, in LANGUAGE ("zh_TW:zh_CN").
    const QString base = language.section(QLatin1Char('_'), 0, 0);
    if (base.isEmpty())
        return {};
    const QLocale::Script script = QLocale(language).script();
    const QStringList found =
        QDir(QStringLiteral(":/i18n"))
            .entryList({QStringLiteral("numblaze_%1_*.qm").arg(base)}, QDir::Files, QDir::Name);
    for (const QString& file : found) {
        const QString nearest =
            file.mid(int(std::strlen("numblaze_"))).chopped(int(std::strlen(".qm")));
        if (QLocale(nearest).script() == script)
            return nearest;
    }
    return {};
}
} // namespace

Translations Translations::forPlayer()
{
    Translations translations;
    if (messagesInC())
        return translations;
    for (QString language : QLocale::system().uiLanguages()) {
        language.replace(QLatin1Char('-'), QLatin1Char('_'));
        // English is the game's own language: a later choice in the list does not replace it.
        if (isEnglish(language) || translations.load(language))
            break;
    }
    return translations;
}

Translations Translations::forLanguage(const QString& language, QtTexts qtTexts)
{
    Translations translations;
    if (!isEnglish(language))
        translations.load(language, qtTexts);
    return translations;
}

namespace
{
//: "RTL" (these three Latin letters) if this language is written from right to left, "LTR" if
//: from left to right. Qt then lays out every screen that way, and the game mirrors its screens
//: to match. Qt's own translations say the same where the system has them.
[[maybe_unused]] constexpr const char* LayoutDirection =
    QT_TRANSLATE_NOOP("QGuiApplication", "QT_LAYOUT_DIRECTION");
} // namespace

bool Translations::load(const QString& language, QtTexts qtTexts)
{
    // "de_DE" finds numblaze_de_DE.qm or else numblaze_de.qm: a few look-ups in the program's
    // own resources, and only in the system's folder once the game speaks the language.
    const QString folder = QStringLiteral(":/i18n");
    auto game = std::make_unique<QTranslator>();
    QString spoken = language;
    if (!game->load(QStringLiteral("numblaze_") + language, folder)) {
        spoken = nearestLanguage(language);
        if (spoken.isEmpty() || !game->load(QStringLiteral("numblaze_") + spoken, folder))
            return false;
    }
    game_ = std::move(game);
    if (qtTexts == QtTexts::None)
        return true;
    // Qt's own texts in the player's very language where Qt has it, else in the game's.
    const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto qt = std::make_unique<QTranslator>();
    if (qt->load(QStringLiteral("qtbase_") + language, qtFolder) ||
        qt->load(QStringLiteral("qtbase_") + spoken, qtFolder))
        qt_ = std::move(qt);
    return true;
}

QString Translations::translate(const char* context, const char* text) const
{
    const QString translated = game_ ? game_->translate(context, text) : QString();
    return translated.isEmpty() ? QString::fromUtf8(text) : translated;
}

void Translations::install(QObject* owner)
{
    for (std::unique_ptr<QTranslator>* translator : {&game_, &qt_}) {
        if (!*translator)
            continue;
        QCoreApplication::installTranslator(translator->get());
        if (owner)
            translator->release()->setParent(owner);
    }
}

} // namespace numblaze
