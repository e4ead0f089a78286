// The start window: its check of the pictures, what it shows, the hover frames and the ways out,
// and the window readied while the pointer or the focus rests on a picture.
#include "practicetest.h"
#include "shell/startmenuwindow.h"
#include "testapp.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

// What the learner sees once a window opened from the start window (the range dialog over the
// practice window included), whether or not it had been readied before the click.
struct Seen {
    QString window, title, focus, dialogOption;
    QSize size;
    QStringList visible, modals, messages;
    QStringList read; // what the window shows of the settings it read at opening
    QImage look, dialogLook;
};

// Opens the window behind picture: with a click and nothing before it ("cold"), with a click
// after the pointer rested on the picture ("hover"), or with Enter after Tab brought the focus
// there ("focus"). The range dialog, when one opens, is confirmed with its option l3.
void openAfter(TestApp &app, const char *picture, const QString &how, Seen &seen)
{
    app.ui().modalScripts.push_back([&seen](QWidget *dialog) {
        QTest::mouseClick(findIn<QRadioButton>(dialog, "l3"), Qt::LeftButton);
        seen.dialogOption = dialog->focusWidget() ? dialog->focusWidget()->objectName() : QString();
        seen.dialogLook = dialog->grab().toImage();
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    auto *start = app.shell().startWindow();
    auto *pic = findIn<QLabel>(start, picture);
    if (how == QLatin1String("hover")) {
        hoverOver(pic);
        QTRY_VERIFY(app.shell().preparedWindow());
        QVERIFY(!app.shell().preparedWindow()->isVisible());
    } else if (how == QLatin1String("focus")) {
        start->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(start));
        // Tab brings the focus from elsewhere (the first picture has it once the window is active).
        findIn<QWidget>(start, "exuse")->setFocus(Qt::OtherFocusReason);
        pic->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(app.shell().preparedWindow());
    }
    if (how == QLatin1String("focus")) {
        QTest::keyClick(pic, Qt::Key_Return);
    } else if (how == QLatin1String("press")) {
        // Readied while the button is down, opened when it comes up.
        QTest::mousePress(pic, Qt::LeftButton);
        QVERIFY(app.shell().preparedWindow());
        QVERIFY(!app.shell().preparedWindow()->isVisible());
        QCOMPARE(app.shell().currentWindow(), app.shell().startWindow());
        QTest::mouseRelease(pic, Qt::LeftButton);
    } else {
        QTest::mouseClick(pic, Qt::LeftButton);
    }
    TestApp::settle();
    QWidget *w = app.shell().currentWindow();
    QVERIFY(w);
    seen.window = w->objectName();
    seen.title = w->windowTitle();
    seen.size = w->size();
    seen.modals = app.ui().modalWindows;
    seen.messages = app.ui().messageTexts();
    if (auto *canvas = w->findChild<QWidget *>(QStringLiteral("showword")))
        seen.read << canvas->font().families().constFirst();
    if (auto *motto = w->findChild<QLabel *>(QStringLiteral("lblpome1")))
        seen.read << motto->text();
    if (auto *list = w->findChild<QRadioButton *>(QStringLiteral("way2")))
        seen.read << (list->isChecked() ? QStringLiteral("list") : QStringLiteral("print"));
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top->isVisible())
            seen.visible << top->objectName();
    seen.visible.sort();
    if (QWidget *focus = w->focusWidget()) {
        seen.focus = focus->objectName();
        focus->clearFocus(); // the input box's blinking caret would differ from grab to grab
    }
    seen.look = w->grab().toImage();
}

} // namespace

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

    void aReadiedWindowOpensAsAColdOneDoes_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("saved");
        for (const char *picture : {"picchaxun", "piclianxi", "picxuexi"})
            for (const char *how : {"hover", "focus", "press"})
                QTest::addRow("%s %s", picture, how) << picture << how << false;
        for (const char *caption : {"Label1", "Label2", "Label3"})
            QTest::addRow("%s press", caption) << caption << "press" << false;
        // What the windows read at opening: a canvas face, text colour and motto of the study
        // window, the list display of the query window.
        for (const char *picture : {"picchaxun", "picxuexi"})
            QTest::addRow("%s hover, settings saved", picture) << picture << "hover" << true;
    }
    void aReadiedWindowOpensAsAColdOneDoes()
    {
        QFETCH(QString, picture);
        QFETCH(QString, how);
        QFETCH(bool, saved);
        const auto save = [saved](TestApp &app) {
            if (!saved)
                return;
            practicetest::writeFile(app.path(QStringLiteral("sous/xxfnt.dll")), "\"DejaVu Serif\"\r\n");
            practicetest::writeFile(app.path(QStringLiteral("sous/xxclr.dll")), "32768\r\n");
            practicetest::writeFile(app.path(QStringLiteral("sous/pome.dll")),
                                    "\"好好学习，天天向上\",\"温故而知新\"\r\n");
            practicetest::writeFile(app.path(QStringLiteral("sous/cx.dll")), "2\r\n");
        };
        Seen expected;
        {
            TestApp cold;
            save(cold);
            QVERIFY(cold.shell().start());
            openAfter(cold, picture.toLatin1().constData(), QStringLiteral("cold"), expected);
        }
        if (QTest::currentTestFailed())
            return;
        TestApp readied;
        save(readied);
        QVERIFY(readied.shell().start());
        Seen seen;
        openAfter(readied, picture.toLatin1().constData(), how, seen);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(!expected.window.isEmpty());
        QCOMPARE(seen.window, expected.window);
        QCOMPARE(seen.title, expected.title);
        QCOMPARE(seen.size, expected.size);
        QCOMPARE(seen.visible, expected.visible);
        QCOMPARE(seen.modals, expected.modals);
        QCOMPARE(seen.messages, expected.messages);
        QCOMPARE(seen.read, expected.read);
        if (saved)
            QVERIFY2(expected.read.contains(QStringLiteral("DejaVu Serif")) ||
                         expected.read.contains(QStringLiteral("list")),
                     qPrintable(expected.read.join(u',')));
        QCOMPARE(seen.focus, expected.focus);
        QCOMPARE(seen.dialogOption, expected.dialogOption);
        QVERIFY(seen.dialogLook == expected.dialogLook);
        QVERIFY(seen.look == expected.look);
        QVERIFY(!readied.shell().preparedWindow());
    }

    void aReadiedWindowNotOpenedGoes_data()
    {
        QTest::addColumn<QString>("rested");
        QTest::addColumn<QString>("clicked"); // empty: the program ends instead
        QTest::addRow("practice readied, study opened") << "piclianxi"
                                                        << "picxuexi";
        QTest::addRow("study readied, query opened") << "picxuexi"
                                                     << "Label1";
        QTest::addRow("query readied, practice opened") << "picchaxun"
                                                        << "piclianxi";
        QTest::addRow("practice readied, program ended") << "piclianxi" << QString();
    }
    void aReadiedWindowNotOpenedGoes()
    {
        QFETCH(QString, rested);
        QFETCH(QString, clicked);
        TestApp app;
        QVERIFY(app.shell().start());
        app.ui().modalScripts.push_back(practicetest::confirmRange());
        auto *start = app.shell().startWindow();
        hoverOver(start->findChild<QLabel *>(rested));
        QTRY_VERIFY(app.shell().preparedWindow());
        QPointer<QWidget> readied = app.shell().preparedWindow();
        // Readied, it was never shown and asked nothing.
        QVERIFY(!readied->testAttribute(Qt::WA_WState_Visible) && !readied->isVisible());
        QVERIFY(app.ui().modalWindows.isEmpty() && app.ui().messages.isEmpty());
        const QString readiedName = readied->objectName();
        if (clicked.isEmpty())
            QTest::mouseDClick(findIn<QLabel>(start, "welcome"), Qt::LeftButton);
        else
            QTest::mouseClick(start->findChild<QLabel *>(clicked), Qt::LeftButton);
        TestApp::settle();
        QVERIFY(readied.isNull());
        QVERIFY(!app.shell().preparedWindow());
        QCOMPARE(app.quitCalls(), clicked.isEmpty() ? 1 : 0);
        for (QWidget *top : QApplication::topLevelWidgets())
            QVERIFY2(top->objectName() != readiedName, qPrintable(readiedName));
    }

    // A press readies the window, but only a click opens it: a right press readies nothing, and
    // a press let go elsewhere leaves the start window as it was.
    void aPressLetGoElsewhereOpensNothing()
    {
        TestApp app;
        QVERIFY(app.shell().start());
        auto *start = app.shell().startWindow();
        auto *study = findIn<QLabel>(start, "picxuexi");
        QTest::mousePress(study, Qt::RightButton);
        QTest::mouseRelease(study, Qt::RightButton);
        QVERIFY(!app.shell().preparedWindow());
        QTest::mousePress(study, Qt::LeftButton);
        QPointer<QWidget> readied = app.shell().preparedWindow();
        QVERIFY(readied);
        QCOMPARE(readied->objectName(), QStringLiteral("xuexi"));
        QTest::mouseRelease(study, Qt::LeftButton, {}, QPoint(-5, -5));
        TestApp::settle();
        QCOMPARE(app.shell().currentWindow(), start);
        QVERIFY(start->isVisible() && !readied->isVisible());
        QVERIFY(app.ui().modalWindows.isEmpty() && app.ui().messages.isEmpty());
        QTest::mouseClick(findIn<QLabel>(start, "picchaxun"), Qt::LeftButton);
        TestApp::settle();
        QCOMPARE(app.shell().currentWindow()->objectName(), QStringLiteral("chaxun"));
        QVERIFY(readied.isNull());
    }

    void aPointerPassingOverReadiesNothing()
    {
        TestApp app;
        QVERIFY(app.shell().start());
        auto *start = app.shell().startWindow();
        for (const char *picture : {"picchaxun", "piclianxi", "picxuexi"})
            hoverOver(findIn<QLabel>(start, picture));
        hoverOver(findIn<QFrame>(start, "frapic"), QPoint(2, 2));
        QTest::qWait(3 * shell::StartMenuWindow::kPrepareAfterMs);
        QVERIFY(!app.shell().preparedWindow());
    }

    void aWindowKeptHiddenIsShownAgainNotReadiedAnew()
    {
        TestApp app;
        QVERIFY(app.shell().start());
        QPointer<practice::PracticeWindow> practice = practicetest::openPractice(app);
        QVERIFY(practice);
        app.shell().switchTo(shell::Screen::Start, shell::Keep::Hidden);
        TestApp::settle();
        hoverOver(findIn<QLabel>(app.shell().startWindow(), "piclianxi"));
        QTest::qWait(3 * shell::StartMenuWindow::kPrepareAfterMs);
        QVERIFY(!app.shell().preparedWindow());
        QTest::mouseClick(findIn<QLabel>(app.shell().startWindow(), "piclianxi"), Qt::LeftButton);
        TestApp::settle();
        QCOMPARE(app.shell().currentWindow(), practice.data());
        QCOMPARE(app.ui().modalWindows.size(), 1); // the range dialog of the first visit only
    }
};

QTEST_MAIN(StartMenuTest)
#include "tst_startmenu.moc"
