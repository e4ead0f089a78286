#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace ui {

// The kind of installed face used for a face of the design the table does not know.
enum class Fallback { Sans, Serif };

// The language of a shown text. Chinese and Japanese share code points but not glyph forms; the
// CJK collection installed here holds a face for each, so the language picks the face.
enum class TextLanguage { Chinese, Japanese };

// What the program draws a face of the design in: an installed family, and whether a bold
// request keeps its weight. Every face the windows name is resolved through this table once,
// so no font lookup has to search the system for a face that is not installed.
struct InstalledFace {
    enum class Kind { CjkSans, CjkSerif, LatinCondensed, LatinSans };
    Kind kind = Kind::CjkSans;
    // False for the serif faces and the start window's display face: they are drawn in the
    // regular weight only, so the start window maps one CJK font file and a whole session at
    // most three (sans regular and bold, serif regular).
    bool keepsBold = true;

    bool operator==(const InstalledFace &o) const { return kind == o.kind && keepsBold == o.keepsBold; }
};

// The table: the installed face for a face the design names (Chinese or Windows name).
InstalledFace installedFace(const QString &designFace, Fallback fallback = Fallback::Sans);
// The family list of a font drawn in that face for text of the given language: an installed
// family first, and for a Latin face the CJK face of the language behind it.
QStringList installedFamilies(const InstalledFace &face, TextLanguage language);
// Japanese when the text holds kana (a kanji-only text reads as Chinese).
TextLanguage languageOf(const QString &text);
// The font with its CJK families switched to the faces of the given language.
QFont inLanguage(const QFont &font, TextLanguage language);

// A face of the design, given by name (several names where the face is known by more than one;
// the first the table knows decides), in the installed face the table maps it to.
QFont designFont(const QStringList &faces, qreal points, bool bold = false,
                 Fallback fallback = Fallback::Sans, TextLanguage language = TextLanguage::Chinese);

} // namespace ui
