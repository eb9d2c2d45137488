// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes the game's pictures (assets/*.png) as ready-made pixels, so the game shows them
// without decoding anything and without Qt's image-format plugins:
//
//   embedpictures <output .cpp> <picture.png>... [--compressed <folder> <picture.png>...]
//
// Every picture becomes exactly the pixels its pixmap holds: RGB32, or premultiplied ARGB32
// when some pixels are transparent. The pictures before --compressed go into the C++ source and
// the game uses them in place. Those after it (large @2x pictures, which are shown only on
// double-density screens and copied anyway there to carry the pixel ratio) each go into a file
// of their own in the folder, for the resource compiler to store compressed; the source
// records their size and kind.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSaveFile>
#include <QStringList>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace
{

struct Stored {
    QString name;
    QImage image;
    QByteArray bytes;
    /// Written to a file of its own, to become a compressed resource.
    bool compressed = false;
};

bool hasTransparentPixels(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return false;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(line[x]) != 255)
                return true;
    }
    return false;
}

/// The picture as a pixmap of the game holds it on a 32-bit screen.
QImage pixmapPixels(const QImage& png)
{
    return png.convertToFormat(hasTransparentPixels(png) ? QImage::Format_ARGB32_Premultiplied
                                                         : QImage::Format_RGB32);
}

Stored store(const QString& file, bool compressed)
{
    Stored s;
    s.name = QFileInfo(file).completeBaseName();
    s.image = pixmapPixels(QImage(file));
    if (s.image.isNull())
        return s;
    s.bytes = QByteArray(reinterpret_cast<const char*>(s.image.constBits()), s.image.sizeInBytes());
    s.compressed = compressed;
    return s;
}

/// The bytes as the body of a C++ string literal, in lines of about 100 characters. Every
/// escape is three octal digits, so a digit after it is never read as part of it.
void writeLiteral(QTextStream& out, const QByteArray& bytes)
{
    QByteArray line;
    out << "\n    \"";
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u < 0x7F && c != '"' && c != '\\' && c != '?') {
            line += c;
        } else {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\%03o", unsigned(u));
            line += escape;
        }
        if (line.size() >= 100) {
            out << line << "\"\n    \"";
            line.clear();
        }
    }
    out << line << "\"";
}

void writeSource(QTextStream& out, const std::vector<Stored>& pictures)
{
    out << "// Written by tools/embedpictures from the game's PNG pictures; do not edit.\n"
           "#include \"widgets/storedpictures.h\"\n\n"
           "namespace numblaze\n{\n\nnamespace\n{\n";
    for (size_t i = 0; i < pictures.size(); ++i) {
        if (pictures[i].compressed)
            continue;
        out << "\n// " << pictures[i].name << "\nalignas(16) const unsigned char picture" << i
            << "[] =";
        writeLiteral(out, pictures[i].bytes);
        out << ";\n";
    }
    out << "\nconst StoredPicture all[] = {\n";
    for (size_t i = 0; i < pictures.size(); ++i) {
        const Stored& p = pictures[i];
        const bool alpha = p.image.format() == QImage::Format_ARGB32_Premultiplied;
        out << "    {\"" << p.name << "\", " << p.image.width() << ", " << p.image.height() << ", "
            << (alpha ? "true" : "false") << ", ";
        if (p.compressed)
            out << "nullptr, 0},\n";
        else
            out << "picture" << i << ", sizeof picture" << i << " - 1},\n";
    }
    out << "};\n\n} // namespace\n\n"
           "std::span<const StoredPicture> storedPictures()\n{\n    return all;\n}\n\n"
           "} // namespace numblaze\n";
}

bool write(const QString& fileName, const std::function<void(QIODevice&)>& content)
{
    QSaveFile file(fileName);
    if (file.open(QIODevice::WriteOnly)) {
        content(file);
        if (file.commit())
            return true;
    }
    QTextStream(stderr) << "cannot write " << fileName << ": " << file.errorString() << "\n";
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    const QStringList arguments = [&] {
        QStringList list;
        for (int i = 1; i < argc; ++i)
            list << QFile::decodeName(argv[i]);
        return list;
    }();
    const qsizetype marker = arguments.indexOf(QStringLiteral("--compressed"));
    if (arguments.size() < 2 || marker == 0 || marker == arguments.size() - 1) {
        QTextStream(stderr) << "usage: embedpictures <output .cpp> <picture.png>... "
                               "[--compressed <folder> <picture.png>...]\n";
        return 2;
    }
    std::vector<Stored> pictures;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (i == marker) {
            ++i;
            continue;
        }
        pictures.push_back(store(arguments[i], marker > 0 && i > marker));
        if (pictures.back().image.isNull()) {
            QTextStream(stderr) << "cannot read " << arguments[i] << "\n";
            return 1;
        }
    }
    std::sort(pictures.begin(), pictures.end(),
              [](const Stored& a, const Stored& b) { return a.name < b.name; });
    bool written = write(arguments[0], [&](QIODevice& file) {
        QTextStream out(&file);
        writeSource(out, pictures);
    });
    if (marker < 0)
        return written ? 0 : 1;
    const QDir folder(arguments[marker + 1]);
    if (!QDir().mkpath(folder.path())) {
        QTextStream(stderr) << "cannot create " << folder.path() << "\n";
        return 1;
    }
    for (const Stored& p : pictures)
        if (p.compressed)
            written = written &&
                      write(folder.filePath(p.name), [&](QIODevice& file) { file.write(p.bytes); });
    return written ? 0 : 1;
}
