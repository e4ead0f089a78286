#pragma once

#include "ui/settingssave.h"

#include <QString>
#include <QStringView>

// Rōmaji typed into a kana box, turned into kana the way an input method's direct mode does it:
// Hepburn and Kunrei spellings, nn / n' / n before a consonant for ん, a doubled consonant for っ,
// "-" for ー, x or l before a kana for its small form, and upper-case letters for katakana.
// Characters that are not Latin letters, "-" or an apostrophe after n pass through unchanged, so
// kana already in the box never changes.
namespace ui {

// What happens to letters at the very end of the text that could still become a syllable
// ("k", "ky", "ts", a lone "n"): Keep leaves them Latin, as while typing; Finish turns a lone n
// into ん (the answer is being submitted) and leaves any other such tail as typed.
enum class RomajiTail { Keep, Finish };

QString romajiToKana(QStringView text, RomajiTail tail);

// The letters at the end of converted text that wait for more input (empty when nothing waits).
QStringView pendingRomaji(QStringView converted);

// Whether letters could still grow into a syllable ("k", "sh", "xts", "n"; not "q" or "kq").
bool couldBecomeKana(QStringView letters);

// One key typed at the cursor of a kana box: the box's text and cursor after the key, with the
// text before the cursor converted (its tail kept Latin) and the text after it left as it was.
struct TypedText {
    QString text;
    qsizetype cursor = 0;
};
TypedText convertBeforeCursor(const QString &text, qsizetype cursor, RomajiTail tail);

} // namespace ui

namespace ui {

// The saved choice of the rōmaji input, sous/roma.dll: the number 1 is on; 0, anything else, an
// unreadable or missing file is off.
bool loadRomajiSetting(const QString &path);
// Writes 1 or 0 through the shared settings writer; false when the file could not be written.
SaveResult saveRomajiSetting(const QString &path, bool on);

} // namespace ui
