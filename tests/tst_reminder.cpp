// The rest reminder: loaded hidden by the start window, one tick a second, a question after
// every 1800 ticks, the screen saver on Yes.
#include "shell/reminderwindow.h"
#include "testapp.h"

#include <QTimer>
#include <QtTest>

using shell::ReminderWindow;

namespace {

void tick(ReminderWindow *reminder, int times)
{
    for (int i = 0; i < times; ++i)
        reminder->Timer_Timer();
}

} // namespace

class TestReminder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadedHiddenWithOneSecondTimer();
    void silentUntilThreshold();
    void questionAtThreshold();
    void answerNoRequestsNothing();
    void answerYesShowsBoxBeforeScreenSaver();
    void ticksDuringTheQuestionDoNotRepeatIt();
    void secondReminderAfterAnotherPeriod();
    void startPageRoundTripKeepsTheCount();
    void exitClosesTheReminder();
};

void TestReminder::loadedHiddenWithOneSecondTimer()
{
    TestApp app;
    QVERIFY(app.shell().start());
    ReminderWindow *reminder = app.reminder();
    QVERIFY(reminder);
    QCOMPARE(reminder->objectName(), QStringLiteral("frmhint"));
    QVERIFY(!reminder->isVisible());
    QTimer *timer = findIn<QTimer>(reminder, "Timer");
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 1000);
    QVERIFY(timer->isActive());
    QCOMPARE(reminder->ticks(), 0);
}

void TestReminder::silentUntilThreshold()
{
    TestApp app;
    QVERIFY(app.shell().start());
    ReminderWindow *reminder = app.reminder();
    tick(reminder, 1799);
    QCOMPARE(reminder->ticks(), 1799);
    QVERIFY(app.ui().messages.isEmpty());
    QCOMPARE(app.ui().beeps, 0);
    QCOMPARE(app.screenSaver().requests, 0);
}

void TestReminder::questionAtThreshold()
{
    TestApp app;
    QVERIFY(app.shell().start());
    ReminderWindow *reminder = app.reminder();
    int beepsAtQuestion = -1;
    app.ui().onMessage = [&](const ui::Message &) { beepsAtQuestion = app.ui().beeps; };
    tick(reminder, 1800);
    QCOMPARE(app.ui().messages.size(), 1);
    QCOMPARE(beepsAtQuestion, 1); // the beep comes first
    const ui::Message &m = app.ui().messages.first().message;
    QCOMPARE(m.title, QStringLiteral("岚舟提醒"));
    QCOMPARE(m.icon, ui::Icon::Question);
    QCOMPARE(m.buttons, ui::Buttons::YesNo);
    const QStringList paragraphs = m.text.split(QStringLiteral("\n\n"));
    QCOMPARE(paragraphs.size(), 3);
    QCOMPARE(paragraphs[0],
             QStringLiteral("您已经连续使用了此软件30分钟，努力学习的同时，请注意保护自己的眼睛！"));
    QCOMPARE(paragraphs[1],
             QStringLiteral("    作者建议您现在休息一下，看看远处，做做眼保健操或滴点润眼液。"));
    QCOMPARE(paragraphs[2], QString(25, u' ') + QStringLiteral("是否休息？"));
    // Shown over the window on show.
    QCOMPARE(app.ui().messages.first().parentName, QStringLiteral("startmenu"));
}

void TestReminder::answerNoRequestsNothing()
{
    TestApp app;
    QVERIFY(app.shell().start());
    ReminderWindow *reminder = app.reminder();
    app.ui().answers = {ui::Answer::No};
    tick(reminder, 1800);
    QCOMPARE(app.ui().messages.size(), 1);
    QCOMPARE(app.screenSaver().requests, 0);
    QCOMPARE(reminder->ticks(), 0);
}

void TestReminder::answerYesShowsBoxBeforeScreenSaver()
{
    TestApp app;
    QVERIFY(app.shell().start());
    ReminderWindow *reminder = app.reminder();
    app.ui().answers = {ui::Answer::Yes};
    qsizetype boxesAtRequest = -1;
    app.screenSaver().onActivate = [&] { boxesAtRequest = app.ui().messages.size(); };
    tick(reminder, 1800);
    QCOMPARE(app.ui().messages.size(), 2);
    const ui::Message &second = app.ui().messages[1].message;
    QCOMPARE(second.text, QStringLiteral("点击回车打开屏幕保护程序"));
    QCOMPARE(second.icon, ui::Icon::None);
    QCOMPARE(second.buttons, ui::Buttons::Ok);
    QCOMPARE(second.shownTitle(), QStringLiteral("词帆"));
    QCOMPARE(app.screenSaver().requests, 1);
    QCOMPARE(boxesAtRequest, 2); // requested only after the second box was closed
    QCOMPARE(reminder->ticks(), 0);
}

void TestReminder::ticksDuringTheQuestionDoNotRepeatIt()
{
    TestApp app;
    QVERIFY(app.shell().start());
    ReminderWindow *reminder = app.reminder();
    // The real box runs its own event loop, so ticks keep arriving while it is open.
    app.ui().onMessage = [&](const ui::Message &m) {
        if (m.title == QStringLiteral("岚舟提醒"))
            tick(reminder, 5);
    };
    tick(reminder, 1800);
    QCOMPARE(app.ui().messages.size(), 1);
    QCOMPARE(reminder->ticks(), 0); // the next period starts at the answer
}

void TestReminder::secondReminderAfterAnotherPeriod()
{
    TestApp app;
    QVERIFY(app.shell().start());
    ReminderWindow *reminder = app.reminder();
    app.ui().answers = {ui::Answer::No, ui::Answer::Yes};
    tick(reminder, 1800);
    QCOMPARE(app.ui().messages.size(), 1);
    tick(reminder, 1799);
    QCOMPARE(app.ui().messages.size(), 1);
    tick(reminder, 1);
    QCOMPARE(app.ui().messages.size(), 3); // question and the screen-saver box
    QCOMPARE(app.ui().beeps, 2);
    QCOMPARE(app.screenSaver().requests, 1);
}

void TestReminder::startPageRoundTripKeepsTheCount()
{
    TestApp app;
    QVERIFY(app.shell().start());
    ReminderWindow *reminder = app.reminder();
    tick(reminder, 1000);
    app.shell().switchTo(shell::Screen::Study);
    TestApp::settle();
    app.shell().switchTo(shell::Screen::Start);
    TestApp::settle();
    QCOMPARE(app.shell().currentScreen(), shell::Screen::Start);
    QCOMPARE(app.reminder(), reminder); // not loaded again
    QCOMPARE(reminder->ticks(), 1000);
    tick(reminder, 799);
    QVERIFY(app.ui().messages.isEmpty());
    tick(reminder, 1);
    QCOMPARE(app.ui().messages.size(), 1);
}

void TestReminder::exitClosesTheReminder()
{
    TestApp app;
    QVERIFY(app.shell().start());
    QPointer<ReminderWindow> reminder = app.reminder();
    app.shell().exitProgram();
    TestApp::settle();
    QVERIFY(reminder.isNull());
    QCOMPARE(app.quitCalls(), 1);
}

QTEST_MAIN(TestReminder)
#include "tst_reminder.moc"
