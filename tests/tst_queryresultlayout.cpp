// Where the query window places the texts of a hit, read without a window: the printed result
// line, the column headings it sets and the labelled lines of the details view.
#include "lexicon/lexicon.h"
#include "query/resultlayout.h"

#include <QtTest>

using query::DetailLine;
using query::Heading;
using query::Hit;
using query::Source;
using ui::PlacedText;

namespace {

QString word(int slot, int field)
{
    return ciku::lexicon().text(slot, field);
}

QStringList placed(const ui::TextRow &line)
{
    QStringList out;
    for (const PlacedText &p : line)
        out << QString::number(p.column) + u':' + p.text;
    return out;
}

QStringList details(const QList<DetailLine> &lines)
{
    QStringList out;
    for (const DetailLine &d : lines)
        out << d.label + u'=' + d.value;
    return out;
}

} // namespace

class TestQueryResultLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ciku::fillLexicon(); }

    // --- the printed result line ---

    void meaningHitLine()
    {
        QCOMPARE(placed(query::resultLine(ciku::lexicon(), Hit{3, Source::Meaning})),
                 (QStringList{"2:学生", "35:がくせい", "59:学生", "78:0", "82:名词"}));
        // The kanji column of a meaning hit shows the marker as stored.
        QCOMPARE(placed(query::resultLine(ciku::lexicon(), Hit{6, Source::Meaning})),
                 (QStringList{"2:是的", "35:はい", "59:空缺", "78:1", "82:感叹"}));
    }

    void kanaHitLineDashesBothMarkers()
    {
        QCOMPARE(placed(query::resultLine(ciku::lexicon(), Hit{6, Source::Kana})),
                 (QStringList{"2:はい", "26:-----", "45:是的", "77:1", "82:感叹"}));
        QCOMPARE(word(94, 3), QStringLiteral("片假名"));
        QCOMPARE(placed(query::resultLine(ciku::lexicon(), Hit{94, Source::Kana})),
                 (QStringList{"2:バス", "26:-----", "45:公共汽车", "77:1", "82:名词"}));
        QCOMPARE(placed(query::resultLine(ciku::lexicon(), Hit{12, Source::Kana})),
                 (QStringList{"2:にほん", "26:日本", "45:日本", "77:2", "82:名词"}));
    }

    void kanjiHitLine()
    {
        QCOMPARE(placed(query::resultLine(ciku::lexicon(), Hit{12, Source::Kanji})),
                 (QStringList{"2:日本", "20:にほん", "45:日本", "77:2", "82:名词"}));
    }

    void everySearchedSlotKeepsItsColumns()
    {
        // Whatever the word, the columns of a line depend only on the input that hit, and only a
        // kana line dashes a marker.
        const QList<int> columns[] = {{2, 35, 59, 78, 82}, {2, 26, 45, 77, 82}, {2, 20, 45, 77, 82}};
        for (int slot = 1; slot <= query::kLastSearchedSlot; ++slot) {
            for (Source s : query::kSources) {
                const ui::TextRow line = query::resultLine(ciku::lexicon(), Hit{slot, s});
                QList<int> got;
                for (const PlacedText &p : line)
                    got << p.column;
                QCOMPARE(got, columns[int(s) - 1]);
            }
            const QString kanji = word(slot, 3);
            const QString kanaLineKanji =
                query::resultLine(ciku::lexicon(), Hit{slot, Source::Kana}).at(1).text;
            if (kanji == u"空缺" || kanji == u"片假名")
                QCOMPARE(kanaLineKanji, QStringLiteral("-----"));
            else
                QCOMPARE(kanaLineKanji, kanji);
            QCOMPARE(query::resultLine(ciku::lexicon(), Hit{slot, Source::Meaning}).at(2).text, kanji);
            QCOMPARE(query::resultLine(ciku::lexicon(), Hit{slot, Source::Kanji}).at(0).text, kanji);
        }
    }

    // --- the headings a hit sets ---

    void headingsFollowTheInputThatHit()
    {
        using H = std::array<Heading, 3>;
        QCOMPARE(query::headingsFor(Source::Meaning), (H{{{QStringLiteral("汉语"), 120},
                                                          {QStringLiteral("日语"), 4100},
                                                          {QStringLiteral("当用汉字形式"), 6720}}}));
        QCOMPARE(query::headingsFor(Source::Kana), (H{{{QStringLiteral("假名"), 120},
                                                       {QStringLiteral("当用汉字形式"), 2940},
                                                       {QStringLiteral("汉语"), 5250}}}));
        QCOMPARE(query::headingsFor(Source::Kanji), (H{{{QStringLiteral("当用汉字形式"), 120},
                                                        {QStringLiteral("假名"), 2300},
                                                        {QStringLiteral("汉语"), 5300}}}));
    }

    // --- the details view ---

    void detailsOrderFollowsTheInput_data()
    {
        QTest::addColumn<Source>("source");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("meaning") << Source::Meaning
                                 << QStringList{"汉语=是的", "日语=はい", "当用汉字=-----", "音调=1",
                                                "词性=感叹"};
        QTest::newRow("kana") << Source::Kana
                              << QStringList{"日语=はい", "当用汉字=-----", "汉语=是的", "音调=1",
                                             "词性=感叹"};
        QTest::newRow("kanji") << Source::Kanji
                               << QStringList{"当用汉字=空缺", "日语=はい", "汉语=是的", "音调=1",
                                              "词性=感叹"};
    }
    void detailsOrderFollowsTheInput()
    {
        QFETCH(Source, source);
        QFETCH(QStringList, lines);
        QCOMPARE(details(query::detailLines(ciku::lexicon(), 6, source)), lines);
    }

    void detailsOfAKanjiWord()
    {
        QCOMPARE(details(query::detailLines(ciku::lexicon(), 3, Source::Meaning)),
                 (QStringList{"汉语=学生", "日语=がくせい", "当用汉字=学生", "音调=0", "词性=名词"}));
        QCOMPARE(details(query::detailLines(ciku::lexicon(), 94, Source::Kana)).at(1),
                 QStringLiteral("当用汉字=-----"));
    }
};

QTEST_MAIN(TestQueryResultLayout)
#include "tst_queryresultlayout.moc"
