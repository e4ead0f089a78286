// The practice window driven as a user drives it: the range dialog, words asked and answered by
// typing and Enter, hints, display modes, the end of the range, the saved settings; the
// wrong-word drill, the Japanese-to-Chinese draw, reveal and add with its drill, the direction
// switch, leaving and coming back, the flash drill on its clock and its speed dialog.
#include "practice/answerpanel.h"
#include "practice/flashdrillpanel.h"
#include "practicetest.h"
#include "record/learningrecord.h"
#include "record/progresswindow.h"
#include "ui/pitchlabeloverlay.h"
#include "ui/settingsfile.h"
#include "ui/textcanvas.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

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

QColor headingColor(QWidget *window)
{
    return ui::textColor(findIn<QLabel>(window, "wrong"));
}

const QColor kYellow(255, 255, 0);

// Ticks the flash clock n times, as a running clock would.
void tick(PracticeWindow *w, int n = 1)
{
    for (int i = 0; i < n; ++i)
        w->flashPanel().Time_Timer();
}

// A double-click as the user makes it: the first click, then the second one.
void doubleClick(QWidget *widget, QPoint pos = QPoint())
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, pos);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, pos);
}

// Enter presses the one button drawn as the default button; returns its name.
QString enterOnHighlight(QWidget *w)
{
    QList<QPushButton *> highlighted;
    for (QPushButton *b : w->findChildren<QPushButton *>())
        if (b->isVisibleTo(w) && b->isDefault())
            highlighted << b;
    if (highlighted.size() != 1)
        return QStringLiteral("%1 highlighted").arg(highlighted.size());
    QSignalSpy pressed(highlighted[0], &QPushButton::clicked);
    pressEnter(w);
    return pressed.count() == 1 ? highlighted[0]->objectName() : QStringLiteral("not pressed");
}

QList<ui::TextRow> panelRowsOf(int index)
{
    ciku::fillLexicon();
    return practice::answerPanelRows(*ciku::lexicon().entry(index));
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
        QVERIFY(findIn<QLineEdit>(w, "txtinput")->text().isEmpty());
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

    // The picture box shows the start picture with the first word, then the right or the wrong
    // one after each answer, whether or not the pictures were decoded ahead while the range
    // dialog was open.
    void picturesFollowTheAnswers_data()
    {
        QTest::addColumn<bool>("readiedAhead");
        QTest::newRow("decoded at first use") << false;
        QTest::newRow("readied while choosing the range") << true;
    }
    void picturesFollowTheAnswers()
    {
        QFETCH(bool, readiedAhead);
        TestApp app;
        if (readiedAhead)
            app.shell().prepare(shell::Screen::Practice);
        PracticeWindow *w = openPractice(app);
        QVERIFY(w);
        const auto picture = [&] { return findIn<QLabel>(w, "pic")->pixmap().toImage(); };
        const auto file = [&](const char *name) {
            return QPixmap(app.path(QString::fromLatin1(name))).toImage();
        };
        click(w, "begin");
        QCOMPARE(picture(), file("pic/start.jpg"));
        answer(w, w->session().view().answer);
        QCOMPARE(picture(), file("pic/right.jpg"));
        answer(w, QStringLiteral("x"));
        QCOMPARE(picture(), file("pic/wrong.jpg"));
        pressEnter(w);
        answer(w, w->session().view().answer);
        QCOMPARE(picture(), file("pic/right.jpg"));
    }

    // "罗马字输入(F8)" on: rōmaji typed key by key into the answer box becomes kana at once, an
    // unfinished tail stays Latin, Backspace takes one character, Enter finishes the tail and then
    // judges the kana. A wrong answer is explained in the grey line under the box until the next
    // word.
    void romajiTypingAndWrongAnswerReasons()
    {
        TestApp app;
        QVERIFY(ui::writeSettingsFile(app.path(QStringLiteral("sous/roma.dll")), {ui::SettingsValue(1LL)}));
        PracticeWindow *w = openPractice(app);
        QVERIFY(findIn<QAction>(w, "luomazi")->isChecked());
        auto *input = findIn<QLineEdit>(w, "txtinput");
        click(w, "begin");
        QCOMPARE(text(w, "china"), QStringLiteral("我"));
        QTest::keyClicks(input, QStringLiteral("wat"));
        QCOMPARE(input->text(), QStringLiteral("わt"));
        QTest::keyClicks(input, QStringLiteral("ashi"));
        QCOMPARE(input->text(), QStringLiteral("わたし"));
        QTest::keyClick(input, Qt::Key_Return);
        QCOMPARE(text(w, "note"), QStringLiteral("正确  继续"));
        QCOMPARE(text(w, "why"), QString());

        QCOMPARE(text(w, "china"), meaningOf(2));
        QTest::keyClicks(input, QStringLiteral("kaishaix"));
        QCOMPARE(input->text(), QStringLiteral("かいしゃいx"));
        QTest::keyClick(input, Qt::Key_Backspace);
        QCOMPARE(input->text(), QStringLiteral("かいしゃい"));
        QTest::keyClick(input, 'n');
        QCOMPARE(input->text(), QStringLiteral("かいしゃいn"));
        QTest::keyClick(input, Qt::Key_Return);
        QCOMPARE(w->windowTitle(), QStringLiteral("单词练习---（一共练习3个词，打对了2个，打错了0个）"));

        // がくせい typed without the voicing mark.
        QCOMPARE(kanaOf(3), QStringLiteral("がくせい"));
        QTest::keyClicks(input, QStringLiteral("kakusei"));
        QTest::keyClick(input, Qt::Key_Return);
        QCOMPARE(text(w, "note"), QStringLiteral("错了  加油"));
        QCOMPARE(text(w, "why"), QStringLiteral("浊音符号不对"));
        QVERIFY(shown(w, "why"));
        QCOMPARE(w->windowTitle(), QStringLiteral("单词练习---（一共练习3个词，打对了2个，打错了1个）"));
        pressEnter(w);
        QCOMPARE(text(w, "why"), QString());

        // Typed in another way: the wrong character in red.
        QCOMPARE(kanaOf(4), QStringLiteral("りゅうがくせい"));
        QTest::keyClicks(input, QStringLiteral("ryuugakusii"));
        QTest::keyClick(input, Qt::Key_Return);
        QCOMPARE(text(w, "why"), QStringLiteral("りゅうがく<span style=\"color:#ff0000\">し</span>い"));

        // Off again (saved as 0): letters then stay letters.
        pressEnter(w);
        findIn<QAction>(w, "luomazi")->trigger(); // as a click on the menu bar
        QVERIFY(!findIn<QAction>(w, "luomazi")->isChecked());
        QTest::keyClicks(input, QStringLiteral("ka"));
        QCOMPARE(input->text(), QStringLiteral("ka"));
        QFile file(app.path(QStringLiteral("sous/roma.dll")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("0\r\n"));
    }

    // Closed through its close box at the first opening, the dialog leaves no range: "出题"
    // draws nothing and asks again, from unit 1. "测试" announces itself on the click. Then the
    // end of the range. The dialog keeps its selection; after its close box (nothing chosen) it
    // starts at unit 1 again; the last choice stays when the window is opened anew.
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

        // At the last word the message comes while the labels are still empty; the order then
        // starts again at the first word, as it does after "从头再来".
        QStringList shownDuringMessage;
        app.ui().onMessage = [&](const ui::Message &) {
            QString shownText;
            for (const char *name : {"china", "japan", "lbldanghan", "tone", "cixing"})
                shownText += text(w, name);
            shownDuringMessage << shownText;
        };
        app.ui().messages.clear();
        for (int i = 0; i < 7; ++i)
            click(w, "begin");
        QCOMPARE(app.ui().messages.size(), 1);
        QCOMPARE(app.ui().messages[0].message.title, QStringLiteral("提醒"));
        QVERIFY(app.ui().messages[0].message.text.endsWith(QStringLiteral("方式继续练习。")));
        QCOMPARE(shownDuringMessage, QStringList{QString()});
        QCOMPARE(text(w, "china"), meaningOf(1613));
        click(w, "begin");
        QCOMPARE(text(w, "china"), meaningOf(1607));
        click(w, "begin");
        click(w, "backagain"); // nothing drawn, Enter draws the first word again
        QCOMPARE(focusName(w), QStringLiteral("begin"));
        pressEnter(w);
        QCOMPARE(text(w, "china"), meaningOf(1607));

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
        // 様 (さま) carries the long note "接在人名后的尊称"; ask questions in order up to it.
        ciku::fillLexicon();
        int longSlot = 0;
        for (int i = 1365; i <= 1490 && longSlot == 0; ++i) {
            if (ciku::lexicon().text(i, 2) == QStringLiteral("さま"))
                longSlot = i;
        }
        QVERIFY(longSlot != 0);
        for (int index = 1365; index <= longSlot; ++index)
            click(w, "begin");
        QCOMPARE(text(w, "china"), meaningOf(longSlot));
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

    // "显示音调线" draws the contour over the answer label only once the answer can be read: after
    // the third hint, and over the kana question of the Japanese-to-Chinese practice.
    void pitchContourOnceTheAnswerIsReadable()
    {
        TestApp app;
        PracticeWindow *w = openPractice(app);
        QAction *item = findIn<QAction>(w->popout(), "popyindiao");
        QCOMPARE(w->popout()->actions().last(), item);
        item->trigger();
        auto *japan = findIn<QLabel>(w, "japan");
        auto *overlay = japan->findChild<ui::PitchLabelOverlay *>();
        QVERIFY(overlay);
        click(w, "begin");
        QVERIFY(!readable(w, "japan"));
        QVERIFY(!overlay->contour() && overlay->isHidden());
        click(w, "hint");
        click(w, "hint2");
        click(w, "hint3");
        auto contour = overlay->contour();
        QVERIFY(contour && overlay->isVisible());
        QCOMPARE(contour->moraHigh, (QList<bool>{false, true, true})); // わたし, 0
        QVERIFY(QRectF(japan->contentsRect()).contains(contour->bounds()));

        item->trigger(); // off: nothing drawn, the label as before
        QVERIFY(!overlay->contour() && overlay->isHidden());
        QCOMPARE(text(w, "japan"), kanaOf(1));
        item->trigger();

        choose(w, "rihan");
        pressEnter(w);
        QCOMPARE(text(w, "japan"), kanaOf(1));
        contour = overlay->contour();
        QVERIFY(contour);
        QCOMPARE(contour->moraHigh, (QList<bool>{false, true, true}));
        pressEnter(w); // "显示答案": the panel's kana carries it too
        QCOMPARE(findIn<ui::TextCanvas>(w, "showwords2")->pitchContours().size(), 1);
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

    // A copy whose sous/ is read-only keeps settings in the user's folder: what that folder does
    // not have yet is read from sous/, and the first save there says once where settings live.
    void aReadOnlySettingsFolderIsReadThrough()
    {
        TestApp app;
        writeFile(app.path(QStringLiteral("sous/sys.dll")), "2,2,1\r\n");
        writeFile(app.path(QStringLiteral("sous/gap.dll")), "8,1\r\n");
        QTemporaryDir user;
        app.shell().setSettingsDir(user.path());
        app.shell().setReadOnlySettingsDir(app.path(QStringLiteral("sous")));
        PracticeWindow *w = openPractice(app);
        for (const char *name : {"suiji", "rihan", "optxue"})
            QVERIFY2(findIn<QRadioButton>(w, name)->isChecked(), name);
        choose(w, "shunxu");
        click(w, "cmdmoren");
        QCOMPARE(fileBytes(QDir(user.path()).filePath(QStringLiteral("sys.dll"))), QByteArray("1,2,1\r\n"));
        QCOMPARE(fileBytes(app.path(QStringLiteral("sous/sys.dll"))), QByteArray("2,2,1\r\n"));
        QCOMPARE(app.ui().messages.size(), 1);
        const ui::Message told = app.ui().messages[0].message;
        QCOMPARE(told.icon, ui::Icon::Information);
        QVERIFY2(told.text.contains(user.path()), qPrintable(told.text));
        click(w, "cmdmoren");
        QCOMPARE(app.ui().messages.size(), 1); // once
        // The user's own file now wins over the read-only copy.
        QCOMPARE(QFileInfo(app.shell().settingsFileToRead(QStringLiteral("sous/sys.dll"))).absolutePath(),
                 QFileInfo(user.path()).absoluteFilePath());
        QCOMPARE(app.shell().settingsFileToRead(QStringLiteral("sous/gap.dll")),
                 app.path(QStringLiteral("sous/gap.dll")));
    }

    // Three wrong answers, then the drill: the words come in the order they were listed, a word
    // answered wrong again comes back after the others, and the empty list ends the drill with
    // every button of normal practice usable again. Then a drill stopped half-way.
    void wrongWordDrill()
    {
        TestApp app;
        PracticeWindow *w = openPractice(app);
        answerWrong(w, 3);
        click(w, "review");
        QCOMPARE(text(w, "china"), meaningOf(1));
        QVERIFY(!shown(w, "lbldanghan"));
        QCOMPARE(headingColor(w), kYellow);
        QVERIFY(!enabled(w, "begin") && !enabled(w, "xuanzefanwei") && !enabled(w, "backagain"));
        QVERIFY(enabled(w, "reviewstop") && enabled(w, "hint"));

        answer(w, kanaOf(1));
        QCOMPARE(text(w, "china"), meaningOf(2));
        QCOMPARE(w->windowTitle(), QStringLiteral("单词练习---"));
        answer(w, QStringLiteral("x")); // wrong again: back to the end
        QCOMPARE(items(w, "Listno"), (QStringList{"3", "2"}));
        QCOMPARE(focusName(w), QStringLiteral("review"));
        pressEnter(w);
        QCOMPARE(text(w, "china"), meaningOf(3));
        answer(w, kanaOf(3));
        QCOMPARE(text(w, "china"), meaningOf(2)); // the fourth question of the drill
        app.ui().messages.clear();
        answer(w, kanaOf(2));

        QCOMPARE(app.ui().messageTexts(),
                 QStringList{QStringLiteral("错题栏内没有错题可以练习,请选择出题练习！")});
        QCOMPARE(app.ui().messages[0].message.title, QStringLiteral("错题练习结束"));
        QCOMPARE(headingColor(w), QColor(Qt::black));
        QVERIFY(enabled(w, "begin") && enabled(w, "xuanzefanwei") && enabled(w, "backagain"));
        QVERIFY(!enabled(w, "reviewstop") && findIn<QPushButton>(w, "begin")->isDefault());
        QVERIFY(!enabled(w, "check")); // no question left to judge
        click(w, "review");            // nothing left: over at once, the last remark goes
        QCOMPARE(app.ui().messages.size(), 2);
        QCOMPARE(text(w, "note"), QString());
        QVERIFY(enabled(w, "begin") && !enabled(w, "hint"));
        QCOMPARE(focusName(w), QStringLiteral("begin"));
        pressEnter(w);
        QCOMPARE(text(w, "china"), meaningOf(4)); // normal drawing goes on where it was
        // Three words drawn and four drill questions: as many practised as answered.
        QCOMPARE(w->windowTitle(), QStringLiteral("单词练习---（一共练习7个词，打对了3个，打错了4个）"));

        // Stopping keeps the word on screen and the entries not yet drilled; in random order
        // "从头再来" stays disabled as the order option has it.
        answer(w, QStringLiteral("x"));
        pressEnter(w);
        answer(w, QStringLiteral("x"));
        choose(w, "suiji");
        click(w, "review");
        click(w, "reviewstop");
        QCOMPARE(text(w, "china"), meaningOf(4));
        QCOMPARE(items(w, "Listno"), QStringList{"5"});
        QCOMPARE(headingColor(w), QColor(Qt::black));
        QVERIFY(enabled(w, "begin") && enabled(w, "xuanzefanwei") && !enabled(w, "backagain"));
        QCOMPARE(focusName(w), QStringLiteral("begin"));
    }

    // Draw, hint, reveal, add (once per reveal), and the drill over what was added.
    void japaneseToChineseCycleAndDrill()
    {
        TestApp app;
        PracticeWindow *w = openPractice(app);
        choose(w, "rihan");
        auto *panel = findIn<ui::TextCanvas>(w, "showwords2");
        QVERIFY(!shown(w, "txtinput") && !shown(w, "framehanri") && shown(w, "Framerihan"));
        QVERIFY(shown(w, "list2") && !shown(w, "List") && !enabled(w, "optxue"));

        pressEnter(w); // "出题" is the default button
        QCOMPARE(text(w, "japan"), kanaOf(1));
        QVERIFY(!readable(w, "china") && !shown(w, "lbldanghan") && !enabled(w, "hanriadd"));
        QCOMPARE(focusName(w), QStringLiteral("showhanyu"));
        click(w, "hint4");
        QVERIFY(shown(w, "lbldanghan") && !enabled(w, "hint4"));
        pressEnter(w); // "显示答案"
        QCOMPARE(ui::textColor(findIn<QLabel>(w, "china")), QColor(0, 0, 255));
        QCOMPARE(panel->lines(), panelRowsOf(1));
        // Keys reach the window's shortcuts only while it is active; the hidden range dialog
        // may still hold that place on the offscreen platform.
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        QTest::keyClick(w, Qt::Key_A, Qt::AltModifier); // the button shows itself pressed first
        QTRY_COMPARE(items(w, "list2"), QStringList{kanaOf(1)});
        QCOMPARE(items(w, "listno2"), QStringList{"1"});
        QVERIFY(!enabled(w, "hanriadd"));
        QCOMPARE(focusName(w), QStringLiteral("showriyu"));

        pressEnter(w); // word 2
        click(w, "showhanyu");
        click(w, "hanriadd");
        click(w, "showriyu"); // word 3, not added
        QVERIFY(panel->lines().isEmpty());
        QCOMPARE(items(w, "listno2"), (QStringList{"1", "2"}));
        QCOMPARE(w->windowTitle(), QStringLiteral("词帆-练习模式")); // nothing judged or counted

        click(w, "rihanreview");
        QCOMPARE(headingColor(w), kYellow);
        QCOMPARE(text(w, "japan"), kanaOf(1));
        QVERIFY(!readable(w, "china"));
        QVERIFY(!enabled(w, "showriyu") && enabled(w, "rihanreviewstop") && !enabled(w, "hint4"));
        QCOMPARE(focusName(w), QStringLiteral("showhanyu"));
        pressEnter(w); // reveal the drill's word
        QCOMPARE(panel->lines(), panelRowsOf(1));
        QCOMPARE(focusName(w), QStringLiteral("rihanreview"));
        click(w, "hanriadd"); // back to the end
        QCOMPARE(items(w, "listno2"), (QStringList{"2", "1"}));
        pressEnter(w);
        QCOMPARE(text(w, "japan"), kanaOf(2));
        pressEnter(w);
        pressEnter(w);
        QCOMPARE(text(w, "japan"), kanaOf(1));
        pressEnter(w);
        app.ui().messages.clear();
        pressEnter(w); // the list is empty now
        QCOMPARE(app.ui().messages.size(), 1);
        QCOMPARE(app.ui().messages[0].message.title, QStringLiteral("出错"));
        QCOMPARE(headingColor(w), QColor(Qt::black));
        QVERIFY(enabled(w, "showriyu") && !enabled(w, "rihanreviewstop"));
        QCOMPARE(focusName(w), QStringLiteral("showriyu"));
    }

    // Practising records every judged answer: a typed answer (a hint marks it aided), a
    // Japanese-to-Chinese word revealed and added (lapse) or revealed and left (pass), never one
    // not revealed. The progress window reads the counts; F7 then reviews the words due, most
    // overdue first, with the drill's mechanics, and leaves the wrong-word list alone; from the
    // study window F7 opens the practice window straight into the review.
    void learningRecordAndReview()
    {
        TestApp app;
        qint64 now = QDateTime(QDate(2026, 5, 4), QTime(10, 0)).toMSecsSinceEpoch();
        app.shell().learningRecord().setClock([&] { return now; });
        PracticeWindow *w = openPractice(app);
        click(w, "begin");
        answer(w, kanaOf(1));
        answer(w, QStringLiteral("x")); // word 2 wrong
        pressEnter(w);
        click(w, "hint"); // the length of word 3
        answer(w, kanaOf(3));
        choose(w, "rihan");
        click(w, "showriyu"); // word 1
        click(w, "showhanyu");
        click(w, "hanriadd");
        click(w, "showriyu"); // word 2, revealed and left
        click(w, "showhanyu");
        click(w, "showriyu"); // word 3, never revealed
        click(w, "showriyu");
        record::RecordStore &store = app.shell().learningRecord().store();
        const QList<record::Answer> answers = store.answers();
        QStringList seen;
        for (const record::Answer &a : answers)
            seen << QStringLiteral("%1 %2 %3%4")
                        .arg(a.slot)
                        .arg(record::directionText(a.direction), a.right ? "right" : "wrong",
                             a.aided ? " aided" : "");
        QCOMPARE(seen, (QStringList{"1 汉日 right", "2 汉日 wrong", "3 汉日 right aided", "1 日汉 wrong",
                                    "2 日汉 right"}));
        QCOMPARE(answers[2].meaning, meaningOf(3));

        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        record::ProgressSummary seenInWindow;
        app.ui().modalScripts.push_back([&](QWidget *window) {
            seenInWindow = qobject_cast<record::ProgressWindow *>(window)->summary();
        });
        QTest::keyClick(w, Qt::Key_F6);
        QCOMPARE(seenInWindow.totalAnswers, 5);
        QCOMPARE(seenInWindow.today.answered, 5);
        QCOMPARE(seenInWindow.today.rightPercent(), std::optional<int>(60));
        QCOMPARE(seenInWindow.bars[0].learning, 3);
        QCOMPARE(seenInWindow.bars[0].never, 15);

        now += 5 * record::kMsPerDay; // all three Chinese-to-Japanese words are due
        const QStringList wrongBefore = items(w, "List");
        QTest::keyClick(w, Qt::Key_F7);
        QVERIFY(shown(w, "framehanri"));
        QCOMPARE(headingColor(w), kYellow);
        QCOMPARE(text(w, "china"), meaningOf(2)); // lapsed: due first
        answer(w, kanaOf(2));
        QCOMPARE(text(w, "china"), meaningOf(3));
        answer(w, QStringLiteral("x"));
        pressEnter(w); // the review goes on
        QCOMPARE(text(w, "china"), meaningOf(1));
        answer(w, kanaOf(1));
        QCOMPARE(text(w, "china"), meaningOf(3));
        app.ui().messages.clear();
        answer(w, kanaOf(3));
        QCOMPARE(app.ui().messageTexts(), QStringList{QStringLiteral("复习结束，共复习了 3 个单词。")});
        QCOMPARE(headingColor(w), QColor(Qt::black));
        QCOMPARE(items(w, "List"), wrongBefore);
        QCOMPARE(store.answers().size(), 9);
        QCOMPARE(store.answers().last().kind, record::AnswerKind::Review);
        app.ui().messages.clear();
        QTest::keyClick(w, Qt::Key_F7);
        QCOMPARE(app.ui().messages.size(), 1);
        QVERIFY(app.ui().messages[0].message.text.startsWith(
            QStringLiteral("现在没有到期的单词。\n下一个单词将于 ")));

        app.ui().answers.push_back(ui::Answer::No); // not kept
        QTest::keyClick(w, Qt::Key_F4);
        TestApp::settle();
        QWidget *study = app.shell().currentWindow();
        QCOMPARE(study->objectName(), QStringLiteral("xuexi"));
        now += 60 * record::kMsPerDay;
        app.ui().modalWindows.clear();
        QApplication::setActiveWindow(study);
        QVERIFY(QTest::qWaitForWindowActive(study));
        QTest::keyClick(study, Qt::Key_F7);
        TestApp::settle();
        auto *review = qobject_cast<PracticeWindow *>(app.shell().currentWindow());
        QVERIFY(review);
        QVERIFY(!app.ui().modalWindows.contains(QStringLiteral("fanwei")));
        QVERIFY(review->session().reviewing());
        QCOMPARE(review->session().reviewList().size() + 1, 3);
        QVERIFY(items(review, "List").isEmpty());
    }

    // Towards "日汉练习" the order starts again; back to "汉日练习" it goes on from where the
    // other direction got to. Each direction shows its own list; double-clicks remove an entry
    // or clear the list of the selected direction only. Normal pace under "日汉练习" brings back
    // only what that direction uses.
    void directionSwitchAndLists()
    {
        TestApp app;
        PracticeWindow *w = openPractice(app);
        answerWrong(w, 2);
        choose(w, "rihan");
        for (int i = 1; i <= 3; ++i) {
            click(w, "showriyu");
            QCOMPARE(text(w, "japan"), kanaOf(i));
            click(w, "showhanyu");
            click(w, "hanriadd");
        }
        auto *list2 = findIn<QListWidget>(w, "list2");
        doubleClick(list2->viewport(), list2->visualItemRect(list2->item(1)).center());
        QCOMPARE(items(w, "listno2"), (QStringList{"1", "3"}));
        QCOMPARE(items(w, "list2"), (QStringList{kanaOf(1), kanaOf(3)}));

        choose(w, "optflash");
        QVERIFY(shown(w, "picflash") && !shown(w, "Framerihan") && !shown(w, "showwords2"));
        choose(w, "optnormal");
        QVERIFY(!shown(w, "picflash") && shown(w, "Framerihan") && shown(w, "showwords2"));
        QVERIFY(!shown(w, "txtinput") && !shown(w, "pic") && !shown(w, "note") && !enabled(w, "optxue"));

        choose(w, "hanri");
        QVERIFY(shown(w, "List") && !shown(w, "list2") && shown(w, "txtinput") && shown(w, "note"));
        QVERIFY(!shown(w, "showwords2") && enabled(w, "optxue") && enabled(w, "optlian"));
        QCOMPARE(text(w, "china"), QStringLiteral("这里将显示汉语（题目）"));
        click(w, "begin");
        QCOMPARE(text(w, "china"), meaningOf(4));
        QCOMPARE(items(w, "Listno"), (QStringList{"1", "2"}));

        doubleClick(findIn<QLabel>(w, "wrong"));
        QVERIFY(items(w, "List").isEmpty());
        QCOMPARE(items(w, "listno2"), (QStringList{"1", "3"}));
    }

    // Yes to the keep-state question hides the window with its clock stopped; the same window
    // comes back as it was, without the range dialog, Enter on "开始" again.
    void leavingAndComingBack()
    {
        TestApp app;
        PracticeWindow *w = openPractice(app);
        answerWrong(w, 1);
        pressEnter(w);
        answer(w, kanaOf(2));
        choose(w, "rihan");
        click(w, "showriyu");
        click(w, "showhanyu");
        click(w, "hanriadd");
        choose(w, "optflash");
        click(w, "flashstart");
        const QString caption = w->windowTitle();
        QCOMPARE(caption, QStringLiteral("单词练习---（一共练习3个词，打对了1个，打错了1个）"));

        QPointer<PracticeWindow> kept = w;
        app.ui().answers.push_back(ui::Answer::Yes);
        w->findChild<QAction *>("learn")->trigger();
        TestApp::settle();
        QVERIFY(kept && !w->isVisible());
        QVERIFY(!w->flashPanel().clock()->isActive()); // a hidden window's clock does not run

        const int dialogs = app.ui().modalWindows.size();
        QCOMPARE(openWindow(app, shell::Screen::Practice), w);
        QCOMPARE(app.ui().modalWindows.size(), dialogs); // no range dialog
        QCOMPARE(w->windowTitle(), caption);
        QCOMPARE(items(w, "list2"), QStringList{kanaOf(1)});
        QCOMPARE(w->session().wrongList(practice::Direction::ChineseToJapanese).size(), 1);
        QCOMPARE(w->session().range()->last, 104);
        QVERIFY(findIn<QRadioButton>(w, "rihan")->isChecked() &&
                findIn<QRadioButton>(w, "optflash")->isChecked());
        QVERIFY(enabled(w, "flashstart") && findIn<QPushButton>(w, "flashstart")->isDefault());
    }

    // The defaults 3 and 2: a word at the first tick, its answer three ticks later, "next" two
    // ticks after that, the next word one tick later. "添加" adds the word on screen, but not
    // during "next"; "停止" and "开始" go on where the cycle stood.
    void flashDrillCycle()
    {
        TestApp app;
        PracticeWindow *w = openPractice(app);
        choose(w, "optflash");
        QVERIFY(shown(w, "picflash") && !shown(w, "framehanri") && !shown(w, "txtinput"));
        pressEnter(w); // "开始" is the default button
        QVERIFY(w->flashPanel().clock()->isActive() && !enabled(w, "flashstart"));
        tick(w);
        QCOMPARE(text(w, "china"), meaningOf(1));
        QCOMPARE(text(w, "japan"), kanaOf(1));
        QVERIFY(!readable(w, "japan") && !shown(w, "lbldanghan"));
        tick(w, 2);
        QVERIFY(!readable(w, "japan"));
        tick(w);
        QVERIFY(readable(w, "japan") && shown(w, "lbldanghan"));
        QCOMPARE(ui::textColor(findIn<QLabel>(w, "japan")), QColor(0, 0, 255));
        click(w, "flashstop"); // in the answer stage
        QVERIFY(!w->flashPanel().clock()->isActive());
        QCOMPARE(focusName(w), QStringLiteral("flashstart"));
        pressEnter(w);
        QVERIFY(w->flashPanel().clock()->isActive());
        pressEnter(w); // Enter adds the word on screen
        QCOMPARE(items(w, "List"), QStringList{meaningOf(1)});
        tick(w);
        QVERIFY(readable(w, "japan")); // the answer stage's second second
        tick(w);
        QCOMPARE(text(w, "china"), QStringLiteral("next"));
        QVERIFY(!readable(w, "japan") && !shown(w, "lbldanghan"));
        click(w, "flashadd");
        QCOMPARE(items(w, "Listno"), QStringList{"1"});
        tick(w);
        QCOMPARE(text(w, "china"), meaningOf(2));
        QCOMPARE(w->windowTitle(), QStringLiteral("词帆-练习模式")); // nothing counted

        choose(w, "optnormal");
        QVERIFY(!w->flashPanel().clock()->isActive());
        QVERIFY(enabled(w, "flashstart") && shown(w, "framehanri") && shown(w, "txtinput"));
        pressEnter(w); // on "出题" again, not on the hidden "开始"
        QCOMPARE(text(w, "china"), meaningOf(3));
    }

    // The Japanese-to-Chinese draw and the flash drill end their range with the same message;
    // the flash clock stands still while it is open and goes on with the first word. The speed
    // file is read at every tick.
    void flashDrillEndOfRangeAndSpeedFile()
    {
        TestApp app;
        writeFile(app.path(QStringLiteral("sous/gap.dll")), "1,1\r\n");
        PracticeWindow *w = openPractice(app, confirmRange("ceshi")); // 1607..1613
        choose(w, "rihan");
        app.ui().messages.clear();
        for (int i = 0; i < 7; ++i)
            click(w, "showriyu");
        QCOMPARE(app.ui().messageTexts(), QStringList{practice::kEndOfRangeNoCount});
        QCOMPARE(text(w, "japan"), kanaOf(1613));
        QCOMPARE(w->session().questionCount(), 0);

        choose(w, "optflash");
        click(w, "flashstart");
        app.ui().messages.clear();
        QStringList duringMessage;
        app.ui().onMessage = [&](const ui::Message &) {
            const qint16 before = w->session().flashTick();
            tick(w, 5); // seconds pass while the box is open
            duringMessage << QString::number(w->session().flashTick() - before) + text(w, "japan");
        };
        tick(w, 3 * 6 + 1); // six words of three ticks, then the seventh word
        QCOMPARE(text(w, "japan"), kanaOf(1613));
        QCOMPARE(app.ui().messageTexts(), QStringList{practice::kEndOfRangeNoCount});
        QCOMPARE(app.ui().messages[0].message.title, QStringLiteral("提醒"));
        QCOMPARE(duringMessage, QStringList{QStringLiteral("0next")});
        QVERIFY(!readable(w, "china"));
        tick(w);
        QVERIFY(readable(w, "china")); // the meaning is the answer here
        tick(w, 2);
        QCOMPARE(text(w, "japan"), kanaOf(1607));
        QCOMPARE(app.ui().messages.size(), 1);

        writeFile(app.path(QStringLiteral("sous/gap.dll")), "8,1\r\n");
        tick(w, 7);
        QVERIFY(!readable(w, "china"));
        tick(w);
        QVERIFY(readable(w, "china"));
        tick(w, 2);
        QCOMPARE(text(w, "japan"), kanaOf(1608));
    }

    // Thirty wrong words of lesson 34 in 错题栏: every meaning is shown whole (wrapped within the
    // list's width), no scroll bar runs across, the newest entry is in sight, and no word number
    // can stand beside another word's meaning (they are kept in step, not shown).
    void wrongListReadable()
    {
        TestApp app;
        PracticeWindow *w = openPractice(app, confirmRange("l34"));
        answerWrong(w, 30);
        auto *list = findIn<QListWidget>(w, "List");
        QCOMPARE(list->count(), 30);
        QCOMPARE(items(w, "Listno").size(), 30);
        QVERIFY(!shown(w, "Listno"));
        QVERIFY(!list->horizontalScrollBar()->isVisible());
        QVERIFY(list->horizontalScrollBar()->maximum() == 0);
        const QFontMetrics metrics(list->font());
        for (int i = 0; i < list->count(); ++i) {
            const QRect rect = list->visualItemRect(list->item(i));
            const QRect needed = metrics.boundingRect(QRect(0, 0, rect.width() - 8, 1000), Qt::TextWordWrap,
                                                      list->item(i)->text());
            QVERIFY2(rect.right() <= list->viewport()->width() && needed.height() <= rect.height(),
                     qPrintable(list->item(i)->text()));
        }
        QVERIFY(list->viewport()->rect().intersects(list->visualItemRect(list->item(29))));
    }

    // Through the three practices the button drawn as the default one is the one Enter presses,
    // also after a command that moves the focus to another button.
    void enterPressesTheHighlightedButton()
    {
        TestApp app;
        PracticeWindow *w = openPractice(app);
        QStringList pressed;
        pressed << enterOnHighlight(w) << enterOnHighlight(w) << enterOnHighlight(w); // draw, wrong, draw
        choose(w, "rihan");
        pressed << enterOnHighlight(w); // draw
        click(w, "hint4");
        pressed << enterOnHighlight(w) << enterOnHighlight(w); // reveal, draw
        choose(w, "optflash");
        pressed << enterOnHighlight(w) << enterOnHighlight(w); // start, add
        QCOMPARE(pressed, (QStringList{"begin", "check", "begin", "showriyu", "showhanyu", "showriyu",
                                       "flashstart", "flashadd"}));
    }

    // Double-click on "闪电速练": both steps, again from the old presets after a bad value, the
    // file as typed; the next dialog starts from the file read as whole numbers. Without a sous
    // folder nothing is written; the user is told, and the speed holds for this run.
    void speedDialog()
    {
        TestApp app;
        PracticeWindow *w = openPractice(app);
        auto *flash = findIn<QRadioButton>(w, "optflash");
        app.ui().inputs = {QStringLiteral("9"), QStringLiteral("1"), QStringLiteral("2.5"),
                           QStringLiteral("1")};
        app.ui().messages.clear();
        doubleClick(flash);
        QVERIFY(flash->isChecked());
        QCOMPARE(app.ui().inputRequests.size(), 4);
        QCOMPARE(app.ui().inputRequests[2].initial, QStringLiteral("3"));
        QCOMPARE(app.ui().inputRequests[3].initial, QStringLiteral("2"));
        QCOMPARE(app.ui().messageTexts(), QStringList{QStringLiteral("输入错误，请输入一个1-8的数")});
        QCOMPARE(fileBytes(app.path(QStringLiteral("sous/gap.dll"))), QByteArray("2.5,1\r\n"));

        app.ui().inputs = {QStringLiteral("4"), QStringLiteral("4")};
        doubleClick(flash);
        QCOMPARE(app.ui().inputRequests[4].initial, QStringLiteral("2"));
        QCOMPARE(app.ui().inputRequests[5].initial, QStringLiteral("1"));
        QCOMPARE(fileBytes(app.path(QStringLiteral("sous/gap.dll"))), QByteArray("4,4\r\n")); // replaced

        QVERIFY(QDir(app.path(QStringLiteral("sous"))).removeRecursively());
        app.ui().inputs = {QStringLiteral("1"), QStringLiteral("1")};
        app.ui().messages.clear();
        doubleClick(flash);
        QCOMPARE(app.ui().messages.size(), 1);
        QVERIFY(app.ui().messages[0].message.text.contains(QStringLiteral("sous/gap.dll")));
        click(w, "flashstart");
        tick(w, 2);
        QVERIFY(readable(w, "japan"));
        tick(w);
        QCOMPARE(text(w, "china"), QStringLiteral("next"));
    }
};

QTEST_MAIN(PracticeWindowTest)
#include "tst_practicewindow.moc"
