#include "practice/practicesession.h"

#include "lexicon/lexicon.h"
#include "practice/answerexplain.h"

namespace practice {
namespace {

ui::Message warning(const QString &title, const QString &text)
{
    return ui::Message{ui::Icon::Warning, ui::Buttons::Ok, title, text};
}

Effects focusOn(Control control)
{
    Effects effects;
    effects.focus = control;
    return effects;
}

// No range chosen yet: the range dialog first, then again (when given) is pressed once more.
Effects rangeFirst(Control again)
{
    Effects effects;
    effects.chooseRangeFirst = true;
    effects.againAfterRange = again;
    return effects;
}

} // namespace

PracticeSession::PracticeSession()
{
    for (Control c : {Control::ChooseRange, Control::Restart, Control::AnswerInput, Control::WrongList,
                      Control::Draw, Control::KanjiHint, Control::AnswerHint, Control::Exit,
                      Control::RecallDraw, Control::FlashStart, Control::FlashAdd, Control::FlashStop})
        m_view.enable(c);
}

void PracticeSession::setRange(ciku::WordRange range)
{
    m_range = range;
    m_cursor = range.first;
}

void PracticeSession::restartOrder()
{
    if (m_range)
        m_cursor = m_range->first;
}

Effects PracticeSession::takeRange(std::optional<ciku::WordRange> range)
{
    m_view.panelsUncovered = range.has_value();
    if (range) {
        setRange(*range);
        return {};
    }
    Effects effects;
    effects.message =
        ui::Message{ui::Icon::None, ui::Buttons::Ok, QString(), QStringLiteral("请选择练习范围")};
    effects.focus = Control::ChooseRange;
    return effects;
}

Effects PracticeSession::selectOrder(Order order)
{
    m_order = order;
    m_view.enable(Control::Restart, order == Order::Sequential);
    return {};
}

Effects PracticeSession::selectDisplayMode(DisplayMode mode)
{
    // Acts from the next question on; the word on screen stays as it is.
    m_display = mode;
    return {};
}

Effects PracticeSession::selectDirection(Direction direction)
{
    m_direction = direction;
    m_reviewMode = m_view.drillRunning = m_reviewing = false;
    m_view.why.clear();
    // No typed question stays on screen to be judged.
    m_view.enable(Control::Check, false);
    const bool captions = m_pace == Pace::Normal;
    Effects effects;
    if (direction == Direction::JapaneseToChinese) {
        m_view.kanjiShown = m_view.accentShown = true;
        m_view.look = AnswerLook::Plain;
        m_view.remark.clear();
        restartOrder();
        if (captions) {
            m_view.defaultButton = Control::RecallDraw;
            m_view.panelText = PanelText::Help;
        }
    } else {
        m_view.look = m_view.meaningLook = AnswerLook::Plain;
        m_view.answer.clear();
        m_view.defaultButton = Control::Draw;
        if (captions)
            effects.inputText = QStringLiteral("请在此输入假名");
    }
    if (captions) {
        showCaptions(m_view, direction);
        m_wordShown = false;
    }
    return effects;
}

Effects PracticeSession::selectPace(Pace pace)
{
    m_pace = pace;
    if (pace == Pace::Flash) {
        // The word on screen stays until the first tick.
        m_view.defaultButton = Control::FlashStart;
        return {};
    }
    m_view.clockRunning = false;
    m_view.enable(Control::FlashStart);
    // Enter draws again in the practice on show, not on the hidden "开始".
    m_view.defaultButton = m_direction == Direction::ChineseToJapanese ? Control::Draw : Control::RecallDraw;
    return {};
}

Effects PracticeSession::press(Control control, const QString &typed, double r)
{
    if (!m_view.isEnabled(control))
        return {};
    switch (control) {
    case Control::Draw:
        return draw(r);
    case Control::Check:
        return check(typed, r);
    case Control::LengthHint:
    case Control::KanjiHint:
        advanceHint(m_view);
        return focusOn(Control::AnswerInput);
    case Control::AnswerHint: {
        advanceHint(m_view);
        // Listed as a wrong answer is, but not counted as one.
        listCurrentWord();
        Effects effects = focusOn(Control::AnswerInput);
        effects.beep = true;
        effects.answered = Answered{Answered::Shown, m_currentIndex, m_reviewMode, m_reviewing};
        return effects;
    }
    case Control::Drill:
        return m_reviewing ? nextReviewQuestion() : startDrill();
    case Control::StopDrill:
        // The word on screen stays; the entries not yet drilled stay in the list.
        return endDrill();
    case Control::Restart:
        return restart();
    case Control::RecallDraw:
        return recallDraw(r);
    case Control::RecallHint:
        m_view.kanjiShown = true;
        m_view.enable(Control::RecallHint, false);
        return goOnWith(Control::Reveal);
    case Control::Reveal: {
        m_view.panelWord = revealRecall();
        m_view.panelText = PanelText::Word;
        Effects effects;
        effects.focus = m_view.isEnabled(Control::RecallDraw) ? Control::RecallDraw : Control::RecallDrill;
        effects.answered = Answered{Answered::Recalled, m_view.panelWord, m_reviewMode};
        return effects;
    }
    case Control::RecallAdd: {
        const int index = recallIndex();
        addRecallWrong();
        Effects effects;
        effects.focus = m_view.isEnabled(Control::RecallDraw) ? Control::RecallDraw : Control::RecallDrill;
        effects.answered = Answered{Answered::MarkedWrong, index, m_reviewMode};
        return effects;
    }
    case Control::RecallDrill:
        return recallDrill();
    case Control::RecallStopDrill:
        return stopRecallDrill();
    case Control::FlashStart:
        if (!m_range)
            return rangeFirst(Control::FlashStart);
        m_view.clockRunning = true;
        m_view.enable(Control::FlashStart, false);
        m_view.defaultButton = Control::FlashAdd;
        return {};
    case Control::FlashStop:
        // The word and its stage stay; "开始" goes on from there.
        m_view.clockRunning = false;
        m_view.enable(Control::FlashStart);
        return goOnWith(Control::FlashStart);
    case Control::FlashAdd: {
        Effects effects;
        if (flashAdd())
            effects.answered = Answered{Answered::MarkedWrong, m_currentIndex, false};
        return effects;
    }
    case Control::None:
    case Control::ChooseRange:
    case Control::AnswerInput:
    case Control::WrongList:
    case Control::Exit:
    case Control::Count:
        break;
    }
    return {};
}

Effects PracticeSession::draw(double r)
{
    // Nothing can be asked before a range is chosen (the dialog was closed through its close box).
    if (!m_range)
        return rangeFirst(Control::None);
    m_view.enable(Control::StopDrill, false);
    m_view.enable(Control::Drill);
    const PracticeView before = m_view;
    const auto drawn = startQuestion(r);
    Effects effects;
    effects.focus = Control::AnswerInput;
    effects.inputText = QString();
    m_view.defaultButton = Control::Check;
    return endOfRange(drawn, before, kEndOfRangeCounted, effects);
}

Effects PracticeSession::check(const QString &typed, double r)
{
    m_checked = true;
    m_view.hintText.clear();
    m_view.enable(Control::LengthHint, false);
    const int index = m_currentIndex;
    const bool drill = m_reviewMode;
    const bool review = m_reviewing;
    Effects effects;
    const bool right = isRightAnswer(typed, m_view.answer);
    showJudgement(m_view, right);
    if (right) {
        m_view.enable(Control::LengthHint);
        m_right = countUp(m_right);
        // Both make "验证" the default button for the word they draw; a drill that has run out
        // of words leaves "出题" the default instead.
        effects = review ? nextReviewQuestion() : m_reviewMode ? nextDrillQuestion() : nextTypedQuestion(r);
        effects.answered = Answered{Answered::Right, index, drill, review};
    } else {
        m_wrong = countUp(m_wrong);
        const ciku::WordEntry *word = ciku::lexicon().entry(index);
        m_view.why =
            reasonAsHtml(explainWrongAnswer(typed, m_view.answer, word ? word->kanji.toString() : QString()));
        listCurrentWord();
        // The question is answered: judged once, so the score never counts more answers than
        // questions.
        m_view.enable(Control::Check, false);
        // The user sees the right answer first; Enter then goes on.
        const Control next = m_reviewMode ? Control::Drill : Control::Draw;
        m_view.enable(next);
        effects = goOnWith(next);
        effects.beep = true;
        effects.answered = Answered{Answered::Wrong, index, drill, review};
    }
    updateCaption();
    return effects;
}

Effects PracticeSession::nextTypedQuestion(double r)
{
    const PracticeView before = m_view;
    const auto drawn = ask(r);
    m_view.defaultButton = Control::Check;
    Effects effects;
    effects.focus = Control::AnswerInput;
    effects.inputText = QString();
    return endOfRange(drawn, before, kEndOfRangeCounted, effects);
}

Effects PracticeSession::startDrill()
{
    m_view.enable(Control::ChooseRange, false);
    m_view.enable(Control::Restart, false);
    Effects effects = nextDrillQuestion();
    // The remark of the last answer goes; the length hint is usable for the drill's question,
    // and not when the list was empty and nothing is left on screen to hint.
    m_view.remark.clear();
    m_view.enable(Control::LengthHint, m_wordShown);
    return effects;
}

Effects PracticeSession::nextDrillQuestion()
{
    m_view.enable(Control::Draw, false);
    m_view.enable(Control::StopDrill);
    m_view.defaultButton = Control::Check;
    if (askWrong()) {
        Effects effects;
        effects.focus = Control::AnswerInput;
        effects.inputText = QString();
        return effects;
    }
    // The drill is over as after "结束错题专练": no button stays disabled with no drill running.
    Effects effects = endDrill();
    effects.message = warning(QStringLiteral("错题练习结束"), kNothingToDrill);
    return effects;
}

Effects PracticeSession::endDrill()
{
    m_reviewMode = m_view.drillRunning = m_reviewing = false;
    m_view.enable(Control::ChooseRange);
    // "从头再来" comes back as the order option has it: random order keeps it disabled.
    m_view.enable(Control::Restart, m_order == Order::Sequential);
    m_view.enable(Control::StopDrill, false);
    m_view.enable(Control::Draw);
    return goOnWith(Control::Draw);
}

Effects PracticeSession::restart()
{
    restartOrder();
    m_view.defaultButton = Control::Draw;
    // No word is drawn; the focus goes to the button that goes on in the practice on show.
    Effects effects;
    if (m_pace == Pace::Flash)
        effects.focus = Control::FlashAdd;
    else if (m_direction == Direction::ChineseToJapanese)
        effects.focus = Control::Draw;
    else
        effects.focus = Control::RecallDraw;
    return effects;
}

Effects PracticeSession::recallDraw(double r)
{
    if (!m_range)
        return rangeFirst(Control::None);
    m_view.panelText = PanelText::Nothing;
    m_view.enable(Control::Reveal);
    m_view.enable(Control::RecallDrill);
    m_view.enable(Control::RecallAdd, false);
    m_view.enable(Control::RecallHint);
    const PracticeView before = m_view;
    const auto drawn = askRecall(r);
    Effects effects;
    effects.focus = Control::Reveal;
    return endOfRange(drawn, before, kEndOfRangeNoCount, effects);
}

Effects PracticeSession::recallDrill()
{
    m_view.enable(Control::RecallDraw, false);
    m_view.enable(Control::RecallStopDrill);
    m_view.enable(Control::RecallAdd, false);
    Effects effects;
    if (!askRecallWrong()) {
        effects.message = warning(QStringLiteral("出错"), kNothingToDrill);
        m_view.enable(Control::RecallStopDrill, false);
        m_view.enable(Control::RecallDraw);
        effects.focus = Control::RecallDraw;
        return effects;
    }
    m_view.enable(Control::Reveal);
    m_view.enable(Control::RecallHint, false);
    m_view.panelText = PanelText::Nothing;
    effects.focus = Control::Reveal;
    return effects;
}

Effects PracticeSession::stopRecallDrill()
{
    m_reviewMode = m_view.drillRunning = m_reviewing = false;
    m_view.enable(Control::RecallDraw);
    m_view.enable(Control::RecallStopDrill, false);
    m_view.enable(Control::RecallHint);
    Effects effects;
    effects.focus = Control::RecallDraw;
    return effects;
}

Effects PracticeSession::tickClock(double r)
{
    switch (advanceFlash(m_flashTick, flashSpeed())) {
    case FlashStage::NewWord: {
        const PracticeView before = m_view;
        return endOfRange(flashDraw(r), before, kEndOfRangeNoCount, {});
    }
    case FlashStage::Reveal:
        revealFlashAnswer(m_view, m_direction);
        break;
    case FlashStage::Pause:
        showFlashPause(m_view, m_direction);
        m_wordShown = false;
        break;
    case FlashStage::Unchanged:
        break;
    }
    return {};
}

Effects PracticeSession::goOnWith(Control control, Effects effects)
{
    m_view.defaultButton = control;
    effects.focus = control;
    return effects;
}

Effects PracticeSession::endOfRange(const std::optional<DrawResult> &draw, const PracticeView &before,
                                    const QString &text, Effects effects)
{
    if (!draw || !draw->endOfRange)
        return effects;
    effects.message = warning(QStringLiteral("提醒"), text);
    // The new word comes when the message is closed; until then nothing of the word before
    // stays on the labels (the flash drill's "next" does).
    PracticeView during = before;
    for (QString *text : {&during.question, &during.answer})
        if (*text != kFlashPauseText)
            text->clear();
    during.kanji.clear();
    during.accent.clear();
    during.partOfSpeech.clear();
    effects.viewDuringMessage = during;
    return effects;
}

std::optional<DrawResult> PracticeSession::drawNext(double r)
{
    if (!m_range)
        return std::nullopt;
    DrawResult result;
    if (m_order == Order::Sequential) {
        const SequentialStep step = sequentialStep(m_cursor, *m_range);
        result.index = step.index;
        result.endOfRange = step.endOfRange;
        m_cursor = step.nextCursor;
    } else {
        m_cursor = m_range->first;
        result.index = randomIndex(r, *m_range);
    }
    m_currentIndex = result.index;
    return result;
}

std::optional<DrawResult> PracticeSession::startQuestion(double r)
{
    if (!m_range)
        return std::nullopt;
    m_drawn = true;
    m_view.enable(Control::LengthHint);
    const auto result = ask(r);
    m_view.remark.clear();
    m_view.picture = Picture::Start;
    m_view.hintText.clear();
    return result;
}

std::optional<DrawResult> PracticeSession::ask(double r)
{
    if (!m_range)
        return std::nullopt;
    m_questions = countUp(m_questions);
    const auto result = drawNext(r);
    m_view.enable(Control::Check);
    showWord(m_currentIndex);
    hideOrShowAnswer();
    m_view.kanjiShown = m_view.accentShown = m_display == DisplayMode::Learn;
    m_view.hintStage = 1;
    return result;
}

bool PracticeSession::askWrong()
{
    m_view.question.clear();
    m_view.answer.clear();
    hideOrShowAnswer();
    m_reviewMode = m_view.drillRunning = true;
    const auto entry = m_chineseList.takeFront();
    m_view.enable(Control::Check, entry.has_value());
    if (!entry) {
        m_reviewMode = m_view.drillRunning = m_reviewing = false;
        m_wordShown = false;
        return false;
    }
    // A drill question is practised as much as a drawn one.
    m_questions = countUp(m_questions);
    showWord(entry->index);
    // The question is the text the list kept, the rest comes from the word's slot.
    m_view.question = entry->text;
    m_currentIndex = entry->index;
    m_view.kanjiShown = false;
    m_view.hintStage = 1;
    return true;
}

std::optional<DrawResult> PracticeSession::askRecall(double r)
{
    const auto result = drawNext(r);
    if (!result)
        return result;
    showWord(m_currentIndex);
    m_view.look = AnswerLook::Plain;
    m_view.meaningLook = AnswerLook::Hidden;
    m_view.kanjiShown = false;
    m_view.enable(Control::RecallAdd, false);
    return result;
}

int PracticeSession::revealRecall()
{
    m_view.meaningLook = AnswerLook::Learning;
    m_view.kanjiShown = true;
    m_view.enable(Control::RecallAdd);
    return recallIndex();
}

bool PracticeSession::addRecallWrong()
{
    if (!canAddRecall())
        return false;
    // A word goes to the list at most once per reveal.
    m_view.enable(Control::RecallAdd, false);
    m_japaneseList.add(m_view.answer, recallIndex());
    return true;
}

bool PracticeSession::askRecallWrong()
{
    m_reviewMode = m_view.drillRunning = true;
    m_view.enable(Control::RecallAdd, false);
    const auto entry = m_japaneseList.takeFront();
    if (!entry) {
        m_reviewMode = m_view.drillRunning = m_reviewing = false;
        return false;
    }
    m_reviewIndex = entry->index;
    showWord(entry->index);
    m_view.look = AnswerLook::Plain;
    m_view.meaningLook = AnswerLook::Hidden;
    m_view.kanjiShown = false;
    return true;
}

std::optional<DrawResult> PracticeSession::flashDraw(double r)
{
    const auto result = drawNext(r);
    if (!result)
        return result;
    showWord(m_currentIndex);
    m_view.enable(Control::Check, false);
    const bool chineseToJapanese = m_direction == Direction::ChineseToJapanese;
    m_view.look = chineseToJapanese ? AnswerLook::Hidden : AnswerLook::Plain;
    m_view.meaningLook = chineseToJapanese ? AnswerLook::Plain : AnswerLook::Hidden;
    m_view.kanjiShown = false;
    return result;
}

bool PracticeSession::flashAdd()
{
    if (!m_wordShown)
        return false;
    const bool chineseToJapanese = m_direction == Direction::ChineseToJapanese;
    wrongList(m_direction).add(chineseToJapanese ? m_view.question : m_view.answer, m_currentIndex);
    return true;
}

void PracticeSession::updateCaption()
{
    m_view.caption = scoreCaption(m_reviewMode, m_questions, m_right, m_wrong);
}

WrongList &PracticeSession::wrongList(Direction direction)
{
    return direction == Direction::ChineseToJapanese ? m_chineseList : m_japaneseList;
}

const WrongList &PracticeSession::wrongList(Direction direction) const
{
    return direction == Direction::ChineseToJapanese ? m_chineseList : m_japaneseList;
}

void PracticeSession::showWord(int index)
{
    ciku::fillLexicon();
    const ciku::WordEntry *entry = ciku::lexicon().entry(index);
    m_wordShown = entry != nullptr;
    showEntry(m_view, entry);
    m_view.why.clear();
}

void PracticeSession::hideOrShowAnswer()
{
    m_view.look = m_display == DisplayMode::Learn ? AnswerLook::Learning : AnswerLook::Hidden;
}

void PracticeSession::listCurrentWord()
{
    // A review keeps its own list: the learner's wrong-word list stays as it was.
    (m_reviewing ? m_reviewList : m_chineseList).add(m_view.question, m_currentIndex);
}

Effects PracticeSession::startReview(const QList<int> &words)
{
    // What the switches would say (a caption in the input box) gives way to the first question.
    if (m_pace != Pace::Normal)
        selectPace(Pace::Normal);
    if (m_direction != Direction::ChineseToJapanese)
        selectDirection(Direction::ChineseToJapanese);
    ciku::fillLexicon();
    m_reviewList.clear();
    for (int index : words) {
        if (const ciku::WordEntry *entry = ciku::lexicon().entry(index))
            m_reviewList.add(entry->chinese.toString(), index);
    }
    m_reviewTotal = m_reviewList.size();
    m_reviewing = true;
    m_view.enable(Control::ChooseRange, false);
    m_view.enable(Control::Restart, false);
    m_view.enable(Control::Drill, false);
    m_view.remark.clear();
    m_view.why.clear();
    m_view.picture = Picture::Start;
    return nextReviewQuestion();
}

QString PracticeSession::reviewEndText(int reviewed)
{
    return QStringLiteral("复习结束，共复习了 %1 个单词。").arg(reviewed);
}

Effects PracticeSession::nextReviewQuestion()
{
    m_view.enable(Control::Draw, false);
    m_view.enable(Control::StopDrill);
    m_view.defaultButton = Control::Check;
    const auto entry = m_reviewList.takeFront();
    if (entry) {
        m_reviewMode = m_view.drillRunning = true;
        m_questions = countUp(m_questions);
        showWord(entry->index);
        m_view.question = entry->text;
        m_currentIndex = entry->index;
        hideOrShowAnswer();
        m_view.kanjiShown = false;
        m_view.hintStage = 1;
        m_view.enable(Control::Check);
        m_view.enable(Control::LengthHint);
        Effects effects;
        effects.focus = Control::AnswerInput;
        effects.inputText = QString();
        return effects;
    }
    const int reviewed = m_reviewTotal;
    Effects effects = endDrill();
    m_view.enable(Control::Check, false);
    effects.message = ui::Message{ui::Icon::Information, ui::Buttons::Ok, QStringLiteral("复习到期单词"),
                                  reviewEndText(reviewed)};
    return effects;
}

} // namespace practice
