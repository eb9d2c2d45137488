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
};

/**
 * Reads the program's arguments (the program's name first). The game has three options of its
 * own, --help, --version and --mute; Qt's own options (-platform, -style, -reverse and the like)
 * are accepted and left for Qt. Any other option, or any argument that is not an option, is a
 * mistake that ends the program with status 2.
 */
class CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

  public:
    /// What the arguments ask for. Needs no window system and reads no file.
    static CommandLineReply read(const QStringList& arguments);

    /**
     * Handles the command line before the game starts: prints the help, the version or the
     * mistake, and returns the exit status when the program is to end there. Returns nothing
     * when the game is to start, and then sets `mute` when the game is to start silent. Must be
     * called before the application object exists.
     */
    static std::optional<int> handle(int argc, char* argv[], bool& mute);
};

} // namespace numblaze
