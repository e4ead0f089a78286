#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace ciku {
class Lexicon;
}

// The word lookups of the query window, as plain functions over the word table: they return
// the hits and leave the printing to the window.
namespace query {

// The slots a lookup visits; the drills and test words above them are never searched.
inline constexpr int kFirstSearchedSlot = 1;
inline constexpr int kLastSearchedSlot = 1513;

// Which input a text was typed in: the meaning (hanyu), the kana (riyu) or the kanji form
// (dang). Numbered as the word field the input is compared with, and as `info` shows it.
enum class Source { Meaning = 1, Kana = 2, Kanji = 3 };

inline constexpr Source kSources[] = {Source::Meaning, Source::Kana, Source::Kanji};

// The word field compared with an input: chinese (1), kana (2) or kanji (3).
inline int fieldNumber(Source source)
{
    return static_cast<int>(source);
}

// The texts of the three inputs as typed.
struct QueryTexts {
    QString meaning; // hanyu
    QString kana;    // riyu
    QString kanji;   // dang

    const QString &text(Source source) const;
    bool allEmpty() const { return meaning.isEmpty() && kana.isEmpty() && kanji.isEmpty(); }
    // The last input, in the order meaning, kana, kanji, that holds text.
    std::optional<Source> lastInUse() const;
};

struct Hit {
    int slot = 0;
    Source source = Source::Meaning;

    bool operator==(const Hit &o) const { return slot == o.slot && source == o.source; }
};

// Removes leading and trailing blanks (U+0020 only; a full-width space or a tab stays).
QString trimBlanks(QStringView text);

// Every slot whose field equals the trimmed text of an input that holds text, in slot order and
// within a slot in input order. The comparison is exact: case and hiragana versus katakana
// matter, and a trimmed text that is empty equals every unfilled field.
QList<Hit> exactLookup(const ciku::Lexicon &table, const QueryTexts &texts);

// Every slot whose non-empty field contains the trimmed text of an input that holds text, in
// the same order. An empty field contains nothing; an empty trimmed text is contained in every
// filled field.
QList<Hit> containsLookup(const ciku::Lexicon &table, const QueryTexts &texts);

} // namespace query
