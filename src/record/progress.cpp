#include "record/progress.h"

#include "lexicon/lessontable.h"
#include "lexicon/lexicon.h"

#include <QDateTime>

#include <algorithm>
#include <limits>

namespace record {

const WordMemory *currentMemory(const MemoryBook &book, int slot, Direction direction)
{
    const auto it = book.find(MemoryKey{slot, direction});
    if (it == book.end())
        return nullptr;
    ciku::fillLexicon();
    const ciku::WordEntry *entry = ciku::lexicon().entry(slot);
    if (!entry || entry->kana != it->second.kana || entry->chinese != it->second.meaning)
        return nullptr;
    return &it->second;
}

WordStanding standingOf(int slot, const MemoryBook &book, qint64 nowMs, double desiredRetention)
{
    const WordMemory *hanRi = currentMemory(book, slot, Direction::HanRi);
    if (!hanRi)
        return currentMemory(book, slot, Direction::RiHan) ? WordStanding::Learning : WordStanding::Never;
    if (nowMs >= dueAtMs(*hanRi, desiredRetention))
        return WordStanding::Due;
    if (hanRi->state.stability >= kKnownStabilityDays)
        return WordStanding::Known;
    return WordStanding::Learning;
}

QList<GroupBar> emptyGroupBars()
{
    QList<GroupBar> bars;
    const auto add = [&](const QString &typed, const QString &label) {
        const auto range = ciku::studyRangeFor(typed).range;
        if (range)
            bars.append(GroupBar{label, range->first, range->last});
    };
    for (int lesson = 1; lesson <= 49; ++lesson)
        add(QString::number(lesson), QString::number(lesson));
    add(QStringLiteral("1004"), QStringLiteral("国名"));
    add(QStringLiteral("0"), QStringLiteral("片假名"));
    return bars;
}

std::optional<int> TodayFigures::rightPercent() const
{
    if (answered <= 0)
        return std::nullopt;
    return static_cast<int>((100LL * right + answered / 2) / answered);
}

ProgressSummary summarize(const MemoryBook &book, const DayCounts &days, const TodayFigures &answeredToday,
                          qint64 totalAnswers, qint64 nowMs, const QDate &today, double desiredRetention)
{
    ProgressSummary summary;
    summary.desiredRetention = desiredRetention;
    summary.totalAnswers = totalAnswers;
    summary.bars = emptyGroupBars();
    for (GroupBar &bar : summary.bars) {
        for (int slot = bar.first; slot <= bar.last; ++slot) {
            switch (standingOf(slot, book, nowMs, desiredRetention)) {
            case WordStanding::Never:
                ++bar.never;
                break;
            case WordStanding::Learning:
                ++bar.learning;
                break;
            case WordStanding::Known:
                ++bar.known;
                break;
            case WordStanding::Due:
                ++bar.due;
                break;
            }
        }
    }

    summary.calendarStart = today.addDays(-(today.dayOfWeek() - 1) - 7 * (kCalendarWeeks - 1));
    for (int i = 0; i < kCalendarWeeks * 7; ++i) {
        const QDate day = summary.calendarStart.addDays(i);
        const auto it = days.find(day);
        const int count = day > today ? -1 : (it == days.end() ? 0 : it->second);
        summary.calendarCounts.append(count);
        summary.busiestDay = std::max(summary.busiestDay, count);
    }

    summary.today = answeredToday;
    summary.today.dueNow = 0;
    summary.today.dueTomorrow = 0;
    const QDateTime endOfTomorrow(today.addDays(2).startOfDay());
    const qint64 tomorrowEndMs = endOfTomorrow.toMSecsSinceEpoch();
    for (const auto &[key, memory] : book) {
        if (key.second != Direction::HanRi || !currentMemory(book, key.first, key.second))
            continue;
        const qint64 due = dueAtMs(memory, desiredRetention);
        if (due <= nowMs)
            ++summary.today.dueNow;
        else if (due < tomorrowEndMs)
            ++summary.today.dueTomorrow;
    }
    return summary;
}

QList<int> dueForReview(const MemoryBook &book, qint64 nowMs, double desiredRetention, int limit)
{
    QList<std::pair<qint64, int>> due;
    for (const auto &[key, memory] : book) {
        if (key.second != Direction::HanRi || !currentMemory(book, key.first, key.second))
            continue;
        const qint64 at = dueAtMs(memory, desiredRetention);
        if (at <= nowMs)
            due.append({at, key.first});
    }
    std::sort(due.begin(), due.end());
    QList<int> slots;
    for (int i = 0; i < due.size() && i < limit; ++i)
        slots.append(due[i].second);
    return slots;
}

std::optional<qint64> nextDueMs(const MemoryBook &book, qint64 nowMs, double desiredRetention)
{
    std::optional<qint64> next;
    for (const auto &[key, memory] : book) {
        if (key.second != Direction::HanRi || !currentMemory(book, key.first, key.second))
            continue;
        const qint64 at = dueAtMs(memory, desiredRetention);
        if (at > nowMs && (!next || at < *next))
            next = at;
    }
    return next;
}

QString nothingDueText(const std::optional<qint64> &nextDue)
{
    const QString head = QStringLiteral("现在没有到期的单词。");
    if (!nextDue)
        return head + QStringLiteral("\n记录中还没有需要复习的单词。");
    const QDateTime at = QDateTime::fromMSecsSinceEpoch(*nextDue).toLocalTime();
    return head + QStringLiteral("\n下一个单词将于 ") + at.toString(QStringLiteral("yyyy-MM-dd HH:mm")) +
           QStringLiteral(" 到期。");
}

} // namespace record
