#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <array>
#include <optional>

// The ciku module: the program's one word table, and the lesson tables beside it.
namespace ciku {

// One word. The texts point at constant data compiled into the program.
struct WordEntry {
    QStringView chinese;
    QStringView kana;
    QStringView kanji;
    QStringView accent;
    QStringView partOfSpeech;

    // Field 1..5 in the order above; an empty view for any other number.
    QStringView field(int number) const;
    // "空缺", "片假名" and the empty text all mean that the word has no kanji form.
    bool hasKanji() const;
};

// The two marker texts "空缺" and "片假名" that stand in the kanji field of a word without one.
bool isKanjiMarker(QStringView kanji);
// A marker or the empty text: the word has no kanji form.
bool isNoKanjiMarker(QStringView kanji);

// What stands where a kanji form is expected for a word that has none.
inline const QString kNoKanjiDash = QStringLiteral("-----");
// The kanji form as shown where one is expected: the dash for a word without one.
QString shownKanji(QStringView kanji);

// The most a box for one word (an answer, a lookup, a lesson number) takes, in UTF-16 units:
// many times the longest field of the table, in kana or in rōmaji, and little enough that a
// paste of a whole page is laid out in a moment.
constexpr int kWordBoxMaxLength = 256;

class Lexicon
{
public:
    static constexpr int kFirstSlot = 1;
    static constexpr int kLastSlot = 1650;

    static bool isValidIndex(int index) { return index >= kFirstSlot && index <= kLastSlot; }
    static bool isValidField(int field) { return field >= 1 && field <= 5; }

    // The slot at index 1..1650, or nullptr for an index outside the table.
    const WordEntry *entry(int index) const;
    // Field 1..5 of slot 1..1650; nullopt when either number is outside the table.
    std::optional<QStringView> field(int index, int field) const;
    // The same as text; an out-of-range request reads as the empty text. No copy is made.
    QString text(int index, int field) const;

private:
    friend void fillLexicon();
    std::array<WordEntry, kLastSlot> m_slots{};
};

// The one table of the process. Empty until the first fillLexicon().
Lexicon &lexicon();

// Writes the compiled-in data set into its slots: built-in words, the remaining lessons and
// drills, then the test words. Only copies of pointers and lengths; idempotent.
void fillLexicon();

} // namespace ciku
