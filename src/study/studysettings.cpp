#include "study/studysettings.h"

#include "ui/colornumber.h"
#include "ui/settingsfile.h"

#include <QFile>
#include <QFileInfo>

namespace study::settings {
namespace {

// Reads the file's fields, or nullopt when there is no readable settings file.
std::optional<ui::SettingsLine> readLine(const QString &path)
{
    return ui::SettingsLine::load(path);
}

// The first field as a number: nullopt for a text (a quoted field, even one holding digits), for
// a field that does not start with a number and for an empty file.
std::optional<long long> firstNumber(const ui::SettingsLine &line)
{
    return line.number(0);
}

} // namespace

std::optional<ViewMode> readViewMode(const QString &path)
{
    const auto line = readLine(path);
    if (!line)
        return std::nullopt;
    return firstNumber(*line) == 2 ? ViewMode::List : ViewMode::Print;
}

ui::SaveResult writeViewMode(const QString &path, ViewMode mode)
{
    return ui::writeSettingsFile(path, {ui::SettingsValue(static_cast<long long>(mode))});
}

std::optional<ListOrder> readListOrder(const QString &path)
{
    const auto line = readLine(path);
    if (!line)
        return std::nullopt;
    const auto n = firstNumber(*line);
    if (n == 3)
        return ListOrder::Kanji;
    if (n == 2)
        return ListOrder::Kana;
    return ListOrder::Chinese;
}

ui::SaveResult writeListOrder(const QString &path, ListOrder order)
{
    return ui::writeSettingsFile(path, {ui::SettingsValue(static_cast<long long>(order))});
}

std::optional<QColor> readTextColor(const QString &path)
{
    const auto line = readLine(path);
    if (!line)
        return std::nullopt;
    // Only a plain decimal number is a colour: "0x00FF00" or "0garbage" is not black.
    const auto n = line->plainNumber(0);
    if (!n)
        return std::nullopt;
    const QColor c = ui::colorFromNumber(*n);
    if (!c.isValid())
        return std::nullopt;
    return c;
}

ui::SaveResult writeTextColor(const QString &path, const QColor &color)
{
    return ui::writeSettingsFile(path, {ui::SettingsValue(ui::colorToNumber(color))});
}

std::optional<QString> readFontFace(const QString &path)
{
    const auto line = readLine(path);
    if (!line)
        return std::nullopt;
    const auto face = line->text(0);
    if (!face || face->trimmed().isEmpty())
        return std::nullopt;
    return *face;
}

ui::SaveResult writeFontFace(const QString &path, const QString &face)
{
    return ui::writeSettingsFile(path, {ui::SettingsValue(face)});
}

Motto defaultMotto()
{
    return Motto{QStringLiteral("工欲善其事，必先利其器"), QStringLiteral("学日语单词，用词帆")};
}

Motto readMotto(const QString &path)
{
    const auto line = readLine(path);
    if (!line)
        return defaultMotto();
    const auto first = line->text(0);
    const auto second = line->text(1);
    if (!first || !second || first->isEmpty() || second->isEmpty())
        return defaultMotto();
    return Motto{*first, *second};
}

ui::SaveResult writeMotto(const QString &path, const Motto &motto)
{
    return ui::writeSettingsFile(path, {ui::SettingsValue(motto.first), ui::SettingsValue(motto.second)});
}

QString storedMottoLine(const QString &line)
{
    // The same substitution the settings writer makes, so the caption on show is the one that
    // comes back from the file.
    return ui::SettingsLine::parse(ui::formatSettingsLine({ui::SettingsValue(line)}))
        .text(0)
        .value_or(QString());
}

bool removeSettingsFile(const QString &path)
{
    if (!QFileInfo::exists(path))
        return true;
    return QFile::remove(path);
}

} // namespace study::settings
