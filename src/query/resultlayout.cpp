#include "query/resultlayout.h"

#include "lexicon/lexicon.h"

namespace query {

ui::TextRow resultLine(const ciku::Lexicon &table, const Hit &hit)
{
    const QString chinese = table.text(hit.slot, 1);
    const QString kana = table.text(hit.slot, 2);
    const QString kanji = table.text(hit.slot, 3);
    const QString accent = table.text(hit.slot, 4);
    const QString pos = table.text(hit.slot, 5);
    switch (hit.source) {
    case Source::Kana:
        return {{2, kana}, {26, ciku::shownKanji(kanji)}, {45, chinese}, {77, accent}, {82, pos}};
    case Source::Kanji:
        return {{2, kanji}, {20, kana}, {45, chinese}, {77, accent}, {82, pos}};
    case Source::Meaning:
        break;
    }
    // A meaning lookup shows the kanji column as stored, markers included.
    return {{2, chinese}, {35, kana}, {59, kanji}, {78, accent}, {82, pos}};
}

int kanaColumn(Source source)
{
    switch (source) {
    case Source::Kana:
        return 2;
    case Source::Kanji:
        return 20;
    case Source::Meaning:
        break;
    }
    return 35;
}

std::array<Heading, 3> headingsFor(Source source)
{
    switch (source) {
    case Source::Kana:
        return {{{QStringLiteral("假名"), 120},
                 {QStringLiteral("当用汉字形式"), 2940},
                 {QStringLiteral("汉语"), 5250}}};
    case Source::Kanji:
        return {{{QStringLiteral("当用汉字形式"), 120},
                 {QStringLiteral("假名"), 2300},
                 {QStringLiteral("汉语"), 5300}}};
    case Source::Meaning:
        break;
    }
    return {{{QStringLiteral("汉语"), 120},
             {QStringLiteral("日语"), 4100},
             {QStringLiteral("当用汉字形式"), 6720}}};
}

QList<DetailLine> detailLines(const ciku::Lexicon &table, int slot, Source source)
{
    const QString chinese = table.text(slot, 1);
    const QString kana = table.text(slot, 2);
    const QString kanji = table.text(slot, 3);
    QList<DetailLine> lines;
    switch (source) {
    case Source::Meaning:
        lines = {{QStringLiteral("汉语"), chinese},
                 {kKanaDetailLabel, kana},
                 {QStringLiteral("当用汉字"), ciku::shownKanji(kanji)}};
        break;
    case Source::Kana:
        lines = {{kKanaDetailLabel, kana},
                 {QStringLiteral("当用汉字"), ciku::shownKanji(kanji)},
                 {QStringLiteral("汉语"), chinese}};
        break;
    case Source::Kanji:
        lines = {
            {QStringLiteral("当用汉字"), kanji}, {kKanaDetailLabel, kana}, {QStringLiteral("汉语"), chinese}};
        break;
    }
    lines.append({QStringLiteral("音调"), table.text(slot, 4)});
    lines.append({QStringLiteral("词性"), table.text(slot, 5)});
    return lines;
}

} // namespace query
