// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The pictures embedded in the game: sizes, and the pixels the game's look depends on.
#include <QImage>
#include <QTest>

namespace
{

QString file(const QString& name, int scale)
{
    return QStringLiteral(":/assets/%1%2.png").arg(name, scale == 2 ? "@2x" : "");
}

QImage load(const QString& name, int scale)
{
    return QImage(file(name, scale)).convertToFormat(QImage::Format_ARGB32);
}

// The colour of the 1x pixel `p`, taken from the middle of its block in a scaled picture.
QColor at(const QImage& image, int scale, QPoint p)
{
    return image.pixelColor(p * scale + QPoint(scale / 2, scale / 2));
}

// Whether any pixel of the block that stands for the 1x pixel `p` is not fully transparent.
bool inked(const QImage& image, int scale, QPoint p)
{
    for (int dy = 0; dy < scale; ++dy)
        for (int dx = 0; dx < scale; ++dx)
            if (image.pixelColor(p * scale + QPoint(dx, dy)).alpha() > 0)
                return true;
    return false;
}

bool isRed(const QColor& c)
{
    return c.red() > 150 && c.green() < 90 && c.blue() < 90;
}

} // namespace

class TestAssets : public QObject
{
    Q_OBJECT

  private slots:
    void sizes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("alpha");
        QTest::newRow("track") << "track" << QSize(417, 90) << false;
        QTest::newRow("banner-ready") << "banner-ready" << QSize(353, 73) << false;
        QTest::newRow("banner-go") << "banner-go" << QSize(353, 73) << false;
        QTest::newRow("stop") << "stop" << QSize(56, 56) << false;
        QTest::newRow("title") << "title" << QSize(720, 175) << false;
        for (const char* colour : {"green", "blue", "purple", "red"}) {
            for (int n : {16, 24, 32, 48}) {
                const QString name = QStringLiteral("ball-%1-%2").arg(colour).arg(n);
                QTest::newRow(qPrintable(name)) << name << QSize(n, n) << true;
            }
        }
    }
    void sizes()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QFETCH(bool, alpha);
        for (int scale : {1, 2}) {
            const QImage image(file(name, scale));
            QVERIFY2(!image.isNull(), qPrintable(file(name, scale)));
            QCOMPARE(image.size(), size * scale);
            QCOMPARE(image.hasAlphaChannel(), alpha);
        }
    }

    void track_data()
    {
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<QColor>("colour");
        const QColor grey(120, 120, 120), yellow(255, 242, 0);
        const QColor black(Qt::black), white(Qt::white);
        QTest::newRow("road") << QPoint(10, 10) << grey;
        QTest::newRow("road low") << QPoint(200, 70) << grey;
        QTest::newRow("above lines") << QPoint(10, 39) << grey;
        QTest::newRow("between lines 42") << QPoint(10, 42) << grey;
        QTest::newRow("between lines 46") << QPoint(10, 46) << grey;
        QTest::newRow("below lines") << QPoint(10, 49) << grey;
        QTest::newRow("line row 40") << QPoint(0, 40) << yellow;
        QTest::newRow("line row 41") << QPoint(200, 41) << yellow;
        QTest::newRow("line row 47") << QPoint(375, 47) << yellow;
        QTest::newRow("line row 48") << QPoint(416, 48) << yellow;
        QTest::newRow("before finish") << QPoint(375, 20) << grey;
        QTest::newRow("after finish") << QPoint(401, 20) << grey;
        QTest::newRow("finish top left") << QPoint(376, 0) << black;
        QTest::newRow("finish next column") << QPoint(381, 0) << white;
        QTest::newRow("finish next row") << QPoint(376, 5) << white;
        QTest::newRow("finish square edge") << QPoint(380, 4) << black;
        QTest::newRow("finish top right") << QPoint(400, 0) << black;
        QTest::newRow("finish bottom right") << QPoint(400, 89) << white;
    }
    void track()
    {
        QFETCH(QPoint, pixel);
        QFETCH(QColor, colour);
        for (int scale : {1, 2}) {
            const QImage image = load("track", scale);
            for (int dy = 0; dy < scale; ++dy) {
                for (int dx = 0; dx < scale; ++dx) {
                    QCOMPARE(image.pixelColor(pixel * scale + QPoint(dx, dy)), colour);
                }
            }
        }
    }
    void trackDoubleIsSameDesign()
    {
        const QImage single = load("track", 1);
        QImage doubled = load("track", 2);
        doubled.setDevicePixelRatio(1); // Qt reads it from the @2x in the name
        QCOMPARE(doubled, single.scaled(single.size() * 2));
    }

    void balls_data()
    {
        QTest::addColumn<QString>("colour");
        QTest::addColumn<int>("hue");
        for (int n : {16, 24, 32, 48}) {
            QTest::addRow("green %d", n) << QStringLiteral("green-%1").arg(n) << 120;
            QTest::addRow("blue %d", n) << QStringLiteral("blue-%1").arg(n) << 219;
            QTest::addRow("purple %d", n) << QStringLiteral("purple-%1").arg(n) << 283;
            QTest::addRow("red %d", n) << QStringLiteral("red-%1").arg(n) << 0;
        }
    }
    void balls()
    {
        QFETCH(QString, colour);
        QFETCH(int, hue);
        for (int scale : {1, 2}) {
            const QImage ball = load("ball-" + colour, scale);
            const int last = ball.width() - 1;
            for (QPoint corner :
                 {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)})
                QCOMPARE(ball.pixelColor(corner).alpha(), 0);
            // The sphere reaches the edges of the picture.
            const int n = ball.width() / scale;
            for (QPoint edge :
                 {QPoint(n / 2, 0), QPoint(0, n / 2), QPoint(n - 1, n / 2), QPoint(n / 2, n - 1)})
                QVERIFY(inked(ball, scale, edge));
            const QColor centre = ball.pixelColor(ball.width() / 2, ball.height() / 2);
            QCOMPARE(centre.alpha(), 255);
            QVERIFY2(centre.hsvSaturation() > 120, qPrintable(centre.name()));
            const int off = std::abs(centre.hsvHue() - hue);
            QVERIFY2(std::min(off, 360 - off) < 25, qPrintable(centre.name()));
        }
    }

    void banners_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QPoint>("textPixel");
        QTest::addColumn<QColor>("textColour");
        QTest::newRow("ready") << "banner-ready" << QPoint(0, 0) << QColor(Qt::black);
        QTest::newRow("go") << "banner-go" << QPoint(176, 36) << QColor(Qt::white);
    }
    void banners()
    {
        QFETCH(QString, name);
        QFETCH(QPoint, textPixel);
        QFETCH(QColor, textColour);
        const QColor green(0, 255, 0), blue(0, 0, 255);
        for (int scale : {1, 2}) {
            const QImage banner = load(name, scale);
            QCOMPARE(at(banner, scale, {2, 2}), green);
            QCOMPARE(at(banner, scale, {3, 60}), green);
            QCOMPARE(at(banner, scale, {340, 5}), blue);
            QCOMPARE(at(banner, scale, {350, 70}), blue);
            // The words are in the quarter of the banner that starts at textPixel.
            const QRect quarter(textPixel * scale, banner.size() / 2);
            bool found = false;
            for (int y = quarter.top(); y <= quarter.bottom() && !found; ++y)
                for (int x = quarter.left(); x <= quarter.right() && !found; ++x)
                    found = banner.pixelColor(x, y) == textColour;
            QVERIFY(found);
        }
    }

    void stopSign()
    {
        for (int scale : {1, 2}) {
            const QImage stop = load("stop", scale);
            QCOMPARE(at(stop, scale, {0, 0}), QColor(Qt::white));
            QCOMPARE(at(stop, scale, {55, 55}), QColor(Qt::white));
            QCOMPARE(at(stop, scale, {28, 1}), QColor(Qt::black));
            QCOMPARE(at(stop, scale, {1, 28}), QColor(Qt::black));
            QVERIFY(isRed(at(stop, scale, {28, 9})));
            const QColor middle = at(stop, scale, {28, 28});
            QVERIFY2(isRed(middle) || middle.lightness() > 220, qPrintable(middle.name()));
        }
    }

    void titlePanelShadesGreenToBlue()
    {
        for (int scale : {1, 2}) {
            const QImage title = load("title", scale);
            QVERIFY(at(title, scale, {0, 87}).lightness() > 200);
            const QColor left = at(title, scale, {20, 20}), right = at(title, scale, {700, 20});
            QVERIFY(left.green() > left.blue());
            QVERIFY(right.blue() > right.green());
        }
    }
};

QTEST_MAIN(TestAssets)
#include "test_assets.moc"
