// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Playing in a language for the length of a test: the game's translations and the locale.

#include "app/translations.h"

#include <QLocale>
#include <QTest>

namespace numblaze::testing
{

/// The player's language for the length of a test: the game's translations (with Qt's own, or
/// as on a system without them) and the locale. Qt lays the screens out right to left while a
/// right-to-left translation is installed.
struct PlayerLanguage {
    Translations translations;
    QLocale before;

    explicit PlayerLanguage(const QString& language,
                            Translations::QtTexts qtTexts = Translations::QtTexts::FromSystem)
        : translations(Translations::forLanguage(language, qtTexts))
    {
        translations.install();
        QLocale::setDefault(QLocale(language));
    }
    ~PlayerLanguage() { QLocale::setDefault(before); }
};

/// Types text key by key, also the characters QTest has no key for (the spaces that group
/// digits, the digits of other scripts).
inline void typeText(QWidget* widget, const QString& text)
{
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

} // namespace numblaze::testing
