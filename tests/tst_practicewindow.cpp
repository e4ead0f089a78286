// The practice window driven as a user drives it: the range dialog, words asked and answered by
// typing and Enter, hints, display modes, the end of the range, the saved settings.
#include "practicetest.h"

#include <QDialog>
#include <QDir>
#include <QMenu>

using practice::PracticeWindow;

using namespace practicetest;

namespace {

// A range dialog script that notes whether option was selected when the dialog came up, then
// does what then does.
std::function<void(QWidget *)> noting(bool &selected, const char *option, std::function<void(QWidget *)> then)
{
    return [&selected, option, then](QWidget *dialog) {
        selected = findIn<QRadioButton>(dialog, option)->isChecked();
        then(dialog);
    };
}

} // namespace

class PracticeWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Enter in the range dialog at the first opening chooses unit 1. A right answer draws and
    // counts the next word; a wrong one shows the answer in red and lists the word at the end.
    // The display mode acts from the next question on.
    void answeringFromTheFirstOpening()
    {
        TestApp app;
        PracticeWindow *w = openPractice(app);
        QCOMPARE(app.ui().modalWindows, QStringList{"fanwei"});
        QCOMPARE(text(w, "getmin"), QStringLiteral("1"));
        QCOMPARE(w->session().range(), (ciku::WordRange{1, 104}));
        QVERIFY(shown(w, "framehanri") && !shown(w, "Framerihan"));
        click(w, "begin");
        QCOMPARE(text(w, "china"), QStringLiteral("我"));
        answer(w, QStringLiteral("わたし"));
        QCOMPARE(w->windowTitle(), QStringLiteral("单词练习---（一共练习2个词，打对了1个，打错了0个）"));
        QCOMPARE(text(w, "note"), QStringLiteral("正确  继续"));
        QCOMPARE(text(w, "china"), meaningOf(2));
        for (int i = 2; i <= 3; ++i) {
            if (i > 2)
                pressEnter(w); // the next word
            QVERIFY(!readable(w, "japan") && !shown(w, "lbldanghan") && !shown(w, "tone"));
            answer(w, QStringLiteral("x"));
            QCOMPARE(ui::textColor(findIn<QLabel>(w, "japan")), QColor(255, 0, 0));
            QCOMPARE(text(w, "note"), QStringLiteral("错了  加油"));
            QVERIFY(shown(w, "lbldanghan"));
            QCOMPARE(focusName(w), QStringLiteral("begin"));
        }
        QCOMPARE(items(w, "List"), (QStringList{meaningOf(2), meaningOf(3)}));
        QCOMPARE(items(w, "Listno"), (QStringList{"2", "3"}));
        QCOMPARE(w->windowTitle(), QStringLiteral("单词练习---（一共练习3个词，打对了1个，打错了2个）"));
        QCOMPARE(app.ui().beeps, 2);

        choose(w, "optxue");
        QCOMPARE(ui::textColor(findIn<QLabel>(w, "japan")), QColor(255, 0, 0)); // the word on screen stays
        pressEnter(w);
        QCOMPARE(text(w, "japan"), kanaOf(4));
        QCOMPARE(ui::textColor(findIn<QLabel>(w, "japan")), QColor(0, 0, 255));
        QVERIFY(shown(w, "lbldanghan") && shown(w, "tone"));
    }

    // Closed through its close box at the first opening, the dialog leaves no range: "出题"
    // draws nothing and asks again, from unit 1. "测试" announces itself on the click. The dialog
    // keeps its selection; after its close box (nothing chosen) it starts at unit 1 again; the
    // last choice stays when the window is opened anew.
    void rangeDialog()
    {
        TestApp app;
        PracticeWindow *w = openPractice(app, nullptr);
        QVERIFY(!w->session().hasRange());
        bool selected = false;
        app.ui().modalScripts.push_back(noting(selected, "u1", confirmRange("ceshi")));
        click(w, "begin");
        QVERIFY(selected);
        QCOMPARE(app.ui().modalWindows, (QStringList{"fanwei", "fanwei"}));
        QCOMPARE(text(w, "china"), QStringLiteral("这里将显示汉语（题目）")); // chosen, not yet asked
        QCOMPARE(w->session().questionCount(), 0);
        QCOMPARE(app.ui().messages.size(), 1);
        QCOMPARE(app.ui().messages[0].message.title, QStringLiteral("测试程序专用词库"));
        QCOMPARE(text(w, "getmin"), QStringLiteral("1607"));

        app.ui().modalScripts.push_back(noting(selected, "ceshi", [](QWidget *dialog) {
            QTest::mouseClick(findIn<QRadioButton>(dialog, "l5"), Qt::LeftButton);
            static_cast<QDialog *>(dialog)->reject(); // the close box
        }));
        click(w, "xuanzefanwei");
        QVERIFY(selected);
        QCOMPARE(w->session().range(), (ciku::WordRange{1607, 1613})); // nothing chosen
        app.ui().modalScripts.push_back(noting(selected, "u1", confirmRange("l5")));
        click(w, "xuanzefanwei");
        QVERIFY(selected);
        QCOMPARE(w->session().range(), (ciku::WordRange{105, 133}));
        QCOMPARE(text(w, "getmin"), QStringLiteral("105"));

        app.shell().switchTo(shell::Screen::Start);
        TestApp::settle();
        w = openPractice(app, noting(selected, "l5", confirmRange()));
        QVERIFY(selected);
        QCOMPARE(w->session().range(), (ciku::WordRange{105, 133}));
    }

    // A meaning too long for the question label at its design size is shown whole, smaller.
    void longWordsFitTheirLabel()
    {
        TestApp app;
        PracticeWindow *w = openPractice(app, confirmRange("u12"));
        auto *china = findIn<QLabel>(w, "china");
        const QFont designFont = china->font();
        for (int index = 1365; index <= 1384; ++index)
            click(w, "begin");
        QCOMPARE(text(w, "china"), meaningOf(1384));
        QVERIFY(QFontMetrics(designFont).horizontalAdvance(china->text()) > china->contentsRect().width());
        QVERIFY(QFontMetrics(china->font()).horizontalAdvance(china->text()) <=
                china->contentsRect().width());
        click(w, "backagain");
        click(w, "begin"); // a short one at the design size again
        QCOMPARE(china->font(), designFont);
    }

    // The hints step by step; the third shows the answer and lists the word without counting
    // it, so a wrong answer after it lists the word twice.
    void hintsThenAWrongAnswerListTheWordTwice()
    {
        TestApp app;
        PracticeWindow *w = openPractice(app);
        click(w, "begin");
        click(w, "hint");
        QCOMPARE(text(w, "tishi"), QStringLiteral("本单词一共有 3 个字符"));
        QVERIFY(shown(w, "tone") && !shown(w, "lbldanghan"));
        click(w, "hint2");
        QCOMPARE(text(w, "lbldanghan"), QStringLiteral("私"));
        QVERIFY(shown(w, "lbldanghan") && !readable(w, "japan"));
        click(w, "hint3");
        QCOMPARE(ui::textColor(findIn<QLabel>(w, "japan")), QColor(192, 0, 192));
        QVERIFY(!shown(w, "hint") && !shown(w, "hint2") && !shown(w, "hint3"));
        QCOMPARE(items(w, "Listno"), QStringList{"1"});
        QCOMPARE(app.ui().beeps, 1);
        QCOMPARE(w->windowTitle(), QStringLiteral("词帆-练习模式")); // nothing checked yet

        answer(w, QStringLiteral("わたしわ"));
        QCOMPARE(items(w, "List"), (QStringList{meaningOf(1), meaningOf(1)}));
        QCOMPARE(w->windowTitle(), QStringLiteral("单词练习---（一共练习1个词，打对了0个，打错了1个）"));
        pressEnter(w);
        QVERIFY(shown(w, "hint") && enabled(w, "hint"));
    }

    // At the last word of the range the message comes while the question is still empty; the
    // order then starts again at the first word, as it does after "从头再来".
    void endOfRangeMessage()
    {
        TestApp app;
        PracticeWindow *w = openPractice(app, confirmRange("ceshi"));
        QStringList shownDuringMessage;
        app.ui().onMessage = [&](const ui::Message &) {
            shownDuringMessage << text(w, "china") + text(w, "japan");
        };
        app.ui().messages.clear();
        for (int i = 0; i < 7; ++i)
            click(w, "begin");
        QCOMPARE(app.ui().messages.size(), 1);
        QCOMPARE(app.ui().messages[0].message.title, QStringLiteral("提醒"));
        QCOMPARE(app.ui().messages[0].message.icon, ui::Icon::Warning);
        QVERIFY(app.ui().messages[0].message.text.endsWith(QStringLiteral("方式继续练习。")));
        QCOMPARE(shownDuringMessage, QStringList{QString()});
        QCOMPARE(text(w, "china"), meaningOf(1613));
        click(w, "begin");
        QCOMPARE(text(w, "china"), meaningOf(1607));
        click(w, "begin");
        click(w, "backagain"); // nothing drawn, Enter draws the first word again
        QCOMPARE(text(w, "china"), meaningOf(1608));
        QCOMPARE(focusName(w), QStringLiteral("begin"));
        pressEnter(w);
        QCOMPARE(text(w, "china"), meaningOf(1607));
    }

    // sys.dll 2,2,1 at opening, the pop-up offering each group's other choice only; the save
    // writes the groups as they stand, and without a folder to save into the user is told.
    void savedSettingsAtOpeningAndSave()
    {
        TestApp app;
        writeFile(app.path(QStringLiteral("sous/sys.dll")), "2,2,1\r\n");
        PracticeWindow *w = openPractice(app);
        for (const char *name : {"suiji", "rihan", "optxue", "optnormal"})
            QVERIFY2(findIn<QRadioButton>(w, name)->isChecked(), name);
        QVERIFY(!enabled(w, "backagain"));
        const char *offered[][2] = {{"poponebuone", "popran"},
                                    {"popyuyan", "popyuyan2"},
                                    {"poptingxie", "popxuelian"},
                                    {"popflash", "popcommon"}};
        for (const auto &[shownItem, hiddenItem] : offered)
            QVERIFY2(findIn<QAction>(w, shownItem)->isVisible() &&
                         !findIn<QAction>(w, hiddenItem)->isVisible(),
                     shownItem);

        findIn<QAction>(w, "poptingxie")->trigger();
        findIn<QAction>(w, "poponebuone")->trigger();
        QVERIFY(findIn<QRadioButton>(w, "optlian")->isChecked());
        QVERIFY(enabled(w, "backagain"));
        choose(w, "optflash");
        click(w, "cmdmoren");
        QCOMPARE(fileBytes(app.path(QStringLiteral("sous/sys.dll"))), QByteArray("1,2,2\r\n"));
        QVERIFY(app.ui().messages.isEmpty());

        QVERIFY(QDir(app.path(QStringLiteral("sous"))).removeRecursively());
        choose(w, "suiji");
        click(w, "cmdmoren");
        QCOMPARE(app.ui().messages.size(), 1);
        QVERIFY(app.ui().messages[0].message.text.contains(QStringLiteral("sous/sys.dll")));
        QVERIFY(findIn<QRadioButton>(w, "suiji")->isChecked());
    }
};

QTEST_MAIN(PracticeWindowTest)
#include "tst_practicewindow.moc"
