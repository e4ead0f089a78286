#pragma once

#include "practice/panelhooks.h"

#include <QGroupBox>

class QPushButton;

namespace shell {
class Shell;
}

namespace ui {
class TextCanvas;
}

namespace practice {

// The Japanese-to-Chinese practice's button panel `Framerihan` ("添加错题"): a word is drawn,
// its meaning recalled, then revealed on the answer panel `showwords2` and, if it was not known,
// added to the wrong-word list; the list's words can be drilled. It works on the window's
// session; what it shows besides the answer panel goes through the window's render().
class RecallPanel : public QGroupBox
{
    Q_OBJECT

public:
    RecallPanel(PracticeSession &session, shell::Shell &shell, QWidget *window, ui::TextCanvas *answerPanel,
                PanelHooks hooks, QWidget *parent);

    QPushButton *drawButton() const { return m_drawButton; }

    // The six lines of help for the practice, and the revealed word.
    void printRecallHelp();
    void printRecallAnswer(int index);

    // Handlers.
    void showriyu_Click();
    void showhanyu_Click();
    void hint4_Click();
    void hanriadd_Click();
    void rihanreview_Click();
    void rihanreviewstop_Click();

private:
    PracticeSession &m_session;
    shell::Shell &m_shell;
    QWidget *m_window;
    ui::TextCanvas *m_answerPanel; // showwords2
    PanelHooks m_hooks;
    QPushButton *m_drawButton{nullptr};      // showriyu
    QPushButton *m_revealButton{nullptr};    // showhanyu
    QPushButton *m_hintButton{nullptr};      // hint4
    QPushButton *m_addButton{nullptr};       // hanriadd
    QPushButton *m_drillButton{nullptr};     // rihanreview
    QPushButton *m_stopDrillButton{nullptr}; // rihanreviewstop
};

} // namespace practice
