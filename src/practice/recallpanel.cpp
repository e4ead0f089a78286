#include "practice/recallpanel.h"

#include "lexicon/lexicon.h"
#include "practice/answerpanel.h"
#include "practice/practicewindow.h"
#include "shell/shell.h"
#include "ui/interaction.h"
#include "ui/textcanvas.h"
#include "ui/twips.h"

#include <QPushButton>

namespace practice {
namespace {

const QString kNothingToDrill = QStringLiteral("错题栏内没有错题可以练习,请选择出题练习！");

// The answer panel's right edge, in twips: it ends where the answer label does, before the
// wrong-word list.
constexpr int kPanelRight = 8400;

// Moves the answer panel's left edge to left twips; its right edge, top and height stay.
void moveLeftEdge(QWidget *panel, int left)
{
    panel->setGeometry(ui::twips(left), panel->y(), ui::twips(kPanelRight - left), panel->height());
}

} // namespace

RecallPanel::RecallPanel(PracticeSession &session, shell::Shell &shell, QWidget *window,
                         ui::TextCanvas *answerPanel, PanelHooks hooks, QWidget *parent)
    : QGroupBox(QStringLiteral("添加错题"), parent), m_session(session), m_shell(shell), m_window(window),
      m_answerPanel(answerPanel), m_hooks(std::move(hooks))
{
    setObjectName(QStringLiteral("Framerihan"));
    auto make = [this](const char *name, const QString &caption, int left, int width) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(left, 24, width, 38);
        return b;
    };
    m_drawButton = make("showriyu", QStringLiteral("出题"), 8, 76);
    m_revealButton = make("showhanyu", QStringLiteral("显示答案"), 88, 80);
    m_hintButton = make("hint4", QStringLiteral("提示信息(&H)"), 172, 88);
    m_addButton = make("hanriadd", QStringLiteral("添加错题(&A)"), 264, 88);
    m_drillButton = make("rihanreview", QStringLiteral("错题专练(&C)"), 356, 88);
    m_stopDrillButton = make("rihanreviewstop", QStringLiteral("结束专练"), 448, 70);
    for (QPushButton *b : {m_revealButton, m_hintButton, m_addButton, m_drillButton, m_stopDrillButton})
        b->setEnabled(false);
    connect(m_drawButton, &QPushButton::clicked, this, &RecallPanel::showriyu_Click);
    connect(m_revealButton, &QPushButton::clicked, this, &RecallPanel::showhanyu_Click);
    connect(m_hintButton, &QPushButton::clicked, this, &RecallPanel::hint4_Click);
    connect(m_addButton, &QPushButton::clicked, this, &RecallPanel::hanriadd_Click);
    connect(m_drillButton, &QPushButton::clicked, this, &RecallPanel::rihanreview_Click);
    connect(m_stopDrillButton, &QPushButton::clicked, this, &RecallPanel::rihanreviewstop_Click);
}

void RecallPanel::printRecallHelp()
{
    m_answerPanel->clear();
    moveLeftEdge(m_answerPanel, kHelpPanelLeft);
    for (const QString &line : rihanHelpLines())
        m_answerPanel->writeLine(line);
}

void RecallPanel::printRecallAnswer(int index)
{
    m_answerPanel->clear();
    ciku::fillLexicon();
    if (const ciku::WordEntry *word = ciku::lexicon().entry(index))
        ui::writeRows(*m_answerPanel, answerPanelRows(*word));
}

void RecallPanel::showriyu_Click()
{
    if (!m_session.hasRange()) {
        m_hooks.chooseRange();
        return;
    }
    m_answerPanel->clear();
    moveLeftEdge(m_answerPanel, kAnswerPanelLeft);
    m_revealButton->setEnabled(true);
    m_drillButton->setEnabled(true);
    m_addButton->setEnabled(false);
    m_hintButton->setEnabled(true);
    m_hooks.tellEndOfRange(m_session.askRecall(m_hooks.nextRandom()), PracticeWindow::kEndOfRangeNoCount);
    m_hooks.render();
    m_revealButton->setFocus();
}

void RecallPanel::hint4_Click()
{
    m_session.hintRecallKanji();
    m_hooks.render();
    m_revealButton->setFocus();
    m_hooks.setDefaultButton(m_revealButton);
    m_hintButton->setEnabled(false);
}

void RecallPanel::showhanyu_Click()
{
    const int shown = m_session.revealRecall();
    m_hooks.render();
    (m_drawButton->isEnabled() ? m_drawButton : m_drillButton)->setFocus();
    printRecallAnswer(shown);
    m_addButton->setEnabled(m_session.canAddRecall());
}

void RecallPanel::hanriadd_Click()
{
    m_session.addRecallWrong();
    m_hooks.render();
    (m_drawButton->isEnabled() ? m_drawButton : m_drillButton)->setFocus();
    // A word goes to the list at most once per reveal.
    m_addButton->setEnabled(false);
}

void RecallPanel::rihanreview_Click()
{
    m_drawButton->setEnabled(false);
    m_stopDrillButton->setEnabled(true);
    m_addButton->setEnabled(false);
    if (!m_session.askRecallWrong()) {
        m_hooks.render();
        m_shell.interaction().message(m_window, ui::Message{ui::Icon::Warning, ui::Buttons::Ok,
                                                            QStringLiteral("出错"), kNothingToDrill});
        m_stopDrillButton->setEnabled(false);
        m_drawButton->setEnabled(true);
        m_drawButton->setFocus();
        return;
    }
    m_hooks.render();
    m_revealButton->setEnabled(true);
    m_revealButton->setFocus();
    m_hintButton->setEnabled(false);
    m_answerPanel->clear();
}

void RecallPanel::rihanreviewstop_Click()
{
    m_session.stopDrill();
    m_drawButton->setEnabled(true);
    m_drawButton->setFocus();
    m_stopDrillButton->setEnabled(false);
    m_hintButton->setEnabled(true);
    m_hooks.render();
}

} // namespace practice
