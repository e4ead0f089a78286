// The practice state without a window: no draw before a range, the order's restarts and what
// counts, the direction switch in the flash drill, the two list pairs and the flash drill's adds.
#include "lexicon/lessontable.h"
#include "lexicon/lexicon.h"
#include "practice/practicesession.h"

#include <QTest>

using namespace practice;

namespace {

PracticeSession sessionOver(const char *option)
{
    PracticeSession s;
    s.setRange(*ciku::practiceRangeFor(QString::fromLatin1(option)));
    return s;
}

// A list entry as "text/index": the meaning (or kana) of the word and its index.
QString pair(int index, bool kana)
{
    ciku::fillLexicon();
    return ciku::lexicon().text(index, kana ? 2 : 1) + u'/' + QString::number(index);
}

QStringList pairs(const WrongList &list)
{
    QStringList out;
    for (const auto &e : list.entries())
        out << e.text + u'/' + QString::number(e.index);
    return out;
}

} // namespace

class PracticeSessionTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nothingIsDrawnBeforeARangeIsChosen()
    {
        PracticeSession s;
        QVERIFY(!s.startQuestion(0.5) && !s.askRecall(0.5) && !s.flashDraw(0.5));
        s.setOrder(Order::Random);
        QVERIFY(!s.ask(0.99));
        QCOMPARE(s.currentIndex(), 0);
        QCOMPARE(s.questionCount(), 0);
        QVERIFY(!s.drawn());
    }

    // A random draw, "从头再来" and a new range send the order back to the first word; only the
    // Chinese-to-Japanese questions count.
    void orderRestartsAndCount()
    {
        PracticeSession s = sessionOver("ceshi"); // 1607..1613
        s.ask(0);
        s.ask(0);
        s.setOrder(Order::Random);
        QCOMPARE(s.ask(0.99)->index, 1613);
        s.setOrder(Order::Sequential);
        QCOMPARE(s.ask(0)->index, 1607);
        s.restartOrder();
        QCOMPARE(s.askRecall(0)->index, 1607);
        QCOMPARE(s.flashDraw(0)->index, 1608);
        s.setRange(*ciku::practiceRangeFor(u"l5"));
        QCOMPARE(s.ask(0)->index, 105);
        QCOMPARE(s.questionCount(), 5);
    }

    // In the flash drill a switch keeps the word on screen (no captions), but the order still
    // starts again towards Japanese-to-Chinese (only), and "添加" fills the selected direction's list.
    void directionSwitchInTheFlashDrill()
    {
        PracticeSession s = sessionOver("u1");
        s.setPace(Pace::Flash);
        s.flashDraw(0);
        s.flashDraw(0);
        s.selectDirection(Direction::JapaneseToChinese);
        QVERIFY(s.flashAdd());
        QCOMPARE(pairs(s.wrongList(Direction::JapaneseToChinese)), QStringList{pair(2, true)});
        QCOMPARE(s.flashDraw(0)->index, 1);
        s.selectDirection(Direction::ChineseToJapanese);
        QCOMPARE(s.view().answer, QString()); // the kana label is emptied
        QVERIFY(s.flashAdd());
        QCOMPARE(pairs(s.wrongList(Direction::ChineseToJapanese)), QStringList{pair(1, false)});
        QCOMPARE(s.flashDraw(0)->index, 2); // no restart this way
    }

    // Removing and clearing touch one pair only; the drill that follows does not ask a removed
    // word. Rows that do not exist remove nothing.
    void listPairOperations_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("chinese");
        QTest::addColumn<QStringList>("japanese");
        const QStringList c{pair(1, false), pair(2, false), pair(3, false)};
        const QStringList j{pair(1, true), pair(2, true)};
        const int cj = int(Direction::ChineseToJapanese), jc = int(Direction::JapaneseToChinese);
        QTest::addRow("remove the second Chinese entry") << cj << "1" << QStringList{c[0], c[2]} << j;
        QTest::addRow("remove the first Japanese entry") << jc << "0" << c << QStringList{j[1]};
        QTest::addRow("remove past the end") << cj << "3" << c << j;
        QTest::addRow("remove before the start") << jc << "-1" << c << j;
        QTest::addRow("clear the Japanese list") << jc << "clear" << c << QStringList{};
        QTest::addRow("clear the Chinese list") << cj << "clear" << QStringList{} << j;
    }
    void listPairOperations()
    {
        QFETCH(int, direction);
        QFETCH(QString, action);
        QFETCH(QStringList, chinese);
        QFETCH(QStringList, japanese);
        PracticeSession s = sessionOver("u1");
        for (int i = 0; i < 3; ++i) {
            s.press(Control::Draw, QString(), 0);
            s.press(Control::Check, QString(), 0);
        }
        s.selectDirection(Direction::JapaneseToChinese);
        for (int i = 0; i < 2; ++i) {
            s.askRecall(0);
            s.revealRecall();
            s.addRecallWrong();
        }
        WrongList &list = s.wrongList(Direction(direction));
        if (action == u"clear")
            list.clear();
        else
            list.removeAt(action.toInt());
        QCOMPARE(pairs(s.wrongList(Direction::JapaneseToChinese)), japanese);
        s.selectDirection(Direction::ChineseToJapanese);
        QStringList asked;
        while (s.askWrong())
            asked << pair(s.currentIndex(), false);
        QCOMPARE(asked, chinese);
    }

    // "添加" needs a word on screen: not the captions of a fresh window, nor after a switch
    // that put them back; a word of the normal practice still on screen counts.
    void flashAddNeedsAWord()
    {
        PracticeSession s = sessionOver("u1");
        s.setPace(Pace::Flash);
        QVERIFY(!s.flashAdd());
        s.setPace(Pace::Normal);
        s.startQuestion(0);
        s.setPace(Pace::Flash);
        QVERIFY(s.flashAdd());
        s.setPace(Pace::Normal);
        s.selectDirection(Direction::JapaneseToChinese);
        s.setPace(Pace::Flash);
        QVERIFY(!s.flashAdd());
        QCOMPARE(pairs(s.wrongList(Direction::ChineseToJapanese)), QStringList{pair(1, false)});
        QVERIFY(s.wrongList(Direction::JapaneseToChinese).isEmpty());
    }
};

QTEST_GUILESS_MAIN(PracticeSessionTest)
#include "tst_practicesession.moc"
