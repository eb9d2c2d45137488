#include "menu/progresslocation.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace numblaze
{

namespace
{
const QString FileName = QStringLiteral("Progress.txt");

/// Copies the progress file beside the program into the data folder, unless the data folder
/// already has one. The copy gets ordinary permissions: a read-only original would otherwise
/// give a copy that QSaveFile refuses to replace.
void adoptProgressFile(const QString& programFile, const QString& dataFile)
{
    if (QFile::exists(dataFile) || !QFile::exists(programFile))
        return;
    if (QFile::copy(programFile, dataFile))
        QFile::setPermissions(dataFile, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                            QFile::WriteUser | QFile::ReadGroup | QFile::ReadOther);
}
} // namespace

bool isWritableFolder(const QString& folder)
{
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".numblaze-XXXXXX")));
    return probe.open();
}

QString playerDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString progressFolderFor(const QString& programFolder, bool programFolderWritable)
{
    const QString data = playerDataFolder();
    return programFolderWritable || data.isEmpty() ? programFolder : data;
}

QString progressFolderFor(const QString& programFolder)
{
    return progressFolderFor(programFolder, isWritableFolder(programFolder));
}

QString progressFileFor(const QString& programFolder, bool programFolderWritable)
{
    const QString folder = progressFolderFor(programFolder, programFolderWritable);
    const QString file = QDir(folder).filePath(FileName);
    if (folder != programFolder && QDir().mkpath(folder))
        adoptProgressFile(QDir(programFolder).filePath(FileName), file);
    return file;
}

QString progressFileFor(const QString& programFolder)
{
    return progressFileFor(programFolder, isWritableFolder(programFolder));
}

ProgressLock lockProgressFolder(const QString& folder)
{
    QDir().mkpath(folder);
    auto lock = std::make_unique<QLockFile>(QDir(folder).filePath(FileName + ".lock"));
    // By default a lock older than 30 s counts as stale; a game runs for hours, so only a
    // holder that is no longer running makes it stale.
    lock->setStaleLockTime(0);
    if (lock->tryLock())
        return {ProgressLockResult::Held, std::move(lock)};
    if (lock->error() == QLockFile::LockFailedError)
        return {ProgressLockResult::HeldByAnother, nullptr};
    return {ProgressLockResult::Unavailable, nullptr};
}

} // namespace numblaze
