#include "practice/practicerules.h"

#include <cmath>
#include <limits>

namespace practice {

SequentialStep sequentialStep(int cursor, ciku::WordRange range)
{
    SequentialStep step;
    step.index = (cursor < range.first || cursor > range.last) ? range.first : cursor;
    step.endOfRange = step.index >= range.last;
    step.nextCursor = step.endOfRange ? range.first : step.index + 1;
    return step;
}

int randomIndex(double r, ciku::WordRange range)
{
    const int n = range.size();
    if (n <= 1 || !(r > 0))
        return range.first;
    const double scaled = std::floor(r * n);
    const int offset = scaled >= n ? n - 1 : static_cast<int>(scaled);
    return range.first + offset;
}

bool isRightAnswer(const QString &typed, const QString &kana)
{
    return typed == kana;
}

QString lengthHint(const QString &kana)
{
    return QStringLiteral("本单词一共有 ") + QString::number(kana.size()) + QStringLiteral(" 个字符");
}

QString copyHint()
{
    return QStringLiteral("请按照显示的答案打一遍 以加深印象。");
}

int countUp(int counter)
{
    return counter == std::numeric_limits<int>::max() ? counter : counter + 1;
}

QString scoreLine(int questions, int right, int wrong)
{
    return QStringLiteral("（一共练习") + QString::number(questions) + QStringLiteral("个词，打对了") +
           QString::number(right) + QStringLiteral("个，打错了") + QString::number(wrong) +
           QStringLiteral("个）");
}

QString scoreCaption(bool reviewMode, int questions, int right, int wrong)
{
    if (reviewMode)
        return kCaptionPrefix;
    return kCaptionPrefix + scoreLine(questions, right, wrong);
}

} // namespace practice
