#pragma once

#include "ui/placedtext.h"

#include <QList>
#include <QStringList>

namespace ciku {
struct WordEntry;
}

// What the Japanese-to-Chinese practice prints into its answer panel `showwords2`: the help text
// shown when the direction is chosen, and the revealed word.
namespace practice {

// The column at which each value of the revealed word starts.
inline constexpr int kAnswerValueColumn = 20;
// The panel's left edge, in twips from the window's left edge, for the help text and for the
// revealed word.
inline constexpr int kHelpPanelLeft = 2200;
inline constexpr int kAnswerPanelLeft = 2700;

// The revealed word: kana, kanji form (the dash for a word without one), meaning, accent and
// part of speech, each labelled at the left edge with its value at kAnswerValueColumn, and an
// empty row after each of the first four.
QList<ui::TextRow> answerPanelRows(const ciku::WordEntry &word);

// The six lines of help printed when "日汉练习" is chosen.
const QStringList &rihanHelpLines();

} // namespace practice
