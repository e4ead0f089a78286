#pragma once

#include "record/memory.h"

#include <optional>

// What of the practice goes into the learning record, from the events of the practice window:
// every judgement of "验证" (with whether a hint was used or the answer could be read), the
// answer shown by "显示日语" as a lapse, and in the Japanese-to-Chinese practice the learner's
// own verdict: a word revealed and then added with "添加错题" is a lapse, one revealed and left for
// the next word a pass, one never revealed nothing at all. Each event hands back the answer to
// record, if any; the word's kana and meaning are taken as they stand now.
namespace record {

class AnswerTracker
{
public:
    // Whether answers about the word in the slot are recorded: not for the seven test words.
    static bool recordable(int slot);
    // A Chinese-to-Japanese answer judged by "验证".
    static std::optional<Answer> judged(int slot, bool right, bool aided, AnswerKind kind);
    // "显示日语": the answer shown, a lapse.
    static std::optional<Answer> shown(int slot, AnswerKind kind);

    // "显示答案" in the Japanese-to-Chinese practice: the learner's verdict is still to come. A
    // word revealed before and left waiting is passed first (returned); the same word revealed
    // again keeps waiting.
    std::optional<Answer> revealed(int slot, AnswerKind kind);
    // "添加错题" after the reveal: the revealed word is a lapse; nothing when none is waiting.
    std::optional<Answer> markedWrong();
    // The next word comes (drawn, or the drill's next): a revealed word left waiting is a pass.
    std::optional<Answer> nextWord();
    // The verdict that is still to come, for tests.
    bool waiting() const { return m_waiting.has_value(); }

private:
    std::optional<Answer> m_waiting;
};

} // namespace record
