// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/platform.h"

#include <QByteArrayView>
#include <QtGlobal>

namespace numblaze
{

namespace
{
constexpr char PlatformVariable[] = "QT_QPA_PLATFORM";

/// The name of the option an argument gives, without its one dash or two; empty when the
/// argument is no option.
QByteArrayView optionName(QByteArrayView argument)
{
    if (!argument.startsWith('-'))
        return {};
    argument = argument.sliced(1);
    return argument.startsWith('-') ? argument.sliced(1) : argument;
}

/// The value Qt takes for its option name (given with one dash or two, the value in the next
/// argument), or nothing when it is not given.
QByteArray qtOption(const QByteArrayList& arguments, const QByteArray& name)
{
    QByteArray value;
    for (qsizetype i = 1; i + 1 < arguments.size(); ++i)
        if (optionName(arguments[i]) == name)
            value = arguments[i + 1];
    return value;
}

/// Whether the session's desktop is GNOME, or built on it ("ubuntu:GNOME", "GNOME-Classic").
bool onGnome(const QByteArray& desktops)
{
    return desktops.toLower().contains("gnome");
}
} // namespace

QByteArray chosenPlatform(const std::function<QByteArray(const char*)>& environment,
                          const QByteArrayList& arguments)
{
    if (!environment(PlatformVariable).isEmpty() || !qtOption(arguments, "platform").isEmpty())
        return {};
    const bool xDisplay =
        !environment("DISPLAY").isEmpty() || !qtOption(arguments, "display").isEmpty();
    if (xDisplay && onGnome(environment("XDG_CURRENT_DESKTOP")))
        return GnomePlatforms;
    return {};
}

PlatformChoice::PlatformChoice(int argc, char** argv)
{
    QByteArrayList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(argv[i]);
    const QByteArray platform =
        chosenPlatform([](const char* name) { return qgetenv(name); }, arguments);
    if (platform.isEmpty())
        return;
    // Qt takes a list of platforms from its variable only; the player's own value was empty.
    wasSet_ = qEnvironmentVariableIsSet(PlatformVariable);
    chosen_ = qputenv(PlatformVariable, platform);
}

PlatformChoice::~PlatformChoice()
{
    if (!chosen_)
        return;
    if (wasSet_)
        qputenv(PlatformVariable, QByteArray());
    else
        qunsetenv(PlatformVariable);
}

} // namespace numblaze
