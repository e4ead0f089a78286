#pragma once

#include "lexicon/lessontable.h"

#include <QColor>
#include <QString>

// The practice window's rules that need no widget: which word the next draw takes, whether a
// typed answer is right, and the texts of the hints and of the score.
namespace practice {

enum class Order { Sequential, Random };
enum class Direction { ChineseToJapanese, JapaneseToChinese };
// Learn while practising shows the answer while the user types it; dictation hides it.
enum class DisplayMode { Learn, Dictation };
enum class Pace { Normal, Flash };

// One step of the sequential order from cursor over range.
struct SequentialStep {
    int index = 0;           // the word taken
    int nextCursor = 0;      // where the next sequential draw starts
    bool endOfRange = false; // the word taken is the last of the range; the order starts again
};

// Takes the word at cursor and moves on. A cursor outside the range (the range was changed
// under it) starts again at the first word, so no index outside the range is ever produced.
SequentialStep sequentialStep(int cursor, ciku::WordRange range);

// A word drawn at random: r is a uniform value in [0, 1). Every index of the range is equally
// likely and the same word may come twice in a row. The index is formed in integers (offset
// floor(r * n), never more than n - 1), so a value of r just below 1 still gives the last word
// and never the one after it; values outside [0, 1) are held to the range.
int randomIndex(double r, ciku::WordRange range);

// The typed kana against the stored kana: code unit by code unit, no trimming, no folding of
// case, width or kana kind.
bool isRightAnswer(const QString &typed, const QString &kana);

// The first hint: the answer's length in characters (UTF-16 code units, as stored).
QString lengthHint(const QString &kana);
// The third hint's text, shown with the answer in purple.
QString copyHint();

// A counter one up, held at its largest value instead of wrapping into negative numbers.
int countUp(int counter);

// "（一共练习5个词，打对了3个，打错了1个）"
QString scoreLine(int questions, int right, int wrong);
// The window caption after a check: the prefix alone while the wrong-word drill runs, else the
// prefix and the score line.
QString scoreCaption(bool reviewMode, int questions, int right, int wrong);

inline const QString kCaptionPrefix = QStringLiteral("单词练习---");
inline const QString kRightRemark = QStringLiteral("正确  继续");
inline const QString kWrongRemark = QStringLiteral("错了  加油");

// The end-of-range message of "出题(&Z)", and that of the Japanese-to-Chinese draw and of the
// flash drill, which do not count their words.
inline const QString kEndOfRangeCounted = QStringLiteral(
    "下面的是指定练习范围的最后一个单词，此单词练完后，将从头开始，你也可以选择“随机练习”方式继续练习。");
inline const QString kEndOfRangeNoCount =
    QStringLiteral("下面的是指定练习范围的最后一个单词，此单词练完后，将从头开始，你也可以选择“随机练习”模式"
                   "让电脑随机出题继续练习。");
// The heading "错题栏" of the wrong-word list: black on its grey band, and while a drill runs
// yellow on a dark band, each pair at a contrast of 4.5:1 or better.
inline const QColor kHeadingText{0, 0, 0};
inline const QColor kHeadingBand{160, 160, 160};
inline const QColor kDrillHeadingText{255, 255, 0};
inline const QColor kDrillHeadingBand{64, 64, 64};

// A wrong-word drill over an empty list.
inline const QString kNothingToDrill = QStringLiteral("错题栏内没有错题可以练习,请选择出题练习！");

} // namespace practice
