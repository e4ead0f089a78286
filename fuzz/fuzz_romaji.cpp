// The rōmaji converter on any text typed or pasted: typing it key by key shows what the same keys
// pasted at once show; what it leaves is kana, ー, and Latin letters only where they make no
// syllable or still wait at the end; converting the result again changes nothing. The wrong-answer
// explanation is fed the same texts.
#include "fuzzsupport.h"
#include "practice/answerexplain.h"
#include "ui/romaji.h"

#include <cstdint>

namespace {

bool isLatinLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// Every run of Latin letters in text makes no syllable, so it converts to itself; except the
// letters still waiting at the very end (allowed when pending is given).
void checkLettersLeft(const QString &text, QStringView pending)
{
    const qsizetype end = text.size() - pending.size();
    qsizetype i = 0;
    while (i < end) {
        if (!isLatinLetter(text[i])) {
            fuzzsupport::check(text[i] != u'-', "every - became ー");
            ++i;
            continue;
        }
        qsizetype j = i;
        while (j < end && isLatinLetter(text[j]))
            ++j;
        const QString run = text.mid(i, j - i);
        fuzzsupport::check(ui::romajiToKana(run, ui::RomajiTail::Finish) == run,
                           "letters are left only where they make no syllable");
        i = j;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using fuzzsupport::check;
    if (size > 4096)
        return 0;
    const QString keys = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));

    QString box;
    for (const QChar key : keys) {
        const ui::TypedText t = ui::convertBeforeCursor(box + key, box.size() + 1, ui::RomajiTail::Keep);
        check(t.cursor == t.text.size(), "the cursor stays at the end while typing at the end");
        box = t.text;
    }
    const QString shown = ui::romajiToKana(keys, ui::RomajiTail::Keep);
    check(box == shown, "typed key by key, the box shows what the same text pasted shows");
    const QString finished = ui::romajiToKana(keys, ui::RomajiTail::Finish);
    check(ui::romajiToKana(box, ui::RomajiTail::Finish) == finished,
          "Enter after typing finishes as a paste does");
    check(ui::romajiToKana(finished, ui::RomajiTail::Finish) == finished,
          "converting the result again changes nothing");
    check(ui::romajiToKana(shown, ui::RomajiTail::Keep) == shown,
          "converting the shown text again changes nothing");

    const QStringView pending = ui::pendingRomaji(shown);
    check(pending.isEmpty() || ui::couldBecomeKana(pending), "the waiting tail could still become kana");
    checkLettersLeft(shown, pending);
    checkLettersLeft(finished, {});

    const practice::WrongAnswerReason reason = practice::explainWrongAnswer(keys, finished, shown);
    check(keys == finished || !practice::reasonAsText(reason).isEmpty(),
          "a wrong answer always gets a reason");
    return 0;
}
