#include "shell/application.h"

#include "shell/screen.h"

#include <QCoreApplication>

namespace numblaze::application
{

QString path()
{
    return QCoreApplication::applicationDirPath();
}

void end(std::initializer_list<Screen*> screens)
{
    for (Screen* screen : screens)
        screen->discard();
    QCoreApplication::exit(0);
}

} // namespace numblaze::application
