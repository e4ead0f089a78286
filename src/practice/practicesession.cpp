#include "practice/practicesession.h"

#include "lexicon/lexicon.h"

namespace practice {

bool WrongList::removeAt(int row)
{
    if (row < 0 || row >= m_entries.size())
        return false;
    m_entries.removeAt(row);
    return true;
}

std::optional<WrongList::Entry> WrongList::takeFront()
{
    if (m_entries.isEmpty())
        return std::nullopt;
    return m_entries.takeFirst();
}

QStringList WrongList::texts() const
{
    QStringList out;
    out.reserve(m_entries.size());
    for (const Entry &e : m_entries)
        out << e.text;
    return out;
}

QStringList WrongList::indexTexts() const
{
    QStringList out;
    out.reserve(m_entries.size());
    for (const Entry &e : m_entries)
        out << QString::number(e.index);
    return out;
}

PracticeSession::PracticeSession() = default;

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
    ciku::fillLexicon();
    return result;
}

std::optional<DrawResult> PracticeSession::startQuestion(double r)
{
    if (!m_range)
        return std::nullopt;
    m_drawn = true;
    m_view.lengthHintEnabled = true;
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
    m_reviewMode = true;
    const auto entry = m_chineseList.takeFront();
    if (!entry) {
        m_reviewMode = false;
        m_wordShown = false;
        return false;
    }
    showWord(entry->index);
    // The question is the text the list kept, the rest comes from the word's slot.
    m_view.question = entry->text;
    m_currentIndex = entry->index;
    m_view.kanjiShown = false;
    m_view.hintStage = 1;
    return true;
}

bool PracticeSession::judge(const QString &typed)
{
    m_checked = true;
    m_view.hintText.clear();
    m_view.lengthHintEnabled = false;
    if (!isRightAnswer(typed, m_view.answer)) {
        m_view.look = AnswerLook::Wrong;
        m_view.kanjiShown = m_view.accentShown = true;
        m_view.remark = kWrongRemark;
        m_view.picture = Picture::Wrong;
        m_wrong = countUp(m_wrong);
        listCurrentWord();
        return false;
    }
    m_view.remark = kRightRemark;
    m_view.picture = Picture::Right;
    m_view.lengthHintEnabled = true;
    m_right = countUp(m_right);
    return true;
}

const QString PracticeSession::kFlashPauseText = QStringLiteral("next");

void PracticeSession::selectDirection(Direction direction)
{
    m_direction = direction;
    m_reviewMode = false;
    const bool captions = m_pace == Pace::Normal;
    if (direction == Direction::JapaneseToChinese) {
        m_view.kanjiShown = m_view.accentShown = true;
        m_view.look = AnswerLook::Plain;
        m_view.remark.clear();
        restartOrder();
        if (captions) {
            m_view.answer = QStringLiteral("此处显示日语（题目）");
            m_view.question = QStringLiteral("此处显示汉语（答案）");
        }
    } else {
        m_view.look = m_view.meaningLook = AnswerLook::Plain;
        m_view.answer.clear();
        if (captions) {
            m_view.kanjiShown = true;
            m_view.question = QStringLiteral("这里将显示汉语（题目）");
            m_view.answer = QStringLiteral("这里将显示日语（答案）");
            m_view.hintText = QStringLiteral("这里显示提示信息");
        }
    }
    if (captions) {
        m_view.kanji = QStringLiteral("显示当用汉字");
        m_view.accent = QStringLiteral("显示音调");
        m_view.partOfSpeech = QStringLiteral("显示词性");
        m_wordShown = false;
    }
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
    m_recallAddable = false;
    return result;
}

int PracticeSession::revealRecall()
{
    m_view.meaningLook = AnswerLook::Learning;
    m_view.kanjiShown = true;
    m_recallAddable = true;
    return recallIndex();
}

bool PracticeSession::addRecallWrong()
{
    if (!m_recallAddable)
        return false;
    m_recallAddable = false;
    m_japaneseList.add(m_view.answer, recallIndex());
    return true;
}

bool PracticeSession::askRecallWrong()
{
    m_reviewMode = true;
    m_recallAddable = false;
    const auto entry = m_japaneseList.takeFront();
    if (!entry) {
        m_reviewMode = false;
        return false;
    }
    m_reviewIndex = entry->index;
    showWord(entry->index);
    m_view.look = AnswerLook::Plain;
    m_view.meaningLook = AnswerLook::Hidden;
    m_view.kanjiShown = false;
    return true;
}

FlashStage PracticeSession::tickFlash()
{
    const FlashStage stage = advanceFlash(m_flashTick, flashSpeed());
    const bool chineseToJapanese = m_direction == Direction::ChineseToJapanese;
    AnswerLook &answerLook = chineseToJapanese ? m_view.look : m_view.meaningLook;
    switch (stage) {
    case FlashStage::Reveal:
        m_view.kanjiShown = true;
        answerLook = AnswerLook::Learning;
        break;
    case FlashStage::Pause:
        (chineseToJapanese ? m_view.question : m_view.answer) = kFlashPauseText;
        m_view.kanjiShown = false;
        answerLook = AnswerLook::Hidden;
        m_wordShown = false;
        break;
    case FlashStage::NewWord:
    case FlashStage::Unchanged:
        break;
    }
    return stage;
}

std::optional<DrawResult> PracticeSession::flashDraw(double r)
{
    const auto result = drawNext(r);
    if (!result)
        return result;
    showWord(m_currentIndex);
    const bool chineseToJapanese = m_direction == Direction::ChineseToJapanese;
    m_view.look = chineseToJapanese ? AnswerLook::Hidden : AnswerLook::Plain;
    m_view.meaningLook = chineseToJapanese ? AnswerLook::Plain : AnswerLook::Hidden;
    m_view.kanjiShown = false;
    return result;
}

bool PracticeSession::flashAdd()
{
    const bool chineseToJapanese = m_direction == Direction::ChineseToJapanese;
    const QString &question = chineseToJapanese ? m_view.question : m_view.answer;
    if (!m_wordShown || question == kFlashPauseText)
        return false;
    wrongList(m_direction).add(question, m_currentIndex);
    return true;
}

void PracticeSession::updateCaption()
{
    m_caption = scoreCaption(m_reviewMode, m_questions, m_right, m_wrong);
}

void PracticeSession::hintLength()
{
    m_view.hintText = lengthHint(m_view.answer);
    m_view.accentShown = true;
    m_view.hintStage = 2;
    m_view.remark.clear();
}

void PracticeSession::hintKanji()
{
    m_view.kanjiShown = true;
    m_view.hintStage = 3;
}

void PracticeSession::revealAnswer()
{
    m_view.hintStage = 0;
    m_view.look = AnswerLook::Revealed;
    // Listed as a wrong answer is, but not counted as one.
    listCurrentWord();
    m_view.hintText = copyHint();
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
    if (!entry) {
        m_view.question = m_view.answer = m_view.kanji = m_view.accent = m_view.partOfSpeech = QString();
        return;
    }
    m_view.question = entry->chinese.toString();
    m_view.answer = entry->kana.toString();
    m_view.kanji = entry->kanji.toString();
    m_view.accent = entry->accent.toString();
    m_view.partOfSpeech = entry->partOfSpeech.toString();
}

void PracticeSession::hideOrShowAnswer()
{
    m_view.look = m_display == DisplayMode::Learn ? AnswerLook::Learning : AnswerLook::Hidden;
}

void PracticeSession::listCurrentWord()
{
    m_chineseList.add(m_view.question, m_currentIndex);
}

} // namespace practice
