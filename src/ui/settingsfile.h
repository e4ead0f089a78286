#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>

#include "ui/settingssave.h"

#include <optional>
#include <variant>

// The one-line settings files below sous/: numbers bare, texts in double quotes, fields
// separated by commas, the line ended by CR LF; always written whole, read field by field.
// A missing or unreadable file, or a field that is not there, reads as "no value", and the
// caller keeps its design default.
namespace ui {

using SettingsValue = std::variant<long long, QString>;

// A settings file holds one short line; anything larger is not one of ours.
constexpr qsizetype kMaxSettingsFileBytes = 64 * 1024;

// The line as it is written to the file (without the CR LF). The format has no escape for a
// double quote inside a text, so each one is stored as the full-width quote "＂"; the file then
// always reads back as the same number of fields.
QString formatSettingsLine(const QList<SettingsValue> &fields);

// Writes the whole file anew through writeWholeFile (settingssave.h): the old file stays byte
// for byte when anything fails, and the result names the cause.
SaveResult writeSettingsFile(const QString &path, const QList<SettingsValue> &fields);
// The same for a line its caller has formatted already (e.g. numbers with a fraction); CR LF is
// added here.
SaveResult writeSettingsLine(const QString &path, const QString &line);

// The bytes of a settings file: a regular file only (never a pipe, device or folder, which are
// not even opened for reading when they can be told apart beforehand), at most
// kMaxSettingsFileBytes. nullopt when there is no such file.
std::optional<QByteArray> readSettingsBytes(const QString &path);

// The file's first line as text: UTF-8 (a byte-order mark dropped), else GB18030 (the encoding
// Chinese Windows writes such files in); nullopt when it is neither, or when the line does not
// end within the bytes read. Each is decoded as a whole: a character cut off at the end of the
// line makes the line not UTF-8 (and then, most likely, not GB18030 either).
std::optional<QString> decodeSettingsLine(const QByteArray &bytes);
// The whole of such bytes as text, decoded the same way.
std::optional<QString> decodeSettingsText(const QByteArray &bytes);

class SettingsLine
{
public:
    // Reads and splits the file's first line; nullopt when there is no readable settings file.
    static std::optional<SettingsLine> load(const QString &path);
    // For a file that may hold its values on one line or on lines of their own: all its lines,
    // read as load() reads the first, taken as one line.
    static std::optional<SettingsLine> loadValues(const QString &path);
    // As load(), with a missing file giving no fields.
    static SettingsLine read(const QString &path) { return load(path).value_or(SettingsLine()); }
    static SettingsLine parse(const QString &line);

    int fieldCount() const { return m_fields.size(); }
    bool isEmpty() const { return m_fields.isEmpty(); }

    // The one rule for bare numbers in every settings file: a field's value is its leading
    // [+|-] ASCII digits (number) or [+|-] ASCII digits [. ASCII digits] (decimal); whatever
    // follows is ignored. Full-width digits and blanks inside a number are not read (the files
    // are written with ASCII digits only). nullopt when the field is missing, is a quoted text
    // (even one holding digits) or does not start with such a number.
    std::optional<long long> number(int i) const;
    std::optional<double> decimal(int i) const;
    // Field i as a plain decimal number and nothing else ("123"; not "0x1F", "12abc" or "+5").
    std::optional<long long> plainNumber(int i) const;
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
