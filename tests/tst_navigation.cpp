// Moving between the windows: function keys, menu and pop-up entries, exit labels, fresh windows
// after a switch, and the practice window's keep-state question.
#include "app/programwindows.h"
#include "practice/practicewindow.h"
#include "shell/helpviewer.h"
#include "shell/reminderwindow.h"
#include "shell/startmenuwindow.h"
#include "shell/workwindow.h"
#include "testapp.h"
#include "ui/textcanvas.h"

#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

using shell::Screen;

class NavigationTest : public QObject
{
    Q_OBJECT

    struct Recorder {
        QStringList compares;
        QStringList abouts;
        QStringList helps;
        void install(shell::Shell &s)
        {
            s.setCompareOpener([this](QWidget *owner) { compares << owner->objectName(); });
            s.setAboutOpener([this](QWidget *owner) { abouts << owner->objectName(); });
            s.setHelpOpener([this](QWidget *, const QString &file) { helps << file; });
        }
    };

    static QWidget *open(TestApp &app, Screen screen) { return openWindow(app, screen); }

    static QString pressKey(TestApp &app, Qt::Key key)
    {
        QWidget *w = app.shell().currentWindow();
        QTest::keyClick(w, key);
        TestApp::settle();
        return app.shell().currentWindow() ? app.shell().currentWindow()->objectName() : QString();
    }

    static practice::PracticeSession &session(QWidget *practice)
    {
        return qobject_cast<practice::PracticeWindow *>(practice)->session();
    }

    // A question drawn and an answer checked.
    static void setPracticeBegun(QWidget *practice)
    {
        session(practice).markDrawn();
        session(practice).markChecked();
    }

    static QAction *action(QWidget *w, const char *name)
    {
        return w->findChild<QAction *>(QString::fromLatin1(name));
    }

private Q_SLOTS:
    void functionKeys_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("expected"); // window afterwards; "compare" = comparison opened
        QTest::addRow("study F2") << int(Screen::Study) << int(Qt::Key_F2) << "chaxun";
        QTest::addRow("study F3") << int(Screen::Study) << int(Qt::Key_F3) << "japanese";
        QTest::addRow("study F4 does nothing") << int(Screen::Study) << int(Qt::Key_F4) << "xuexi";
        QTest::addRow("study F5") << int(Screen::Study) << int(Qt::Key_F5) << "compare";
        QTest::addRow("query F2 does nothing") << int(Screen::Query) << int(Qt::Key_F2) << "chaxun";
        QTest::addRow("query F3") << int(Screen::Query) << int(Qt::Key_F3) << "japanese";
        QTest::addRow("query F4") << int(Screen::Query) << int(Qt::Key_F4) << "xuexi";
        QTest::addRow("query F5") << int(Screen::Query) << int(Qt::Key_F5) << "compare";
        QTest::addRow("practice F2") << int(Screen::Practice) << int(Qt::Key_F2) << "chaxun";
        QTest::addRow("practice F3 does nothing") << int(Screen::Practice) << int(Qt::Key_F3) << "japanese";
        QTest::addRow("practice F4") << int(Screen::Practice) << int(Qt::Key_F4) << "xuexi";
        QTest::addRow("practice F5") << int(Screen::Practice) << int(Qt::Key_F5) << "compare";
    }
    void functionKeys()
    {
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(QString, expected);
        TestApp app;
        Recorder rec;
        rec.install(app.shell());
        QVERIFY(app.shell().start());
        QPointer<QWidget> source = open(app, Screen(from));
        const QString sourceName = source->objectName();
        const QString after = pressKey(app, Qt::Key(key));
        if (expected == u"compare") {
            QCOMPARE(rec.compares, QStringList{sourceName});
            QCOMPARE(after, sourceName); // the comparison window opens over its owner
            QVERIFY(source && source->isVisible());
        } else {
            QVERIFY(rec.compares.isEmpty());
            QCOMPARE(after, expected);
            if (expected != sourceName)
                QVERIFY(source.isNull()); // closed, not hidden: practice had not begun
        }
        QVERIFY(app.ui().messages.isEmpty());
    }

    void f1OpensTheHelpFileByItsBareName()
    {
        TestApp app;
        Recorder rec;
        rec.install(app.shell());
        QVERIFY(app.shell().start());
        for (Screen s : {Screen::Study, Screen::Query, Screen::Practice}) {
            open(app, s);
            pressKey(app, Qt::Key_F1);
        }
        QCOMPARE(rec.helps, (QStringList{"帮助.chm", "帮助.chm", "帮助.chm"}));
    }

    void menuBarsHoldTheirEntriesInOrder()
    {
        TestApp app;
        QVERIFY(app.shell().start());
        auto names = [](QWidget *w) {
            QStringList out;
            for (QAction *a : static_cast<QMainWindow *>(w)->menuBar()->actions()) {
                const QString name = a->menu() ? a->menu()->objectName() : a->objectName();
                out << (a->isVisible() ? name : name + QStringLiteral("(hidden)"));
            }
            return out;
        };
        QCOMPARE(names(open(app, Screen::Study)),
                 (QStringList{"shuoming", "guanyu", "spc2", "qidong", "lookup", "practise", "spc", "compare",
                              "jilu", "space(hidden)", "popout(hidden)"}));
        QCOMPARE(names(open(app, Screen::Query)),
                 (QStringList{"shuoming", "guanyu", "spc2", "qidong", "practise", "learn", "spc", "compare",
                              "jilu", "space(hidden)", "luomazi", "popout(hidden)"}));
        QCOMPARE(names(open(app, Screen::Practice)),
                 (QStringList{"shuoming", "about", "spc2", "qidong", "space(hidden)", "lookup", "learn",
                              "spc(hidden)", "compare", "jilu", "luomazi", "popout(hidden)"}));
        QWidget *practice = app.shell().currentWindow();
        // "罗马字输入(F8)" stays last when a menu is added at the end of the bar after it.
        auto *extra = new QMenu(QStringLiteral("x"), practice);
        extra->setObjectName(QStringLiteral("extra"));
        static_cast<QMainWindow *>(practice)->menuBar()->insertMenu(
            static_cast<shell::WorkWindow *>(practice)->popout()->menuAction(), extra);
        practice->hide();
        practice->show();
        QCOMPARE(names(practice).mid(8),
                 (QStringList{"compare", "jilu", "extra", "luomazi", "popout(hidden)"}));
        QCOMPARE(action(practice, "lookup")->text(), QStringLiteral("查询单词(F2)"));
        QCOMPARE(action(practice, "learn")->text(), QStringLiteral("单词学习(F4)"));
        QCOMPARE(action(practice, "shuoming")->text(), QStringLiteral("使用说明(F1)"));
        // The visible entries show the key but do not carry it.
        QVERIFY(action(practice, "lookup")->shortcut().isEmpty());
        QCOMPARE(action(practice, "kuaijielookup")->shortcut(), QKeySequence(Qt::Key_F2));
    }

    void menuAndPopupEntriesSwitchWindows()
    {
        TestApp app;
        Recorder rec;
        rec.install(app.shell());
        QVERIFY(app.shell().start());

        action(open(app, Screen::Study), "lookup")->trigger();
        TestApp::settle();
        QCOMPARE(app.shell().currentWindow()->objectName(), QStringLiteral("chaxun"));
        action(app.shell().currentWindow(), "popxuexi")->trigger();
        TestApp::settle();
        QCOMPARE(app.shell().currentWindow()->objectName(), QStringLiteral("xuexi"));
        action(app.shell().currentWindow(), "poplianxi")->trigger();
        TestApp::settle();
        QCOMPARE(app.shell().currentWindow()->objectName(), QStringLiteral("japanese"));
        action(app.shell().currentWindow(), "popstartmenu")->trigger();
        TestApp::settle();
        QCOMPARE(app.shell().currentWindow()->objectName(), QStringLiteral("startmenu"));
        QVERIFY(app.shell().startWindow()->isVisible());
        QCOMPARE(app.quitCalls(), 0);
    }

    void leavingAndComingBackGivesAFreshWindow()
    {
        TestApp app;
        QVERIFY(app.shell().start());
        QPointer<QWidget> first = open(app, Screen::Query);
        first->setProperty("marker", 1);
        open(app, Screen::Study);
        QVERIFY(first.isNull());
        QWidget *second = open(app, Screen::Query);
        QVERIFY(!second->property("marker").isValid());
        // Only one ordinary window is visible at any time.
        int visible = 0;
        for (QWidget *w : QApplication::topLevelWidgets())
            visible += (w->isVisible() && !w->inherits("QMenu")) ? 1 : 0;
        QCOMPARE(visible, 1);
    }

    void exitLabelsAndPopupExitEndTheProgram_data()
    {
        QTest::addColumn<int>("screen");
        QTest::addColumn<QString>("label");
        QTest::addRow("study") << int(Screen::Study) << "lblexit";
        QTest::addRow("practice") << int(Screen::Practice) << "Label1";
        QTest::addRow("query") << int(Screen::Query) << "Label3";
    }
    void exitLabelsAndPopupExitEndTheProgram()
    {
        QFETCH(int, screen);
        QFETCH(QString, label);
        {
            TestApp app;
            QVERIFY(app.shell().start());
            QWidget *w = open(app, Screen(screen));
            auto *exit = w->findChild<QLabel *>(label);
            QCOMPARE(exit->text(), QStringLiteral("退出"));
            QTest::mouseClick(exit, Qt::LeftButton);
            QCOMPARE(app.quitCalls(), 1);
            QVERIFY(app.shell().hasExited());
        }
        {
            TestApp app;
            QVERIFY(app.shell().start());
            QWidget *w = open(app, Screen(screen));
            QCOMPARE(action(w, "popexit")->text(), QStringLiteral("退出"));
            action(w, "popexit")->trigger();
            QCOMPARE(app.quitCalls(), 1);
        }
    }

    void workingWindowTitles()
    {
        TestApp app;
        QVERIFY(app.shell().start());
        QCOMPARE(open(app, Screen::Study)->windowTitle(), QStringLiteral("词帆  单词学习"));
        QCOMPARE(open(app, Screen::Practice)->windowTitle(), QStringLiteral("词帆-练习模式"));
        QCOMPARE(open(app, Screen::Query)->windowTitle(), QStringLiteral("词帆  单词查询 "));
    }

    // The study and query exit labels are checked with their windows (tst_studylayout,
    // tst_querywindow); the practice window's says goodbye.
    void practiceExitLabelSaysGoodbye()
    {
        TestApp app;
        QVERIFY(app.shell().start());
        auto *practice = static_cast<shell::WorkWindow *>(open(app, Screen::Practice));
        QVERIFY(QTest::qWaitForWindowExposed(practice));
        auto *label1 = findIn<QLabel>(practice, "Label1");
        hoverOver(label1, label1->rect().center());
        QTRY_COMPARE(label1->text(), QStringLiteral("BYE~"));
        QCOMPARE(label1->palette().color(QPalette::Window), QColor(192, 255, 255));
        hoverOver(practice->surface(), QPoint(200, 300));
        QTRY_COMPARE(label1->text(), QStringLiteral("退出"));
        QCOMPARE(label1->palette().color(QPalette::Window), QColor(224, 224, 224));
    }

    void practiceAsksOnlyOnceBegun()
    {
        TestApp app;
        QVERIFY(app.shell().start());
        // Nothing pressed yet, or only "出题": leave without asking.
        QPointer<QWidget> practice = open(app, Screen::Practice);
        session(practice).markDrawn();
        pressKey(app, Qt::Key_F2);
        QVERIFY(app.ui().messages.isEmpty());
        QVERIFY(practice.isNull());
    }

    void keepStateQuestionWording_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("target");
        const QString shortQ = QStringLiteral("是否保留当前练习的状况?");
        const QString longQ = QStringLiteral("是否保留当前的练习状况?");
        QTest::addRow("start page menu") << "qidong" << shortQ << "startmenu";
        QTest::addRow("start page pop-up") << "popstartmenu" << shortQ << "startmenu";
        QTest::addRow("F2 key") << "kuaijielookup" << shortQ << "chaxun";
        QTest::addRow("F4 key") << "kuaijielearn" << shortQ << "xuexi";
        QTest::addRow("query menu") << "lookup" << longQ << "chaxun";
        QTest::addRow("query pop-up") << "popchaxun" << longQ << "chaxun";
        QTest::addRow("study menu") << "learn" << longQ << "xuexi";
        QTest::addRow("study pop-up") << "popxuexi" << longQ << "xuexi";
    }
    void keepStateQuestionWording()
    {
        QFETCH(QString, command);
        QFETCH(QString, question);
        QFETCH(QString, target);
        TestApp app;
        QVERIFY(app.shell().start());
        QPointer<QWidget> practice = open(app, Screen::Practice);
        setPracticeBegun(practice);
        app.ui().answers.push_back(ui::Answer::No);
        practice->findChild<QAction *>(command)->trigger();
        TestApp::settle();
        QCOMPARE(app.ui().messages.size(), 1);
        const ui::Message m = app.ui().messages.first().message;
        QCOMPARE(m.text, question);
        QCOMPARE(m.title, QStringLiteral("询问"));
        QCOMPARE(m.icon, ui::Icon::Question);
        QCOMPARE(m.buttons, ui::Buttons::YesNo);
        QCOMPARE(app.shell().currentWindow()->objectName(), target);
        QVERIFY(practice.isNull()); // No: closed for good
    }

    void keepingPracticeHidesItAndShowsItAgain()
    {
        TestApp app;
        QVERIFY(app.shell().start());
        QPointer<QWidget> practice = open(app, Screen::Practice);
        setPracticeBegun(practice);
        app.ui().answers.push_back(ui::Answer::Yes);
        pressKey(app, Qt::Key_F4);
        QVERIFY(practice);
        QVERIFY(!practice->isVisible());
        QCOMPARE(app.shell().currentWindow()->objectName(), QStringLiteral("xuexi"));

        pressKey(app, Qt::Key_F3);
        QCOMPARE(app.shell().currentWindow(), practice.data());
        QVERIFY(practice->isVisible());
        QVERIFY(session(practice).begun());

        // Leaving again without keeping closes it; the next visit is fresh.
        app.ui().answers.push_back(ui::Answer::No);
        pressKey(app, Qt::Key_F2);
        QVERIFY(practice.isNull());
        QWidget *fresh = open(app, Screen::Practice);
        QVERIFY(!session(fresh).drawn() && !session(fresh).checked());
    }

    void anyWindowCanBeKeptHidden()
    {
        // Keeping a window is the shell's own operation, not one of the practice window's.
        TestApp app;
        QVERIFY(app.shell().start());
        QPointer<QWidget> study = open(app, Screen::Study);
        study->setProperty("marker", 1);
        QTest::mouseClick(findIn<QPushButton>(study, "start"), Qt::LeftButton); // lesson 1 on show
        const QStringList lesson = findIn<ui::TextCanvas>(study, "showword")->textLines();
        QVERIFY(lesson.size() > 11);
        app.shell().switchTo(Screen::Query, shell::Keep::Hidden);
        TestApp::settle();
        QVERIFY(study);
        QVERIFY(study->isHidden());
        QCOMPARE(app.shell().workWindow(Screen::Study), study.data());
        QCOMPARE(app.shell().currentWindow()->objectName(), QStringLiteral("chaxun"));

        open(app, Screen::Study);
        QCOMPARE(app.shell().currentWindow(), study.data());
        QVERIFY(study->isVisible());
        QCOMPARE(study->property("marker").toInt(), 1);
        // Shown again as it was: its load step, which writes the introduction, does not run again.
        QCOMPARE(findIn<ui::TextCanvas>(study, "showword")->textLines(), lesson);

        // Leaving without keeping closes it as usual.
        open(app, Screen::Start);
        QVERIFY(study.isNull());
    }

    void aShellWithoutAFactoryHostsOnlyTheStartWindow()
    {
        TestApp folder;
        ScriptedInteraction ui;
        shell::Shell sh(folder.dir(), ui, [](int) {});
        QVERIFY(sh.start());
        QWidget *start = sh.currentWindow();
        sh.switchTo(Screen::Study);
        QCOMPARE(sh.currentWindow(), start);
        QCOMPARE(sh.currentScreen(), Screen::Start);
        QVERIFY(start->isVisible());
    }

    void exitClosesAHiddenPracticeWindow()
    {
        TestApp app;
        QVERIFY(app.shell().start());
        QPointer<QWidget> practice = open(app, Screen::Practice);
        setPracticeBegun(practice);
        app.ui().answers.push_back(ui::Answer::Yes);
        pressKey(app, Qt::Key_F2);
        QVERIFY(practice);
        QTest::mouseClick(findIn<QLabel>(app.shell().currentWindow(), "Label3"), Qt::LeftButton);
        TestApp::settle();
        QCOMPARE(app.quitCalls(), 1);
        QVERIFY(practice.isNull());
    }

    void workingWindowsKeepTheirDesignAreaBelowTheMenuBar_data()
    {
        QTest::addColumn<int>("screen");
        QTest::addColumn<QSize>("client");
        QTest::addRow("study") << int(Screen::Study) << QSize(714, 493);
        QTest::addRow("practice") << int(Screen::Practice) << QSize(714, 483);
        QTest::addRow("query") << int(Screen::Query) << QSize(715, 481);
    }
    void workingWindowsKeepTheirDesignAreaBelowTheMenuBar()
    {
        QFETCH(int, screen);
        QFETCH(QSize, client);
        TestApp app;
        QVERIFY(app.shell().start());
        auto *w = static_cast<shell::WorkWindow *>(open(app, Screen(screen)));
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QCOMPARE(w->surface()->size(), client);
        // Fixed, as the layout is: no maximising into an empty field.
        QCOMPARE(w->minimumSize(), w->maximumSize());
        QVERIFY(w->windowFlags().testFlag(Qt::CustomizeWindowHint));
        QVERIFY(!w->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(w->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    }

    void nothingOutlivesTheShell()
    {
        // The program ends as soon as the exit command returns, before the event loop comes
        // round again: windows waiting for deletion, the hidden practice window, the reminder
        // and help viewers all go with the shell.
        TestApp folder;
        const QString help = folder.path(QStringLiteral("帮助.chm"));
        QVERIFY(QFile::copy(QStringLiteral(CIFAN_PROGRAM_DIR "/帮助.chm"), help));
        ScriptedInteraction ui;
        auto sh = std::make_unique<shell::Shell>(folder.dir(), ui, [](int) {});
        sh->setWindowFactory(app::buildProgramWindow);
        auto saver = std::make_shared<RecordingScreenSaver>();
        sh->setReminderFactory(
            [saver](shell::Shell &s) -> QObject * { return new shell::ReminderWindow(s, saver); });
        QList<QPointer<QObject>> made;
        QVERIFY(sh->start());
        made << sh->currentWindow() << sh->reminder();
        // The help reader answers through the event loop, so the viewers come first.
        sh->openHelp(nullptr, help);
        QTRY_VERIFY_WITH_TIMEOUT(!sh->isOpeningHelp(), 5000);
        QPointer<QObject> first = sh->helpViewer();
        QVERIFY(first);
        sh->openHelp(nullptr, QStringLiteral(CIFAN_PROGRAM_DIR "/帮助.chm")); // another file: a new viewer
        QTRY_VERIFY_WITH_TIMEOUT(!sh->isOpeningHelp(), 5000);
        made << static_cast<QObject *>(sh->helpViewer());
        QTRY_VERIFY(!first); // the one it replaced is gone
        sh->switchTo(Screen::Study);
        made << sh->currentWindow();
        sh->switchTo(Screen::Practice);
        QWidget *practice = sh->currentWindow();
        made << practice;
        setPracticeBegun(practice);
        ui.answers.push_back(ui::Answer::Yes);
        action(practice, "kuaijielookup")->trigger();
        QVERIFY(practice->isHidden());
        made << sh->currentWindow();
        // One still being read when the program ends goes with it too.
        sh->openHelp(nullptr, help);
        made << static_cast<QObject *>(sh->openingHelpViewer());
        QCOMPARE(made.size(), 7);
        for (const QPointer<QObject> &p : std::as_const(made))
            QVERIFY(p);
        sh->exitProgram();
        sh.reset();
        for (const QPointer<QObject> &p : std::as_const(made))
            QVERIFY2(p.isNull(), p ? qPrintable(p->objectName()) : "");
    }

    // "记录(&R)" with its two entries in every working window; F6 opens the progress window
    // (as do the menu entry and the start window's link), F7 with nothing recorded says so.
    void recordMenuAndKeysInEveryWindow()
    {
        TestApp app;
        QVERIFY(app.shell().start());
        auto *link = findIn<QPushButton>(app.shell().currentWindow(), "lbljilu");
        QVERIFY(link && link->text().contains(QStringLiteral("学习记录")));
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(app.ui().modalWindows, QStringList{"jilu"});
        // Reached from the keyboard as the pictures are: Space on the focused link opens it too.
        link->setFocus();
        QTest::keyClick(link, Qt::Key_Space);
        QCOMPARE(app.ui().modalWindows, (QStringList{"jilu", "jilu"}));
        app.ui().modalWindows.clear();
        for (Screen screen : {Screen::Study, Screen::Practice, Screen::Query}) {
            QWidget *w = open(app, screen);
            auto *menu = findIn<QMenu>(w, "jilu");
            QVERIFY(menu);
            QCOMPARE(menu->title(), QStringLiteral("记录(&R)"));
            QCOMPARE(menu->actions().size(), 2);
            QCOMPARE(menu->actions()[0]->text(), QStringLiteral("学习记录(F6)"));
            QCOMPARE(menu->actions()[1]->text(), QStringLiteral("复习到期单词(F7)"));
            app.ui().modalWindows.clear();
            app.ui().messages.clear();
            QCOMPARE(pressKey(app, Qt::Key_F6), w->objectName());
            menu->actions()[0]->trigger();
            QCOMPARE(app.ui().modalWindows, (QStringList{"jilu", "jilu"}));
            QCOMPARE(pressKey(app, Qt::Key_F7), w->objectName());
            QCOMPARE(app.ui().messageTexts(),
                     QStringList{QStringLiteral("现在没有到期的单词。\n记录中还没有需要复习的单词。")});
        }
    }

    void aboutEntriesReachTheAboutWindow()
    {
        TestApp app;
        Recorder rec;
        rec.install(app.shell());
        QVERIFY(app.shell().start());
        action(open(app, Screen::Study), "guanyu")->trigger();
        action(open(app, Screen::Practice), "about")->trigger();
        action(open(app, Screen::Query), "guanyu")->trigger();
        QCOMPARE(rec.abouts, (QStringList{"xuexi", "japanese", "chaxun"}));
    }
};

QTEST_MAIN(NavigationTest)
#include "tst_navigation.moc"
