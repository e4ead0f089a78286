#pragma once

#include "practice/practicesession.h"
#include "shell/workwindow.h"
#include "ui/message.h"

#include <QFont>
#include <QPointer>
#include <QRandomGenerator>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ui {
class ActiveLabel;
class HoverLabel;
class TextCanvas;
} // namespace ui

namespace practice {

class FlashDrillPanel;
class RecallPanel;
class RangeDialog;
class WrongListPane;

// The practice window: a range chosen in the range dialog, words asked in order or at random,
// typed kana judged exactly, with hints, a running score and the wrong-word list. It may be
// hidden with its whole state kept when the user leaves it. Handlers change the session and
// then call render(), the one place that turns the session into labels, colours and lists.
class PracticeWindow : public shell::WorkWindow
{
    Q_OBJECT

public:
    static const QString kKeepQuestionShort; // start page and the F2/F4 keys
    static const QString kKeepQuestionLong;  // the menu and pop-up entries
    // The end-of-range message of the Japanese-to-Chinese draw and of the flash drill.
    static const QString kEndOfRangeNoCount;

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
    // Shows what the selected direction and pace use and puts the rest out of the way: the
    // button panels, the picture, input, hint and remark, the answer panel, the display-mode
    // options and the list pair.
    void applyPanels();
    void createExitLabel();

    // The range dialog, modal; on OK the window takes its range and uncovers the panel of the
    // current direction. Closed through its close box, it is dropped and nothing changes.
    void chooseRange();
    void applySavedPractice();
    // The question and answer labels empty, as they stand while the end-of-range message is open.
    void clearQuestion();
    // The end-of-range message of the shared draw step, with the caller's own text.
    void tellEndOfRange(const std::optional<DrawResult> &draw, const QString &text);
    // A uniform value in [0, 1); the generator is re-seeded from the clock at every random draw.
    double nextRandom();
    void render();
    void showPicture(Picture picture);
    void setDefaultButton(QPushButton *button);
    QRadioButton *selectedOption(QRadioButton *a, QRadioButton *b) const;

    // Procedures of the window.
    void chuti();
    // chuti's steps around a draw: the labels empty while the end-of-range message is open, then
    // the word on screen, "验证" the default button and the input box empty with the focus.
    void askQuestion(std::optional<DrawResult> (PracticeSession::*draw)(double));
    void cuoti();
    // The Chinese-to-Japanese drill is over: normal drawing, and the range and restart buttons
    // usable again.
    void endChineseDrill();

    // Handlers.
    void begin_Click();
    void check_Click();
    void hint_Click();
    void hint2_Click();
    void hint3_Click();
    void backagain_Click();
    void esc_Click();
    void xuanzefanwei_Click();
    void cmdmoren_Click();
    void shunxu_Click();
    void suiji_Click();
    void hanri_Click();
    void rihan_Click();
    void optxue_Click();
    void optlian_Click();
    void optnormal_Click();
    void optflash_Click();
    void review_Click();
    void reviewstop_Click();
    void List_DblClick(int row);
    void list2_DblClick(int row);
    void wrong_DblClick();
    void Label1_MouseMove();
    void Label1_Click();

    PracticeSession m_session;
    QPointer<RangeDialog> m_rangeDialog;
    QRandomGenerator m_random;
    QPushButton *m_defaultButton{nullptr};
    Picture m_shownPicture = Picture::None;

    // Option groups.
    QRadioButton *m_sequentialOption{nullptr};        // shunxu
    QRadioButton *m_randomOption{nullptr};            // suiji
    QRadioButton *m_chineseToJapaneseOption{nullptr}; // hanri
    QRadioButton *m_japaneseToChineseOption{nullptr}; // rihan
    QRadioButton *m_learnOption{nullptr};             // optxue
    QRadioButton *m_dictationOption{nullptr};         // optlian
    QRadioButton *m_normalPaceOption{nullptr};        // optnormal
    QRadioButton *m_flashPaceOption{nullptr};         // optflash
    QPushButton *m_saveSettingsButton{nullptr};       // cmdmoren
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

    // Button panels.
    QGroupBox *m_chineseToJapanesePanel{nullptr}; // framehanri
    RecallPanel *m_recallPanel{nullptr};          // Framerihan
    FlashDrillPanel *m_flashPanel{nullptr};       // picflash
    QPushButton *m_drawButton{nullptr};           // begin
    QPushButton *m_checkButton{nullptr};          // check
    QPushButton *m_lengthHintButton{nullptr};     // hint
    QPushButton *m_kanjiHintButton{nullptr};      // hint2
    QPushButton *m_answerHintButton{nullptr};     // hint3
    QPushButton *m_drillButton{nullptr};          // review
    QPushButton *m_stopDrillButton{nullptr};      // reviewstop
    QPushButton *m_exitButton{nullptr};           // esc
    // The button panel of the direction is uncovered once a range has been chosen (and at load).
    bool m_panelsUncovered = true;

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
