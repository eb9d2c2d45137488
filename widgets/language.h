// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLocale>
#include <QString>

namespace numblaze
{

/// The code of the language the game's texts are shown in: "en" when they are as written,
/// otherwise the translation's own ("de", "pt_BR", "ar"), as the names of its pictures with
/// words carry it.
QString textLanguage();

/// The script the game's texts are written in: Latin for English, Arabic for Arabic and Persian.
QLocale::Script textScript();

/// The direction the game's texts read in: right to left in Arabic, Hebrew and Persian.
Qt::LayoutDirection textDirection();

} // namespace numblaze
