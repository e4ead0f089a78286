#include "query/lookup.h"

#include "lexicon/lexicon.h"

namespace query {
namespace {

template <typename Match> QList<Hit> scan(const ciku::Lexicon &table, const QueryTexts &texts, Match match)
{
    // Trim once: the inputs cannot change while a scan runs.
    struct Needle {
        Source source;
        QString text;
    };
    QList<Needle> needles;
    for (Source s : kSources) {
        if (!texts.text(s).isEmpty())
            needles.append(Needle{s, trimBlanks(texts.text(s))});
    }
    QList<Hit> hits;
    if (needles.isEmpty())
        return hits;
    for (int slot = kFirstSearchedSlot; slot <= kLastSearchedSlot; ++slot) {
        const ciku::WordEntry *entry = table.entry(slot);
        if (!entry)
            continue;
        for (const Needle &n : needles) {
            if (match(entry->field(fieldNumber(n.source)), QStringView(n.text)))
                hits.append(Hit{slot, n.source});
        }
    }
    return hits;
}

} // namespace

const QString &QueryTexts::text(Source source) const
{
    switch (source) {
    case Source::Kana:
        return kana;
    case Source::Kanji:
        return kanji;
    case Source::Meaning:
        break;
    }
    return meaning;
}

std::optional<Source> QueryTexts::lastInUse() const
{
    if (!kanji.isEmpty())
        return Source::Kanji;
    if (!kana.isEmpty())
        return Source::Kana;
    if (!meaning.isEmpty())
        return Source::Meaning;
    return std::nullopt;
}

QString trimBlanks(QStringView text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start] == u' ')
        ++start;
    while (end > start && text[end - 1] == u' ')
        --end;
    return text.mid(start, end - start).toString();
}

QList<Hit> exactLookup(const ciku::Lexicon &table, const QueryTexts &texts)
{
    return scan(table, texts, [](QStringView field, QStringView needle) { return field == needle; });
}

QList<Hit> containsLookup(const ciku::Lexicon &table, const QueryTexts &texts)
{
    return scan(table, texts, [](QStringView field, QStringView needle) {
        return !field.isEmpty() && field.contains(needle, Qt::CaseSensitive);
    });
}

} // namespace query
