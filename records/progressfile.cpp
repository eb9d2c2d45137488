// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/progressfile.h"

#include <QBuffer>
#include <algorithm>

namespace numblaze
{

namespace
{
/// The next line without its terminator (LF or CR LF), or nothing at the end of the device.
/// Bytes beyond the longest usable line are skipped, not kept, so the line reads as unusable.
std::optional<QString> readLine(QIODevice& device)
{
    if (device.atEnd())
        return std::nullopt;
    QByteArray line = device.readLine(LongestLine + 3);
    if (line.isEmpty() && !device.atEnd())
        return std::nullopt; // a read error
    bool tooLong = false;
    while (!line.endsWith('\n') && !device.atEnd()) {
        tooLong = true;
        line = device.readLine(64 * 1024);
        if (line.isEmpty())
            break;
    }
    // A CR before the end of the line belongs to the terminator, also in a last line cut short
    // between its CR and its LF.
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    if (tooLong || line.size() > LongestLine)
        line = QByteArray(LongestLine + 1, ' ');
    // Each byte is one character, so the line is written back exactly as it was read.
    return QString::fromLatin1(line);
}

/// The value of a line that holds a whole number in plain decimal digits, blanks around it
/// allowed; nothing for any other line. Values beyond the game's largest number are capped.
std::optional<double> wholeNumber(const QString& line)
{
    qsizetype first = 0;
    qsizetype end = line.size();
    while (first < end && (line[first] == u' ' || line[first] == u'\t'))
        ++first;
    while (end > first && (line[end - 1] == u' ' || line[end - 1] == u'\t'))
        --end;
    if (first == end)
        return std::nullopt;
    double value = 0;
    for (qsizetype i = first; i < end; ++i) {
        if (line[i] < u'0' || line[i] > u'9')
            return std::nullopt;
        value = std::min(value * 10 + (line[i].unicode() - u'0'), LargestRecord + 1);
    }
    return value;
}

int selection(const std::optional<QString>& line, int count)
{
    // Only a whole number names an option: "1.5" is no option, not option 2.
    const std::optional<double> index = line ? wholeNumber(*line) : std::nullopt;
    return index && *index < count ? int(*index) : 0;
}
} // namespace

bool isUsableRecord(const QString& line)
{
    if (line.size() > LongestLine)
        return false;
    const std::optional<double> record = wholeNumber(line);
    return record && *record >= 1 && *record <= LargestRecord;
}

std::optional<double> recordValue(const Loose& cell)
{
    if (cell.isNumber())
        return cell.toNumber();
    if (cell.isText() && isUsableRecord(cell.toText()))
        return wholeNumber(cell.toText());
    return std::nullopt;
}

Progress readProgress(QIODevice& device)
{
    // A UTF-8 byte-order mark, as some text editors save one, is not part of the first record.
    if (device.peek(3) == "\xef\xbb\xbf")
        device.skip(3);
    Progress progress;
    for (auto& row : progress.records) {
        for (Loose& cell : row) {
            const std::optional<QString> line = readLine(device);
            cell = line && isUsableRecord(*line) ? Loose(*line) : Loose(FirstRecord);
        }
    }
    progress.math = selection(readLine(device), MathKindCount);
    progress.opponent = selection(readLine(device), OpponentCount);
    return progress;
}

Progress readProgressBytes(const QByteArray& bytes)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return readProgress(buffer);
}

QByteArray progressBytes(const Progress& progress)
{
    QByteArray bytes;
    for (const auto& row : progress.records)
        for (const Loose& cell : row)
            bytes += cell.toText().toLatin1() + "\r\n";
    bytes += QByteArray::number(progress.math) + "\r\n";
    bytes += QByteArray::number(progress.opponent) + "\r\n";
    return bytes;
}

} // namespace numblaze
