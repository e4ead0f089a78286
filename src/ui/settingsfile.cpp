#include "ui/settingsfile.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

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

bool writeSettingsFile(const QString &path, const QList<SettingsValue> &fields)
{
    return writeSettingsLine(path, formatSettingsLine(fields));
}

bool writeSettingsLine(const QString &path, const QString &line)
{
    if (!QFileInfo(QFileInfo(path).absolutePath()).isDir())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = line.toUtf8() + "\r\n";
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

SettingsLine SettingsLine::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // One line is all a settings file holds; a huge file is not one of ours.
    const QByteArray bytes = file.read(64 * 1024);
    QString text = QString::fromUtf8(bytes);
    const auto end = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    if (end >= 0)
        text.truncate(end);
    return parse(text);
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
    if (i < 0 || i >= m_fields.size())
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

std::optional<QString> SettingsLine::text(int i) const
{
    if (i < 0 || i >= m_fields.size())
        return std::nullopt;
    return m_fields[i].text;
}

} // namespace ui
