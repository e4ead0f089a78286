#include "practice/practiceview.h"

#include "lexicon/lexicon.h"

namespace practice {

void showEntry(PracticeView &view, const ciku::WordEntry *entry)
{
    if (!entry) {
        view.question = view.answer = view.kanji = view.accent = view.partOfSpeech = QString();
        return;
    }
    view.question = entry->chinese.toString();
    view.answer = entry->kana.toString();
    // A word without a kanji form shows the dash, as every other window does.
    view.kanji = ciku::shownKanji(entry->kanji);
    view.accent = entry->accent.toString();
    view.partOfSpeech = entry->partOfSpeech.toString();
}

void showCaptions(PracticeView &view, Direction direction)
{
    if (direction == Direction::JapaneseToChinese) {
        view.answer = QStringLiteral("此处显示日语（题目）");
        view.question = QStringLiteral("此处显示汉语（答案）");
    } else {
        view.kanjiShown = true;
        view.question = QStringLiteral("这里将显示汉语（题目）");
        view.answer = QStringLiteral("这里将显示日语（答案）");
        view.hintText = QStringLiteral("这里显示提示信息");
    }
    view.kanji = QStringLiteral("显示当用汉字");
    view.accent = QStringLiteral("显示音调");
    view.partOfSpeech = QStringLiteral("显示词性");
}

void advanceHint(PracticeView &view)
{
    switch (view.hintStage) {
    case 1:
        view.hintText = lengthHint(view.answer);
        view.accentShown = true;
        view.remark.clear();
        view.hintStage = 2;
        break;
    case 2:
        view.kanjiShown = true;
        view.hintStage = 3;
        break;
    case 3:
        view.look = AnswerLook::Revealed;
        view.hintText = copyHint();
        view.hintStage = 0;
        break;
    default:
        break;
    }
}

void showJudgement(PracticeView &view, bool right)
{
    view.remark = right ? kRightRemark : kWrongRemark;
    view.picture = right ? Picture::Right : Picture::Wrong;
    if (!right) {
        view.look = AnswerLook::Wrong;
        view.kanjiShown = view.accentShown = true;
    }
}

void revealFlashAnswer(PracticeView &view, Direction direction)
{
    view.kanjiShown = true;
    (direction == Direction::ChineseToJapanese ? view.look : view.meaningLook) = AnswerLook::Learning;
}

void showFlashPause(PracticeView &view, Direction direction)
{
    const bool chineseToJapanese = direction == Direction::ChineseToJapanese;
    (chineseToJapanese ? view.question : view.answer) = kFlashPauseText;
    view.kanjiShown = false;
    (chineseToJapanese ? view.look : view.meaningLook) = AnswerLook::Hidden;
}

} // namespace practice
