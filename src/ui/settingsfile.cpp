#include "ui/settingsfile.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ui {
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

SaveResult writeSettingsFile(const QString &path, const QList<SettingsValue> &fields)
{
    return writeSettingsLine(path, formatSettingsLine(fields));
}

SaveResult writeSettingsLine(const QString &path, const QString &line)
{
    return writeWholeFile(path, line.toUtf8() + "\r\n");
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
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
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

std::optional<double> SettingsLine::decimal(int i) const
{
    if (i < 0 || i >= m_fields.size() || m_fields[i].quoted)
        return std::nullopt;
    const QString &t = m_fields[i].text;
    const auto digit = [&](qsizetype k) { return k < t.size() && t[k] >= u'0' && t[k] <= u'9'; };
    qsizetype k = 0;
    if (k < t.size() && (t[k] == u'-' || t[k] == u'+'))
        ++k;
    const qsizetype digitsStart = k;
    while (digit(k))
        ++k;
    if (k == digitsStart)
        return std::nullopt;
    if (k < t.size() && t[k] == u'.' && digit(k + 1)) {
        ++k;
        while (digit(k))
            ++k;
    }
    bool ok = false;
    const double v = t.left(k).toDouble(&ok);
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
