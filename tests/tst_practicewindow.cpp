// The practice window driven as a user drives it: the range dialog at the first opening, words
// asked and answered by typing and Enter, hints, the wrong-word list, the saved settings.
#include "lexicon/lexicon.h"
#include "practice/practicewindow.h"
#include "practicetest.h"
#include "testapp.h"
#include "ui/colors.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using practice::PracticeWindow;

using namespace practicetest;

class PracticeWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void firstOpeningAndEnterChoosesUnitOne()
    {
        TestApp app;
        PracticeWindow *w = openPractice(app);
        QVERIFY(w);
        QCOMPARE(app.ui().modalWindows, QStringList{"fanwei"});
        QCOMPARE(text(w, "getmin"), QStringLiteral("1"));
        QCOMPARE(w->session().range(), (ciku::WordRange{1, 104}));
        QVERIFY(findIn<QWidget>(w, "framehanri")->isVisible());
        QVERIFY(!findIn<QWidget>(w, "Framerihan")->isVisible());
        QVERIFY(app.ui().messages.isEmpty());
        QCOMPARE(w->windowTitle(), QStringLiteral("词帆-练习模式"));

        click(w, "begin");
        QCOMPARE(text(w, "china"), QStringLiteral("我"));
        QCOMPARE(text(w, "japan"), QStringLiteral("わたし"));
    }

    // The test words announce themselves on the click; the dialog keeps its selection while
    // the window lives, and after its close box the next opening starts at unit 1 again.
    void rangeDialogSelectionAndCloseBox()
    {
        TestApp app;
        PracticeWindow *w = openPractice(app, confirmRange("ceshi"));
        QCOMPARE(app.ui().messages.size(), 1);
        QCOMPARE(app.ui().messages[0].message.title, QStringLiteral("测试程序专用词库"));
        QCOMPARE(app.ui().messages[0].message.text.count(u'\n'), 2);
        QCOMPARE(w->session().range(), (ciku::WordRange{1607, 1613}));

        bool keptSelection = false;
        app.ui().modalScripts.push_back([&](QWidget *dialog) {
            keptSelection = findIn<QRadioButton>(dialog, "ceshi")->isChecked();
            QTest::mouseClick(findIn<QRadioButton>(dialog, "l5"), Qt::LeftButton);
            static_cast<QDialog *>(dialog)->reject(); // the close box
        });
        click(w, "xuanzefanwei");
        QVERIFY(keptSelection);
        QCOMPARE(w->session().range(), (ciku::WordRange{1607, 1613})); // nothing chosen
        QCOMPARE(text(w, "getmin"), QStringLiteral("1607"));

        bool startsAtUnitOne = false;
        app.ui().modalScripts.push_back([&](QWidget *dialog) {
            startsAtUnitOne = findIn<QRadioButton>(dialog, "u1")->isChecked();
            confirmRange("l5")(dialog);
        });
        click(w, "xuanzefanwei");
        QVERIFY(startsAtUnitOne);
        QCOMPARE(w->session().range(), (ciku::WordRange{105, 133}));
        QCOMPARE(text(w, "getmin"), QStringLiteral("105"));

        // The window closed and opened anew: its dialog comes back with the last choice.
        app.shell().switchTo(shell::Screen::Start);
        TestApp::settle();
        bool keptAcrossWindows = false;
        w = openPractice(app, [&](QWidget *dialog) {
            keptAcrossWindows = findIn<QRadioButton>(dialog, "l5")->isChecked();
            confirmRange()(dialog);
        });
        QVERIFY(keptAcrossWindows);
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

    // The dialog closed through its close box at the first opening: "出题" asks for a range
    // again and draws nothing.
    void noDrawBeforeARangeIsChosen()
    {
        TestApp app;
        PracticeWindow *w = openPractice(app, nullptr);
        QVERIFY(!w->session().hasRange());
        QCOMPARE(text(w, "getmin"), QString());
        click(w, "begin");
        QCOMPARE(app.ui().modalWindows, (QStringList{"fanwei", "fanwei"}));
        QCOMPARE(text(w, "china"), QStringLiteral("这里将显示汉语（题目）"));
        QCOMPARE(w->session().questionCount(), 0);
        QCOMPARE(text(w, "fff1"), QString());

        app.ui().modalScripts.push_back(confirmRange("l1"));
        click(w, "begin");
        QCOMPARE(text(w, "china"), QStringLiteral("这里将显示汉语（题目）")); // chosen, not yet asked
        click(w, "begin");
        QCOMPARE(text(w, "china"), meaningOf(1));
    }

    void threeWrongAnswersAreListedInOrder()
    {
        TestApp app;
        PracticeWindow *w = openPractice(app);
        click(w, "begin");
        for (int i = 1; i <= 3; ++i) {
            QVERIFY(!readable(w, "japan"));
            answer(w, QStringLiteral("x"));
            QVERIFY(readable(w, "japan"));
            QCOMPARE(ui::textColor(findIn<QLabel>(w, "japan")), QColor(255, 0, 0));
            QCOMPARE(text(w, "note"), QStringLiteral("错了  加油"));
            QVERIFY(findIn<QWidget>(w, "lbldanghan")->isVisible());
            QCOMPARE(w->focusWidget()->objectName(), QStringLiteral("begin"));
            if (i < 3)
                pressEnter(w); // the next word
        }
        QCOMPARE(items(w, "List"), (QStringList{meaningOf(1), meaningOf(2), meaningOf(3)}));
        QCOMPARE(items(w, "Listno"), (QStringList{"1", "2", "3"}));
        QCOMPARE(w->windowTitle(), QStringLiteral("单词练习---（一共练习3个词，打对了0个，打错了3个）"));
        QCOMPARE(app.ui().beeps, 3);
        QCOMPARE(text(w, "fff1"), QStringLiteral("0"));
        QCOMPARE(text(w, "fff2"), QStringLiteral("0"));
    }

    void rightAnswerDrawsAndCountsTheNextWord()
    {
        TestApp app;
        PracticeWindow *w = openPractice(app);
        click(w, "begin");
        answer(w, QStringLiteral("わたし"));
        QCOMPARE(w->windowTitle(), QStringLiteral("单词练习---（一共练习2个词，打对了1个，打错了0个）"));
        QCOMPARE(text(w, "note"), QStringLiteral("正确  继续"));
        QCOMPARE(text(w, "china"), meaningOf(2));
        QVERIFY(findIn<QLineEdit>(w, "txtinput")->text().isEmpty());
        QVERIFY(items(w, "List").isEmpty());
        QCOMPARE(app.ui().beeps, 0);
    }

    void hintsThenAWrongAnswerListTheWordTwice()
    {
        TestApp app;
        PracticeWindow *w = openPractice(app);
        click(w, "begin");
        click(w, "hint");
        QCOMPARE(text(w, "tishi"), QStringLiteral("本单词一共有 3 个字符"));
        QVERIFY(findIn<QWidget>(w, "tone")->isVisible());
        QVERIFY(!findIn<QWidget>(w, "lbldanghan")->isVisible());
        click(w, "hint2");
        QCOMPARE(text(w, "lbldanghan"), QStringLiteral("私"));
        QVERIFY(findIn<QWidget>(w, "lbldanghan")->isVisible());
        QVERIFY(!readable(w, "japan"));
        click(w, "hint3");
        QVERIFY(readable(w, "japan"));
        QCOMPARE(ui::textColor(findIn<QLabel>(w, "japan")), QColor(192, 0, 192));
        for (const char *name : {"hint", "hint2", "hint3"})
            QVERIFY2(!findIn<QWidget>(w, name)->isVisible(), name);
        QCOMPARE(items(w, "Listno"), QStringList{"1"});
        QCOMPARE(app.ui().beeps, 1);
        QCOMPARE(w->windowTitle(), QStringLiteral("词帆-练习模式")); // nothing checked yet

        answer(w, QStringLiteral("わたしわ"));
        QCOMPARE(items(w, "List"), (QStringList{meaningOf(1), meaningOf(1)}));
        QCOMPARE(w->windowTitle(), QStringLiteral("单词练习---（一共练习1个词，打对了0个，打错了1个）"));
        pressEnter(w);
        QVERIFY(findIn<QWidget>(w, "hint")->isVisible());
        QVERIFY(findIn<QWidget>(w, "hint")->isEnabled());
    }

    // Dictation keeps the answer there but unreadable; learning shows it in blue with kanji and
    // accent, from the next question on.
    void displayModes()
    {
        TestApp app;
        PracticeWindow *w = openPractice(app);
        click(w, "begin");
        QCOMPARE(text(w, "japan"), QStringLiteral("わたし"));
        QVERIFY(!readable(w, "japan"));
        QVERIFY(!findIn<QWidget>(w, "lbldanghan")->isVisible());
        QVERIFY(!findIn<QWidget>(w, "tone")->isVisible());
        QTest::mouseClick(findIn<QRadioButton>(w, "optxue"), Qt::LeftButton);
        QVERIFY(!readable(w, "japan")); // the word on screen stays as it was
        click(w, "begin");
        QVERIFY(readable(w, "japan"));
        QCOMPARE(ui::textColor(findIn<QLabel>(w, "japan")), QColor(0, 0, 255));
        QVERIFY(findIn<QWidget>(w, "lbldanghan")->isVisible());
        QVERIFY(findIn<QWidget>(w, "tone")->isVisible());
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
        QVERIFY(app.ui().messages[0].message.text.startsWith(
            QStringLiteral("下面的是指定练习范围的最后一个单词")));
        QCOMPARE(shownDuringMessage, QStringList{QString()});
        QCOMPARE(text(w, "china"), meaningOf(1613));
        click(w, "begin");
        QCOMPARE(text(w, "china"), meaningOf(1607));
        click(w, "begin");
        click(w, "backagain"); // nothing drawn, Enter draws the first word again
        QCOMPARE(text(w, "china"), meaningOf(1608));
        QCOMPARE(w->focusWidget()->objectName(), QStringLiteral("begin"));
        pressEnter(w);
        QCOMPARE(text(w, "china"), meaningOf(1607));
    }

    void savedSettingsAtOpeningAndSave()
    {
        TestApp app;
        {
            QFile f(app.path(QStringLiteral("sous/sys.dll")));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("2,2,1\r\n");
        }
        PracticeWindow *w = openPractice(app);
        for (const char *name : {"suiji", "rihan", "optxue", "optnormal"})
            QVERIFY2(findIn<QRadioButton>(w, name)->isChecked(), name);
        QVERIFY(!findIn<QWidget>(w, "backagain")->isEnabled());
        QStringList shownItems;
        for (QAction *a : w->popout()->actions()) {
            if (a->isVisible() && !a->isSeparator())
                shownItems << a->objectName();
        }
        QCOMPARE(shownItems, (QStringList{"popchaxun", "popxuexi", "poponebuone", "popyuyan", "poptingxie",
                                          "popflash", "popchose", "popbijiao", "popstartmenu", "popexit"}));

        // A pop-up item selects its option; the save writes the groups as they stand.
        findIn<QAction>(w, "poptingxie")->trigger();
        findIn<QAction>(w, "poponebuone")->trigger();
        QVERIFY(findIn<QRadioButton>(w, "optlian")->isChecked());
        QVERIFY(findIn<QWidget>(w, "backagain")->isEnabled());
        QTest::mouseClick(findIn<QRadioButton>(w, "optflash"), Qt::LeftButton);
        click(w, "cmdmoren");
        QCOMPARE(fileBytes(app.path(QStringLiteral("sous/sys.dll"))), QByteArray("1,2,2\r\n"));
        QVERIFY(app.ui().messages.isEmpty());

        // No folder to save into: the user is told, the choice stays for this run.
        QVERIFY(QDir(app.path(QStringLiteral("sous"))).removeRecursively());
        QTest::mouseClick(findIn<QRadioButton>(w, "suiji"), Qt::LeftButton);
        click(w, "cmdmoren");
        QCOMPARE(app.ui().messages.size(), 1);
        QCOMPARE(app.ui().messages[0].message.icon, ui::Icon::Warning);
        QVERIFY(app.ui().messages[0].message.text.contains(QStringLiteral("sous/sys.dll")));
        QVERIFY(findIn<QRadioButton>(w, "suiji")->isChecked());
    }
};

QTEST_MAIN(PracticeWindowTest)
#include "tst_practicewindow.moc"
