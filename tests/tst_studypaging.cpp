// Paging through a lesson in the print view: eleven words a screen, one word of overlap, the
// arrow buttons and the Down/Up keys of the lesson box, rejected numbers and the default button.

#include "studytest.h"

#include "study/lessonpager.h"

#include <QLabel>
#include <QToolButton>

using namespace studytest;

class TestStudyPaging : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pagerWalksForwardAndBack();
    void pagerTwentyOneWords();
    void pagerRejectedStartKeepsScreenHolders();

    void openingShowsIntroductionAndLessonBox();
    void lessonOneScreens();
    void unitOneScreenStarts();
    void lessonOfTwentyOneWords();
    void arrowKeysOnlyWhileArrowsShow();
    void heldArrowKeyPagesOnceWhenReleased();
    void rejectedNumberLeavesEmptyScreen();
    void pagingAfterRejectionShowsNothing();
    void typedZeroKeepsAcceptedFormat();
    void enterStartsThenPagesThenStartsAgain();
    void startReturnsFocusWithTextSelected();
};

static QList<int> range(int first, int last)
{
    QList<int> out;
    for (int i = first; i <= last; ++i)
        out << i;
    return out;
}

void TestStudyPaging::pagerWalksForwardAndBack()
{
    study::LessonPager p;
    auto s = p.start({1, 18});
    QCOMPARE(s.words, range(1, 11));
    QVERIFY(!s.endsWithBlank);
    QCOMPARE(p.nextScreenFirst(), 11);
    QCOMPARE(p.rangeFirst(), 1);
    QCOMPARE(p.rangeLast(), 18);

    s = p.next();
    QCOMPARE(s.words, range(11, 18));
    QVERIFY(s.endsWithBlank);
    QCOMPARE(p.screenFirst(), 11);
    QCOMPARE(p.nextScreenFirst(), 11); // a short screen leaves it

    QCOMPARE(p.next().words, range(11, 18));
    QCOMPARE(p.previous().words, range(1, 11));
    QCOMPARE(p.screenFirst(), 11); // the first screen: no step back below the range
    QCOMPARE(p.previous().words, range(1, 11));

    study::LessonPager unit;
    QList<int> starts{unit.start({1, 104}).words.first()};
    for (int k = 0; k < 10; ++k)
        starts << unit.next().words.first();
    QCOMPARE(starts, (QList<int>{1, 11, 21, 31, 41, 51, 61, 71, 81, 91, 101}));
    QCOMPARE(unit.next().words, range(101, 104));
    // Walking back again passes each screen once down to the first.
    QList<int> back;
    for (int k = 0; k < 11; ++k)
        back << unit.previous().words.first();
    QCOMPARE(back, (QList<int>{91, 81, 71, 61, 51, 41, 31, 21, 11, 1, 1}));
    QCOMPARE(unit.next().words.first(), 11);
}

void TestStudyPaging::pagerTwentyOneWords()
{
    study::LessonPager p;
    QCOMPARE(p.start({629, 649}).words, range(629, 639));
    const auto second = p.next();
    QCOMPARE(second.words, range(639, 649));
    QVERIFY(!second.endsWithBlank);
    QCOMPARE(p.nextScreenFirst(), 649);
    QCOMPARE(p.next().words, QList<int>{649});
}

void TestStudyPaging::pagerRejectedStartKeepsScreenHolders()
{
    study::LessonPager p;
    p.start({1, 18});
    p.next();
    p.reject();
    QCOMPARE(p.rangeLast(), 0);
    QCOMPARE(p.rangeFirst(), 0);
    QCOMPARE(p.nextScreenFirst(), 11);
    QCOMPARE(p.screenFirst(), 11);
    QVERIFY(!p.hasRange());
    QVERIFY(p.next().words.isEmpty());
    // Paging back without a range shows nothing, but the holders move as their rules say.
    QVERIFY(p.previous().words.isEmpty());
    QCOMPARE(p.nextScreenFirst(), 11);
    QCOMPARE(p.screenFirst(), 1);
    // A new start works from the new range only.
    QCOMPARE(p.start({19, 43}).words, range(19, 29));
    QCOMPARE(p.next().words, range(29, 39));
}

void TestStudyPaging::openingShowsIntroductionAndLessonBox()
{
    TestApp app;
    auto *w = openStudy(app);
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("词帆  单词学习"));
    const auto lines = showword(w)->lines();
    QCOMPARE(lines.size(), 17);
    for (int i = 0; i < 6; ++i)
        QVERIFY(lines[i].isEmpty());
    QCOMPARE(lines[6], (ui::TextRow{{35, QStringLiteral("操作简介")}}));
    QCOMPARE(lines[7], (ui::TextRow{{5, QStringLiteral("当前模式为学习模式，可以在此学习标日初级词汇。")}}));
    QVERIFY(lines[8].isEmpty());
    QCOMPARE(fieldAt(lines[10], 1), QStringLiteral("按课练习时，只需输入课时数."));
    QCOMPARE(fieldAt(lines[16], 5), QStringLiteral("帮助文档内有详细内容和技巧,可助你更高效的使用此功能."));

    auto *keshi = findIn<QLineEdit>(w, "keshi");
    QCOMPARE(keshi->text(), QStringLiteral("1"));
    QCOMPARE(w->focusWidget(), keshi);
    QVERIFY(findIn<QPushButton>(w, "start")->isEnabled());
    QCOMPARE(w->defaultButton(), findIn<QAbstractButton>(w, "start"));
    for (const char *hidden :
         {"goon", "goback", "Line1", "Line2", "Line3", "startlist", "framelist", "savecolor"})
        QVERIFY2(!findIn<QWidget>(w, hidden)->isVisible(), hidden);
    QVERIFY(findIn<QWidget>(w, "Frame1")->isVisible());
    // The canvas covers the header row until a lesson is started.
    QCOMPARE(showword(w)->y(), findIn<QWidget>(w, "Line3")->y());
}

void TestStudyPaging::lessonOneScreens()
{
    TestApp app;
    auto *w = openStudy(app);
    click(w, "start");
    QCOMPARE(shownMeanings(w), meanings(1, 11));
    // Eleven words with an empty line between consecutive words.
    const auto lines = showword(w)->lines();
    QCOMPARE(lines.size(), 21);
    for (int i = 1; i < 21; i += 2)
        QVERIFY(lines[i].isEmpty());
    QCOMPARE(lines[0], (ui::TextRow{{2, QStringLiteral("私")},
                                    {26, QStringLiteral("わたし")},
                                    {47, QStringLiteral("0")},
                                    {53, QStringLiteral("代词")},
                                    {63, QStringLiteral("我")}}));
    QVERIFY(findIn<QWidget>(w, "goon")->isVisible());
    QVERIFY(!findIn<QWidget>(w, "goback")->isVisible());
    QVERIFY(!findIn<QWidget>(w, "lblpome1")->isVisible());
    QCOMPARE(w->pager().nextScreenFirst(), 11);

    click(w, "goon");
    QCOMPARE(shownMeanings(w), meanings(11, 18));
    QVERIFY(findIn<QWidget>(w, "goback")->isVisible());
    click(w, "goon");
    QCOMPARE(shownMeanings(w), meanings(11, 18));
    click(w, "goback");
    QCOMPARE(shownMeanings(w), meanings(1, 11));
    click(w, "goback");
    QCOMPARE(shownMeanings(w), meanings(1, 11));
    click(w, "goon");
    QCOMPARE(shownMeanings(w), meanings(11, 18));
}

void TestStudyPaging::unitOneScreenStarts()
{
    TestApp app;
    auto *w = openStudy(app);
    typeLesson(w, QStringLiteral("100"));
    click(w, "start");
    QStringList firsts{shownMeanings(w).first()};
    for (int k = 0; k < 10; ++k) {
        key(w, Qt::Key_Down);
        firsts << shownMeanings(w).first();
    }
    QStringList expected;
    for (int s = 1; s <= 101; s += 10)
        expected << ciku::lexicon().text(s, 1);
    QCOMPARE(firsts, expected);
    QCOMPARE(shownMeanings(w), meanings(101, 104));
    // The end is not announced: the next screen shows the same short screen again.
    key(w, Qt::Key_Down);
    QCOMPARE(shownMeanings(w), meanings(101, 104));
    QVERIFY(findIn<QWidget>(w, "goon")->isVisible());
    key(w, Qt::Key_Up);
    QCOMPARE(shownMeanings(w), meanings(91, 101));
}

void TestStudyPaging::lessonOfTwentyOneWords()
{
    // Lesson 22 holds words 629 to 649; its words are checked by shape only.
    TestApp app;
    auto *w = openStudy(app);
    typeLesson(w, QStringLiteral("22"));
    click(w, "start");
    QCOMPARE(filledLines(showword(w)).size(), 11);
    QCOMPARE(w->pager().nextScreenFirst(), 639);
    key(w, Qt::Key_Down);
    QCOMPARE(filledLines(showword(w)).size(), 11);
    QCOMPARE(w->pager().nextScreenFirst(), 649);
    QCOMPARE(showword(w)->lines().size(), 21);
    key(w, Qt::Key_Down);
    const auto alone = filledLines(showword(w));
    QCOMPARE(alone.size(), 1);
    QCOMPARE(fieldAt(alone[0], 63), ciku::lexicon().text(649, 1));
}

void TestStudyPaging::arrowKeysOnlyWhileArrowsShow()
{
    TestApp app;
    auto *w = openStudy(app);
    const QStringList intro = showword(w)->textLines();
    key(w, Qt::Key_Down); // no arrows yet: the introduction stays
    key(w, Qt::Key_Up);
    QCOMPARE(showword(w)->textLines(), intro);

    click(w, "start");
    key(w, Qt::Key_Up); // right after a start the up arrow is hidden
    QCOMPARE(shownMeanings(w), meanings(1, 11));
    key(w, Qt::Key_Down);
    QCOMPARE(shownMeanings(w), meanings(11, 18));
    key(w, Qt::Key_Up);
    QCOMPARE(shownMeanings(w), meanings(1, 11));
    // Other keys do not page.
    key(w, Qt::Key_Right);
    QCOMPARE(shownMeanings(w), meanings(1, 11));
    // The keys work from the lesson box without moving the focus out of it.
    QCOMPARE(w->focusWidget(), findIn<QWidget>(w, "keshi"));
}

void TestStudyPaging::heldArrowKeyPagesOnceWhenReleased()
{
    // Holding a key down repeats its press and, on most systems, a release with each repeat;
    // the lesson box pages on the key's real release only.
    TestApp app;
    auto *w = openStudy(app);
    auto *keshi = findIn<QLineEdit>(w, "keshi");
    typeLesson(w, QStringLiteral("100"));
    click(w, "start");
    const auto hold = [keshi](Qt::Key k, int repeats) {
        QTest::simulateEvent(keshi, true, k, Qt::NoModifier, QString(), false);
        for (int r = 0; r < repeats; ++r) {
            QTest::simulateEvent(keshi, false, k, Qt::NoModifier, QString(), true);
            QTest::simulateEvent(keshi, true, k, Qt::NoModifier, QString(), true);
        }
        QTest::simulateEvent(keshi, false, k, Qt::NoModifier, QString(), false);
    };
    hold(Qt::Key_Down, 4);
    QCOMPARE(shownMeanings(w), meanings(11, 21));
    hold(Qt::Key_Down, 3);
    QCOMPARE(shownMeanings(w), meanings(21, 31));
    hold(Qt::Key_Up, 5);
    QCOMPARE(shownMeanings(w), meanings(11, 21));
}

void TestStudyPaging::rejectedNumberLeavesEmptyScreen()
{
    TestApp app;
    auto *w = openStudy(app);
    click(w, "start");
    typeLesson(w, QStringLiteral("99"));
    click(w, "start");
    QCOMPARE(app.ui().messages.size(), 1);
    QCOMPARE(app.ui().messages[0].message.title, QStringLiteral("出错"));
    QCOMPARE(app.ui().messages[0].message.text, QStringLiteral("标日初级词汇结束于49课，请输入正确的课时。"));
    QCOMPARE(app.ui().messages[0].parentName, QStringLiteral("xuexi"));
    QCOMPARE(showword(w)->lineCount(), 0);
    QCOMPARE(w->pager().rangeLast(), 0);
    QCOMPARE(w->pager().rangeFirst(), 0);
    QCOMPARE(w->pager().nextScreenFirst(), 11);
    auto *keshi = findIn<QLineEdit>(w, "keshi");
    QCOMPARE(keshi->text(), QStringLiteral("99"));
    QCOMPARE(keshi->selectedText(), QStringLiteral("99"));
    QVERIFY(findIn<QWidget>(w, "goon")->isVisible());
    key(w, Qt::Key_Down);
    QCOMPARE(showword(w)->lineCount(), 0);

    typeLesson(w, QStringLiteral("1300"));
    click(w, "start");
    QCOMPARE(app.ui().messages.last().message.title, QStringLiteral("？？？"));
    typeLesson(w, QStringLiteral("-3"));
    click(w, "start");
    QCOMPARE(app.ui().messages.last().message.text, QStringLiteral("输入错误，请重新输入课时"));
    QCOMPARE(showword(w)->lineCount(), 0);
}

void TestStudyPaging::pagingAfterRejectionShowsNothing()
{
    TestApp app;
    auto *w = openStudy(app);
    click(w, "start");
    key(w, Qt::Key_Down);
    typeLesson(w, QStringLiteral("99"));
    click(w, "start");
    key(w, Qt::Key_Down); // shows the up arrow again, but nothing on screen
    QVERIFY(findIn<QWidget>(w, "goback")->isVisible());
    QCOMPARE(showword(w)->lineCount(), 0);
    key(w, Qt::Key_Up); // the old lesson's words must not come back
    QCOMPARE(showword(w)->lineCount(), 0);
    typeLesson(w, QStringLiteral("2"));
    click(w, "start");
    QCOMPARE(shownMeanings(w), meanings(19, 29));
}

void TestStudyPaging::typedZeroKeepsAcceptedFormat()
{
    TestApp app;
    auto *w = openStudy(app);
    auto *label1 = findIn<QLabel>(w, "Label1");
    auto *label2 = findIn<QLabel>(w, "Label2");
    typeLesson(w, QStringLiteral("3"));
    click(w, "start");
    typeLesson(w, QStringLiteral("0"));
    key(w, Qt::Key_Down);
    QCOMPARE(shownMeanings(w), meanings(54, 64));
    for (const auto &line : filledLines(showword(w)))
        QCOMPARE(columnsOf(line), (QList<int>{2, 26, 47, 53, 63}));
    QCOMPARE(label1->text(), QStringLiteral("日语"));

    // The kana format begins with the next start.
    click(w, "start");
    const auto lines = filledLines(showword(w));
    QCOMPARE(lines.size(), 11);
    for (qsizetype k = 0; k < lines.size(); ++k) {
        QCOMPARE(columnsOf(lines[k]), (QList<int>{2, 26}));
        QCOMPARE(lines[k][0].text, ciku::lexicon().text(1507 + int(k), 1));
        QCOMPARE(lines[k][1].text, ciku::lexicon().text(1507 + int(k), 2));
    }
    QCOMPARE(label1->text(), QStringLiteral("平假名"));
    QCOMPARE(label2->text(), QStringLiteral("片假名"));
    QCOMPARE(findIn<QLabel>(w, "Label3")->text(), QStringLiteral("音调"));
    QCOMPARE(findIn<QLabel>(w, "Label4")->text(), QStringLiteral("汉语意思"));
    typeLesson(w, QStringLiteral("1"));
    click(w, "start");
    QCOMPARE(label1->text(), QStringLiteral("日语"));
    QCOMPARE(label2->text(), QStringLiteral("发音"));
    QCOMPARE(shownMeanings(w), meanings(1, 11));
}

void TestStudyPaging::enterStartsThenPagesThenStartsAgain()
{
    TestApp app;
    auto *w = openStudy(app);
    key(w, Qt::Key_Return);
    QCOMPARE(shownMeanings(w), meanings(1, 11));
    QCOMPARE(w->defaultButton(), findIn<QAbstractButton>(w, "goon"));
    key(w, Qt::Key_Return);
    QCOMPARE(shownMeanings(w), meanings(11, 18));
    typeLesson(w, QStringLiteral("2"));
    QCOMPARE(w->defaultButton(), findIn<QAbstractButton>(w, "start"));
    key(w, Qt::Key_Enter);
    QCOMPARE(shownMeanings(w), meanings(19, 29));
    // Emptying the box does not change the default button.
    typeLesson(w, QString());
    QCOMPARE(w->defaultButton(), findIn<QAbstractButton>(w, "goon"));
}

void TestStudyPaging::startReturnsFocusWithTextSelected()
{
    TestApp app;
    auto *w = openStudy(app);
    auto *keshi = findIn<QLineEdit>(w, "keshi");
    typeLesson(w, QStringLiteral("4"));
    click(w, "start");
    QCOMPARE(w->focusWidget(), keshi);
    QCOMPARE(keshi->selectedText(), QStringLiteral("4"));
    QCOMPARE(shownMeanings(w), meanings(76, 86));
    // The header row is uncovered and the rules are shown.
    QCOMPARE(showword(w)->y(), findIn<QWidget>(w, "Framelabel")->geometry().bottom() + 1);
    for (const char *shown : {"Line1", "Line2", "Line3", "Framelabel"})
        QVERIFY2(findIn<QWidget>(w, shown)->isVisible(), shown);
    // A click on the canvas gives the focus back to the lesson box.
    findIn<QWidget>(w, "goon")->setFocus();
    QTest::mouseClick(showword(w), Qt::LeftButton, {}, QPoint(300, 200));
    QCOMPARE(w->focusWidget(), keshi);
    QCOMPARE(keshi->selectedText(), QStringLiteral("4"));
    // A click into the box selects the whole number as well, wherever it lands.
    typeLesson(w, QStringLiteral("12"));
    QCOMPARE(keshi->selectedText(), QString());
    QTest::mouseClick(keshi, Qt::LeftButton, {}, QPoint(3, keshi->height() / 2));
    QCOMPARE(keshi->selectedText(), QStringLiteral("12"));
    // So does getting the focus in any other way.
    findIn<QWidget>(w, "Opa")->setFocus();
    keshi->setCursorPosition(1);
    QCOMPARE(keshi->selectedText(), QString());
    keshi->setFocus(Qt::OtherFocusReason);
    QCOMPARE(keshi->selectedText(), QStringLiteral("12"));
}

QTEST_MAIN(TestStudyPaging)
#include "tst_studypaging.moc"
