#include "practice/flashcycle.h"

namespace practice {

FlashStage advanceFlash(qint16 &flashTick, const FlashSpeed &speed)
{
    flashTick = static_cast<qint16>(flashTick + 1);
    if (flashTick == 1)
        return FlashStage::NewWord;
    if (flashTick == speed.questionSeconds + 1)
        return FlashStage::Reveal;
    if (flashTick >= speed.cycleSeconds() || flashTick < 1) {
        flashTick = 0;
        return FlashStage::Pause;
    }
    return FlashStage::Unchanged;
}

} // namespace practice
