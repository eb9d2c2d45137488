#include "halloffame/form3.h"
#include "menu/form2.h"
#include "race/form1.h"
#include "shell/pictures.h"

#include <QApplication>

using namespace numblaze;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Numblaze"));
    QApplication::setWindowIcon(applicationIcon());
    // The game ends only when the menu is unloaded, never because its last window closed.
    QApplication::setQuitOnLastWindowClosed(false);

    Form2::get().show();
    const int result = QApplication::exec();

    for (Screen* screen : {static_cast<Screen*>(&Form1::get()), static_cast<Screen*>(&Form2::get()),
                           static_cast<Screen*>(&Form3::get())})
        screen->discard();
    return result;
}
