#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

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

// One printed line: a label at the left edge and its value at kAnswerValueColumn. A line with
// neither is a blank line.
struct PanelLine {
    QString label;
    QString value;

    bool isBlank() const { return label.isEmpty() && value.isEmpty(); }
    bool operator==(const PanelLine &o) const { return label == o.label && value == o.value; }
};

// The kanji form as the panel prints it: the dash for a word without one.
QString panelKanji(QStringView kanji);

// The revealed word: kana, kanji form, meaning, accent and part of speech, each labelled, with a
// blank line after each of the first four.
QList<PanelLine> answerPanelLines(const ciku::WordEntry &word);

// The six lines of help printed when "日汉练习" is chosen.
const QStringList &rihanHelpLines();

} // namespace practice
