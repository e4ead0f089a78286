// The word lookups of the query window, called directly on the word table.
#include "lexicon/lexicon.h"
#include "query/lookup.h"

#include <QtTest>

using query::containsLookup;
using query::exactLookup;
using query::Hit;
using query::QueryTexts;
using query::Source;

namespace {

QList<int> slotsOf(const QList<Hit> &hits, int upTo = query::kLastSearchedSlot)
{
    QList<int> out;
    for (const Hit &h : hits) {
        if (h.slot <= upTo)
            out << h.slot;
    }
    return out;
}

QueryTexts hanyu(const QString &t)
{
    return QueryTexts{t, QString(), QString()};
}
QueryTexts riyu(const QString &t)
{
    return QueryTexts{QString(), t, QString()};
}
QueryTexts dang(const QString &t)
{
    return QueryTexts{QString(), QString(), t};
}

QString field(int slot, Source s)
{
    return ciku::lexicon().text(slot, query::fieldNumber(s));
}

// The highest filled slot above the built-in words and within the searched range, 0 if none.
int highestFilledSlotAbove104()
{
    for (int slot = query::kLastSearchedSlot; slot > 104; --slot) {
        if (!ciku::lexicon().text(slot, 1).isEmpty())
            return slot;
    }
    return 0;
}

} // namespace

class TestQueryLookup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ciku::fillLexicon(); }

    void trimmingRemovesOnlyAsciiBlanks_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("trimmed");
        QTest::newRow("both sides") << QStringLiteral("  学生 ") << QStringLiteral("学生");
        QTest::newRow("inner blank kept") << QStringLiteral(" 学 生 ") << QStringLiteral("学 生");
        QTest::newRow("full-width kept") << QStringLiteral("\u3000学生 ") << QStringLiteral("\u3000学生");
        QTest::newRow("tab kept") << QStringLiteral("\t学生") << QStringLiteral("\t学生");
        QTest::newRow("blanks only") << QStringLiteral("   ") << QString();
        QTest::newRow("empty") << QString() << QString();
    }
    void trimmingRemovesOnlyAsciiBlanks()
    {
        QFETCH(QString, input);
        QFETCH(QString, trimmed);
        QCOMPARE(query::trimBlanks(input), trimmed);
    }

    void exactLookupMatchesWholeFieldOnly()
    {
        const QList<Hit> hits = exactLookup(ciku::lexicon(), hanyu(QStringLiteral("学生")));
        QVERIFY(!hits.isEmpty());
        QCOMPARE(hits.first(), (Hit{3, Source::Meaning}));
        // 留学生 (slot 4) contains 学生 but is not equal to it.
        QVERIFY(!slotsOf(hits).contains(4));
        for (const Hit &h : hits)
            QCOMPARE(field(h.slot, Source::Meaning), QStringLiteral("学生"));

        QCOMPARE(exactLookup(ciku::lexicon(), hanyu(QStringLiteral("  学生 "))), hits);
        QVERIFY(exactLookup(ciku::lexicon(), hanyu(QStringLiteral("学 生"))).isEmpty());
        QVERIFY(exactLookup(ciku::lexicon(), hanyu(QStringLiteral("学生\u3000"))).isEmpty());
        QVERIFY(exactLookup(ciku::lexicon(), QueryTexts{}).isEmpty());
    }

    void exactLookupByKanaAndKanji()
    {
        const QList<Hit> hai = exactLookup(ciku::lexicon(), riyu(QStringLiteral("はい")));
        QVERIFY(!hai.isEmpty());
        QCOMPARE(hai.first(), (Hit{6, Source::Kana}));

        // Hiragana and katakana are different characters.
        QVERIFY(slotsOf(exactLookup(ciku::lexicon(), riyu(QStringLiteral("アメリカ")))).contains(18));
        QVERIFY(!slotsOf(exactLookup(ciku::lexicon(), riyu(QStringLiteral("あめりか")))).contains(18));
        QVERIFY(containsLookup(ciku::lexicon(), riyu(QStringLiteral("あめりか"))).isEmpty());

        const QList<Hit> daigaku = exactLookup(ciku::lexicon(), dang(QStringLiteral("大学")));
        QCOMPARE(slotsOf(daigaku, 104), (QList<int>{15, 68}));
        for (const Hit &h : daigaku)
            QCOMPARE(h.source, Source::Kanji);
    }

    void hitsFollowSlotOrderThenInputOrder()
    {
        const QueryTexts both{QStringLiteral("大学"), QStringLiteral("だいがく"), QString()};
        const QList<Hit> hits = exactLookup(ciku::lexicon(), both);
        QList<Hit> builtIn;
        for (const Hit &h : hits) {
            if (h.slot <= 104)
                builtIn << h;
        }
        QCOMPARE(builtIn,
                 (QList<Hit>{
                     {15, Source::Meaning}, {15, Source::Kana}, {68, Source::Meaning}, {68, Source::Kana}}));
        for (qsizetype i = 1; i < hits.size(); ++i)
            QVERIFY(hits[i - 1].slot < hits[i].slot ||
                    (hits[i - 1].slot == hits[i].slot && hits[i - 1].source < hits[i].source));
    }

    void blanksOnlyMatchEveryUnfilledField()
    {
        // Trimmed to the empty text, the input equals every field that holds nothing.
        const QList<Hit> exact = exactLookup(ciku::lexicon(), riyu(QStringLiteral("   ")));
        QList<int> expected;
        for (int slot = 1; slot <= query::kLastSearchedSlot; ++slot) {
            if (field(slot, Source::Kana).isEmpty())
                expected << slot;
        }
        // With every slot of the searched span filled there is no such field and no hit.
        QCOMPARE(slotsOf(exact, 1650), expected);
        QVERIFY(!slotsOf(exact).contains(6));

        // By containment the empty text is inside every filled field, and never an empty one.
        const QList<Hit> fuzzy = containsLookup(ciku::lexicon(), riyu(QStringLiteral("  ")));
        QList<int> filled;
        for (int slot = 1; slot <= query::kLastSearchedSlot; ++slot) {
            if (!field(slot, Source::Kana).isEmpty())
                filled << slot;
        }
        QCOMPARE(slotsOf(fuzzy, 1650), filled);
        QCOMPARE(slotsOf(fuzzy, 104).size(), 104);
        // The untouched empty input finds nothing at all.
        QVERIFY(containsLookup(ciku::lexicon(), riyu(QString())).isEmpty());
    }

    void containmentFindsTheTextAnywhere_data()
    {
        QTest::addColumn<QString>("chinese");
        QTest::addColumn<QString>("kana");
        QTest::addColumn<QString>("kanji");
        QTest::addColumn<QList<int>>("builtIn");
        QTest::newRow("学 in meanings")
            << QStringLiteral("学") << QString() << QString() << QList<int>{3, 4, 15, 28, 45, 68, 98};
        QTest::newRow("学生 in meanings")
            << QStringLiteral("学生") << QString() << QString() << QList<int>{3, 4};
        QTest::newRow("日 in kanji") << QString() << QString() << QStringLiteral("日")
                                     << QList<int>{12, 76, 77, 78, 79, 80, 81, 82, 92, 99, 102};
        QTest::newRow("本 in kanji") << QString() << QString() << QStringLiteral("本") << QList<int>{12, 20};
        QTest::newRow("し in kana") << QString() << QStringLiteral("し") << QString()
                                    << QList<int>{1, 2, 5, 8, 9, 21, 24, 26, 29, 47, 50, 58, 69, 87, 101};
        QTest::newRow("blanks around")
            << QStringLiteral(" 学生  ") << QString() << QString() << QList<int>{3, 4};
    }
    void containmentFindsTheTextAnywhere()
    {
        QFETCH(QString, chinese);
        QFETCH(QString, kana);
        QFETCH(QString, kanji);
        QFETCH(QList<int>, builtIn);
        const QueryTexts texts{chinese, kana, kanji};
        const QList<Hit> hits = containsLookup(ciku::lexicon(), texts);
        QCOMPARE(slotsOf(hits, 104), builtIn);
        const Source source = *texts.lastInUse();
        const QString needle = query::trimBlanks(texts.text(source));
        for (const Hit &h : hits) {
            QCOMPARE(h.source, source);
            QVERIFY2(field(h.slot, source).contains(needle), qPrintable(QString::number(h.slot)));
        }
        // The exact hits are always among the containment hits.
        for (const Hit &h : exactLookup(ciku::lexicon(), texts))
            QVERIFY(hits.contains(h));
    }

    void testWordsAboveTheSearchedSlotsAreNeverFound()
    {
        // The seven test words sit in 1607-1613; make sure they are really in the table.
        QCOMPARE(ciku::lexicon().text(1607, 1), QStringLiteral("1"));
        QCOMPARE(ciku::lexicon().text(1613, 3), QStringLiteral("777"));
        for (int slot = query::kLastSearchedSlot + 1; slot <= ciku::Lexicon::kLastSlot; ++slot) {
            const QueryTexts texts{ciku::lexicon().text(slot, 1), ciku::lexicon().text(slot, 2),
                                   ciku::lexicon().text(slot, 3)};
            if (texts.allEmpty())
                continue;
            for (const Hit &h : exactLookup(ciku::lexicon(), texts))
                QVERIFY2(h.slot <= query::kLastSearchedSlot, qPrintable(QString::number(h.slot)));
            for (const Hit &h : containsLookup(ciku::lexicon(), texts))
                QVERIFY2(h.slot <= query::kLastSearchedSlot, qPrintable(QString::number(h.slot)));
        }
        QVERIFY(exactLookup(ciku::lexicon(), dang(QStringLiteral("777"))).isEmpty());
        QVERIFY(containsLookup(ciku::lexicon(), riyu(QStringLiteral("66"))).isEmpty());
    }

    void scanReachesTheLastSearchedSlot()
    {
        // Every filled word of the searched slots is found by its own meaning, kana and kanji
        // form, however far up the table it sits.
        int checked = 0;
        for (int slot = 1; slot <= query::kLastSearchedSlot; ++slot) {
            for (Source s : query::kSources) {
                const QString text = field(slot, s);
                if (text.isEmpty() || text != query::trimBlanks(text))
                    continue;
                QueryTexts texts;
                (s == Source::Meaning ? texts.meaning : s == Source::Kana ? texts.kana : texts.kanji) = text;
                QVERIFY2(exactLookup(ciku::lexicon(), texts).contains(Hit{slot, s}), qPrintable(text));
                QVERIFY2(containsLookup(ciku::lexicon(), texts).contains(Hit{slot, s}), qPrintable(text));
                ++checked;
            }
        }
        QVERIFY(checked >= 300);

        const int high = highestFilledSlotAbove104();
        if (high == 0)
            QSKIP("No word above slot 104 is in the table yet; lessons 5-49 are still to come.");
        const QString meaning = ciku::lexicon().text(high, 1);
        QVERIFY(slotsOf(exactLookup(ciku::lexicon(), hanyu(meaning))).contains(high));
        if (high < 1491)
            QSKIP("The words of the last lessons (slots 1491-1513) are not in the table yet.");
    }
};

QTEST_GUILESS_MAIN(TestQueryLookup)
#include "tst_querylookup.moc"
