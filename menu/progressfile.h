#pragma once

#include "shell/loose.h"

#include <QByteArray>
#include <QString>
#include <array>

class QIODevice;

namespace numblaze
{

/// The highest numbers, indexed by math kind (0 to 3), then opponent (0 to 2).
using Records = std::array<std::array<Loose, 3>, 4>;

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

/// True when a record line reads as a number the race can be run with.
bool isUsableRecord(const QString& line);

/// Reads progress from an open device, line by line: records that cannot be read or used
/// start at 5, selections that cannot be read or are out of range at 0. Usable lines are
/// kept exactly as they were read. Only the first 14 lines are ever read.
Progress readProgress(QIODevice& device);

/// Reads the progress file; a missing or unreadable file gives the first-run progress.
Progress readProgressFile(const QString& fileName);

/// The 14 lines of the file, each ending in CR LF.
QByteArray progressBytes(const Progress& progress);

/// Replaces the file with the progress, atomically: on failure the old file stays whole and
/// the reason is put into *error.
bool writeProgressFile(const QString& fileName, const Progress& progress, QString* error);

} // namespace numblaze
