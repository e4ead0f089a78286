#pragma once

#include "practice/panelhooks.h"

#include <QGroupBox>

class QPushButton;
class QTimer;

namespace shell {
class Shell;
}

namespace ui {
struct Message;
}

namespace practice {

// The flash drill's button panel `picflash`: "开始", "添加" and "停止", the clock `Time` that
// lets the words of the range pass by (question first, then the answer, then a second of
// "next"), and the speed dialog whose times are kept in sous/gap.dll. It works on the window's
// session; what it shows goes through the window's render().
class FlashDrillPanel : public QGroupBox
{
    Q_OBJECT

public:
    FlashDrillPanel(PracticeSession &session, shell::Shell &shell, QWidget *window, PanelHooks hooks,
                    QWidget *parent);

    QTimer *clock() const { return m_clock; }
    QPushButton *startButton() const { return m_startButton; }
    QPushButton *addButton() const { return m_addButton; }

    // One tick of the clock `Time`; the clock calls it every second while it runs.
    void Time_Timer();
    // The clock stops and "开始" is usable again.
    void stopClock();

    // Handlers.
    void flashstart_Click();
    void flashadd_Click();
    void flashstop_Click();
    // A double-click on the pace option "闪电速练": the speed dialog.
    void optflash_DblClick();

private:
    void flashchuti();
    // The clock stands still while a box of the drill is open.
    void showDrillMessage(const ui::Message &message);

    PracticeSession &m_session;
    shell::Shell &m_shell;
    QWidget *m_window;
    PanelHooks m_hooks;
    QPushButton *m_startButton{nullptr}; // flashstart
    QPushButton *m_addButton{nullptr};   // flashadd
    QPushButton *m_stopButton{nullptr};  // flashstop
    QTimer *m_clock{nullptr};            // Time
    // A box of the drill is open: ticks arriving meanwhile change nothing.
    bool m_drillBoxOpen = false;
};

} // namespace practice
