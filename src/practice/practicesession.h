#pragma once

#include "lexicon/lessontable.h"
#include "practice/flashcycle.h"
#include "practice/practicerules.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace practice {

// A wrong-word list: the text shown for each entry and the word index it belongs to, kept
// together so the two can never get out of step. New entries go to the end; a drill takes them
// from the front.
class WrongList
{
public:
    struct Entry {
        QString text;
        int index = 0;
        bool operator==(const Entry &o) const { return text == o.text && index == o.index; }
    };

    void add(const QString &text, int index) { m_entries.append(Entry{text, index}); }
    // Puts an entry back at the end, as a drill does with a word answered wrong again.
    void appendBack(const Entry &entry) { m_entries.append(entry); }
    // Removes entry row; false when there is no such row.
    bool removeAt(int row);
    void clear() { m_entries.clear(); }
    std::optional<Entry> takeFront();

    const QList<Entry> &entries() const { return m_entries; }
    int size() const { return static_cast<int>(m_entries.size()); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    // The texts as the list shows them, and the indexes as plain decimals.
    QStringList texts() const;
    QStringList indexTexts() const;

private:
    QList<Entry> m_entries;
};

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

// What the practice shows for the word on screen: `question` is the meaning label `china`,
// `answer` the kana label `japan`, in either direction.
struct QuestionView {
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
    bool lengthHintEnabled = false;
    QString remark;
    QString hintText = QStringLiteral("   此部分显示提示信息");
    Picture picture = Picture::None;
};

struct DrawResult {
    int index = 0;
    bool endOfRange = false; // the last word of the range was taken: tell the user, order restarts
};

// The practice window's state while it stays loaded: the chosen range and the sequential
// cursor, the word on screen, the counters, the progress markers, both wrong-word lists and the
// drill flag. Plain data and rules, so tests drive it without a window; the window turns it
// into labels and colours.
class PracticeSession
{
public:
    PracticeSession();

    // --- range ---------------------------------------------------------------------------
    void setRange(ciku::WordRange range);
    bool hasRange() const { return m_range.has_value(); }
    std::optional<ciku::WordRange> range() const { return m_range; }
    // The index the next sequential draw takes; 0 before a range is chosen.
    int cursor() const { return m_cursor; }
    // Sequential order starts again at the first word of the range.
    void restartOrder();

    // --- options -------------------------------------------------------------------------
    Order order() const { return m_order; }
    void setOrder(Order order) { m_order = order; }
    Direction direction() const { return m_direction; }
    void setDirection(Direction direction) { m_direction = direction; }
    DisplayMode displayMode() const { return m_display; }
    void setDisplayMode(DisplayMode mode) { m_display = mode; }
    Pace pace() const { return m_pace; }
    void setPace(Pace pace) { m_pace = pace; }

    // --- drawing -------------------------------------------------------------------------
    // The draw step shared by every way of drawing a word from the range: in order (the cursor
    // moves on, and after the last word starts again at the first) or at random from r in
    // [0, 1) (which also sends the order back to the first word). Sets the current index. No
    // range chosen yet: nothing is drawn.
    std::optional<DrawResult> drawNext(double r);
    // "出题": the progress marker, the length hint usable, then ask().
    std::optional<DrawResult> startQuestion(double r);
    // A new Chinese-to-Japanese question from the range: counts it, draws it and shows it in the
    // current display mode with the hints back at their first stage.
    std::optional<DrawResult> ask(double r);
    // The next word of the Chinese-to-Japanese wrong-word drill, taken from the front of its
    // list: the drill flag goes on. False when the list is empty: the drill flag goes off.
    bool askWrong();

    // --- direction -----------------------------------------------------------------------
    // Selecting a direction ends a running drill; towards Japanese-to-Chinese the order also
    // starts again at the first word. In normal pace the labels go back to the captions of the
    // chosen direction; in the flash drill the word on screen stays.
    void selectDirection(Direction direction);

    // --- Japanese-to-Chinese practice ----------------------------------------------------
    // "出题": the next word of the range with its kana as the question; the meaning and the
    // kanji form wait hidden. Nothing is counted. No range chosen yet: nothing is drawn.
    std::optional<DrawResult> askRecall(double r);
    // "提示信息": the kanji form.
    void hintRecallKanji() { m_view.kanjiShown = true; }
    // "显示答案": the meaning in blue and the kanji form; from now on the word may be added to
    // the list once. Returns the word the answer panel shows: the drill's word while a drill runs.
    int revealRecall();
    // "添加错题": the kana on screen and the index of the word on screen to the
    // Japanese-to-Chinese list, at most once per reveal; false when nothing was added.
    bool addRecallWrong();
    bool canAddRecall() const { return m_recallAddable; }
    // The Japanese-to-Chinese drill: the next entry from the front of its list as the question,
    // the drill flag on. False when the list is empty: the drill flag goes off.
    bool askRecallWrong();
    // "错题专练" has run: the remark of the last answer goes; the length hint is usable for the
    // drill's question, and not when the list was empty and nothing is left on screen to hint.
    void prepareDrillAnswer()
    {
        m_view.remark.clear();
        m_view.lengthHintEnabled = m_wordShown;
    }
    // Either stop button: the drill flag off; the word on screen and the list stay.
    void stopDrill() { m_reviewMode = false; }

    // --- flash drill ---------------------------------------------------------------------
    static const QString kFlashPauseText; // "next", in the question label between two words
    // Seconds counted since the last word change; kept while the clock is stopped.
    qint16 flashTick() const { return m_flashTick; }
    // The speed the drill runs at: as last read from the speed file, unless a speed set in this
    // run could not be saved, which then holds for the rest of the run.
    FlashSpeed flashSpeed() const { return m_unsavedSpeed.value_or(m_savedSpeed); }
    void setSavedFlashSpeed(const FlashSpeed &speed) { m_savedSpeed = speed; }
    void setUnsavedFlashSpeed(std::optional<FlashSpeed> speed) { m_unsavedSpeed = speed; }
    // One tick of the clock at flashSpeed(). The reveal and the "next" pause change the view
    // here; at FlashStage::NewWord the caller draws the word with flashDraw().
    FlashStage tickFlash();
    // flashchuti's draw: the next word of the range, the answer of the selected direction and
    // the kanji form hidden. Nothing is counted. No range chosen yet: nothing is drawn.
    std::optional<DrawResult> flashDraw(double r);
    // "添加": the word on screen to the list of the selected direction, with the text of the
    // question label. Nothing is added during the "next" pause or while no word is on screen.
    bool flashAdd();

    // --- answering -----------------------------------------------------------------------
    // "验证": judges the typed text against the kana on screen. A wrong answer reveals it in red,
    // counts and adds the word to the wrong-word list; a right answer counts. True when right.
    bool judge(const QString &typed);
    // The caption from the counters as they are now; shown from the first check on.
    void updateCaption();
    // The window caption the practice has set, or nullopt while the window keeps its own.
    std::optional<QString> caption() const { return m_caption; }

    // The three hint stages: length, kanji form, the answer itself (which also lists the word).
    void hintLength();
    void hintKanji();
    void revealAnswer();

    // --- state ---------------------------------------------------------------------------
    const QuestionView &view() const { return m_view; }
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
    void setReviewMode(bool on) { m_reviewMode = on; }
    // The word index of the Japanese-to-Chinese drill's word on screen.
    int reviewIndex() const { return m_reviewIndex; }
    void setReviewIndex(int index) { m_reviewIndex = index; }

    // The wrong-word list of each direction.
    WrongList &wrongList(Direction direction);
    const WrongList &wrongList(Direction direction) const;

private:
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
    std::optional<QString> m_caption;
    QuestionView m_view;
    WrongList m_chineseList;
    WrongList m_japaneseList;
    // The labels show the word at m_currentIndex (not a caption, an empty text or "next").
    bool m_wordShown = false;
    bool m_recallAddable = false;
    qint16 m_flashTick = 0;
    FlashSpeed m_savedSpeed;
    std::optional<FlashSpeed> m_unsavedSpeed;
};

} // namespace practice
