#include "shell/pictures.h"

#include <QGuiApplication>

namespace numblaze
{

QPixmap picture(const QString& name)
{
    const QString base = QStringLiteral(":/assets/") + name;
    if (qApp && qApp->devicePixelRatio() > 1.0) {
        QPixmap sharp(base + QStringLiteral("@2x.png"));
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2.0);
            return sharp;
        }
    }
    return QPixmap(base + QStringLiteral(".png"));
}

QIcon applicationIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48}) {
        const QString base = QStringLiteral(":/assets/ball-green-%1").arg(size);
        icon.addFile(base + QStringLiteral(".png"), QSize(size, size));
        icon.addFile(base + QStringLiteral("@2x.png"), QSize(2 * size, 2 * size));
    }
    return icon;
}

} // namespace numblaze
