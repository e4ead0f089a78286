#include "practice/practicewindow.h"

#include "practice/flashspeed.h"
#include "shell/shell.h"
#include "ui/interaction.h"

#include <QApplication>
#include <QGroupBox>
#include <QPushButton>
#include <QTimer>

// The practice window's flash drill: the words of the range pass by on the clock `Time`,
// question first, then the answer, then a second of "next"; its speed comes from sous/gap.dll.
namespace practice {
void PracticeWindow::createFlashPanel()
{
    auto make = [this](const char *name, const QString &caption, int left) {
        auto *b = new QPushButton(caption, m_flashPanel);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(left, 24, 90, 38);
        return b;
    };
    m_flashStartButton = make("flashstart", QStringLiteral("开始"), 120);
    m_flashAddButton = make("flashadd", QStringLiteral("添加"), 218);
    m_flashStopButton = make("flashstop", QStringLiteral("停止"), 316);
    connect(m_flashStartButton, &QPushButton::clicked, this, &PracticeWindow::flashstart_Click);
    connect(m_flashAddButton, &QPushButton::clicked, this, &PracticeWindow::flashadd_Click);
    connect(m_flashStopButton, &QPushButton::clicked, this, &PracticeWindow::flashstop_Click);
}

void PracticeWindow::showDrillMessage(const ui::Message &message)
{
    // Ticks arriving while the box is open would draw behind it and stack further boxes.
    const bool wasOpen = m_drillBoxOpen;
    m_drillBoxOpen = true;
    m_shell.interaction().message(this, message);
    m_drillBoxOpen = wasOpen;
}

void PracticeWindow::stopFlashClock()
{
    m_flashClock->stop();
    m_flashStartButton->setEnabled(true);
}

void PracticeWindow::flashstart_Click()
{
    // Nothing can pass by before a range is chosen.
    if (!m_session.hasRange()) {
        chooseRange();
        if (!m_session.hasRange())
            return;
    }
    m_flashClock->start();
    setDefaultButton(m_flashAddButton);
    m_flashStartButton->setEnabled(false);
}

void PracticeWindow::flashstop_Click()
{
    // The word and its stage stay; "开始" goes on from there.
    stopFlashClock();
    setDefaultButton(m_flashStartButton);
    m_flashStartButton->setFocus();
}

void PracticeWindow::flashadd_Click()
{
    m_session.flashAdd();
    render();
}

void PracticeWindow::Time_Timer()
{
    // The clock stands still while a box is open (the drill's own, or any other modal window).
    if (m_drillBoxOpen || QApplication::activeModalWidget())
        return;
    m_session.setSavedFlashSpeed(readFlashSpeed(m_shell.programPath(kFlashSpeedFile)));
    if (m_session.tickFlash() == FlashStage::NewWord)
        flashchuti();
    render();
}

void PracticeWindow::flashchuti()
{
    const auto draw = m_session.flashDraw(nextRandom());
    if (draw && draw->endOfRange)
        showDrillMessage(
            ui::Message{ui::Icon::Warning, ui::Buttons::Ok, QStringLiteral("提醒"), kEndOfRangeNoCount});
    render();
}

void PracticeWindow::optflash_DblClick()
{
    const QString path = m_shell.programPath(kFlashSpeedFile);
    const bool wasOpen = m_drillBoxOpen;
    m_drillBoxOpen = true;
    const TypedSpeed typed = askFlashSpeed(m_shell.interaction(), this, readFlashSpeed(path));
    m_drillBoxOpen = wasOpen;
    if (writeFlashSpeed(path, typed.questionSeconds, typed.answerSeconds)) {
        m_session.setUnsavedFlashSpeed(std::nullopt);
        return;
    }
    // The old file stays as it was; the new speed holds for this run.
    m_session.setUnsavedFlashSpeed(FlashSpeed{*wholeSeconds(formatSeconds(typed.questionSeconds)),
                                              *wholeSeconds(formatSeconds(typed.answerSeconds))});
    showDrillMessage(
        ui::Message{ui::Icon::Warning, ui::Buttons::Ok, QString(),
                    QStringLiteral("速度没有保存：无法写入文件 sous/gap.dll（文件夹不存在或不可写）。\n"
                                   "本次仍按新设的速度练习，下次打开时不会保留。")});
}

} // namespace practice
