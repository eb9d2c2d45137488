// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The fonts floor of the menu's start-up: a program of its own that links nothing but Qt Widgets
// and shows a bare window of the menu's size with the menu's captions in the menu's faces (OCR-A
// at 12 pt, 12 pt bold and 9.75 pt), so the game's whole start, from the start of its process,
// can be set beside what Qt alone needs to draw those letters. The benchmark starts it and reads
// the line it prints, in the same fields as the game's own child prints.
#include "bench/libraries.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <chrono>
#include <cstdio>

namespace
{
using Clock = std::chrono::steady_clock;

long long nanoseconds(Clock::time_point t)
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count();
}

class Painted : public QObject
{
  public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->objectName() == QLatin1String("Floor")) {
            qApp->removeEventFilter(this);
            QTimer::singleShot(0, [] {
                const Clock::time_point painted = Clock::now();
                std::printf("painted_ns=%lld libraries=%d\n", nanoseconds(painted),
                            sharedLibraries());
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return false;
    }
};

/// The menu's face as the game asks for it on Debian: OCR-A, then DejaVu Sans Mono for the letters
/// OCR-A lacks.
QFont face(double points, bool bold = false)
{
    QFont font;
    QStringList families = {QStringLiteral("OCRA"), QStringLiteral("DejaVu Sans Mono")};
    if (bold)
        families.prepend(QStringLiteral("OCRABold"));
    font.setFamilies(families);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}
} // namespace

int main(int argc, char** argv)
{
    const Clock::time_point entered = Clock::now();
    std::printf("main_ns=%lld ", nanoseconds(entered));
    // The game keeps Qt's warning about a missing runtime folder to itself; so does its floor.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& message) {
        if (!message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
            std::fprintf(stderr, "%s\n", qPrintable(message));
    });
    QApplication app(argc, argv);
    Painted painted;
    app.installEventFilter(&painted);
    QWidget window;
    window.setObjectName(QStringLiteral("Floor"));
    window.setFixedSize(463, 329);
    window.setFont(face(12));
    int row = 0;
    auto place = [&](QWidget* w) {
        w->setGeometry(8 + (row % 2) * 230, 8 + (row / 2) * 30, 220, 26);
    };
    for (const char* caption : {"Race!", "Hall of Fame", "Exit"}) {
        place(new QPushButton(QString::fromLatin1(caption), &window));
        ++row;
    }
    for (const char* caption : {"Race against:", "Bobby Blue", "Ronald Red", "Patty Purple"}) {
        place(new QLabel(QString::fromLatin1(caption), &window));
        ++row;
    }
    for (const char* caption : {"Addition", "Subtraction", "Multiplication", "Division"}) {
        auto* option = new QRadioButton(QString::fromLatin1(caption), &window);
        option->setFont(face(9.75));
        place(option);
        ++row;
    }
    auto* record = new QLabel(QStringLiteral("Your highest number is 5."), &window);
    record->setFont(face(12, true));
    place(record);
    window.show();
    return QApplication::exec();
}
