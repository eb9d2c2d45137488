#include "menu/progressfile.h"

#include <QBuffer>
#include <QFile>
#include <QSaveFile>
#include <cmath>
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

bool writeAll(QIODevice& device, const QByteArray& bytes)
{
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = device.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

int selection(const std::optional<QString>& line, int count)
{
    if (!line)
        return 0;
    try {
        // Only a whole number names an option: "1.5" is no option, not option 2.
        const double index = Loose::localeNumber(*line);
        return index >= 0 && index < count && index == std::floor(index) ? int(index) : 0;
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
    // Unbuffered: a buffered QSaveFile only meets a full disk when commit() flushes, and commit()
    // does not check that flush, so it would put a cut-off file in place of the old one.
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
        writeAll(file, progressBytes(progress)) && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

} // namespace numblaze
