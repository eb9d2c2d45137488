// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QTranslator>
#include <memory>

class QObject;

namespace numblaze
{

/**
 * The game's texts and Qt's own (the buttons of a message box, the command line's help) in one
 * language. The game's are built into the program; Qt's come from the system's Qt
 * translations. English has none: the game's texts are written in English.
 */
class Translations
{
  public:
    /// No translations: every text as written.
    Translations() = default;

    /**
     * The translations for the first of the player's languages the game speaks, as the system
     * names them (LANGUAGE, then LC_ALL, LC_MESSAGES or LANG). None when the player reads
     * English first, or when the messages locale is C or POSIX, where LANGUAGE is ignored as
     * everywhere else on the system. Needs no application object.
     */
    static Translations forPlayer();

    /// Where Qt's own texts come from: the system's Qt translations, or none at all, as on a
    /// system without them, where the game's own translations of the few it uses serve.
    enum class QtTexts { FromSystem, None };

    /// The translations for one language ("de", "pt_BR"); none when the game does not speak it.
    static Translations forLanguage(const QString& language, QtTexts qtTexts = QtTexts::FromSystem);

    /// Whether any of the game's texts are translated.
    bool isEmpty() const { return !game_; }

    /// A text of the game in this language; the text itself when it has no translation. Works
    /// without an application object, before the translations are installed.
    QString translate(const char* context, const char* text) const;

    /**
     * Puts the translations to use in the running application. With an owner they become its
     * children and last as long as it does; otherwise they are taken out again when this object
     * is destroyed.
     */
    void install(QObject* owner = nullptr);

  private:
    bool load(const QString& language, QtTexts qtTexts = QtTexts::FromSystem);

    std::unique_ptr<QTranslator> game_;
    std::unique_ptr<QTranslator> qt_;
};

} // namespace numblaze
