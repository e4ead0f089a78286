// The list view: List and Listno kept in step, the three orders, the word detail in both
// formats, the captions of the order options, and switching between the two views.

#include "studytest.h"

#include "study/wordlistview.h"

#include <QAction>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>

using namespace studytest;

namespace {

QListWidget *list(QWidget *w)
{
    return findIn<QListWidget>(w, "List");
}

QStringList entries(QListWidget *l)
{
    QStringList out;
    for (int i = 0; i < l->count(); ++i)
        out << l->item(i)->text();
    return out;
}

QStringList numbers(int first, int last)
{
    QStringList out;
    for (int i = first; i <= last; ++i)
        out << QString::number(i);
    return out;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

ui::TextCanvas *detail(QWidget *w)
{
    return findIn<ui::TextCanvas>(w, "showwords2");
}

// The detail as "caption=value" lines, empty lines kept.
QStringList detailLines(QWidget *w)
{
    QStringList out;
    for (const auto &line : detail(w)->lines()) {
        if (line.isEmpty())
            out << QString();
        else
            out << fieldAt(line, 1) + u'=' + fieldAt(line, 15);
    }
    return out;
}

QRadioButton *option(QWidget *w, const char *name)
{
    return findIn<QRadioButton>(w, name);
}

study::StudyWindow *openList(TestApp &app)
{
    auto *w = openStudy(app);
    click(w, "Opb");
    return w;
}

} // namespace

class TestStudyList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void switchingToListShowsHints();
    void lessonOneByChinese();
    void byKanjiListsKanaForMissingKanji();
    void orderChangeAppliesToNextDetail();
    void keysWalkTheList();
    void kanaLessonCaptionsAndRestore();
    void switchingViewsKeepsEntries();
    void unitSevenHas125Entries();
    void rejectedNumberEmptiesList();
    void popupSwitchesViews();
    void pitchContourSwitch();
};

void TestStudyList::switchingToListShowsHints()
{
    TestApp app;
    auto *w = openList(app);
    QVERIFY(findIn<QWidget>(w, "framelist")->isVisible());
    for (const char *hidden : {"showword", "Framelabel", "Line3", "start", "goon", "goback", "Listno"})
        QVERIFY2(!findIn<QWidget>(w, hidden)->isVisible(), hidden);
    QVERIFY(findIn<QWidget>(w, "startlist")->isVisible());
    QCOMPARE(w->defaultButton(), findIn<QAbstractButton>(w, "startlist"));
    QCOMPARE(detail(w)->textLines(), (QStringList{"此处显示单词信息", "可以按键盘上下键或用鼠标切换单词，",
                                                  "可以选择按汉语、按假名、按当汉控制信息排列。",
                                                  "也可以在选择按当汉、按汉语或按假名后点",
                                                  "击“开始学习，以控制单词列表的显示方式."}));
    QCOMPARE(w->focusWidget(), findIn<QWidget>(w, "keshi"));
    QVERIFY(option(w, "model1")->isChecked());
    QCOMPARE(detail(w)->textColor(), QColor(0, 128, 128));
}

void TestStudyList::lessonOneByChinese()
{
    TestApp app;
    auto *w = openList(app);
    key(w, Qt::Key_Return); // Enter presses the list start
    QCOMPARE(entries(list(w)), meanings(1, 18));
    QCOMPARE(entries(findIn<QListWidget>(w, "Listno")), numbers(1, 18));
    QCOMPARE(list(w)->currentRow(), 0);
    QCOMPARE(w->focusWidget(), list(w));
    QCOMPARE(detailLines(w), (QStringList{"汉语=我", "", "日语假名=わたし", "", "当用汉字=私", "", "音调=0",
                                          "", "词性=代词"}));
    QCOMPARE(w->listView()->selectedRow(), 0);
}

void TestStudyList::byKanjiListsKanaForMissingKanji()
{
    TestApp app;
    auto *w = openList(app);
    click(w, "model3");
    QCOMPARE(w->focusWidget(), list(w));
    typeLesson(w, QStringLiteral("2")); // lesson 2 starts with "これ", which has no kanji form
    click(w, "startlist");
    QCOMPARE(list(w)->item(0)->text(), QStringLiteral("これ"));
    QCOMPARE(list(w)->item(1)->text(), QStringLiteral("本"));
    QCOMPARE(detailLines(w).first(), QStringLiteral("当用汉字=-----"));
    QCOMPARE(detailLines(w)[2], QStringLiteral("日语假名=これ"));

    typeLesson(w, QStringLiteral("1"));
    click(w, "startlist");
    ciku::fillLexicon();
    for (int i = 1; i <= 18; ++i) {
        const auto *e = ciku::lexicon().entry(i);
        const QString expected = e->hasKanji() ? e->kanji.toString() : e->kana.toString();
        QCOMPARE(list(w)->item(i - 1)->text(), expected);
    }
    QCOMPARE(list(w)->item(4)->text(), QStringLiteral("はじめまして"));
    QTest::mouseClick(list(w)->viewport(), Qt::LeftButton, {},
                      list(w)->visualItemRect(list(w)->item(4)).center());
    QCOMPARE(list(w)->currentRow(), 4);
    QCOMPARE(detailLines(w).first(), QStringLiteral("当用汉字=-----"));
    QCOMPARE(w->listView()->selectedRow(), 4);
}

void TestStudyList::orderChangeAppliesToNextDetail()
{
    TestApp app;
    auto *w = openList(app);
    click(w, "startlist");
    const QStringList before = entries(list(w));
    const QStringList detailBefore = detailLines(w);
    click(w, "model2");
    // Neither the entries nor the detail change until the next selection.
    QCOMPARE(entries(list(w)), before);
    QCOMPARE(detailLines(w), detailBefore);
    QCOMPARE(w->defaultButton(), findIn<QAbstractButton>(w, "startlist"));
    QTest::mouseClick(list(w)->viewport(), Qt::LeftButton, {},
                      list(w)->visualItemRect(list(w)->item(1)).center());
    QCOMPARE(detailLines(w), (QStringList{"日语假名=かいしゃいん", "", "当用汉字=会社員", "", "汉语=公司职员",
                                          "", "音调=3", "", "词性=名词"}));
    // The next list start names the entries by kana.
    key(w, Qt::Key_Return);
    QCOMPARE(list(w)->item(0)->text(), QStringLiteral("わたし"));
}

void TestStudyList::keysWalkTheList()
{
    TestApp app;
    auto *w = openList(app);
    click(w, "startlist");
    QTest::keyClick(list(w), Qt::Key_Down);
    QTest::keyClick(list(w), Qt::Key_Down);
    QCOMPARE(w->listView()->selectedRow(), 2);
    QCOMPARE(detailLines(w).first(), QStringLiteral("汉语=学生"));
    QTest::keyClick(list(w), Qt::Key_Up);
    QCOMPARE(detailLines(w).first(), QStringLiteral("汉语=公司职员"));
    // Listno stays in step: every position names the word of its entry.
    auto *listno = findIn<QListWidget>(w, "Listno");
    for (int p = 0; p < list(w)->count(); ++p)
        QCOMPARE(list(w)->item(p)->text(), ciku::lexicon().text(listno->item(p)->text().toInt(), 1));
}

void TestStudyList::kanaLessonCaptionsAndRestore()
{
    TestApp app;
    auto *w = openList(app);
    typeLesson(w, QStringLiteral("0"));
    click(w, "startlist");
    QCOMPARE(list(w)->count(), 46);
    QCOMPARE(findIn<QListWidget>(w, "Listno")->item(0)->text(), QStringLiteral("1507"));
    QCOMPARE(option(w, "model1")->text(), QStringLiteral("按平假(&A)"));
    QCOMPARE(option(w, "model2")->text(), QStringLiteral("按片假(&S)"));
    QVERIFY(!option(w, "model3")->isVisible());
    ciku::fillLexicon();
    QCOMPARE(detailLines(w), (QStringList{"平假名=" + ciku::lexicon().text(1507, 1), "", "",
                                          "片假名=" + ciku::lexicon().text(1507, 2)}));
    click(w, "model2");
    QTest::keyClick(list(w), Qt::Key_Down);
    QCOMPARE(detailLines(w), (QStringList{"片假名=" + ciku::lexicon().text(1508, 2), "", "",
                                          "平假名=" + ciku::lexicon().text(1508, 1)}));

    typeLesson(w, QStringLiteral("1"));
    click(w, "startlist");
    QCOMPARE(option(w, "model1")->text(), QStringLiteral("按汉语(&A)"));
    QCOMPARE(option(w, "model2")->text(), QStringLiteral("按假名(&S)"));
    QVERIFY(option(w, "model3")->isVisible());
    QCOMPARE(detailLines(w).first(), QStringLiteral("日语假名=わたし"));
}

void TestStudyList::switchingViewsKeepsEntries()
{
    TestApp app;
    auto *w = openList(app);
    click(w, "startlist");
    typeLesson(w, QStringLiteral("1"));
    findIn<QLineEdit>(w, "keshi")->setCursorPosition(1);
    click(w, "Opa");
    // The lesson box has the focus with its number selected, ready for the print view's start.
    QCOMPARE(w->focusWidget(), findIn<QWidget>(w, "keshi"));
    QCOMPARE(findIn<QLineEdit>(w, "keshi")->selectedText(), QStringLiteral("1"));
    QVERIFY(!findIn<QWidget>(w, "framelist")->isVisible());
    QVERIFY(showword(w)->isVisible());
    QVERIFY(findIn<QWidget>(w, "start")->isVisible());
    QVERIFY(!findIn<QWidget>(w, "startlist")->isVisible());
    QVERIFY(!findIn<QWidget>(w, "goon")->isVisible());
    QCOMPARE(w->defaultButton(), findIn<QAbstractButton>(w, "start"));
    // The print view still shows what it showed before (the introduction).
    QCOMPARE(fieldAt(showword(w)->lines()[6], 35), QStringLiteral("操作简介"));
    click(w, "Opb");
    QCOMPARE(entries(list(w)), meanings(1, 18));
    QCOMPARE(detail(w)->lines().size(), 5);
    QCOMPARE(fieldAt(detail(w)->lines()[0], 1), QStringLiteral("此处显示单词信息"));

    // After a print-view lesson, switching away and back needs a new start.
    click(w, "Opa");
    click(w, "start");
    QVERIFY(findIn<QWidget>(w, "goon")->isVisible());
    click(w, "Opb");
    click(w, "Opa");
    QVERIFY(!findIn<QWidget>(w, "goon")->isVisible());
    QVERIFY(!findIn<QWidget>(w, "goback")->isVisible());
}

void TestStudyList::unitSevenHas125Entries()
{
    TestApp app;
    auto *w = openList(app);
    typeLesson(w, QStringLiteral("700"));
    click(w, "startlist");
    auto *listno = findIn<QListWidget>(w, "Listno");
    QCOMPARE(list(w)->count(), 125);
    QCOMPARE(listno->count(), 125);
    QCOMPARE(entries(listno), numbers(712, 836));
}

void TestStudyList::rejectedNumberEmptiesList()
{
    TestApp app;
    auto *w = openList(app);
    click(w, "startlist");
    typeLesson(w, QStringLiteral("1300"));
    click(w, "startlist");
    QCOMPARE(app.ui().messages.size(), 1);
    QCOMPARE(app.ui().messages[0].message.title, QStringLiteral("欠揍？？"));
    QCOMPARE(list(w)->count(), 0);
    QCOMPARE(findIn<QListWidget>(w, "Listno")->count(), 0);
    QCOMPARE(detail(w)->lineCount(), 0);
    QCOMPARE(w->focusWidget(), findIn<QWidget>(w, "keshi"));
    typeLesson(w, QStringLiteral("77"));
    click(w, "startlist");
    QCOMPARE(app.ui().messages.last().message.title, QStringLiteral("出错"));
    // A rejected number does not change the format: lesson 1's detail is still normal.
    typeLesson(w, QStringLiteral("1"));
    click(w, "startlist");
    QCOMPARE(detailLines(w).size(), 9);
}

void TestStudyList::popupSwitchesViews()
{
    TestApp app;
    auto *w = openStudy(app);
    QAction *poplist = findIn<QAction>(w, "poplist");
    QAction *popprint = findIn<QAction>(w, "popprint");
    QVERIFY(poplist->isVisible());
    QVERIFY(!popprint->isVisible());
    poplist->trigger();
    QVERIFY(findIn<QRadioButton>(w, "Opb")->isChecked());
    QVERIFY(findIn<QWidget>(w, "framelist")->isVisible());
    QVERIFY(!poplist->isVisible());
    QVERIFY(popprint->isVisible());
    // A right press on the list area opens the pop-up menu.
    QTest::mouseClick(findIn<QWidget>(w, "framelist"), Qt::RightButton, {}, QPoint(260, 300));
    QVERIFY(w->popout()->isVisible());
    w->popout()->close();
    QTest::mouseClick(detail(w), Qt::RightButton, {}, QPoint(30, 30));
    QVERIFY(w->popout()->isVisible());
    w->popout()->close();
    popprint->trigger();
    QVERIFY(findIn<QRadioButton>(w, "Opa")->isChecked());
    QVERIFY(showword(w)->isVisible());
    QVERIFY(poplist->isVisible());
    QVERIFY(!popprint->isVisible());
}

// "显示音调线" at the end of the pop-up menu: the detail's kana gets its contour, the choice is
// saved as 1 or 0 and read again at the next opening; the kana drill shows none.
void TestStudyList::pitchContourSwitch()
{
    TestApp app;
    auto *w = openList(app);
    QAction *item = findIn<QAction>(w->popout(), "popyindiao");
    QCOMPARE(w->popout()->actions().last(), item);
    QCOMPARE(item->text(), QStringLiteral("显示音调线"));
    QVERIFY(item->isCheckable());
    QVERIFY(!item->isChecked());
    key(w, Qt::Key_Return);
    const QStringList detailOff = detailLines(w);
    QVERIFY(detail(w)->pitchContours().isEmpty());

    item->trigger();
    QVERIFY(item->isChecked());
    QCOMPARE(readAll(app.path(QStringLiteral("sous/yindiao.dll"))), QByteArray("1\r\n"));
    QCOMPARE(detailLines(w), detailOff); // the texts stay as they were
    QList<ui::PitchContour> shown = detail(w)->pitchContours();
    QCOMPARE(shown.size(), 1); // わたし, 0
    QCOMPARE(shown.first().moraHigh, (QList<bool>{false, true, true}));
    QVERIFY(shown.first().particleHigh);
    QVERIFY(detail(w)->rect().contains(shown.first().bounds().toRect()));
    QTest::keyClick(list(w), Qt::Key_Down); // かいしゃいん, 3
    shown = detail(w)->pitchContours();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().moraHigh, (QList<bool>{false, true, true, false, false}));
    QVERIFY(shown.first().fall);

    // Reopened, the window reads the saved choice.
    w = reopenStudy(app);
    click(w, "Opb");
    QVERIFY(findIn<QAction>(w->popout(), "popyindiao")->isChecked());
    typeLesson(w, QStringLiteral("0"));
    click(w, "startlist");
    QVERIFY(detail(w)->pitchContours().isEmpty());

    findIn<QAction>(w->popout(), "popyindiao")->trigger();
    QCOMPARE(readAll(app.path(QStringLiteral("sous/yindiao.dll"))), QByteArray("0\r\n"));
    typeLesson(w, QStringLiteral("1"));
    click(w, "startlist");
    QVERIFY(detail(w)->pitchContours().isEmpty());
}

QTEST_MAIN(TestStudyList)
#include "tst_studylist.moc"
