// The start window: its check of the pictures, what it shows, the hover frames and the ways out.
#include "shell/startmenuwindow.h"
#include "testapp.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>

class StartMenuTest : public QObject
{
    Q_OBJECT

    static QList<bool> visibleLines(shell::StartMenuWindow *w)
    {
        QList<bool> out;
        for (int i = 2; i <= 13; ++i)
            out << findIn<QFrame>(w, QStringLiteral("Line%1").arg(i).toLatin1().constData())->isVisible();
        return out;
    }

private Q_SLOTS:
    void showsTitlePicturesLabelsAndWelcome()
    {
        TestApp app;
        QVERIFY(app.shell().start());
        auto *w = app.shell().startWindow();
        QVERIFY(w);
        QVERIFY(w->isVisible());
        QCOMPARE(w->objectName(), QStringLiteral("startmenu"));
        QCOMPARE(w->windowTitle(), QStringLiteral("岚舟工作室-词帆（初级）"));
        for (const char *name : {"picchaxun", "piclianxi", "picxuexi"}) {
            auto *pic = findIn<QLabel>(w, name);
            QVERIFY2(pic && !pic->pixmap().isNull(), name);
        }
        QCOMPARE(findIn<QLabel>(w, "Label1")->text(), QStringLiteral("单词查询"));
        QCOMPARE(findIn<QLabel>(w, "Label2")->text(), QStringLiteral("单词练习"));
        QCOMPARE(findIn<QLabel>(w, "Label3")->text(), QStringLiteral("单词学习"));
        for (const char *name : {"Label1", "Label2", "Label3"})
            QCOMPARE(findIn<QLabel>(w, name)->toolTip(), QStringLiteral("请点击头像"));
        QCOMPARE(findIn<QPushButton>(w, "exuse")->text(), QStringLiteral("使用前请务必仔细阅读帮助文件"));
        const QStringList welcome = findIn<QLabel>(w, "welcome")->text().split(u'\n');
        QCOMPARE(welcome.size(), 3);
        QVERIFY(welcome[0].startsWith(QStringLiteral("        欢迎使用岚舟工作室的学习软件。")));
        QCOMPARE(welcome[1], QStringLiteral("         此级别是标日初级。"));
        QCOMPARE(welcome[2], QStringLiteral("         请点击相应图片进入。"));
        QVERIFY(app.ui().messages.isEmpty());
        QCOMPARE(app.quitCalls(), 0);
    }

    void tabReachesPicturesAndHelpAndKeysStartThem_data()
    {
        QTest::addColumn<int>("tabs");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("opened");
        QTest::addRow("query by Enter") << 0 << int(Qt::Key_Return) << "chaxun";
        QTest::addRow("practice by Space") << 1 << int(Qt::Key_Space) << "japanese";
        QTest::addRow("study by keypad Enter") << 2 << int(Qt::Key_Enter) << "xuexi";
        QTest::addRow("help by Enter") << 3 << int(Qt::Key_Return) << "help";
    }
    void tabReachesPicturesAndHelpAndKeysStartThem()
    {
        QFETCH(int, tabs);
        QFETCH(int, key);
        QFETCH(QString, opened);
        TestApp app;
        QStringList helpOpened;
        app.shell().setHelpOpener([&](QWidget *, const QString &file) { helpOpened << file; });
        QVERIFY(app.shell().start());
        auto *w = app.shell().startWindow();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        const char *const order[] = {"picchaxun", "piclianxi", "picxuexi", "exuse"};
        findIn<QWidget>(w, order[0])->setFocus();
        for (int i = 0; i < tabs; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *focused = QApplication::focusWidget();
        QCOMPARE(focused, findIn<QWidget>(w, order[tabs]));
        // The focused control shows it: the picture draws its dashed frame, the button its own.
        const QImage look = focused->grab().toImage();
        focused->clearFocus();
        QVERIFY(focused->grab().toImage() != look);
        focused->setFocus();
        QTest::keyClick(focused, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        TestApp::settle();
        if (opened == QLatin1String("help"))
            QCOMPARE(helpOpened, QStringList{app.path(QStringLiteral("帮助.chm"))});
        else
            QCOMPARE(app.shell().currentWindow()->objectName(), opened);
    }

    void aMissingPictureEndsTheProgram_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addRow("practice") << "pic/lianxi.gif";
        QTest::addRow("query") << "pic/chaxun.gif";
        QTest::addRow("study") << "pic/xuexi.gif";
    }
    void aMissingPictureEndsTheProgram()
    {
        QFETCH(QString, picture);
        TestApp app;
        QVERIFY(QFile::remove(app.path(picture)));
        // The check comes before the window appears: no half-built start window behind the box.
        int visibleAtMessage = -1;
        app.ui().onMessage = [&](const ui::Message &) {
            visibleAtMessage = 0;
            for (QWidget *w : QApplication::topLevelWidgets())
                visibleAtMessage += w->isVisible() ? 1 : 0;
        };
        QVERIFY(!app.shell().start());
        QCOMPARE(visibleAtMessage, 0);
        QCOMPARE(app.ui().messages.size(), 1);
        const ui::Message m = app.ui().messages.first().message;
        QCOMPARE(m.text, QStringLiteral("文件丢失，无法启动程序"));
        QCOMPARE(m.icon, ui::Icon::None);
        QCOMPARE(m.buttons, ui::Buttons::Ok);
        QCOMPARE(m.shownTitle(), QStringLiteral("词帆"));
        QCOMPARE(app.quitCalls(), 1);
        QVERIFY(app.shell().hasExited());
        QVERIFY(!app.shell().currentWindow() || !app.shell().currentWindow()->isVisible());
    }

    void aPictureRemovedLaterEndsTheProgramOnReturn()
    {
        // The check runs at every load of the start window, also when the user comes back to it.
        TestApp app;
        QVERIFY(app.shell().start());
        app.shell().switchTo(shell::Screen::Study);
        TestApp::settle();
        QVERIFY(QFile::remove(app.path(QStringLiteral("pic/xuexi.gif"))));
        QPointer<QWidget> study = app.shell().currentWindow();
        QAction *qidong = study->findChild<QAction *>(QStringLiteral("qidong"));
        QVERIFY(qidong);
        qidong->trigger();
        TestApp::settle();
        QCOMPARE(app.ui().messageTexts(), QStringList{QStringLiteral("文件丢失，无法启动程序")});
        QCOMPARE(app.quitCalls(), 1);
        QVERIFY(study.isNull());
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    }

    void hoverFramesThePictureUnderTheMouse()
    {
        TestApp app;
        QVERIFY(app.shell().start());
        auto *w = app.shell().startWindow();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        const QList<bool> none(12, false);
        QCOMPARE(visibleLines(w), none);

        auto *chaxun = findIn<QLabel>(w, "picchaxun");
        hoverOver(chaxun, chaxun->rect().center());
        QTRY_COMPARE(visibleLines(w), (QList<bool>{true, true, true, true, false, false, false, false, false,
                                                   false, false, false}));

        auto *xuexi = findIn<QLabel>(w, "picxuexi");
        hoverOver(xuexi, xuexi->rect().center());
        QTRY_COMPARE(visibleLines(w), (QList<bool>{false, false, false, false, false, false, false, false,
                                                   true, true, true, true}));

        auto *lianxi = findIn<QLabel>(w, "piclianxi");
        hoverOver(lianxi, lianxi->rect().center());
        QTRY_COMPARE(visibleLines(w), (QList<bool>{false, false, false, false, true, true, true, true, false,
                                                   false, false, false}));

        // The frame around the picture really encloses it.
        auto *top = findIn<QFrame>(w, "Line6");
        auto *bottom = findIn<QFrame>(w, "Line7");
        QVERIFY(top->geometry().bottom() < lianxi->geometry().top());
        QVERIFY(bottom->geometry().top() > lianxi->geometry().bottom());

        auto *frapic = findIn<QFrame>(w, "frapic");
        hoverOver(frapic, QPoint(2, 2));
        QTRY_COMPARE(visibleLines(w), none);
    }

    void doubleClickOnTheWelcomeEndsTheProgram()
    {
        TestApp app;
        QVERIFY(app.shell().start());
        auto *welcome = findIn<QLabel>(app.shell().startWindow(), "welcome");
        QTest::mouseClick(welcome, Qt::LeftButton);
        QCOMPARE(app.quitCalls(), 0);
        QTest::mouseDClick(welcome, Qt::LeftButton);
        QCOMPARE(app.quitCalls(), 1);
    }

    void helpButtonPassesTheFullPath()
    {
        TestApp app;
        QStringList opened;
        app.shell().setHelpOpener([&](QWidget *, const QString &file) { opened << file; });
        QVERIFY(app.shell().start());
        QTest::mouseClick(findIn<QPushButton>(app.shell().startWindow(), "exuse"), Qt::LeftButton);
        QCOMPARE(opened, QStringList{app.path(QStringLiteral("帮助.chm"))});
        // F1 does the same as the button.
        auto *w = app.shell().startWindow();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QTest::keyClick(w, Qt::Key_F1);
        QCOMPARE(opened.size(), 2);
        QCOMPARE(opened.last(), app.path(QStringLiteral("帮助.chm")));
    }

    void picturesAndLabelsOpenTheirWindows_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("window");
        QTest::addRow("query picture") << "picchaxun"
                                       << "chaxun";
        QTest::addRow("query label") << "Label1"
                                     << "chaxun";
        QTest::addRow("practice picture") << "piclianxi"
                                          << "japanese";
        QTest::addRow("practice label") << "Label2"
                                        << "japanese";
        QTest::addRow("study picture") << "picxuexi"
                                       << "xuexi";
        QTest::addRow("study label") << "Label3"
                                     << "xuexi";
    }
    void picturesAndLabelsOpenTheirWindows()
    {
        QFETCH(QString, control);
        QFETCH(QString, window);
        TestApp app;
        QVERIFY(app.shell().start());
        QPointer<shell::StartMenuWindow> start = app.shell().startWindow();
        QTest::mouseClick(start->findChild<QLabel *>(control), Qt::LeftButton);
        TestApp::settle();
        QVERIFY(start.isNull());
        QCOMPARE(app.shell().currentWindow()->objectName(), window);
        QVERIFY(app.shell().currentWindow()->isVisible());
    }
};

QTEST_MAIN(StartMenuTest)
#include "tst_startmenu.moc"
