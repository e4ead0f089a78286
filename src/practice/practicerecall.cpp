#include "practice/practicewindow.h"

#include "lexicon/lexicon.h"
#include "practice/answerpanel.h"
#include "practice/flashdrillpanel.h"
#include "practice/wronglistpane.h"
#include "shell/shell.h"
#include "ui/activelabel.h"
#include "ui/interaction.h"
#include "ui/textcanvas.h"
#include "ui/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

// The practice window's Japanese-to-Chinese practice with its answer panel, the wrong-word
// lists with their removing and clearing, and the drills of both directions.
namespace practice {
namespace {

const QString kNothingToDrill = QStringLiteral("错题栏内没有错题可以练习,请选择出题练习！");

QPushButton *panelButton(QWidget *panel, const char *name, const QString &caption, int left, int width)
{
    auto *b = new QPushButton(caption, panel);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(left, 24, width, 38);
    return b;
}

// The answer panel's right edge, in twips: it ends where the answer label does, before the
// wrong-word list.
constexpr int kPanelRight = 8400;

// Moves the answer panel's left edge to left twips; its right edge, top and height stay.
void moveLeftEdge(QWidget *panel, int left)
{
    panel->setGeometry(ui::twips(left), panel->y(), ui::twips(kPanelRight - left), panel->height());
}

} // namespace

const QString PracticeWindow::kEndOfRangeNoCount =
    QStringLiteral("下面的是指定练习范围的最后一个单词，此单词练完后，将从头开始，你也可以选择“随机练习”模式"
                   "让电脑随机出题继续练习。");

void PracticeWindow::createRecallPanel()
{
    QGroupBox *p = m_japaneseToChinesePanel;
    m_recallDrawButton = panelButton(p, "showriyu", QStringLiteral("出题"), 8, 76);
    m_recallRevealButton = panelButton(p, "showhanyu", QStringLiteral("显示答案"), 88, 80);
    m_recallHintButton = panelButton(p, "hint4", QStringLiteral("提示信息(&H)"), 172, 88);
    m_recallAddButton = panelButton(p, "hanriadd", QStringLiteral("添加错题(&A)"), 264, 88);
    m_recallDrillButton = panelButton(p, "rihanreview", QStringLiteral("错题专练(&C)"), 356, 88);
    m_recallStopDrillButton = panelButton(p, "rihanreviewstop", QStringLiteral("结束专练"), 448, 70);
    for (QPushButton *b : {m_recallRevealButton, m_recallHintButton, m_recallAddButton, m_recallDrillButton,
                           m_recallStopDrillButton})
        b->setEnabled(false);
    connect(m_recallDrawButton, &QPushButton::clicked, this, &PracticeWindow::showriyu_Click);
    connect(m_recallRevealButton, &QPushButton::clicked, this, &PracticeWindow::showhanyu_Click);
    connect(m_recallHintButton, &QPushButton::clicked, this, &PracticeWindow::hint4_Click);
    connect(m_recallAddButton, &QPushButton::clicked, this, &PracticeWindow::hanriadd_Click);
    connect(m_recallDrillButton, &QPushButton::clicked, this, &PracticeWindow::rihanreview_Click);
    connect(m_recallStopDrillButton, &QPushButton::clicked, this, &PracticeWindow::rihanreviewstop_Click);
}

void PracticeWindow::applyPanels()
{
    const bool normal = m_session.pace() == Pace::Normal;
    const bool chineseToJapanese = m_session.direction() == Direction::ChineseToJapanese;
    m_chineseToJapanesePanel->setVisible(m_panelsUncovered && normal && chineseToJapanese);
    m_japaneseToChinesePanel->setVisible(m_panelsUncovered && normal && !chineseToJapanese);
    m_flashPanel->setVisible(!normal);
    // The picture, the input box, the hint and the display modes serve typed answers only.
    m_picture->setVisible(normal && chineseToJapanese);
    m_answerInput->setVisible(normal && chineseToJapanese);
    m_hintLabel->setVisible(normal && chineseToJapanese);
    m_remarkLabel->setVisible(chineseToJapanese);
    m_learnOption->setEnabled(normal && chineseToJapanese);
    m_dictationOption->setEnabled(normal && chineseToJapanese);
    m_answerPanel->setVisible(normal && !chineseToJapanese);
}

void PracticeWindow::printRecallHelp()
{
    m_answerPanel->clear();
    moveLeftEdge(m_answerPanel, kHelpPanelLeft);
    for (const QString &line : rihanHelpLines())
        m_answerPanel->writeLine(line);
}

void PracticeWindow::printRecallAnswer(int index)
{
    m_answerPanel->clear();
    ciku::fillLexicon();
    if (const ciku::WordEntry *word = ciku::lexicon().entry(index))
        ui::writeRows(*m_answerPanel, answerPanelRows(*word));
}

// --- Japanese-to-Chinese practice -----------------------------------------------------------

void PracticeWindow::showriyu_Click()
{
    if (!m_session.hasRange()) {
        chooseRange();
        return;
    }
    m_answerPanel->clear();
    moveLeftEdge(m_answerPanel, kAnswerPanelLeft);
    m_recallRevealButton->setEnabled(true);
    m_recallDrillButton->setEnabled(true);
    m_recallAddButton->setEnabled(false);
    m_recallHintButton->setEnabled(true);
    tellEndOfRange(m_session.askRecall(nextRandom()), kEndOfRangeNoCount);
    render();
    m_recallRevealButton->setFocus();
}

void PracticeWindow::hint4_Click()
{
    m_session.hintRecallKanji();
    render();
    m_recallRevealButton->setFocus();
    setDefaultButton(m_recallRevealButton);
    m_recallHintButton->setEnabled(false);
}

void PracticeWindow::showhanyu_Click()
{
    const int shown = m_session.revealRecall();
    render();
    (m_recallDrawButton->isEnabled() ? m_recallDrawButton : m_recallDrillButton)->setFocus();
    printRecallAnswer(shown);
    m_recallAddButton->setEnabled(m_session.canAddRecall());
}

void PracticeWindow::hanriadd_Click()
{
    m_session.addRecallWrong();
    render();
    (m_recallDrawButton->isEnabled() ? m_recallDrawButton : m_recallDrillButton)->setFocus();
    // A word goes to the list at most once per reveal.
    m_recallAddButton->setEnabled(false);
}

// --- Wrong-word lists -----------------------------------------------------------------------

void PracticeWindow::List_DblClick(int row)
{
    m_session.wrongList(Direction::ChineseToJapanese).removeAt(row);
    render();
}

void PracticeWindow::list2_DblClick(int row)
{
    m_session.wrongList(Direction::JapaneseToChinese).removeAt(row);
    render();
}

void PracticeWindow::wrong_DblClick()
{
    // Only the list of the selected direction, without a question.
    m_session.wrongList(m_session.direction()).clear();
    render();
}

// --- Drills ---------------------------------------------------------------------------------

void PracticeWindow::review_Click()
{
    m_chooseRangeButton->setEnabled(false);
    m_restartButton->setEnabled(false);
    cuoti();
    m_session.prepareDrillAnswer();
    render();
}

void PracticeWindow::reviewstop_Click()
{
    // The word on screen stays; the entries not yet drilled stay in the list.
    endChineseDrill();
}

void PracticeWindow::rihanreview_Click()
{
    m_recallDrawButton->setEnabled(false);
    m_recallStopDrillButton->setEnabled(true);
    m_recallAddButton->setEnabled(false);
    if (!m_session.askRecallWrong()) {
        render();
        m_shell.interaction().message(
            this, ui::Message{ui::Icon::Warning, ui::Buttons::Ok, QStringLiteral("出错"), kNothingToDrill});
        m_recallStopDrillButton->setEnabled(false);
        m_recallDrawButton->setEnabled(true);
        m_recallDrawButton->setFocus();
        return;
    }
    render();
    m_recallRevealButton->setEnabled(true);
    m_recallRevealButton->setFocus();
    m_recallHintButton->setEnabled(false);
    m_answerPanel->clear();
}

void PracticeWindow::rihanreviewstop_Click()
{
    m_session.stopDrill();
    m_recallDrawButton->setEnabled(true);
    m_recallDrawButton->setFocus();
    m_recallStopDrillButton->setEnabled(false);
    m_recallHintButton->setEnabled(true);
    render();
}

} // namespace practice
