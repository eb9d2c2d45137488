#include "menu/progressfile.h"

#include <QBuffer>
#include <QFile>
#include <QSaveFile>
#include <optional>

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
    if (line.endsWith('\n'))
        line.chop(line.endsWith("\r\n") ? 2 : 1);
    if (tooLong || line.size() > LongestLine)
        line = QByteArray(LongestLine + 1, ' ');
    // Each byte is one character, so the line is written back exactly as it was read.
    return QString::fromLatin1(line);
}

int selection(const std::optional<QString>& line, int count)
{
    if (!line)
        return 0;
    try {
        const int index = Loose(*line).toInteger16();
        return index >= 0 && index < count ? index : 0;
    } catch (const std::exception&) {
        return 0;
    }
}
} // namespace

bool isUsableRecord(const QString& line)
{
    if (line.size() > LongestLine)
        return false;
    try {
        const double record = Loose::localeNumber(line);
        return record >= 1 && record <= LargestRecord;
    } catch (const std::exception&) {
        return false;
    }
}

Progress readProgress(QIODevice& device)
{
    Progress progress;
    for (auto& row : progress.records) {
        for (Loose& cell : row) {
            const std::optional<QString> line = readLine(device);
            cell = line && isUsableRecord(*line) ? Loose(*line) : Loose(FirstRecord);
        }
    }
    progress.math = selection(readLine(device), 4);
    progress.opponent = selection(readLine(device), 3);
    return progress;
}

Progress readProgressFile(const QString& fileName)
{
    QFile file(fileName);
    if (file.open(QIODevice::ReadOnly))
        return readProgress(file);
    QBuffer nothing; // a first run: every record starts afresh
    nothing.open(QIODevice::ReadOnly);
    return readProgress(nothing);
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

bool writeProgressFile(const QString& fileName, const Progress& progress, QString* error)
{
    QSaveFile file(fileName);
    if (file.open(QIODevice::WriteOnly) && file.write(progressBytes(progress)) >= 0 &&
        file.commit())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

} // namespace numblaze
