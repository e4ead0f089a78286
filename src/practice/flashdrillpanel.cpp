#include "practice/flashdrillpanel.h"

#include <QTimer>

namespace practice {

FlashDrillPanel::FlashDrillPanel(QWidget *parent) : ModePanel(parent)
{
    setObjectName(QStringLiteral("picflash"));
    addButton(Control::FlashStart, "flashstart", QStringLiteral("开始"), 120, 90);
    addButton(Control::FlashAdd, "flashadd", QStringLiteral("添加"), 218, 90);
    addButton(Control::FlashStop, "flashstop", QStringLiteral("停止"), 316, 90);
    m_clock = new QTimer(this);
    m_clock->setObjectName(QStringLiteral("Time"));
    m_clock->setInterval(1000);
    connect(m_clock, &QTimer::timeout, this, &FlashDrillPanel::Time_Timer);
}

void FlashDrillPanel::showView(const PracticeView &view)
{
    ModePanel::showView(view);
    if (!view.clockRunning)
        m_clock->stop();
    else if (!m_clock->isActive())
        m_clock->start();
}

void FlashDrillPanel::Time_Timer()
{
    Q_EMIT ticked();
}

} // namespace practice
