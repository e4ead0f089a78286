#pragma once

#include <QtGlobal>

// The flash drill's cycle, without a clock or widgets: each tick advances the seconds counter
// and says which stage, if any, begins at that tick.
namespace practice {

// Seconds for which the question and then the answer stay on screen.
struct FlashSpeed {
    static constexpr int kDefaultQuestionSeconds = 3;
    static constexpr int kDefaultAnswerSeconds = 2;
    static constexpr int kMinSeconds = 1;
    static constexpr int kMaxSeconds = 8;

    int questionSeconds = kDefaultQuestionSeconds;
    int answerSeconds = kDefaultAnswerSeconds;

    // Length of one word's cycle: question, answer, then one second of "next".
    int cycleSeconds() const { return questionSeconds + answerSeconds + 1; }
    bool operator==(const FlashSpeed &o) const
    {
        return questionSeconds == o.questionSeconds && answerSeconds == o.answerSeconds;
    }
};

enum class FlashStage {
    Unchanged, // nothing on screen changes at this tick
    NewWord,   // draw the next word, its answer hidden
    Reveal,    // show the answer and the kanji form
    Pause,     // "next" in the question label, answer and kanji form hidden again
};

// Advances flashTick by one tick at the given speed and returns the stage that begins. A new
// word comes at tick 1, the answer at questionSeconds + 1, the pause at questionSeconds +
// answerSeconds + 1, after which the counter starts again from 0. The speed is read anew at
// every tick; when it is shortened in the middle of a cycle so that the counter is already past
// the pause, the pause comes at once instead of never.
FlashStage advanceFlash(qint16 &flashTick, const FlashSpeed &speed);

} // namespace practice
