// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>

namespace numblaze
{

/// Lets the screens ask for their design fonts by name ("OCR A Extended", "MS Sans Serif",
/// "Narkisim") and get the closest fonts this system has. Safe to call more than once.
void installDesignFonts();

/**
 * A font of the screens' design, at its point size for a 96 dpi screen. The fixed-width
 * "OCR A Extended" keeps the design's pitch whatever stands in for it: 10 pixels a character at
 * 12 pt, 11 in bold, so every caption fits the width the layout gives it. That is for texts in
 * Latin, Greek or Cyrillic letters; in any other script the game's texts are drawn in a font made
 * for it, at the design's size and weight, with its own spacing and upright.
 */
QFont designFont(const QString& family, double points, bool bold = false, bool italic = false);

/// Whether the game's texts are drawn in the design's own faces: they are in Latin, Greek or
/// Cyrillic letters.
bool designFacesDrawTexts();

/**
 * The ink of the text's letters in the font, from the start of its baseline, as they are drawn:
 * with the marks a script sets above and below its letters, such as the reph of Bengali and the
 * vowel signs under Devanagari letters, which QFontMetrics::tightBoundingRect leaves out. The
 * faint edge of a letter, less than a fifth of a pixel's ink, is left out. For the texts of the
 * language the game speaks.
 */
QRect inkOf(const QFont& font, const QString& text);

/// The font made narrower, its height kept, so that text takes at most `room` pixels; the font
/// unchanged when the text fits. For a translated caption longer than the design's.
QFont narrowedToFit(const QFont& font, const QString& text, int room);

/// The font made smaller where the text's letters stand taller than `room` (the tall letters and
/// marks of a script the design's faces do not draw), then narrower where it is wider than
/// `room`; the font unchanged when the text fits.
QFont fittedTo(const QFont& font, const QString& text, QSize room);

} // namespace numblaze
