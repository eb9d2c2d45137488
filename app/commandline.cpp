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
            //: A mistake on the command line, on the terminal: %1 is the program's name
            //: ("numblaze"), %2 what is wrong ("unknown option '--bogus'"). Keep '%1 --help' as
            //: it is: it is the command to type.
            CommandLine::tr("%1: %2 (try '%1 --help')").arg(program, what) + QLatin1Char('\n')};
}

CommandLineReply done(const QString& text)
{
    return {false, 0, text, {}};
}

// The heading of the options in --help and the parser's own mistake are Qt's texts. Qt's
// translations say them where the system has them in the player's language; the game's
// translation says them where it has not.
//: The heading of the list of options in --help. Take Qt's own translation where Qt has one in
//: this language.
[[maybe_unused]] constexpr const char* OptionsHeading =
    QT_TRANSLATE_NOOP("QCommandLineParser", "Options:");
//: A mistake on the command line: an option that takes no value was given one ("--mute=1"); %1
//: is the option. Take Qt's own translation where Qt has one in this language.
[[maybe_unused]] constexpr const char* UnexpectedValue =
    QT_TRANSLATE_NOOP("QCommandLineParser", "Unexpected value after '%1'.");

/// The parser's help with a usage line naming the program as the player calls it (the parser
/// would take the name from an application object, which does not exist yet).
QString helpFor(const QString& program, const QCommandLineParser& parser)
{
    const QString options = parser.helpText().section(QLatin1Char('\n'), 1);
    //: The first line of --help: %1 is the program's name. Qt's own translation of "Usage:"
    //: and "[options]" (qtbase) reads the same where it has this language.
    return CommandLine::tr("Usage: %1 [options]").arg(program) + QLatin1Char('\n') + options;
}

void print(const QString& text, FILE* stream)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

/// Prints the reply; the exit status when the program is to end there.
std::optional<int> finish(const CommandLineReply& reply)
{
    print(reply.out, stdout);
    print(reply.err, stderr);
    return reply.play ? std::nullopt : std::optional<int>(reply.status);
}

} // namespace

CommandLineReply CommandLine::read(const QStringList& arguments)
{
    const QString program = arguments.isEmpty() || arguments.first().isEmpty()
                                ? QStringLiteral("numblaze")
                                : QFileInfo(arguments.first()).fileName();
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    //: What the game is, under the usage line of --help. The desktop file's Comment and the
    //: software centres' summary say the same, without the full stop.
    const QString what = tr("Race the computer with mental arithmetic.");
    //: A second line under the game's description in --help: F3 is a key.
    const QString standing = tr("In a race, F3 says the standing: your steps and your opponent's.");
    parser.setApplicationDescription(what + QLatin1Char('\n') + standing);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  //: What --help does, in the list of options --help prints.
                                  tr("Show this help and quit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     //: What --version does, in the list of options.
                                     tr("Show the version of the game and quit."));
    const QCommandLineOption extraTime(
        QStringLiteral("extra-time"),
        //: What --extra-time does, in the list of options: extra time halves every opponent's
        //: speed, and F2 on the menu switches it on or off.
        tr("Give yourself extra time: the opponents race at half speed (F2 on the menu "
           "switches it too)."));
    const QCommandLineOption listeningTime(
        QStringLiteral("listening-time"),
        //: What --listening-time does, in the list of options. Keep "on", "off" and "auto" as
        //: they are: the player types them. F4 is a key.
        tr("Listening time: the opponent waits while a screen reader says each sum. on, off or "
           "auto (the default: on when the game finds a screen reader). Kept for the next "
           "runs; F4 on the menu switches it too."),
        //: The value of --listening-time in the help
        tr("when"));
    const QCommandLineOption mute(QStringLiteral("mute"),
                                  //: What --mute does, in the list of options: M is the key that
                                  //: switches the sound on and off.
                                  tr("Start without sound (the M key turns it on)."));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(extraTime);
    parser.addOption(listeningTime);
    parser.addOption(mute);

    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty())
            //: %1 is the option as typed ("--bogus"), shown inside the mistake line.
            return mistake(program,
                           tr("unknown option '%1'").arg(typedOption(arguments, unknown.first())));
        // The mistake goes inside the line, without its full stop ("。" in Chinese, "।" in Hindi).
        QString why = parser.errorText();
        if (!why.isEmpty() && QStringLiteral(u".\u3002\u0964").contains(why.back()))
            why.chop(1);
        return mistake(program, why);
    }
    if (!parser.positionalArguments().isEmpty())
        //: %1 is a word given to the program that is no option ("foo").
        return mistake(program,
                       tr("unexpected argument '%1'").arg(parser.positionalArguments().first()));
    if (parser.isSet(help))
        return done(helpFor(program, parser));
    if (parser.isSet(version))
        return done(QStringLiteral("Numblaze " NUMBLAZE_VERSION "\n"));
    CommandLineReply play;
    if (parser.isSet(listeningTime)) {
        const QString when = parser.value(listeningTime);
        if (when != QLatin1String("on") && when != QLatin1String("off") &&
            when != QLatin1String("auto"))
            //: Keep "on", "off" and "auto" as they are: the player types them
            return mistake(program,
                           tr("--listening-time takes on, off or auto, not '%1'").arg(when));
        play.choseListeningTime = true;
        if (when != QLatin1String("auto"))
            play.listeningTime = when == QLatin1String("on");
    }
    play.extraTime = parser.isSet(extraTime);
    play.mute = parser.isSet(mute);
    return play;
}

std::optional<int> CommandLine::handleBeforeQt(int argc, char* argv[])
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
    // Only --help and --version are answered here; Qt has not taken its options yet, so any
    // other option may be one of Qt's and is read once Qt has had its turn.
    const CommandLineReply reply = read(arguments);
    if (reply.play || reply.status != 0) {
        QCommandLineParser asks;
        asks.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
        const QCommandLineOption version(
            QStringList{QStringLiteral("v"), QStringLiteral("version")});
        asks.addOptions({help, version});
        asks.parse(arguments);
        if (!asks.isSet(help) && !asks.isSet(version))
            return std::nullopt;
        QStringList alone{arguments.first()};
        alone << (asks.isSet(help) ? QStringLiteral("--help") : QStringLiteral("--version"));
        return finish(read(alone));
    }
    return finish(reply);
}

std::optional<int> CommandLine::handleAfterQt(const QStringList& arguments, CommandLineReply* asked)
{
    const CommandLineReply reply = read(arguments);
    if (asked)
        *asked = reply;
    return finish(reply);
}

} // namespace numblaze
