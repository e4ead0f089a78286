#include "query/resultlayout.h"

#include "lexicon/lexicon.h"

namespace query {

QString dashedKanji(const QString &kanji)
{
    if (ciku::isKanjiMarker(kanji))
        return QStringLiteral("-----");
    return kanji;
}

QList<PlacedText> resultLine(const ciku::Lexicon &table, const Hit &hit)
{
    const QString chinese = table.text(hit.slot, 1);
    const QString kana = table.text(hit.slot, 2);
    const QString kanji = table.text(hit.slot, 3);
    const QString accent = table.text(hit.slot, 4);
    const QString pos = table.text(hit.slot, 5);
    switch (hit.source) {
    case Source::Riyu:
        return {{2, kana}, {26, dashedKanji(kanji)}, {45, chinese}, {77, accent}, {82, pos}};
    case Source::Dang:
        return {{2, kanji}, {20, kana}, {45, chinese}, {77, accent}, {82, pos}};
    case Source::Hanyu:
        break;
    }
    // A meaning lookup shows the kanji column as stored, markers included.
    return {{2, chinese}, {35, kana}, {59, kanji}, {78, accent}, {82, pos}};
}

std::array<Heading, 3> headingsFor(Source source)
{
    switch (source) {
    case Source::Riyu:
        return {{{QStringLiteral("假名"), 120},
                 {QStringLiteral("当用汉字形式"), 2940},
                 {QStringLiteral("汉语"), 5250}}};
    case Source::Dang:
        return {{{QStringLiteral("当用汉字形式"), 120},
                 {QStringLiteral("假名"), 2300},
                 {QStringLiteral("汉语"), 5300}}};
    case Source::Hanyu:
        break;
    }
    return {{{QStringLiteral("汉语"), 120},
             {QStringLiteral("日语"), 4100},
             {QStringLiteral("当用汉字形式"), 6720}}};
}

QList<DetailLine> detailLines(const ciku::Lexicon &table, int slot, const QString &info)
{
    const QString chinese = table.text(slot, 1);
    const QString kana = table.text(slot, 2);
    const QString kanji = table.text(slot, 3);
    QList<DetailLine> lines;
    if (info == u"1")
        lines = {{QStringLiteral("汉语"), chinese},
                 {QStringLiteral("日语"), kana},
                 {QStringLiteral("当用汉字"), dashedKanji(kanji)}};
    else if (info == u"2")
        lines = {{QStringLiteral("日语"), kana},
                 {QStringLiteral("当用汉字"), dashedKanji(kanji)},
                 {QStringLiteral("汉语"), chinese}};
    else if (info == u"3")
        lines = {{QStringLiteral("当用汉字"), kanji},
                 {QStringLiteral("日语"), kana},
                 {QStringLiteral("汉语"), chinese}};
    else
        return lines;
    lines.append({QStringLiteral("音调"), table.text(slot, 4)});
    lines.append({QStringLiteral("词性"), table.text(slot, 5)});
    return lines;
}

} // namespace query
