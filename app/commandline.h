// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <optional>

namespace numblaze
{

/// What the command line asks of the program.
struct CommandLineReply {
    /// True when the game is to start; otherwise the program ends at once with the status.
    bool play = true;
    /// The exit status when the program ends: 0 after --help or --version, 2 for a mistake.
    int status = 0;
    /// Printed on standard output (help, version).
    QString out;
    /// Printed on standard error (a mistake in the command line).
    QString err;
    /// --mute: the game starts silent this time.
    bool mute = false;
    /// --extra-time: the opponents race at half speed for this run.
    bool extraTime = false;
    /// --listening-time was given: its choice is kept for the next runs.
    bool choseListeningTime = false;
    /// Its choice: on, off, or none for auto (listening time while a screen reader is found).
    std::optional<bool> listeningTime = std::nullopt;
};

/**
 * Reads the program's arguments (the program's name first). The game has five options of its
 * own, --help, --version, --extra-time, --listening-time and --mute. Qt's own options (-platform,
 * -style, -display, -name and whatever else the Qt in use knows) are Qt's to take: the application
 * object takes them out of the command line when it is made, and the game reads what is left. Any
 * other option, or any argument that is not an option, is a mistake that ends the program with
 * status 2.
 */
class CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

  public:
    /// What the arguments, Qt's own taken out, ask for. Needs no window system, reads no file.
    static CommandLineReply read(const QStringList& arguments);

    /**
     * Answers --help and --version before the application object exists, so that they need no
     * display: prints the help or the version and returns the exit status. Returns nothing when
     * the game is to start; every other option is read by handleAfterQt().
     */
    static std::optional<int> handleBeforeQt(int argc, char* argv[]);

    /**
     * Reads the arguments that Qt left (QCoreApplication::arguments()): prints a mistake and
     * returns its exit status, or returns nothing when the game is to start; what the command
     * line asks of the game then goes into asked, when given.
     */
    static std::optional<int> handleAfterQt(const QStringList& arguments,
                                            CommandLineReply* asked = nullptr);
};

} // namespace numblaze
