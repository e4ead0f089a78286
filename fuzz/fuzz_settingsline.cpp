// The settings-line parser: decoding the first line of a file's bytes, splitting it into fields,
// reading the fields as numbers and texts; and that whatever the writer makes of those texts and
// numbers reads back as the same fields.
#include "fuzzsupport.h"
#include "ui/settingsfile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using fuzzsupport::check;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto line = ui::decodeSettingsLine(bytes);
    if (!line)
        return 0;
    check(!line->contains(u'\r') && !line->contains(u'\n'), "a decoded line holds no line break");
    const ui::SettingsLine parsed = ui::SettingsLine::parse(*line);
    QList<ui::SettingsValue> values;
    for (int i = 0; i < parsed.fieldCount(); ++i) {
        const auto number = parsed.number(i);
        const auto plain = parsed.plainNumber(i);
        check(!plain || (number && *number == *plain), "a plain number is also a number, the same one");
        check(!parsed.isQuoted(i) || !number, "a quoted field is never a number");
        if (number)
            values.append(*number);
        else
            values.append(parsed.text(i).value_or(QString()));
    }
    const ui::SettingsLine again = ui::SettingsLine::parse(ui::formatSettingsLine(values));
    check(again.fieldCount() == values.size(), "the written line has as many fields as were written");
    for (int i = 0; i < values.size(); ++i) {
        if (const auto *n = std::get_if<long long>(&values[i])) {
            check(again.number(i) == *n, "a number reads back as itself");
        } else {
            QString stored = std::get<QString>(values[i]);
            stored.replace(u'"', QChar(0xFF02));
            check(again.isQuoted(i) && again.text(i) == stored, "a text reads back as written");
        }
    }
    return 0;
}
