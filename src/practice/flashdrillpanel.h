#pragma once

#include "practice/modepanel.h"

class QTimer;

namespace practice {

// The flash drill's button panel `picflash`: "开始", "添加" and "停止", and the clock `Time`
// that lets the words of the range pass by (question first, then the answer, then a second of
// "next"). The clock runs while the view says so; each of its ticks is reported.
class FlashDrillPanel : public ModePanel
{
    Q_OBJECT

public:
    explicit FlashDrillPanel(QWidget *parent = nullptr);

    QTimer *clock() const { return m_clock; }
    // Also starts or stops the clock; a running clock keeps its phase.
    void showView(const PracticeView &view) override;
    // One tick of the clock `Time`; the clock calls it every second while it runs.
    void Time_Timer();

Q_SIGNALS:
    void ticked();

private:
    QTimer *m_clock{nullptr}; // Time
};

} // namespace practice
