#include "shell/reminderwindow.h"

#include "shell/screensaver.h"
#include "shell/shell.h"
#include "ui/interaction.h"

#include <QTimer>

namespace shell {

ReminderWindow::ReminderWindow(Shell &shell, std::shared_ptr<ScreenSaver> screenSaver, QWidget *parent)
    : QWidget(parent), m_shell(shell), m_screenSaver(std::move(screenSaver))
{
    setObjectName(QStringLiteral("frmhint"));
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer"));
    m_timer->setInterval(kTickMs);
    connect(m_timer, &QTimer::timeout, this, &ReminderWindow::Timer_Timer);
    m_timer->start();
}

QString ReminderWindow::questionText()
{
    return QStringLiteral("您已经连续使用了此软件30分钟，努力学习的同时，请注意保护自己的眼睛！\n\n"
                          "    作者建议您现在休息一下，看看远处，做做眼保健操或滴点润眼液。\n\n"
                          "                         是否休息？");
}

void ReminderWindow::Timer_Timer()
{
    ++m_ticks;
    // Equality, not "at least": ticks that arrive while the boxes are open only raise the count,
    // and the reset below starts the next period when the user has answered.
    if (m_ticks != kReminderTicks)
        return;
    ui::Interaction &ui = m_shell.interaction();
    QWidget *owner = m_shell.currentWindow();
    ui.beep();
    const ui::Answer answer = ui.message(owner, ui::Message{ui::Icon::Question, ui::Buttons::YesNo,
                                                            QStringLiteral("岚舟提醒"), questionText()});
    if (answer == ui::Answer::Yes) {
        ui.message(owner, ui::Message{ui::Icon::None, ui::Buttons::Ok, QString(),
                                      QStringLiteral("点击回车打开屏幕保护程序")});
        if (m_screenSaver)
            m_screenSaver->activate();
    }
    m_ticks = 0;
}

} // namespace shell
