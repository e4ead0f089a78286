#pragma once

#include "practice/practicesession.h"
#include "record/answertracker.h"
#include "shell/workwindow.h"

#include <QPointer>
#include <QRandomGenerator>

class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {
class ActiveLabel;
class HoverLabel;
class TextCanvas;
struct Message;
} // namespace ui

namespace practice {

class FlashDrillPanel;
class ModePanel;
class OptionGroups;
class QuestionArea;
class RangeDialog;
class WrongListPane;

// The practice window: a range chosen in the range dialog, words asked in order or at random,
// typed kana judged exactly, with hints, a running score and the wrong-word list; the
// Japanese-to-Chinese recall and the flash drill on their own button panels. It may be hidden
// with its whole state kept when the user leaves it. Every command goes to the session, and
// the window applies what comes back: the session's view through render(), the one-off
// effects through apply().
class PracticeWindow : public shell::WorkWindow
{
    Q_OBJECT

public:
    static const QString kKeepQuestionShort; // start page and the F2/F4 keys
    static const QString kKeepQuestionLong;  // the menu and pop-up entries

    explicit PracticeWindow(shell::Shell &shell, QWidget *parent = nullptr);
    ~PracticeWindow() override;

    void Form_Load() override;
    // Also builds the range dialog, draws it off screen, and readies the first questions.
    void prepare() override;
    // "复习到期单词(F7)": the review the shell has waiting runs here.
    void startPendingReview() override;

    PracticeSession &session() { return m_session; }
    const PracticeSession &session() const { return m_session; }

    // The flash drill's panel with its clock `Time`.
    FlashDrillPanel &flashPanel() { return *m_flashPanel; }

protected:
    void Form_MouseMove() override;
    void leaveFor(shell::Screen target, LeaveBy by) override;
    void keyPressEvent(QKeyEvent *event) override;
    void pitchContoursChanged(bool shown) override;

private:
    void createNavigation();
    void createPanels();
    void createExitLabel();

    // A button of the practice: the session decides, the window applies.
    void press(Control control);
    void apply(const Effects &effects);
    // Hands what the operation judged to the learning record: aided says whether a hint had
    // been used (or the answer could be read) before control was pressed.
    void recordAnswered(const Effects &effects, Control control, bool aided);
    void record(const std::optional<record::Answer> &answer);
    // Sets every widget from view: labels, colours, lists, options, panels, buttons, caption.
    void render(const PracticeView &view);
    void renderPanels(const PracticeView &view);
    void tell(const ui::Message &message);
    QWidget *widgetFor(Control control) const;
    void setDefaultButton(QPushButton *button);
    QPushButton *enterTarget() const;
    void highlightEnterTarget();

    // The range dialog, modal; on OK the session takes its range. Closed through its close box,
    // it is dropped and nothing changes.
    void chooseRange();
    // Readies, once, what the first questions and answers need (QuestionArea::warmUp) and opens
    // the learning record ahead of the first answer.
    void warmUp();
    void applySavedPractice();
    // A uniform value in [0, 1); the generator is re-seeded from the clock at every random draw.
    double nextRandom();

    // Handlers.
    void cmdmoren_Click();
    void optflash_DblClick();
    void Time_Timer();
    void Label1_MouseMove();

    PracticeSession m_session;
    record::AnswerTracker m_answers;
    QPointer<RangeDialog> m_rangeDialog;
    QRandomGenerator m_random;
    QPushButton *m_defaultButton{nullptr};
    QPointer<QPushButton> m_highlighted; // drawn as the default button: the one Enter presses
    // A message of the practice is open: the flash clock's ticks change nothing meanwhile.
    bool m_boxOpen = false;
    bool m_warmedUp = false;

    OptionGroups *m_options{nullptr};
    QPushButton *m_chooseRangeButton{nullptr}; // xuanzefanwei
    QPushButton *m_restartButton{nullptr};     // backagain

    QuestionArea *m_questionArea{nullptr};
    QLineEdit *m_answerInput{nullptr}; // txtinput, of the question area

    // The button panels of the three modes, in one place.
    ModePanel *m_typingPanel{nullptr};      // framehanri
    ModePanel *m_recallPanel{nullptr};      // Framerihan
    FlashDrillPanel *m_flashPanel{nullptr}; // picflash

    WrongListPane *m_wrongListPane{nullptr}; // wrong, List, Listno, list2, listno2

    ui::HoverLabel *m_exitLabel{nullptr}; // Label1
    // Read-only mirrors of the session for tools that look controls up by name.
    QLabel *m_firstIndexMirror{nullptr}; // getmin
    QLabel *m_drawnMirror{nullptr};      // fff1
    QLabel *m_checkedMirror{nullptr};    // fff2
};

} // namespace practice
