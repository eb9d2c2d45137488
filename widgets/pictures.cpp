// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/pictures.h"

#include "widgets/storedpictures.h"

#include <QGuiApplication>
#include <QResource>

// The large @2x pixels are resources of the game library; an executable keeps them only when
// this registration refers to them.
static void initialisePictureResources()
{
    Q_INIT_RESOURCE(compressedpictures);
}

namespace numblaze
{

namespace
{

const StoredPicture* find(const QString& fileName)
{
    for (const StoredPicture& stored : storedPictures())
        if (fileName == QLatin1String(stored.name))
            return &stored;
    return nullptr;
}

qsizetype bytesOf(const StoredPicture& stored)
{
    return qsizetype(stored.width) * stored.height * 4;
}

/// A large @2x picture, decompressed from the program's resources into a buffer the image owns.
QImage compressedImage(const StoredPicture& stored, QImage::Format format)
{
    initialisePictureResources();
    QByteArray pixels =
        QResource(QStringLiteral(":/pictures/") + QLatin1String(stored.name)).uncompressedData();
    if (pixels.size() != bytesOf(stored))
        return {};
    auto* buffer = new QByteArray(std::move(pixels));
    return QImage(
        reinterpret_cast<uchar*>(buffer->data()), stored.width, stored.height, 4 * stored.width,
        format, [](void* owned) { delete static_cast<QByteArray*>(owned); }, buffer);
}

} // namespace

QImage pictureFile(const QString& fileName)
{
    const StoredPicture* stored = find(fileName);
    if (!stored)
        return {};
    const QImage::Format format =
        stored->alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    if (!stored->bytes)
        return compressedImage(*stored, format);
    if (stored->size != bytesOf(*stored))
        return {};
    return QImage(stored->bytes, stored->width, stored->height, 4 * stored->width, format);
}

QPixmap picture(const QString& name)
{
    if (qApp && qApp->devicePixelRatio() > 1.0) {
        QImage sharp = pictureFile(name + QStringLiteral("@2x"));
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2.0);
            return QPixmap::fromImage(std::move(sharp));
        }
    }
    return QPixmap::fromImage(pictureFile(name));
}

QIcon applicationIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48}) {
        const QString base = QStringLiteral("ball-green-%1").arg(size);
        icon.addPixmap(QPixmap::fromImage(pictureFile(base)));
        QImage sharp = pictureFile(base + QStringLiteral("@2x"));
        sharp.setDevicePixelRatio(2.0);
        icon.addPixmap(QPixmap::fromImage(std::move(sharp)));
    }
    return icon;
}

} // namespace numblaze
