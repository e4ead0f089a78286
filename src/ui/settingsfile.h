#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>
#include <variant>

// The one-line settings files below sous/: numbers bare, texts in double quotes, fields
// separated by commas, the line ended by CR LF; always written whole, read field by field.
// A missing or unreadable file, or a field that is not there, reads as "no value", and the
// caller keeps its design default.
namespace ui {

using SettingsValue = std::variant<long long, QString>;

// The line as it is written to the file (without the CR LF). The format has no escape for a
// double quote inside a text, so each one is stored as the full-width quote "＂"; the file then
// always reads back as the same number of fields.
QString formatSettingsLine(const QList<SettingsValue> &fields);

// Writes the whole file anew. Returns false, leaving any old file as it was, when the folder is
// missing or the file cannot be written.
bool writeSettingsFile(const QString &path, const QList<SettingsValue> &fields);
// The same for a line its caller has formatted already (e.g. numbers with a fraction); CR LF is
// added here.
bool writeSettingsLine(const QString &path, const QString &line);

class SettingsLine
{
public:
    // Reads and splits the file's first line; a missing or unreadable file gives no fields.
    static SettingsLine read(const QString &path);
    static SettingsLine parse(const QString &line);

    int fieldCount() const { return m_fields.size(); }
    bool isEmpty() const { return m_fields.isEmpty(); }

    // Field i (0-based) read as a number: its leading numeric value, nullopt when the field is
    // missing or does not start with a number.
    std::optional<long long> number(int i) const;
    // Whether field i (0-based) was written between double quotes, i.e. is a text field.
    bool isQuoted(int i) const { return i >= 0 && i < m_fields.size() && m_fields[i].quoted; }
    // Field i (0-based) as text, quotes removed; nullopt when the field is missing.
    std::optional<QString> text(int i) const;

private:
    struct Field {
        QString text;
        bool quoted = false;
    };
    QList<Field> m_fields;
};

} // namespace ui
