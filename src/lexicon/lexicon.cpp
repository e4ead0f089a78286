#include "lexicon/lexicon.h"

namespace ciku {

namespace {

// A field: where its text starts in kText and how many UTF-16 units it has.
struct Text {
    quint32 offset;
    quint32 length;
};

struct Row {
    int index;
    Text fields[5];
};

// kText, every field's text one after another, and kRows, in ascending index order so that one
// pass writes the built-in words, then the further lessons and drills, then the test words.
#include "lexicondata.inc"

QStringView view(const Text &t)
{
    return QStringView(kText + t.offset, qsizetype(t.length));
}

} // namespace

QStringView WordEntry::field(int number) const
{
    switch (number) {
    case 1:
        return chinese;
    case 2:
        return kana;
    case 3:
        return kanji;
    case 4:
        return accent;
    case 5:
        return partOfSpeech;
    default:
        return {};
    }
}

bool isKanjiMarker(QStringView kanji)
{
    return kanji == u"空缺" || kanji == u"片假名";
}

bool isNoKanjiMarker(QStringView kanji)
{
    return kanji.isEmpty() || isKanjiMarker(kanji);
}

QString shownKanji(QStringView kanji)
{
    return isNoKanjiMarker(kanji) ? kNoKanjiDash : kanji.toString();
}

bool WordEntry::hasKanji() const
{
    return !isNoKanjiMarker(kanji);
}

const WordEntry *Lexicon::entry(int index) const
{
    if (!isValidIndex(index))
        return nullptr;
    return &m_slots[static_cast<std::size_t>(index - kFirstSlot)];
}

std::optional<QStringView> Lexicon::field(int index, int fieldNumber) const
{
    const WordEntry *e = entry(index);
    if (!e || !isValidField(fieldNumber))
        return std::nullopt;
    return e->field(fieldNumber);
}

QString Lexicon::text(int index, int fieldNumber) const
{
    const auto f = field(index, fieldNumber);
    if (!f || f->isEmpty())
        return QString();
    // The data is static and lives as long as the program, so no copy is needed.
    return QString::fromRawData(reinterpret_cast<const QChar *>(f->utf16()), f->size());
}

Lexicon &lexicon()
{
    static Lexicon table;
    return table;
}

void fillLexicon()
{
    Lexicon &table = lexicon();
    for (const Row &row : kRows) {
        WordEntry &slot = table.m_slots[static_cast<std::size_t>(row.index - Lexicon::kFirstSlot)];
        slot.chinese = view(row.fields[0]);
        slot.kana = view(row.fields[1]);
        slot.kanji = view(row.fields[2]);
        slot.accent = view(row.fields[3]);
        slot.partOfSpeech = view(row.fields[4]);
    }
}

} // namespace ciku
