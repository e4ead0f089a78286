#pragma once

#include <QWidget>

#include <memory>

class QTimer;

namespace shell {

class Shell;
class ScreenSaver;

// The rest reminder `frmhint`: a window that is never shown and only owns a one-second timer.
// After every 1800 ticks (thirty minutes) it suggests a break and can start the screen saver.
class ReminderWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kTickMs = 1000;
    static constexpr int kReminderTicks = 1800;

    ReminderWindow(Shell &shell, std::shared_ptr<ScreenSaver> screenSaver, QWidget *parent = nullptr);

    // One tick of `Timer`.
    void Timer_Timer();
    int ticks() const { return m_ticks; }
    QTimer *timer() const { return m_timer; }

    static QString questionText();

private:
    Shell &m_shell;
    std::shared_ptr<ScreenSaver> m_screenSaver;
    QTimer *m_timer{nullptr};
    int m_ticks = 0;
};

} // namespace shell
