#pragma once

#include "practice/practicerules.h"
#include "ui/message.h"

#include <QString>

#include <array>
#include <cstddef>
#include <optional>

namespace ciku {
struct WordEntry;
}

// What the practice shows, as plain data: the session publishes a PracticeView after every
// operation and the window applies it as it stands; an operation's one-off effects (a message,
// a beep, where the focus goes) come back as Effects.
namespace practice {

// How a label shows its word: the answer label the kana, and in the Japanese-to-Chinese
// practice and the flash drill the question label the meaning.
enum class AnswerLook {
    Plain,    // black: the caption before the first question
    Hidden,   // drawn in the label's own background colour; the text is there but cannot be read
    Learning, // blue: readable while the user types it
    Wrong,    // red: revealed by a wrong answer
    Revealed, // purple: revealed by the third hint
};

enum class Picture { None, Start, Right, Wrong };

// The controls whose state the practice decides: the buttons of the three mode panels, the
// shared buttons and the two focus targets that are not buttons.
enum class Control {
    None,
    ChooseRange, // xuanzefanwei
    Restart,     // backagain
    AnswerInput, // txtinput
    WrongList,   // the text list of the selected direction
    // Typed Chinese-to-Japanese practice (framehanri).
    Draw,       // begin
    Check,      // check
    LengthHint, // hint
    KanjiHint,  // hint2
    AnswerHint, // hint3
    Drill,      // review
    StopDrill,  // reviewstop
    Exit,       // esc
    // Japanese-to-Chinese recall (Framerihan).
    RecallDraw,      // showriyu
    Reveal,          // showhanyu
    RecallHint,      // hint4
    RecallAdd,       // hanriadd
    RecallDrill,     // rihanreview
    RecallStopDrill, // rihanreviewstop
    // Flash drill (picflash).
    FlashStart, // flashstart
    FlashAdd,   // flashadd
    FlashStop,  // flashstop
    Count
};

// What the answer panel `showwords2` of the Japanese-to-Chinese practice holds.
enum class PanelText { Nothing, Help, Word };

// Everything the practice window shows for the session as it stands now. `question` is the
// meaning label `china`, `answer` the kana label `japan`, in either direction.
struct PracticeView {
    QString question = QStringLiteral("这里将显示汉语（题目）");
    QString answer = QStringLiteral("这里将显示日语（答案）");
    QString kanji = QStringLiteral("显示当用汉字");
    QString accent = QStringLiteral("显示音调");
    QString partOfSpeech = QStringLiteral("显示词性");
    AnswerLook look = AnswerLook::Plain;
    // The meaning label: hidden until revealed in the Japanese-to-Chinese practice (blue then).
    AnswerLook meaningLook = AnswerLook::Plain;
    bool kanjiShown = true;
    bool accentShown = true;
    // The hint button on show: 1 length, 2 kanji form, 3 answer; 0 once the answer was shown.
    int hintStage = 1;
    QString remark;
    // Why the last typed answer was wrong, as rich text for the grey line `why` under the input
    // box; empty when there is nothing to explain (cleared with each new word).
    QString why;
    QString hintText = QStringLiteral("   此部分显示提示信息");
    Picture picture = Picture::None;
    // The window caption the practice has set, or nullopt while the window keeps its own.
    std::optional<QString> caption;
    // A wrong-word drill runs: the heading of the wrong-word list says so.
    bool drillRunning = false;

    // Which controls can be used, and the button Enter presses when no button has the focus.
    std::array<bool, std::size_t(Control::Count)> enabled{};
    Control defaultButton = Control::Draw;
    bool isEnabled(Control c) const { return enabled[std::size_t(c)]; }
    void enable(Control c, bool on = true) { enabled[std::size_t(c)] = on; }

    // The button panel of the direction is uncovered once a range has been chosen (and at load).
    bool panelsUncovered = true;
    PanelText panelText = PanelText::Nothing;
    int panelWord = 0;         // the word the answer panel shows, for PanelText::Word
    bool clockRunning = false; // the flash drill's clock `Time`
};

// A judged or marked answer, as every operation that judges or lists a word reports it.
struct Answered {
    enum Kind {
        Right,      // "验证", right
        Wrong,      // "验证", wrong
        Shown,      // "显示日语": the answer shown by the third hint (listed, not counted)
        Recalled,   // "显示答案" in the Japanese-to-Chinese practice
        MarkedWrong // "添加错题" or the flash drill's "添加"
    };
    Kind kind = Right;
    int index = 0;       // the word
    bool drill = false;  // asked by a wrong-word drill (or a review)
    bool review = false; // asked by the review of the words due
};

// One-off effects of an operation, applied once after the view: a message, a beep, the focus,
// the input box's text; or the range dialog when the operation needs a range first.
struct Effects {
    std::optional<ui::Message> message;
    // While the message is open the window shows this view instead (the end-of-range message:
    // the new word is not on screen yet and the previous one no longer).
    std::optional<PracticeView> viewDuringMessage;
    bool beep = false;
    Control focus = Control::None;
    std::optional<QString> inputText;
    // No range chosen yet: the range dialog comes first; after a range is chosen, the control
    // given here is pressed again (Control::None: nothing more).
    bool chooseRangeFirst = false;
    Control againAfterRange = Control::None;
    std::optional<Answered> answered;
};

// The label rules, each a change of the view alone.

// The word's fields on the labels; no entry (an unfilled slot) leaves them all empty.
void showEntry(PracticeView &view, const ciku::WordEntry *entry);
// The captions the labels carry before the first question of a direction.
void showCaptions(PracticeView &view, Direction direction);
// The hint button on show: the length, then the kanji form, then the answer itself in purple.
void advanceHint(PracticeView &view);
// The labels after a judged answer: a wrong one reveals the answer in red with its kanji form
// and accent.
void showJudgement(PracticeView &view, bool right);
// The flash drill's stages: the answer of the direction revealed in blue with the kanji form;
// the pause with "next" in the question label and the answer hidden again.
void revealFlashAnswer(PracticeView &view, Direction direction);
void showFlashPause(PracticeView &view, Direction direction);
inline const QString kFlashPauseText = QStringLiteral("next");

} // namespace practice
