// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What must hold after the menu reads any progress file at all; shared by the seeded fuzz test
// and the libFuzzer target.
#include "core/loose.h"
#include "records/progressfile.h"

#include <QBuffer>
#include <QString>

namespace numblaze::fuzzcheck
{

/// The start of text, percent-encoded so that control bytes can be read in a message.
inline QString show(const QString& text)
{
    return QString::fromLatin1(text.left(80).toUtf8().toPercentEncoding(" .,+-"));
}

/// True when the record label and the race can take the record as a number.
inline bool isRaceable(const Loose& record)
{
    try {
        const double number = record.toNumber();
        return number >= 1 && number <= LargestRecord;
    } catch (const TypeMismatch&) {
        return false;
    }
}

// Reads the bytes as the menu would at start-up and checks what it ends up with, and what it
// would write back. Empty when all is well, else what is wrong.
inline QString problemWith(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    Progress progress;
    try {
        progress = readProgress(buffer);
    } catch (const std::exception& e) {
        return QStringLiteral("reading threw: %1").arg(e.what());
    }
    for (const auto& row : progress.records)
        for (const Loose& record : row)
            if (!isRaceable(record))
                return QStringLiteral("unusable record \"%1\"").arg(show(record.toText()));
    if (progress.math < 0 || progress.math > 3 || progress.opponent < 0 || progress.opponent > 2)
        return QStringLiteral("selection %1, %2").arg(progress.math).arg(progress.opponent);

    const QByteArray written = progressBytes(progress);
    const QList<QByteArray> lines = written.split('\n');
    if (lines.size() != 15 || !lines.last().isEmpty())
        return QStringLiteral("%1 lines written").arg(lines.size() - 1);
    for (const QByteArray& line : lines.first(14))
        if (!line.endsWith('\r'))
            return QStringLiteral("a line written without CR LF");

    QBuffer again;
    again.setData(written);
    again.open(QIODevice::ReadOnly);
    if (progressBytes(readProgress(again)) != written)
        return QStringLiteral("what was written does not read back the same");
    return QString();
}
} // namespace numblaze::fuzzcheck
