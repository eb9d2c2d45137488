// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>
#include <span>

namespace numblaze
{

/// One picture file of the game as the program holds it: pixels, nothing left to decode.
struct StoredPicture {
    /// The file's name without ".png": "track", "track@2x".
    const char* name;
    int width;
    int height;
    /// Premultiplied ARGB32 with some transparent pixels; otherwise RGB32.
    bool alpha;
    /// The pixels line by line, 16-byte aligned; null for a large @2x picture, whose pixels are
    /// the program's resource ":/pictures/<name>", stored compressed.
    const unsigned char* bytes;
    qsizetype size;
};

/// Every picture of the game, written from assets/*.png when the game is built.
std::span<const StoredPicture> storedPictures();

} // namespace numblaze
