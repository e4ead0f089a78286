#pragma once

#include "study/studylayout.h"
#include "ui/settingssave.h"

#include <QColor>
#include <QString>

#include <optional>

// The study window's settings files below sous/, each a single line in the quoted-field form.
// Readers give nullopt where the window keeps its design default; writers return false when the
// file could not be written (the old file is then left as it was).
namespace study::settings {

inline const QString kViewModeFile = QStringLiteral("sous/xx.dll");
inline const QString kListOrderFile = QStringLiteral("sous/mod.dll");
inline const QString kColorFile = QStringLiteral("sous/xxclr.dll");
inline const QString kFontFile = QStringLiteral("sous/xxfnt.dll");
inline const QString kMottoFile = QStringLiteral("sous/pome.dll");

enum class ViewMode { Print = 1, List = 2 };

// 2 is the list view, any other value (or an empty or garbled file) the print view; nullopt
// when there is no readable file.
std::optional<ViewMode> readViewMode(const QString &path);
ui::SaveResult writeViewMode(const QString &path, ViewMode mode);

// 2 and 3 are the kana and kanji orders, any other value the Chinese order; nullopt when there
// is no readable file (the order on show is then kept).
std::optional<ListOrder> readListOrder(const QString &path);
ui::SaveResult writeListOrder(const QString &path, ListOrder order);

// The colour number R + 256 G + 65536 B; a file without a number in range counts as missing.
std::optional<QColor> readTextColor(const QString &path);
ui::SaveResult writeTextColor(const QString &path, const QColor &color);

// A font face name; an empty name counts as missing.
std::optional<QString> readFontFace(const QString &path);
ui::SaveResult writeFontFace(const QString &path, const QString &face);

struct Motto {
    QString first;
    QString second;
    bool operator==(const Motto &o) const { return first == o.first && second == o.second; }
};
Motto defaultMotto();
// Both lines of the file when both are there and not empty, otherwise the default lines.
Motto readMotto(const QString &path);
ui::SaveResult writeMotto(const QString &path, const Motto &motto);
// A line as the motto file keeps it: the quoted-field form has no escape, so a double quote
// becomes the full-width quote and line breaks are dropped.
QString storedMottoLine(const QString &line);

// Deletes a settings file; true when no file is left there (also when there was none).
bool removeSettingsFile(const QString &path);

} // namespace study::settings
