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

    void firstQuestionOfUnitOne()
    {
        PracticeSession s = sessionOver("u1");
        QCOMPARE(s.cursor(), 1);
        const auto draw = s.startQuestion(0.5);
        QVERIFY(draw);
        QCOMPARE(draw->index, 1);
        QVERIFY(!draw->endOfRange);
        QCOMPARE(s.view().question, QStringLiteral("我"));
        QCOMPARE(s.view().answer, QStringLiteral("わたし"));
        QCOMPARE(s.view().kanji, QStringLiteral("私"));
        QCOMPARE(s.view().picture, Picture::Start);
        QCOMPARE(s.cursor(), 2);
        QCOMPARE(s.questionCount(), 1);
        QVERIFY(s.drawn() && !s.begun());
        QVERIFY(!s.caption()); // the window keeps its own caption until the first check
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

    void displayModeActsAtTheNextQuestion()
    {
        PracticeSession s = sessionOver("u1");
        s.ask(0);
        QCOMPARE(s.view().look, AnswerLook::Hidden);
        QVERIFY(!s.view().kanjiShown && !s.view().accentShown);
        s.setDisplayMode(DisplayMode::Learn);
        QCOMPARE(s.view().look, AnswerLook::Hidden);
        s.ask(0);
        QCOMPARE(s.view().look, AnswerLook::Learning);
        QVERIFY(s.view().kanjiShown && s.view().accentShown);
        QCOMPARE(s.view().answer, kanaOf(2)); // the answer is there in either mode
    }

    void wrongAnswersAreListedInOrder()
    {
        PracticeSession s = sessionOver("u1");
        s.startQuestion(0);
        for (int i = 0; i < 3; ++i) {
            QVERIFY(!s.judge(kanaOf(s.currentIndex()) + u' '));
            QCOMPARE(s.view().look, AnswerLook::Wrong);
            QVERIFY(s.view().kanjiShown && s.view().accentShown);
            QCOMPARE(s.view().remark, QStringLiteral("错了  加油"));
            QCOMPARE(s.view().picture, Picture::Wrong);
            s.updateCaption();
            if (i < 2)
                s.startQuestion(0);
        }
        const WrongList &list = s.wrongList(Direction::ChineseToJapanese);
        QCOMPARE(list.texts(), (QStringList{meaningOf(1), meaningOf(2), meaningOf(3)}));
        QCOMPARE(list.indexTexts(), (QStringList{"1", "2", "3"}));
        QVERIFY(s.wrongList(Direction::JapaneseToChinese).isEmpty());
        QCOMPARE(*s.caption(), QStringLiteral("单词练习---（一共练习3个词，打对了0个，打错了3个）"));
        QVERIFY(s.begun());
    }

    void rightAnswerCountsTheNextWord()
    {
        PracticeSession s = sessionOver("u1");
        s.startQuestion(0);
        QVERIFY(s.judge(QStringLiteral("わたし")));
        QCOMPARE(s.view().remark, QStringLiteral("正确  继续"));
        QCOMPARE(s.view().picture, Picture::Right);
        s.ask(0); // the window draws the next word at once
        s.updateCaption();
        QCOMPARE(*s.caption(), QStringLiteral("单词练习---（一共练习2个词，打对了1个，打错了0个）"));
        QCOMPARE(s.view().remark, QStringLiteral("正确  继续")); // stays with the next word
        QCOMPARE(s.view().question, meaningOf(2));
        QVERIFY(s.wrongList(Direction::ChineseToJapanese).isEmpty());
    }

    // Length, kanji form, then the answer, which lists the word without counting it; a wrong
    // answer after that lists it a second time.
    void hintStages()
    {
        PracticeSession s = sessionOver("u1");
        s.startQuestion(0);
        QCOMPARE(s.view().hintStage, 1);
        QVERIFY(s.view().lengthHintEnabled);
        s.hintLength();
        QCOMPARE(s.view().hintText, QStringLiteral("本单词一共有 3 个字符"));
        QVERIFY(s.view().accentShown && !s.view().kanjiShown);
        QCOMPARE(s.view().hintStage, 2);
        s.hintKanji();
        QVERIFY(s.view().kanjiShown);
        QCOMPARE(s.view().hintStage, 3);
        s.revealAnswer();
        QCOMPARE(s.view().hintStage, 0);
        QCOMPARE(s.view().look, AnswerLook::Revealed);
        QCOMPARE(s.view().hintText, QStringLiteral("请按照显示的答案打一遍 以加深印象。"));
        QCOMPARE(s.wrongList(Direction::ChineseToJapanese).size(), 1);
        QCOMPARE(s.wrongCount(), 0);
        QVERIFY(!s.judge(QStringLiteral("わたしは")));
        QCOMPARE(s.wrongCount(), 1);
        QCOMPARE(s.wrongList(Direction::ChineseToJapanese).indexTexts(), (QStringList{"1", "1"}));
        QVERIFY(s.view().hintText.isEmpty());
        QVERIFY(!s.view().lengthHintEnabled);
        s.ask(0);
        QCOMPARE(s.view().hintStage, 1);
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
