// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The words of the race's two banners in each language the game speaks, which drawassets draws
// into the banner pictures. The tests read them too: the go words are the word the race says
// as it starts, in the language's own capitals.

namespace numblaze::banners
{

// The words of the two banners in each language, the go words in capitals where the script has
// them, as the language writes its capitals (a Turkish "i" is "İ"). A text longer than the
// English one is drawn smaller, so that it stays in its own colour of the banner. Words in a
// script OCR-A does not have are drawn in a font made for it: Noto's Kufi for Arabic and Persian,
// a geometric face as OCR-A is, Noto Sans for Hebrew, Devanagari and Bengali (Debian's
// fonts-noto-core), Noto Sans CJK for Chinese (fonts-noto-cjk).
struct BannerWords {
    const char* language; ///< as the game's translations name it; empty for English
    const char* ready;
    const char* go;
    const char* family = nullptr; ///< the font for the words; OCR-A when none
};
constexpr BannerWords bannerWords[] = {
    {"", "Get ready...", "GO!!!"},
    {"de", "Achtung...", "LOS!!!"},
    {"fr", "Attention...", "PARTEZ\u00a0!"},
    {"es", "Preparados...", "\u00a1\u00a1\u00a1YA!!!"},
    {"it", "Pronti...", "VIA!!!"},
    {"pt_BR", "Preparar...", "J\u00c1!!!"},
    {"ar", "\u0627\u0633\u062a\u0639\u062f...", "\u0627\u0646\u0637\u0644\u0642!!!",
     "Noto Kufi Arabic"},
    {"he", "\u05d4\u05d9\u05db\u05d5\u05e0\u05d5...", "\u05e6\u05d0\u05d5!!!", "Noto Sans Hebrew"},
    {"fa", "\u0622\u0645\u0627\u062f\u0647...", "\u062d\u0631\u06a9\u062a!!!", "Noto Kufi Arabic"},
    {"ru", "Внимание...", "МАРШ!!!"},
    {"tr", "Hazır ol...", "BAŞLA!!!"},
    {"pl", "Gotowi...", "START!!!"},
    {"id", "Siap-siap...", "MULAI!!!"},
    {"vi", "Sẵn sàng...", "CHẠY!!!"},
    {"sw", "Tayari...", "ANZA!!!"},
    {"zh_CN", "准备……", "出发！", "Noto Sans CJK SC"},
    {"hi", "तैयार...", "दौड़ो!!!", "Noto Sans Devanagari"},
    {"bn", "তৈরি হও...", "দৌড়!!!", "Noto Sans Bengali"},
};

} // namespace numblaze::banners
