// The practice state without a window: a user's way through range, questions, answers, hints,
// the wrong-word list and its drill, as the window drives it.
#include "lexicon/lessontable.h"
#include "lexicon/lexicon.h"
#include "practice/practicesession.h"

#include <QTest>

using namespace practice;

namespace {

QString kanaOf(int index)
{
    ciku::fillLexicon();
    return ciku::lexicon().text(index, 2);
}

QString meaningOf(int index)
{
    ciku::fillLexicon();
    return ciku::lexicon().text(index, 1);
}

PracticeSession sessionOver(const char *option)
{
    PracticeSession s;
    s.setRange(*ciku::practiceRangeFor(QString::fromLatin1(option)));
    return s;
}

} // namespace

class PracticeSessionTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nothingIsDrawnBeforeARangeIsChosen()
    {
        PracticeSession s;
        QVERIFY(!s.hasRange());
        QVERIFY(!s.drawNext(0.5));
        QVERIFY(!s.startQuestion(0.5));
        s.setOrder(Order::Random);
        QVERIFY(!s.ask(0.99));
        QCOMPARE(s.currentIndex(), 0);
        QCOMPARE(s.questionCount(), 0);
        QVERIFY(!s.drawn());
        QCOMPARE(s.view().question, QStringLiteral("这里将显示汉语（题目）"));
    }

    // The end of the range comes with the last word; the order then starts again. A random draw
    // and "从头再来" send it back to the first word too.
    void orderRestarts()
    {
        PracticeSession s = sessionOver("ceshi"); // 1607..1613
        for (int i = 0; i < 6; ++i)
            QVERIFY(!s.ask(0)->endOfRange);
        QCOMPARE(s.currentIndex(), 1612);
        const auto last = s.ask(0);
        QCOMPARE(last->index, 1613);
        QVERIFY(last->endOfRange);
        QCOMPARE(s.ask(0)->index, 1607);
        QCOMPARE(s.ask(0)->index, 1608);

        s.setOrder(Order::Random);
        const int random = s.ask(0.99)->index;
        QCOMPARE(random, 1613);
        s.setOrder(Order::Sequential);
        QCOMPARE(s.ask(0)->index, 1607);
        s.restartOrder();
        QCOMPARE(s.ask(0)->index, 1607);
        s.setRange(*ciku::practiceRangeFor(u"l5"));
        QCOMPARE(s.ask(0)->index, 105);
        QCOMPARE(s.questionCount(), 13);
    }

    // The drill asks the listed words from the front; a word answered wrong again goes to the
    // back; an empty list ends the drill.
    void wrongWordDrill()
    {
        PracticeSession s = sessionOver("u1");
        for (int i = 0; i < 3; ++i) {
            s.startQuestion(0);
            s.judge(QString());
        }
        QVERIFY(s.askWrong());
        QVERIFY(s.reviewMode());
        QCOMPARE(s.currentIndex(), 1);
        QCOMPARE(s.view().question, meaningOf(1));
        QVERIFY(!s.view().kanjiShown);
        QVERIFY(s.judge(kanaOf(1)));
        s.updateCaption();
        QCOMPARE(*s.caption(), QStringLiteral("单词练习---"));
        QVERIFY(s.askWrong());
        QCOMPARE(s.currentIndex(), 2);
        QVERIFY(!s.judge(QStringLiteral("x")));
        QVERIFY(s.askWrong());
        QCOMPARE(s.currentIndex(), 3);
        QVERIFY(s.judge(kanaOf(3)));
        QVERIFY(s.askWrong());
        QCOMPARE(s.currentIndex(), 2); // the fourth question of the drill
        QVERIFY(s.judge(kanaOf(2)));
        QCOMPARE(s.questionCount(), 3); // drill questions are not counted
        QVERIFY(!s.askWrong());
        QVERIFY(!s.reviewMode());
        QCOMPARE(s.rightCount(), 3);
        QCOMPARE(s.wrongCount(), 4);
    }

    void wrongListOperations()
    {
        WrongList list;
        QVERIFY(!list.takeFront());
        list.add(QStringLiteral("我"), 1);
        list.add(QStringLiteral("学生"), 3);
        list.add(QStringLiteral("老师"), 57);
        QVERIFY(!list.removeAt(3));
        QVERIFY(!list.removeAt(-1));
        QVERIFY(list.removeAt(1));
        QCOMPARE(list.texts(), (QStringList{"我", "老师"}));
        QCOMPARE(list.indexTexts(), (QStringList{"1", "57"}));
        const auto front = list.takeFront();
        QCOMPARE(front->index, 1);
        list.appendBack(*front);
        QCOMPARE(list.indexTexts(), (QStringList{"57", "1"}));
        list.clear();
        QVERIFY(list.isEmpty());
    }
};

QTEST_GUILESS_MAIN(PracticeSessionTest)
#include "tst_practicesession.moc"
