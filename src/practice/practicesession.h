#pragma once

#include "lexicon/lessontable.h"
#include "practice/flashcycle.h"
#include "practice/practicerules.h"
#include "practice/practiceview.h"
#include "practice/wronglist.h"

#include <QString>

#include <optional>

namespace practice {

struct DrawResult {
    int index = 0;
    bool endOfRange = false; // the last word of the range was taken: tell the user, order restarts
};

// The practice window's state while it stays loaded: the chosen range and the sequential
// cursor, the word on screen, the counters, the progress markers, both wrong-word lists, the
// drill flag and the state of every button. Plain data and rules, so tests drive it without a
// window. Every operation leaves view() complete and returns its one-off Effects; the window
// applies both and decides nothing itself.
class PracticeSession
{
public:
    PracticeSession();

    // --- range ---------------------------------------------------------------------------
    void setRange(ciku::WordRange range);
    bool hasRange() const { return m_range.has_value(); }
    std::optional<ciku::WordRange> range() const { return m_range; }
    // Sequential order starts again at the first word of the range.
    void restartOrder();
    // The range dialog was confirmed: with a range the button panel of the direction is
    // uncovered; without one (nothing selected) the user is told and the panels stay covered.
    Effects takeRange(std::optional<ciku::WordRange> range);

    // --- options -------------------------------------------------------------------------
    Order order() const { return m_order; }
    Direction direction() const { return m_direction; }
    DisplayMode displayMode() const { return m_display; }
    Pace pace() const { return m_pace; }
    // Plain setters; the select operations below add what selecting the option does.
    void setOrder(Order order) { m_order = order; }
    void setDisplayMode(DisplayMode mode) { m_display = mode; }
    void setPace(Pace pace) { m_pace = pace; }
    // Random order takes "从头再来" away; the display mode acts from the next question on.
    Effects selectOrder(Order order);
    Effects selectDisplayMode(DisplayMode mode);
    // Selecting a direction ends a running drill; towards Japanese-to-Chinese the order also
    // starts again at the first word. In normal pace the labels go back to the captions of the
    // chosen direction; in the flash drill the word on screen stays.
    Effects selectDirection(Direction direction);
    // Normal pace stops the flash clock; Enter then draws in the practice on show.
    Effects selectPace(Pace pace);

    // --- commands ------------------------------------------------------------------------
    // A button of the practice pressed (Enter on it, a click, its access key): typed is the
    // input box's text, r a uniform value in [0, 1) for a random draw. "选择范围" and "退出"
    // are the window's own.
    Effects press(Control control, const QString &typed, double r);
    // One tick of the flash drill's clock; r as for press().
    Effects tickClock(double r);

    // --- the word steps press() is made of ------------------------------------------------
    // "出题": the progress marker, the length hint usable, then ask().
    std::optional<DrawResult> startQuestion(double r);
    // A new Chinese-to-Japanese question from the range: counts it, draws it and shows it in the
    // current display mode with the hints back at their first stage.
    std::optional<DrawResult> ask(double r);
    // The next word of the Chinese-to-Japanese wrong-word drill, taken from the front of its
    // list: the drill flag goes on. False when the list is empty: the drill flag goes off.
    bool askWrong();
    // The Japanese-to-Chinese "出题": the next word of the range with its kana as the question;
    // the meaning and the kanji form wait hidden. Nothing is counted.
    std::optional<DrawResult> askRecall(double r);
    // "显示答案": the meaning in blue and the kanji form; from now on the word may be added to
    // the list once. Returns the word the answer panel shows: the drill's word while a drill runs.
    int revealRecall();
    // "添加错题": the kana on screen and the index of the word on screen to the
    // Japanese-to-Chinese list, at most once per reveal; false when nothing was added.
    bool addRecallWrong();
    bool canAddRecall() const { return m_view.isEnabled(Control::RecallAdd); }
    // The Japanese-to-Chinese drill: the next entry from the front of its list as the question,
    // the drill flag on. False when the list is empty: the drill flag goes off.
    bool askRecallWrong();
    // flashchuti's draw: the next word of the range, the answer of the selected direction and
    // the kanji form hidden. Nothing is counted. No range chosen yet: nothing is drawn.
    std::optional<DrawResult> flashDraw(double r);
    // "添加": the word on screen to the list of the selected direction, with the text of the
    // question label. Nothing is added during the "next" pause or while no word is on screen.
    bool flashAdd();

    // --- flash drill ---------------------------------------------------------------------
    // Seconds counted since the last word change; kept while the clock is stopped.
    qint16 flashTick() const { return m_flashTick; }
    // The speed the drill runs at: as last read from the speed file, unless a speed set in this
    // run could not be saved, which then holds for the rest of the run.
    FlashSpeed flashSpeed() const { return m_unsavedSpeed.value_or(m_savedSpeed); }
    void setSavedFlashSpeed(const FlashSpeed &speed) { m_savedSpeed = speed; }
    void setUnsavedFlashSpeed(std::optional<FlashSpeed> speed) { m_unsavedSpeed = speed; }

    // --- state ---------------------------------------------------------------------------
    const PracticeView &view() const { return m_view; }
    std::optional<QString> caption() const { return m_view.caption; }
    int currentIndex() const { return m_currentIndex; }
    int questionCount() const { return m_questions; }
    int rightCount() const { return m_right; }
    int wrongCount() const { return m_wrong; }
    // "出题" and "验证" have each been pressed at least once since the window was loaded; only
    // then does leaving the window ask whether to keep it.
    void markDrawn() { m_drawn = true; }
    void markChecked() { m_checked = true; }
    bool drawn() const { return m_drawn; }
    bool checked() const { return m_checked; }
    bool begun() const { return m_drawn && m_checked; }
    bool reviewMode() const { return m_reviewMode; }

    // --- review of the words due ---------------------------------------------------------
    // A Chinese-to-Japanese drill over the given words (most overdue first) with the mechanics
    // of "错题专练": the front word is asked, a wrong answer (or the answer shown) puts it at the
    // back, and the review ends when every word was answered right once, saying how many were
    // reviewed. The wrong-word lists are not touched. The practice switches to Chinese-to-Japanese
    // at normal pace first. "错题专练(&C)" goes on with it, "结束错题专练" ends it.
    Effects startReview(const QList<int> &words);
    bool reviewing() const { return m_reviewing; }
    // The words still to be answered right.
    const WrongList &reviewList() const { return m_reviewList; }
    static QString reviewEndText(int reviewed);

    // The wrong-word list of each direction.
    WrongList &wrongList(Direction direction);
    const WrongList &wrongList(Direction direction) const;

private:
    std::optional<DrawResult> drawNext(double r);
    // The typed practice's buttons.
    Effects draw(double r);
    Effects check(const QString &typed, double r);
    Effects nextTypedQuestion(double r);
    Effects startDrill();
    Effects nextDrillQuestion();
    Effects endDrill();
    Effects nextReviewQuestion();
    Effects restart();
    // The Japanese-to-Chinese buttons.
    Effects recallDraw(double r);
    Effects recallDrill();
    Effects stopRecallDrill();
    // Enter goes on with control: it becomes the default button and takes the focus.
    Effects goOnWith(Control control, Effects effects = {});
    // The end-of-range message of a draw, shown over the view as it stood before the draw with
    // the word's labels empty.
    Effects endOfRange(const std::optional<DrawResult> &draw, const PracticeView &before, const QString &text,
                       Effects effects);
    void updateCaption();
    void showWord(int index);
    void hideOrShowAnswer();
    void listCurrentWord();
    // The word the Japanese-to-Chinese practice has on screen.
    int recallIndex() const { return m_reviewMode ? m_reviewIndex : m_currentIndex; }

    std::optional<ciku::WordRange> m_range;
    int m_cursor = 0;
    Order m_order = Order::Sequential;
    Direction m_direction = Direction::ChineseToJapanese;
    DisplayMode m_display = DisplayMode::Dictation;
    Pace m_pace = Pace::Normal;

    int m_currentIndex = 0;
    int m_questions = 0;
    int m_right = 0;
    int m_wrong = 0;
    bool m_drawn = false;
    bool m_checked = false;
    bool m_reviewMode = false;
    int m_reviewIndex = 0;
    PracticeView m_view;
    WrongList m_chineseList;
    WrongList m_japaneseList;
    WrongList m_reviewList;
    bool m_reviewing = false;
    int m_reviewTotal = 0;
    // The labels show the word at m_currentIndex (not a caption, an empty text or "next").
    bool m_wordShown = false;
    qint16 m_flashTick = 0;
    FlashSpeed m_savedSpeed;
    std::optional<FlashSpeed> m_unsavedSpeed;
};

} // namespace practice
