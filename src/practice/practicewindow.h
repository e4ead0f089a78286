#pragma once

#include "practice/practicesession.h"
#include "shell/workwindow.h"

#include <QFont>
#include <QPointer>
#include <QRandomGenerator>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ui {
class ActiveLabel;
class HoverLabel;
class TextCanvas;
struct Message;
} // namespace ui

namespace practice {

class FlashDrillPanel;
class ModePanel;
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

    void Form_Load() override;

    PracticeSession &session() { return m_session; }
    const PracticeSession &session() const { return m_session; }

    // The flash drill's panel with its clock `Time`.
    FlashDrillPanel &flashPanel() { return *m_flashPanel; }

protected:
    void Form_MouseMove() override;
    void leaveFor(shell::Screen target, LeaveBy by) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createNavigation();
    void createOptionGroups();
    void createQuestionArea();
    void createPanels();
    void createExitLabel();

    // A button of the practice: the session decides, the window applies.
    void press(Control control);
    void apply(const Effects &effects);
    // Sets every widget from view: labels, colours, lists, options, panels, buttons, caption.
    void render(const PracticeView &view);
    void renderPanels(const PracticeView &view);
    void renderAnswerPanel(const PracticeView &view);
    void showPicture(Picture picture);
    void tell(const ui::Message &message);
    QWidget *widgetFor(Control control) const;
    void setDefaultButton(QPushButton *button);

    // The range dialog, modal; on OK the session takes its range. Closed through its close box,
    // it is dropped and nothing changes.
    void chooseRange();
    void applySavedPractice();
    // A uniform value in [0, 1); the generator is re-seeded from the clock at every random draw.
    double nextRandom();

    // Handlers.
    void cmdmoren_Click();
    void optflash_DblClick();
    void Time_Timer();
    void Label1_MouseMove();

    PracticeSession m_session;
    QPointer<RangeDialog> m_rangeDialog;
    QRandomGenerator m_random;
    QPushButton *m_defaultButton{nullptr};
    Picture m_shownPicture = Picture::None;
    PanelText m_printedText = PanelText::Nothing;
    int m_printedWord = 0;
    // A message of the practice is open: the flash clock's ticks change nothing meanwhile.
    bool m_boxOpen = false;

    // Option groups.
    QRadioButton *m_sequentialOption{nullptr};        // shunxu
    QRadioButton *m_randomOption{nullptr};            // suiji
    QRadioButton *m_chineseToJapaneseOption{nullptr}; // hanri
    QRadioButton *m_japaneseToChineseOption{nullptr}; // rihan
    QRadioButton *m_learnOption{nullptr};             // optxue
    QRadioButton *m_dictationOption{nullptr};         // optlian
    QRadioButton *m_normalPaceOption{nullptr};        // optnormal
    QRadioButton *m_flashPaceOption{nullptr};         // optflash
    QPushButton *m_chooseRangeButton{nullptr};        // xuanzefanwei
    QPushButton *m_restartButton{nullptr};            // backagain

    // The word on screen.
    QFont m_wordFont;                 // the question's and answer's size, shrunk for a text too long for it
    QLabel *m_questionLabel{nullptr}; // china
    QLabel *m_answerLabel{nullptr};   // japan
    QLabel *m_partOfSpeechLabel{nullptr};   // cixing
    QLabel *m_kanjiLabel{nullptr};          // lbldanghan
    QLabel *m_accentLabel{nullptr};         // tone
    QLabel *m_hintLabel{nullptr};           // tishi
    QLabel *m_remarkLabel{nullptr};         // note
    QLineEdit *m_answerInput{nullptr};      // txtinput
    ui::ActiveLabel *m_picture{nullptr};    // pic
    ui::TextCanvas *m_answerPanel{nullptr}; // showwords2

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

    // Pop-up items: each pair shows only the option not selected now.
    QAction *m_popSequential{nullptr};        // poponebuone
    QAction *m_popRandom{nullptr};            // popran
    QAction *m_popChineseToJapanese{nullptr}; // popyuyan
    QAction *m_popJapaneseToChinese{nullptr}; // popyuyan2
    QAction *m_popLearn{nullptr};             // popxuelian
    QAction *m_popDictation{nullptr};         // poptingxie
    QAction *m_popNormalPace{nullptr};        // popcommon
    QAction *m_popFlashPace{nullptr};         // popflash
};

} // namespace practice
