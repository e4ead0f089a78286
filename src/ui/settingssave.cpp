#include "ui/settingssave.h"

#include "ui/settingsfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <atomic>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ui {
namespace {

std::atomic<int> g_failingStep{-1};

bool failsHere(SaveStep step)
{
    if (g_failingStep.load() != static_cast<int>(step))
        return false;
    errno = ENOSPC;
    return true;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        if (failsHere(SaveStep::Write))
            return false;
        const ssize_t n = ::write(fd, data, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        data += n;
        left -= n;
    }
    return true;
}

QByteArray temporaryName(const QByteArray &folder, const QByteArray &base)
{
    return folder + '.' + base + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36) +
           ".tmp";
}

// The new file's contents are written before it has a name (O_TMPFILE), so a save ended by a
// kill leaves nothing behind; it gets a name only for the moment between link and rename. File
// systems without unnamed files get a named temporary, created exclusively.
struct Temporary {
    int fd = -1;
    bool unnamed = false;
    QByteArray name;
};

// A new file gets the mode the process would give it; a replacement keeps the old file's mode.
Temporary createTemporary(const QByteArray &folder, const QByteArray &base, std::optional<mode_t> mode,
                          bool allowUnnamed)
{
    Temporary t;
    if (allowUnnamed) {
        t.fd = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (t.fd >= 0) {
            t.unnamed = true;
            if (mode)
                ::fchmod(t.fd, *mode);
            return t;
        }
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            return t;
    }
    for (int attempt = 0; attempt < 16; ++attempt) {
        t.name = temporaryName(folder, base);
        t.fd = ::open(t.name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (t.fd >= 0) {
            if (mode)
                ::fchmod(t.fd, *mode);
            return t;
        }
        if (errno != EEXIST)
            return t;
    }
    return t;
}

// Gives an unnamed temporary its name. Through /proc when it is mounted, else by the descriptor
// itself (which needs privileges); false when neither works.
bool linkUnnamed(Temporary &t, const QByteArray &folder, const QByteArray &base)
{
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(t.fd);
    for (int attempt = 0; attempt < 16; ++attempt) {
        t.name = temporaryName(folder, base);
        if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, t.name.constData(), AT_SYMLINK_FOLLOW) == 0)
            return true;
        if (errno == EEXIST)
            continue;
        if (::linkat(t.fd, "", AT_FDCWD, t.name.constData(), AT_EMPTY_PATH) == 0)
            return true;
        if (errno != EEXIST)
            return false;
    }
    return false;
}

void syncFolder(const QByteArray &folder)
{
    // Best effort: a folder that cannot be opened for reading (mode 0333) or synced still holds
    // the renamed file.
    const int fd =
        failsHere(SaveStep::SyncFolder) ? -1 : ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    (void)::fsync(fd);
    ::close(fd);
}

bool isWriteProtected(const QByteArray &target, std::optional<mode_t> &mode)
{
    struct stat old {
    };
    if (::stat(target.constData(), &old) != 0 || !S_ISREG(old.st_mode))
        return false;
    mode = old.st_mode & 07777;
    // No write bit at all counts even for a user (root) whom permissions do not stop.
    if ((old.st_mode & 0222) == 0)
        return true;
    return ::access(target.constData(), W_OK) != 0 && (errno == EACCES || errno == EPERM);
}

SaveResult writeOnce(const QByteArray &target, const QByteArray &bytes, bool allowUnnamed)
{
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder = target.left(slash + 1);
    const QByteArray base = target.mid(slash + 1);
    std::optional<mode_t> mode;
    if (isWriteProtected(target, mode))
        return SaveResult::failed(SaveFailure::FileReadOnly, EACCES);
    Temporary t = createTemporary(folder, base, mode, allowUnnamed);
    if (t.fd < 0) {
        const int error = errno;
        return SaveResult::failed(saveFailureFor(SaveStage::Create, error), error);
    }
    bool ok = writeAll(t.fd, bytes);
    // The data must be on the disk before the name points at it, or a crash could leave an empty
    // file where the old one was.
    ok = ok && !failsHere(SaveStep::Flush) && ::fsync(t.fd) == 0;
    int error = ok ? 0 : errno;
    if (ok && t.unnamed && !linkUnnamed(t, folder, base)) {
        ::close(t.fd);
        return writeOnce(target, bytes, false);
    }
    if (::close(t.fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        if (!t.unnamed)
            ::unlink(t.name.constData());
        return SaveResult::failed(saveFailureFor(SaveStage::Write, error), error);
    }
    if (failsHere(SaveStep::Commit) || ::rename(t.name.constData(), target.constData()) != 0) {
        error = errno;
        ::unlink(t.name.constData());
        return SaveResult::failed(saveFailureFor(SaveStage::Replace, error), error);
    }
    // The rename lives in the folder: sync it too, so a power cut cannot bring back the old
    // entry or lose the new one.
    syncFolder(folder.isEmpty() ? QByteArray("/") : folder);
    return SaveResult();
}

} // namespace

SaveResult SaveResult::failed(SaveFailure failure, int error)
{
    SaveResult r;
    r.m_failure = failure == SaveFailure::None ? SaveFailure::Other : failure;
    r.m_error = error;
    return r;
}

QString SaveResult::cause() const
{
    switch (m_failure) {
    case SaveFailure::None:
        return QString();
    case SaveFailure::DiskFull:
        return QStringLiteral("磁盘已满");
    case SaveFailure::FileReadOnly:
        return QStringLiteral("文件只读");
    case SaveFailure::FolderReadOnly:
        return QStringLiteral("文件夹只读");
    case SaveFailure::FolderMissing:
        return QStringLiteral("文件夹不存在");
    case SaveFailure::TooLong:
        return QStringLiteral("内容超过 %1 KB").arg(kMaxSettingsFileBytes / 1024);
    case SaveFailure::Other:
        break;
    }
    if (m_error != 0)
        return QStringLiteral("写入出错：%1").arg(QString::fromLocal8Bit(std::strerror(m_error)));
    return QStringLiteral("写入出错");
}

SaveFailure saveFailureFor(SaveStage stage, int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return SaveFailure::DiskFull;
    case EROFS:
        return SaveFailure::FolderReadOnly;
    case EACCES:
    case EPERM:
        return stage == SaveStage::Write ? SaveFailure::Other : SaveFailure::FolderReadOnly;
    case ENOENT:
    case ENOTDIR:
        return stage == SaveStage::Create ? SaveFailure::FolderMissing : SaveFailure::Other;
    default:
        return SaveFailure::Other;
    }
}

SaveResult writeWholeFile(const QString &path, const QByteArray &bytes)
{
    if (bytes.size() > kMaxSettingsFileBytes)
        return SaveResult::failed(SaveFailure::TooLong);
    const QFileInfo info(path);
    if (!QFileInfo(info.absolutePath()).isDir())
        return SaveResult::failed(SaveFailure::FolderMissing, ENOENT);
    return writeOnce(QFile::encodeName(info.absoluteFilePath()), bytes, true);
}

void failSaveStepForTesting(std::optional<SaveStep> step)
{
    g_failingStep.store(step ? static_cast<int>(*step) : -1);
}

bool isSaveTemporaryName(const QString &fileName)
{
    // ".<file>.<tag>.tmp", the tag being 1 to 13 of [0-9a-z] (a 32-bit number in base 36). Read by
    // hand: the folder is swept at every start, and a regular expression there would bring in
    // and compile the expression engine before the first window.
    static const QLatin1String suffix(".tmp");
    if (!fileName.startsWith(QLatin1Char('.')) || !fileName.endsWith(suffix))
        return false;
    const auto isTagChar = [](QChar c) {
        return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
               (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
    };
    const qsizetype tagEnd = fileName.size() - suffix.size();
    qsizetype tagStart = tagEnd;
    while (tagStart > 0 && isTagChar(fileName.at(tagStart - 1)))
        --tagStart;
    const qsizetype tagLength = tagEnd - tagStart;
    // The file's own name sits between the leading dot and the tag's dot, and is not empty.
    if (tagLength < 1 || tagLength > 13 || tagStart < 3 || fileName.at(tagStart - 1) != QLatin1Char('.'))
        return false;
    // A line break is never part of a name a save makes.
    return !fileName.contains(QLatin1Char('\n'));
}

int removeSaveTemporaries(const QString &folder)
{
    int removed = 0;
    const QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        if (isSaveTemporaryName(name) && !QFileInfo(dir.filePath(name)).isSymLink() &&
            QFile::remove(dir.filePath(name)))
            ++removed;
    }
    return removed;
}

} // namespace ui
