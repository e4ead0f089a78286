// The practice state without a window: no draw before a range, the order's restarts and what
// counts, the direction switch in the flash drill, the two list pairs and the flash drill's adds.
#include "lexicon/lessontable.h"
#include "lexicon/lexicon.h"
#include "practice/answerexplain.h"
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

// Runs a script of user steps on the session and returns the effects of the last one:
// draw / right / wrong / drill (the typed practice's buttons), rihan / hanri (the directions),
// recall (the Japanese-to-Chinese "出题"), tick (one second of the flash clock).
Effects run(PracticeSession &s, const QString &steps)
{
    Effects last;
    for (const QString &step : steps.split(u' ', Qt::SkipEmptyParts)) {
        if (step == u"draw")
            last = s.press(Control::Draw, QString(), 0);
        else if (step == u"right")
            last = s.press(Control::Check, s.view().answer, 0);
        else if (step == u"wrong")
            last = s.press(Control::Check, QStringLiteral("x"), 0);
        else if (step == u"drill")
            last = s.press(Control::Drill, QString(), 0);
        else if (step == u"recall")
            last = s.press(Control::RecallDraw, QString(), 0);
        else if (step == u"tick")
            last = s.tickClock(0);
        else
            last = s.selectDirection(step == u"rihan" ? Direction::JapaneseToChinese
                                                      : Direction::ChineseToJapanese);
    }
    return last;
}

QString meaningOf(int index)
{
    ciku::fillLexicon();
    return ciku::lexicon().text(index, 1);
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

    // "验证" judges only a question on screen, once; every question asked counts as practised,
    // the drill's too, so the score never says more were answered than practised.
    void checkingAndScore_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("checkable");
        QTest::addColumn<QString>("score"); // practised/right/wrong after the steps
        QTest::addRow("before the first draw") << "" << false << "0/0/0";
        QTest::addRow("a question on screen") << "draw" << true << "1/0/0";
        QTest::addRow("a right answer asks the next") << "draw right" << true << "2/1/0";
        QTest::addRow("a wrong answer is judged once") << "draw wrong" << false << "1/0/1";
        QTest::addRow("after switching direction and back") << "draw rihan hanri" << false << "1/0/0";
        QTest::addRow("after the flash clock drew a word") << "draw tick" << false << "1/0/0";
        QTest::addRow("a drill question") << "draw wrong drill" << true << "2/0/1";
        QTest::addRow("after the drill ran out")
            << "draw wrong draw wrong drill right right" << false << "4/2/2";
        QTest::addRow("a drill word wrong again") << "draw wrong drill wrong drill right" << false << "3/1/2";
    }
    void checkingAndScore()
    {
        QFETCH(QString, steps);
        QFETCH(bool, checkable);
        QFETCH(QString, score);
        PracticeSession s = sessionOver("u1");
        run(s, steps);
        QCOMPARE(s.view().isEnabled(Control::Check), checkable);
        const auto scoreNow = [&s] {
            return QStringLiteral("%1/%2/%3").arg(s.questionCount()).arg(s.rightCount()).arg(s.wrongCount());
        };
        QCOMPARE(scoreNow(), score);
        const int listed = s.wrongList(Direction::ChineseToJapanese).size();
        run(s, QStringLiteral("wrong")); // "验证" again, or Enter on it
        QCOMPARE(s.wrongCount() - score.section(u'/', 2).toInt(), checkable ? 1 : 0);
        QCOMPARE(s.wrongList(Direction::ChineseToJapanese).size() - listed, checkable ? 1 : 0);
        QVERIFY(s.rightCount() + s.wrongCount() <= s.questionCount());
    }

    // The grey line `why`: set by a wrong typed answer, gone with the next word or a change of
    // direction; a right answer leaves it empty.
    void wrongAnswerReasonLine_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("explained");
        QTest::addRow("a question") << "draw" << false;
        QTest::addRow("a wrong answer") << "draw wrong" << true;
        QTest::addRow("a right answer") << "draw right" << false;
        QTest::addRow("the next word") << "draw wrong draw" << false;
        QTest::addRow("the drill's word") << "draw wrong drill" << false;
        QTest::addRow("a wrong drill answer") << "draw wrong drill wrong" << true;
        QTest::addRow("the other direction") << "draw wrong rihan" << false;
    }
    void wrongAnswerReasonLine()
    {
        QFETCH(QString, steps);
        QFETCH(bool, explained);
        PracticeSession s = sessionOver("u1");
        run(s, steps);
        const QString expected =
            explained
                ? reasonAsHtml(explainWrongAnswer(QStringLiteral("x"), s.view().answer, QStringLiteral("私")))
                : QString();
        QCOMPARE(s.view().why, expected);
    }
    void wrongAnswerReasonNamesTheKanjiForm()
    {
        PracticeSession s = sessionOver("u1");
        run(s, QStringLiteral("draw"));
        s.press(Control::Check, QStringLiteral("私"), 0);
        QCOMPARE(s.view().why, QStringLiteral("你输入的是汉字写法，这里要输入假名"));
    }

    // A word without a kanji form shows the dash on the kanji label, however it was drawn.
    void kanjiLabelShowsTheDash_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("kanji");
        QTest::addRow("空缺") << 5 << ciku::kNoKanjiDash;
        QTest::addRow("片假名") << 94 << ciku::kNoKanjiDash;
        QTest::addRow("a kanji form") << 1 << QStringLiteral("私");
    }
    void kanjiLabelShowsTheDash()
    {
        QFETCH(int, index);
        QFETCH(QString, kanji);
        for (const char *steps : {"draw", "draw wrong drill", "rihan recall", "tick"}) {
            PracticeSession s;
            s.setRange(ciku::WordRange{qint16(index), qint16(index)});
            run(s, QString::fromLatin1(steps));
            QCOMPARE(s.view().kanji, kanji);
        }
    }

    // While the end-of-range message is open the labels show nothing of the word before: not its
    // meaning or kana (the flash drill's pause keeps its "next"), kanji form, accent or part of
    // speech.
    void endOfRangeMessageShowsNoOldWord_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("answer");
        QTest::addRow("出题") << "draw draw"
                              << ""
                              << "";
        QTest::addRow("right answer") << "draw right"
                                      << ""
                                      << "";
        QTest::addRow("日汉 出题") << "rihan recall recall"
                                   << ""
                                   << "";
        QTest::addRow("flash drill") << "tick tick tick tick tick tick tick"
                                     << "next"
                                     << "";
    }
    void endOfRangeMessageShowsNoOldWord()
    {
        QFETCH(QString, steps);
        QFETCH(QString, question);
        QFETCH(QString, answer);
        PracticeSession s;
        s.setRange(ciku::WordRange{1, 2});
        const Effects last = run(s, steps);
        QVERIFY(last.message && last.viewDuringMessage);
        QCOMPARE(last.message->text.left(9), QStringLiteral("下面的是指定练习范"));
        const PracticeView &during = *last.viewDuringMessage;
        QCOMPARE(during.question, question);
        QCOMPARE(during.answer, answer);
        QCOMPARE(during.kanji + during.accent + during.partOfSpeech, QString());
        QCOMPARE(s.view().question, meaningOf(2)); // and the new word after it
    }

    // "添加" needs a word on screen: not the captions of a fresh window, nor after a switch
    // that put them back; a word of the normal practice still on screen counts.
    // The review of the words due: drill mechanics over its own list, in either direction or
    // pace it was started from; the wrong-word list stays as it was.
    void reviewOfTheWordsDue_data()
    {
        QTest::addColumn<QString>("before"); // steps before the review
        QTest::addColumn<QString>("steps");  // steps of the review
        QTest::addColumn<QList<int>>("asked");
        QTest::addColumn<bool>("over");
        QTest::newRow("all right") << ""
                                   << "right right right" << QList<int>{30, 10, 20} << true;
        QTest::newRow("wrong goes to the back")
            << ""
            << "wrong drill right right right" << QList<int>{30, 10, 20, 30} << true;
        QTest::newRow("from Japanese-to-Chinese") << "rihan recall"
                                                  << "right" << QList<int>{30, 10} << false;
        QTest::newRow("wrong list kept") << "draw wrong"
                                         << "right right right" << QList<int>{30, 10, 20} << true;
    }
    void reviewOfTheWordsDue()
    {
        QFETCH(QString, before);
        QFETCH(QString, steps);
        QFETCH(QList<int>, asked);
        QFETCH(bool, over);
        PracticeSession s = sessionOver("u1");
        run(s, before);
        const QStringList wrongBefore = pairs(s.wrongList(Direction::ChineseToJapanese));
        Effects last = s.startReview({30, 10, 20});
        QCOMPARE(s.direction(), Direction::ChineseToJapanese);
        QList<int> seen{s.currentIndex()};
        QVERIFY(s.reviewing() && s.view().drillRunning && !s.view().isEnabled(Control::ChooseRange));
        for (const QString &step : steps.split(u' ', Qt::SkipEmptyParts)) {
            last = run(s, step);
            if (step != u"wrong" && s.reviewing())
                seen << s.currentIndex();
            if (step == u"right" || step == u"wrong")
                QVERIFY(last.answered && last.answered->review);
        }
        QCOMPARE(seen.mid(0, asked.size()), asked);
        QCOMPARE(pairs(s.wrongList(Direction::ChineseToJapanese)), wrongBefore);
        QCOMPARE(s.reviewing(), !over);
        if (over) {
            QCOMPARE(last.message->text, PracticeSession::reviewEndText(3));
            QVERIFY(s.view().isEnabled(Control::Draw) && !s.view().drillRunning);
        }
    }

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
