// The practice state of the other direction and of the repetition, without a window: the
// direction switch in the flash drill, the two list pairs and the flash drill's adds.
#include "lexicon/lessontable.h"
#include "lexicon/lexicon.h"
#include "practice/practicesession.h"

#include <QTest>

using namespace practice;

namespace {

QString field(int index, int number)
{
    ciku::fillLexicon();
    return ciku::lexicon().text(index, number);
}
QString meaningOf(int index)
{
    return field(index, 1);
}
QString kanaOf(int index)
{
    return field(index, 2);
}

PracticeSession sessionOver(const char *option)
{
    PracticeSession s;
    s.setRange(*ciku::practiceRangeFor(QString::fromLatin1(option)));
    return s;
}

// The entries of a list as "text/index" pairs, in order.
QStringList pairs(const WrongList &list)
{
    QStringList out;
    for (const auto &e : list.entries())
        out << e.text + u'/' + QString::number(e.index);
    return out;
}

QString pair(int index, bool kana)
{
    return (kana ? kanaOf(index) : meaningOf(index)) + u'/' + QString::number(index);
}

} // namespace

class PracticeDrillsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // In the flash drill a switch keeps the word on screen (no captions), but the order still
    // starts again towards Japanese-to-Chinese.
    void directionSwitchInTheFlashDrillKeepsTheWord()
    {
        PracticeSession s = sessionOver("u1");
        s.setPace(Pace::Flash);
        s.flashDraw(0);
        s.flashDraw(0);
        s.selectDirection(Direction::JapaneseToChinese);
        QCOMPARE(s.view().answer, kanaOf(2));
        QCOMPARE(s.view().question, meaningOf(2));
        QVERIFY(s.flashAdd());
        QCOMPARE(pairs(s.wrongList(Direction::JapaneseToChinese)), QStringList{pair(2, true)});
        QCOMPARE(s.flashDraw(0)->index, 1);
        s.selectDirection(Direction::ChineseToJapanese);
        QCOMPARE(s.view().answer, QString()); // the kana label is emptied
        QCOMPARE(s.view().question, meaningOf(1));
        QVERIFY(s.flashAdd());
        QCOMPARE(pairs(s.wrongList(Direction::ChineseToJapanese)), QStringList{pair(1, false)});
    }

    // Removing and clearing touch one pair only; the other direction's entries stay.
    void listPairOperations_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("removeRow"); // -1: clear the whole list instead
        QTest::addColumn<QStringList>("chinese");
        QTest::addColumn<QStringList>("japanese");
        const QStringList c{pair(1, false), pair(2, false), pair(3, false)};
        const QStringList j{pair(1, true), pair(2, true)};
        QTest::addRow("remove the second Chinese entry")
            << int(Direction::ChineseToJapanese) << 1 << QStringList{c[0], c[2]} << j;
        QTest::addRow("remove the first Japanese entry")
            << int(Direction::JapaneseToChinese) << 0 << c << QStringList{j[1]};
        QTest::addRow("remove past the end: nothing") << int(Direction::ChineseToJapanese) << 3 << c << j;
        QTest::addRow("clear the Japanese list")
            << int(Direction::JapaneseToChinese) << -1 << c << QStringList{};
        QTest::addRow("clear the Chinese list")
            << int(Direction::ChineseToJapanese) << -1 << QStringList{} << j;
    }
    void listPairOperations()
    {
        QFETCH(int, direction);
        QFETCH(int, removeRow);
        QFETCH(QStringList, chinese);
        QFETCH(QStringList, japanese);
        PracticeSession s = sessionOver("u1");
        for (int i = 0; i < 3; ++i) {
            s.startQuestion(0);
            s.judge(QString());
        }
        s.selectDirection(Direction::JapaneseToChinese);
        for (int i = 0; i < 2; ++i) {
            s.askRecall(0);
            s.revealRecall();
            s.addRecallWrong();
        }
        WrongList &list = s.wrongList(Direction(direction));
        if (removeRow < 0)
            list.clear();
        else
            list.removeAt(removeRow);
        QCOMPARE(pairs(s.wrongList(Direction::ChineseToJapanese)), chinese);
        QCOMPARE(pairs(s.wrongList(Direction::JapaneseToChinese)), japanese);
        // The drill that follows does not ask a removed word.
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

QTEST_GUILESS_MAIN(PracticeDrillsTest)
#include "tst_practicedrills.moc"
