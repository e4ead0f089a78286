#pragma once

#include "record/memory.h"

#include <QDate>
#include <QList>
#include <QString>

#include <map>
#include <optional>

// What the progress window shows, worked out from the memory of every word and the answers per
// day: plain numbers that the window draws and tests read.
namespace record {

enum class WordStanding { Never, Learning, Known, Due };

// A word's standing now. Only memories of the word that stands in the slot today count (same
// kana and meaning); its due date and stability follow the Chinese-to-Japanese direction, the
// one a review asks. A word answered only from Japanese to Chinese is learning.
WordStanding standingOf(int slot, const MemoryBook &book, qint64 nowMs, double desiredRetention);

// The memory of the word in the slot today in one direction; nullptr when it has none.
const WordMemory *currentMemory(const MemoryBook &book, int slot, Direction direction);

struct GroupBar {
    QString label; // "1" .. "49", "国名", "片假名"
    int first = 0; // word slots, inclusive
    int last = 0;
    int never = 0;
    int learning = 0;
    int known = 0;
    int due = 0;
    int total() const { return never + learning + known + due; }
};

// The lessons 1–49 (there is no 25) and the two drills, as the study window spans them.
QList<GroupBar> emptyGroupBars();

struct TodayFigures {
    int answered = 0;
    int right = 0;
    int dueNow = 0;
    int dueTomorrow = 0; // not due now, due by the end of tomorrow
    // Share right in whole percent; nullopt with nothing answered.
    std::optional<int> rightPercent() const;
};

// Answers per local calendar day.
using DayCounts = std::map<QDate, int>;

constexpr int kCalendarWeeks = 26;

struct ProgressSummary {
    QList<GroupBar> bars;
    // kCalendarWeeks columns of seven days (Monday first), the last column the current week;
    // counts[i] belongs to calendarStart + i days, -1 for days after today.
    QDate calendarStart;
    QList<int> calendarCounts;
    int busiestDay = 0; // the largest count on the calendar, for shading
    TodayFigures today;
    double desiredRetention = 0.9;
    qint64 totalAnswers = 0;
};

// Everything at once; now is UTC milliseconds, today the local date of now.
ProgressSummary summarize(const MemoryBook &book, const DayCounts &days, const TodayFigures &answeredToday,
                          qint64 totalAnswers, qint64 nowMs, const QDate &today, double desiredRetention);

// The Chinese-to-Japanese words due now, most overdue first, at most limit of them.
QList<int> dueForReview(const MemoryBook &book, qint64 nowMs, double desiredRetention, int limit = 50);
// When the next word that is not due yet falls due; nullopt when none is waiting.
std::optional<qint64> nextDueMs(const MemoryBook &book, qint64 nowMs, double desiredRetention);

// The message when nothing is due: "现在没有到期的单词。" and when the next word falls due (local
// time), or that nothing is scheduled yet.
QString nothingDueText(const std::optional<qint64> &nextDue);

} // namespace record
