#include "record/answertracker.h"

#include "lexicon/lessontable.h"
#include "lexicon/lexicon.h"

namespace record {

namespace {

Answer answerFor(int slot, Direction direction, AnswerKind kind, bool right, bool aided)
{
    ciku::fillLexicon();
    Answer answer;
    answer.slot = slot;
    if (const ciku::WordEntry *entry = ciku::lexicon().entry(slot)) {
        answer.kana = entry->kana.toString();
        answer.meaning = entry->chinese.toString();
    }
    answer.direction = direction;
    answer.kind = kind;
    answer.right = right;
    answer.aided = aided;
    return answer;
}

} // namespace

bool AnswerTracker::recordable(int slot)
{
    static const auto testWords = ciku::practiceRangeFor(u"ceshi");
    if (testWords && slot >= testWords->first && slot <= testWords->last)
        return false;
    ciku::fillLexicon();
    return ciku::lexicon().entry(slot) != nullptr;
}

std::optional<Answer> AnswerTracker::judged(int slot, bool right, bool aided, AnswerKind kind)
{
    if (!recordable(slot))
        return std::nullopt;
    return answerFor(slot, Direction::HanRi, kind, right, aided);
}

std::optional<Answer> AnswerTracker::shown(int slot, AnswerKind kind)
{
    if (!recordable(slot))
        return std::nullopt;
    return answerFor(slot, Direction::HanRi, kind, false, true);
}

std::optional<Answer> AnswerTracker::revealed(int slot, AnswerKind kind)
{
    if (m_waiting && m_waiting->slot == slot)
        return std::nullopt;
    std::optional<Answer> passed = nextWord();
    if (!recordable(slot))
        return passed;
    m_waiting = answerFor(slot, Direction::RiHan, kind, true, false);
    return passed;
}

std::optional<Answer> AnswerTracker::markedWrong()
{
    std::optional<Answer> lapse = std::exchange(m_waiting, std::nullopt);
    if (lapse)
        lapse->right = false;
    return lapse;
}

std::optional<Answer> AnswerTracker::nextWord()
{
    return std::exchange(m_waiting, std::nullopt);
}

} // namespace record
