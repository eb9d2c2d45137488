// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/commandline.h"

#include "app/translations.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <cstdio>

namespace numblaze
{

namespace
{

/// Qt's own options for every graphical program, with whether each takes a value. They are
/// accepted so that `numblaze -style fusion` works as with any Qt program.
struct QtOption {
    const char* name;
    bool takesValue;
};
constexpr QtOption QtOptions[] = {
    {"platform", true},    {"platformpluginpath", true}, {"platformtheme", true},
    {"plugin", true},      {"qmljsdebugger", true},      {"qwindowgeometry", true},
    {"qwindowicon", true}, {"qwindowtitle", true},       {"session", true},
    {"display", true},     {"geometry", true},           {"style", true},
    {"stylesheet", true},  {"reverse", false},           {"widgetcount", false},
};

void addQtOptions(QCommandLineParser& parser)
{
    for (const QtOption& qt : QtOptions) {
        QCommandLineOption option(QString::fromLatin1(qt.name));
        if (qt.takesValue)
            option.setValueName(QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

/// The argument as the player typed it that gave the unknown option `name` (the parser
/// reports names without their dashes or value).
QString typedOption(const QStringList& arguments, const QString& name)
{
    for (const QString& argument : arguments.mid(1)) {
        const QString bare = argument.section(QLatin1Char('='), 0, 0);
        const QString dashes =
            bare.startsWith(QLatin1String("--")) ? QStringLiteral("--") : QStringLiteral("-");
        if (bare.startsWith(QLatin1Char('-')) && bare.mid(dashes.size()) == name)
            return bare;
    }
    return QStringLiteral("--") + name;
}

CommandLineReply mistake(const QString& program, const QString& what)
{
    return {false,
            2,
            {},
            CommandLine::tr("%1: %2 (try '%1 --help')").arg(program, what) + QLatin1Char('\n')};
}

CommandLineReply done(const QString& text)
{
    return {false, 0, text, {}};
}

/// The parser's help with a usage line naming the program as the player calls it (the parser
/// would take the name from an application object, which does not exist yet).
QString helpFor(const QString& program, const QCommandLineParser& parser)
{
    const QString options = parser.helpText().section(QLatin1Char('\n'), 1);
    return CommandLine::tr("Usage: %1 [options]").arg(program) + QLatin1Char('\n') + options;
}

void print(const QString& text, FILE* stream)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

CommandLineReply CommandLine::read(const QStringList& arguments)
{
    const QString program = arguments.isEmpty() || arguments.first().isEmpty()
                                ? QStringLiteral("numblaze")
                                : QFileInfo(arguments.first()).fileName();
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(tr("Race the computer with mental arithmetic."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  tr("Show this help and quit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     tr("Show the version of the game and quit."));
    const QCommandLineOption mute(QStringLiteral("mute"),
                                  tr("Start without sound this time (the M key turns sound on "
                                     "and off in the game)."));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(mute);
    addQtOptions(parser);

    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty())
            return mistake(program,
                           tr("unknown option '%1'").arg(typedOption(arguments, unknown.first())));
        QString why = parser.errorText();
        if (why.endsWith(QLatin1Char('.')))
            why.chop(1);
        return mistake(program, why);
    }
    if (!parser.positionalArguments().isEmpty())
        return mistake(program,
                       tr("unexpected argument '%1'").arg(parser.positionalArguments().first()));
    if (parser.isSet(help))
        return done(helpFor(program, parser));
    if (parser.isSet(version))
        return done(QStringLiteral("Numblaze " NUMBLAZE_VERSION "\n"));
    CommandLineReply reply;
    reply.mute = parser.isSet(mute);
    return reply;
}

std::optional<int> CommandLine::handle(int argc, char* argv[], bool& mute)
{
    // Without arguments there is nothing to read: the game starts with nothing in its way.
    if (argc <= 1)
        return std::nullopt;
    // The replies are in the player's language, Qt's part of the help included: an application
    // object holds the translations while they are made, and goes before the game's own.
    QCoreApplication texts(argc, argv);
    Translations::forPlayer().install(&texts);
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const CommandLineReply reply = read(arguments);
    print(reply.out, stdout);
    print(reply.err, stderr);
    mute = reply.mute;
    return reply.play ? std::nullopt : std::optional<int>(reply.status);
}

} // namespace numblaze
