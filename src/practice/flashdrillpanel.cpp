#include "practice/flashdrillpanel.h"

#include "practice/flashspeed.h"
#include "practice/practicesession.h"
#include "practice/practicewindow.h"
#include "shell/shell.h"
#include "ui/interaction.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

namespace practice {

FlashDrillPanel::FlashDrillPanel(PracticeSession &session, shell::Shell &shell, QWidget *window,
                                 PanelHooks hooks, QWidget *parent)
    : QGroupBox(parent), m_session(session), m_shell(shell), m_window(window), m_hooks(std::move(hooks))
{
    setObjectName(QStringLiteral("picflash"));
    auto make = [this](const char *name, const QString &caption, int left) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(left, 24, 90, 38);
        return b;
    };
    m_startButton = make("flashstart", QStringLiteral("开始"), 120);
    m_addButton = make("flashadd", QStringLiteral("添加"), 218);
    m_stopButton = make("flashstop", QStringLiteral("停止"), 316);
    connect(m_startButton, &QPushButton::clicked, this, &FlashDrillPanel::flashstart_Click);
    connect(m_addButton, &QPushButton::clicked, this, &FlashDrillPanel::flashadd_Click);
    connect(m_stopButton, &QPushButton::clicked, this, &FlashDrillPanel::flashstop_Click);

    m_clock = new QTimer(this);
    m_clock->setObjectName(QStringLiteral("Time"));
    m_clock->setInterval(1000);
    connect(m_clock, &QTimer::timeout, this, &FlashDrillPanel::Time_Timer);
}

void FlashDrillPanel::showDrillMessage(const ui::Message &message)
{
    // Ticks arriving while the box is open would draw behind it and stack further boxes.
    const bool wasOpen = m_drillBoxOpen;
    m_drillBoxOpen = true;
    m_shell.interaction().message(m_window, message);
    m_drillBoxOpen = wasOpen;
}

void FlashDrillPanel::stopClock()
{
    m_clock->stop();
    m_startButton->setEnabled(true);
}

void FlashDrillPanel::flashstart_Click()
{
    // Nothing can pass by before a range is chosen.
    if (!m_session.hasRange()) {
        m_hooks.chooseRange();
        if (!m_session.hasRange())
            return;
    }
    m_clock->start();
    m_hooks.setDefaultButton(m_addButton);
    m_startButton->setEnabled(false);
}

void FlashDrillPanel::flashstop_Click()
{
    // The word and its stage stay; "开始" goes on from there.
    stopClock();
    m_hooks.setDefaultButton(m_startButton);
    m_startButton->setFocus();
}

void FlashDrillPanel::flashadd_Click()
{
    m_session.flashAdd();
    m_hooks.render();
}

void FlashDrillPanel::Time_Timer()
{
    // The clock stands still while a box is open (the drill's own, or any other modal window).
    if (m_drillBoxOpen || QApplication::activeModalWidget())
        return;
    m_session.setSavedFlashSpeed(readFlashSpeed(m_shell.settingsFileToRead(kFlashSpeedFile)));
    if (m_session.tickFlash() == FlashStage::NewWord)
        flashchuti();
    m_hooks.render();
}

void FlashDrillPanel::flashchuti()
{
    const auto draw = m_session.flashDraw(m_hooks.nextRandom());
    if (draw && draw->endOfRange)
        showDrillMessage(ui::Message{ui::Icon::Warning, ui::Buttons::Ok, QStringLiteral("提醒"),
                                     PracticeWindow::kEndOfRangeNoCount});
    m_hooks.render();
}

void FlashDrillPanel::optflash_DblClick()
{
    const QString path = m_shell.programPath(kFlashSpeedFile);
    const bool wasOpen = m_drillBoxOpen;
    m_drillBoxOpen = true;
    const TypedSpeed typed = askFlashSpeed(m_shell.interaction(), m_window,
                                           readFlashSpeed(m_shell.settingsFileToRead(kFlashSpeedFile)));
    m_drillBoxOpen = wasOpen;
    const ui::SaveResult saved = writeFlashSpeed(path, typed.questionSeconds, typed.answerSeconds);
    if (saved) {
        m_session.setUnsavedFlashSpeed(std::nullopt);
        m_shell.settingsSaved(m_window);
        return;
    }
    // The old file stays as it was; the new speed holds for this run.
    m_session.setUnsavedFlashSpeed(FlashSpeed{*wholeSeconds(formatSeconds(typed.questionSeconds)),
                                              *wholeSeconds(formatSeconds(typed.answerSeconds))});
    showDrillMessage(ui::Message{ui::Icon::Warning, ui::Buttons::Ok, QString(),
                                 QStringLiteral("速度没有保存：无法写入文件 sous/gap.dll（%1）。\n"
                                                "本次仍按新设的速度练习，下次打开时不会保留。")
                                     .arg(saved.cause())});
}

} // namespace practice
