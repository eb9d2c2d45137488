// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Renders the game's screens to PNG files: screenshots OUTPUT-FOLDER [LANGUAGE]. In a language
// other than English ("de", "pt_BR") the files' names end in it: menu-de.png.
// The menu reads and writes its progress in a temporary folder, so no real records change.
#include "app/game.h"
#include "app/translations.h"
#include "core/mathkinds.h"
#include "halloffame/form3.h"
#include "menu/form2.h"
#include "race/form1.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>

using namespace numblaze;

namespace
{
QString outputFolder;
QString fileSuffix;

void save(QWidget* window, const QString& name)
{
    QApplication::processEvents();
    const QString file = QDir(outputFolder).filePath(name + fileSuffix + QStringLiteral(".png"));
    if (!window->grab().save(file))
        qFatal("cannot write %s", qPrintable(file));
}

/// Answers the equation on the race screen correctly.
void answer(Form1& race)
{
    Form1Controls& c = race.ui();
    const double result =
        mathKindOfSign(c.Label3->caption())
            ->answer(c.Label1->caption().toDouble(), c.Label2->caption().toDouble());
    c.Text1->setText(QString::number(result));
    race.Command1_Click();
}
} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    connectScreens();
    if (argc != 2 && argc != 3)
        qFatal("usage: screenshots OUTPUT-FOLDER [LANGUAGE]");
    outputFolder = QString::fromLocal8Bit(argv[1]);
    const QString language = argc == 3 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("en");
    Translations translations = Translations::forLanguage(language);
    if (language != QLatin1String("en") && translations.isEmpty())
        qFatal("the game does not speak %s", qPrintable(language));
    translations.install();
    if (!translations.isEmpty())
        fileSuffix = QLatin1Char('-') + language;
    QTemporaryDir progress;
    Form2& menu = Form2::get();
    menu.useProgressStore(ProgressStore::open(QFile::encodeName(progress.path())));

    menu.show();
    menu.ui().Option2[1]->select();
    save(menu.ui().window, QStringLiteral("menu"));

    menu.Command1_Click();
    Form1& race = Form1::get();
    race.randomSource().seed(2024);
    race.Timer1_Timer();
    save(race.ui().window, QStringLiteral("race-countdown"));

    race.Timer1_Timer();
    race.Timer1_Timer();
    for (int tick = 0; tick < 60; ++tick)
        race.Timer2_Timer();
    for (int i = 0; i < 6; ++i)
        answer(race);
    save(race.ui().window, QStringLiteral("race-running"));

    while (race.ui().Command1->caption() == Form1::Racing())
        answer(race);
    save(race.ui().window, QStringLiteral("race-won"));
    race.Command1_Click();

    QTimer::singleShot(0, [] {
        save(Form3::get().ui().window, QStringLiteral("hall-of-fame"));
        Form3::get().ui().window->close();
    });
    menu.Command4_Click();
    menu.discard();
    return 0;
}
