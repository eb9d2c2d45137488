// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "core/gamedata.h"
#include "core/loose.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>

class QIODevice;

namespace numblaze
{

/// The highest numbers, indexed by math kind, then opponent.
using Records = std::array<std::array<Loose, OpponentCount>, MathKindCount>;

/// The record of a pairing.
inline Loose& recordOf(Records& records, Pairing pairing)
{
    return records[pairing.math][pairing.opponent];
}
inline const Loose& recordOf(const Records& records, Pairing pairing)
{
    return records[pairing.math][pairing.opponent];
}

/// What the progress file holds: the twelve records, then the last selections.
struct Progress {
    Records records;
    int math = 0;
    int opponent = 0;
};

/// The record a pairing starts from when the file has no usable one for it.
inline const QString FirstRecord = QStringLiteral("5");
/// The largest record the game accepts from the file: beyond it a division race's
/// dividends are no longer exact.
inline constexpr double LargestRecord = 94906265;
/// A line longer than this many bytes is never a usable record.
inline constexpr qint64 LongestLine = 4096;
/// The most the game ever reads of the file: a byte-order mark and 14 lines of the longest
/// usable length with their CR LF. What lies beyond cannot change what the game reads.
inline constexpr qint64 LargestUsefulFile = 3 + 14 * (LongestLine + 2);

/// True when a record line is a whole number from 1 to LargestRecord written in plain decimal
/// digits, with blanks around it and leading zeros allowed. Such a line means the same number
/// under every locale, so the record label and the race always agree on it.
bool isUsableRecord(const QString& line);

/// The number a record cell holds, when it is usable: a number, or a usable record line.
std::optional<double> recordValue(const Loose& cell);

/// Reads progress from an open device, line by line: records that cannot be read or used
/// start at 5, selections that cannot be read or are out of range at 0. Usable lines are
/// kept exactly as they were read. Only the first 14 lines are ever read.
Progress readProgress(QIODevice& device);

/// Reads the progress from the bytes of a file, as readProgress does.
Progress readProgressBytes(const QByteArray& bytes);

/// The 14 lines of the file, each ending in CR LF.
QByteArray progressBytes(const Progress& progress);

} // namespace numblaze
