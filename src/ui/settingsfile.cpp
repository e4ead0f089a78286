#include "ui/settingsfile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <atomic>
#include <cerrno>

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
        if (n <= 0)
            return false;
        data += n;
        left -= n;
    }
    return true;
}

// A new file next to the target, created exclusively so nothing else is overwritten; it gets the
// mode the process would give a new file, or the old file's mode when there is one.
int createTemporary(const QByteArray &target, QByteArray &name)
{
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder = target.left(slash + 1);
    const QByteArray base = target.mid(slash + 1);
    for (int attempt = 0; attempt < 16; ++attempt) {
        name = folder + '.' + base + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36) +
               ".tmp";
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd >= 0) {
            struct stat old {
            };
            if (::stat(target.constData(), &old) == 0 && S_ISREG(old.st_mode))
                ::fchmod(fd, old.st_mode & 07777);
            return fd;
        }
        if (errno != EEXIST)
            return -1;
    }
    return -1;
}

bool syncFolder(const QByteArray &target)
{
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder = slash <= 0 ? QByteArray("/") : target.left(slash);
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    // A file system that cannot sync a folder (EINVAL) keeps its entries as it keeps its data.
    const bool ok = ::fsync(fd) == 0 || errno == EINVAL;
    ::close(fd);
    return ok;
}

} // namespace

void failSaveStepForTesting(std::optional<SaveStep> step)
{
    g_failingStep.store(step ? static_cast<int>(*step) : -1);
}

QString formatSettingsLine(const QList<SettingsValue> &fields)
{
    QStringList parts;
    for (const SettingsValue &v : fields) {
        if (const auto *n = std::get_if<long long>(&v)) {
            parts << QString::number(*n);
        } else {
            QString t = std::get<QString>(v);
            t.replace(u'"', QChar(0xFF02));
            t.remove(u'\r');
            t.remove(u'\n');
            parts << u'"' + t + u'"';
        }
    }
    return parts.join(u',');
}

bool writeSettingsFile(const QString &path, const QList<SettingsValue> &fields)
{
    return writeSettingsLine(path, formatSettingsLine(fields));
}

bool writeSettingsLine(const QString &path, const QString &line)
{
    return writeWholeFile(path, line.toUtf8() + "\r\n");
}

bool writeWholeFile(const QString &path, const QByteArray &bytes)
{
    const QFileInfo info(path);
    if (!QFileInfo(info.absolutePath()).isDir())
        return false;
    const QByteArray target = QFile::encodeName(info.absoluteFilePath());
    QByteArray temporary;
    const int fd = createTemporary(target, temporary);
    if (fd < 0)
        return false;
    bool ok = writeAll(fd, bytes);
    // The data must be on the disk before the name points at it, or a crash could leave an empty
    // file where the old one was.
    ok = ok && !failsHere(SaveStep::Flush) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && !failsHere(SaveStep::Commit) && ::rename(temporary.constData(), target.constData()) == 0;
    if (!ok) {
        ::unlink(temporary.constData());
        return false;
    }
    // The rename itself lives in the folder: sync it too, so a power cut cannot bring back the
    // old entry or lose the new one.
    return syncFolder(target);
}

std::optional<QByteArray> readSettingsBytes(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat before {
    };
    if (name.isEmpty() || ::stat(name.constData(), &before) != 0 || !S_ISREG(before.st_mode))
        return std::nullopt;
    // Non-blocking, so that something swapped in after the check (a pipe) cannot hang the open.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat opened {
    };
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    // One byte more than the limit tells a file that is too large from one that just fits.
    QByteArray bytes(kMaxSettingsFileBytes + 1, Qt::Uninitialized);
    qsizetype got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, static_cast<size_t>(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        got += n;
    }
    ::close(fd);
    bytes.truncate(got);
    return bytes;
}

std::optional<QString> decodeSettingsText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder gb("GB18030", QStringDecoder::Flag::Stateless);
    if (!gb.isValid())
        return std::nullopt;
    text = gb.decode(bytes);
    if (gb.hasError())
        return std::nullopt;
    return text;
}

std::optional<QString> decodeSettingsLine(const QByteArray &bytes)
{
    // CR and LF never occur inside a UTF-8 or GB18030 character, so the line ends at the first.
    qsizetype end = 0;
    while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
        ++end;
    if (end == bytes.size() && bytes.size() > kMaxSettingsFileBytes)
        return std::nullopt; // the line goes on past what was read
    return decodeSettingsText(bytes.left(end));
}

std::optional<SettingsLine> SettingsLine::load(const QString &path)
{
    const auto bytes = readSettingsBytes(path);
    if (!bytes)
        return std::nullopt;
    const auto line = decodeSettingsLine(*bytes);
    if (!line)
        return std::nullopt;
    return parse(*line);
}

std::optional<SettingsLine> SettingsLine::loadValues(const QString &path)
{
    auto bytes = readSettingsBytes(path);
    if (!bytes)
        return std::nullopt;
    if (bytes->size() > kMaxSettingsFileBytes) {
        // Only whole lines count from a file longer than any of ours.
        bytes->truncate(kMaxSettingsFileBytes);
        const qsizetype end = std::max(bytes->lastIndexOf('\n'), bytes->lastIndexOf('\r'));
        if (end < 0)
            return std::nullopt;
        bytes->truncate(end);
    }
    const auto text = decodeSettingsText(*bytes);
    if (!text)
        return std::nullopt;
    static const QRegularExpression lineBreaks(QStringLiteral("[\r\n]+"));
    return parse(text->split(lineBreaks, Qt::SkipEmptyParts).join(u','));
}

SettingsLine SettingsLine::parse(const QString &line)
{
    SettingsLine result;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i < n) {
        while (i < n && (line[i] == u' ' || line[i] == u'\t'))
            ++i;
        Field field;
        if (i < n && line[i] == u'"') {
            field.quoted = true;
            const qsizetype close = line.indexOf(u'"', i + 1);
            if (close < 0) {
                field.text = line.mid(i + 1);
                i = n;
            } else {
                field.text = line.mid(i + 1, close - i - 1);
                i = close + 1;
                // Anything between the closing quote and the next comma is not part of the field.
                const qsizetype comma = line.indexOf(u',', i);
                i = comma < 0 ? n : comma;
            }
        } else {
            const qsizetype comma = line.indexOf(u',', i);
            field.text = line.mid(i, (comma < 0 ? n : comma) - i).trimmed();
            i = comma < 0 ? n : comma;
        }
        result.m_fields.append(field);
        if (i < n && line[i] == u',') {
            ++i;
            if (i == n)
                result.m_fields.append(Field{}); // a trailing comma leaves an empty last field
        }
    }
    return result;
}

std::optional<long long> SettingsLine::number(int i) const
{
    if (i < 0 || i >= m_fields.size() || m_fields[i].quoted)
        return std::nullopt;
    const QString &t = m_fields[i].text;
    qsizetype k = 0;
    if (k < t.size() && (t[k] == u'-' || t[k] == u'+'))
        ++k;
    const qsizetype digitsStart = k;
    while (k < t.size() && t[k].isDigit() && t[k].unicode() < 0x80)
        ++k;
    if (k == digitsStart)
        return std::nullopt;
    bool ok = false;
    const long long v = t.left(k).toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return v;
}

std::optional<long long> SettingsLine::plainNumber(int i) const
{
    if (i < 0 || i >= m_fields.size() || m_fields[i].quoted)
        return std::nullopt;
    const QString &t = m_fields[i].text;
    if (t.isEmpty() || t.size() > 18)
        return std::nullopt;
    for (const QChar c : t) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    return t.toLongLong();
}

std::optional<QString> SettingsLine::text(int i) const
{
    if (i < 0 || i >= m_fields.size())
        return std::nullopt;
    return m_fields[i].text;
}

} // namespace ui
