// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The pictures as the game holds them: the same pixels as the PNG files they are made from, shown
// without decoding, so Qt's image-format plugins are never loaded for them.
#include "halloffame/form3.h"
#include "menu/form2.h"
#include "race/form1.h"
#include "tests/support.h"
#include "widgets/pictures.h"
#include "widgets/storedpictures.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace numblaze;
using namespace numblaze::testing;

namespace
{

/// The libraries of Qt's image-format plugins mapped into this process.
QStringList imageFormatPlugins()
{
    QStringList found;
    for (const QByteArray& line : contents(QStringLiteral("/proc/self/maps")).split('\n'))
        if (line.contains("/imageformats/"))
            found << QString::fromLocal8Bit(line.mid(line.lastIndexOf(' ') + 1));
    found.removeDuplicates();
    return found;
}

/// The names of the game's PNG files, without ".png".
QStringList pngNames()
{
    QStringList names;
    for (const QFileInfo& file : QDir(QStringLiteral(":/assets")).entryInfoList({"*.png"}))
        names << file.completeBaseName();
    return names;
}

bool hasTransparentPixels(const QImage& image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(argb.pixel(x, y)) != 255)
                return true;
    return false;
}

} // namespace

class PicturesTest : public QObject
{
    Q_OBJECT
    QTemporaryDir folder_;

  private slots:
    // First: the later tests read the PNG files, which may load the plugins.
    void noImageFormatPluginIsLoaded()
    {
        QVERIFY(imageFormatPlugins().isEmpty());
        playWithRecordsIn(folder_.path());
        QApplication::setWindowIcon(applicationIcon());
        Form2::get().show();
        Form2::get().window().grab();
        QTimer::singleShot(0, [] {
            Form3::get().window().grab();
            Form3::get().unload();
        });
        Form2::get().Command4_Click(); // the Hall of Fame, until the timer above closes it
        Form2::get().ui().Command1->click();
        Form1Controls& race = Form1::get().ui();
        race.window->grab();
        Form1::get().Timer1_Timer();
        Form1::get().Timer1_Timer();
        Form1::get().Timer1_Timer(); // "Go!" and the balls
        race.window->grab();
        for (const QString& name : pngNames())
            picture(name.chopped(name.endsWith("@2x") ? 3 : 0)).toImage();
        QCOMPARE(imageFormatPlugins(), QStringList());
        discardAllScreens();
    }

    void storedPixelsAreThoseOfThePngFiles_data()
    {
        QTest::addColumn<QString>("name");
        const QStringList names = pngNames();
        QVERIFY(names.size() >= 42);
        for (const QString& name : names)
            QTest::newRow(qPrintable(name)) << name;
    }
    void storedPixelsAreThoseOfThePngFiles()
    {
        QFETCH(QString, name);
        const QImage png(QStringLiteral(":/assets/%1.png").arg(name));
        const QImage stored = pictureFile(name);
        QVERIFY(!stored.isNull());
        // The kind a pixmap of the PNG would hold: premultiplied only where there is see-through.
        QCOMPARE(stored.format(), hasTransparentPixels(png) ? QImage::Format_ARGB32_Premultiplied
                                                            : QImage::Format_RGB32);
        QCOMPARE(stored.size(), png.size());
        QVERIFY(stored == png.convertToFormat(stored.format()));
    }

    void everyStoredPictureHasItsPngFile()
    {
        QStringList stored;
        for (const StoredPicture& picture : storedPictures())
            stored << QString::fromLatin1(picture.name);
        stored.sort();
        QStringList png = pngNames();
        png.sort();
        QCOMPARE(stored, png);
        QVERIFY(pictureFile(QStringLiteral("no-such-picture")).isNull());
        QVERIFY(picture(QStringLiteral("no-such-picture")).isNull());
    }

    void picturesAtTheirOwnSizeAreShownWithoutACopy()
    {
        if (qApp->devicePixelRatio() > 1)
            QSKIP("at double density the @2x pictures are shown");
        playWithRecordsIn(folder_.path());
        Form2::get().show();
        const QImage shown = Form2::get().ui().Image1->picture().toImage();
        QCOMPARE(shown.constBits(), pictureFile(QStringLiteral("title")).constBits());
        discardAllScreens();
    }

    // The game's icon is the green ball at every size a desktop asks for, sharp at double
    // density: see-through in the corners, green in the middle, and the pixels drawn for that
    // size, never a blurred copy of another. The menu takes the Hall of Fame's window icon, the
    // ball at 16 pixels.
    void iconIsTheGreenBallInEverySize_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<qreal>("ratio");
        for (int size : {16, 24, 32, 48})
            for (qreal ratio : {1.0, 2.0})
                QTest::addRow("%d at %gx", size, ratio) << size << ratio;
    }
    void iconIsTheGreenBallInEverySize()
    {
        QFETCH(int, size);
        QFETCH(qreal, ratio);
        const QImage shown = applicationIcon().pixmap(QSize(size, size), ratio).toImage();
        QCOMPARE(shown.size(), QSize(size, size) * ratio);
        const int last = shown.width() - 1;
        for (QPoint corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)})
            QCOMPARE(qAlpha(shown.pixel(corner)), 0);
        const QColor middle = shown.pixelColor(shown.width() / 2, shown.height() / 2);
        QCOMPARE(middle.alpha(), 255);
        QVERIFY2(middle.green() > middle.red() + 50 && middle.green() > middle.blue() + 50,
                 qPrintable(middle.name()));
        const QString own = QStringLiteral("ball-green-%1%2").arg(size).arg(ratio > 1 ? "@2x" : "");
        QVERIFY(shown == pictureFile(own).convertToFormat(shown.format()));

        playWithRecordsIn(folder_.path());
        const qreal screenRatio = qApp->devicePixelRatio();
        const QImage small = pictureFile(screenRatio > 1 ? "ball-green-16@2x" : "ball-green-16");
        for (Screen* screen : std::initializer_list<Screen*>{&Form2::get(), &Form3::get()}) {
            const QImage window =
                screen->window().windowIcon().pixmap(QSize(16, 16), screenRatio).toImage();
            QVERIFY(window == small.convertToFormat(window.format()));
        }
        discardAllScreens();
    }
};

QTEST_MAIN(PicturesTest)
#include "test_pictures.moc"
