#include "record/memory.h"

#include <cmath>
#include <limits>

namespace record {

QString directionText(Direction direction)
{
    return direction == Direction::RiHan ? QStringLiteral("日汉") : QStringLiteral("汉日");
}

QString kindText(AnswerKind kind)
{
    switch (kind) {
    case AnswerKind::Drill:
        return QStringLiteral("drill");
    case AnswerKind::Review:
        return QStringLiteral("review");
    case AnswerKind::Question:
        break;
    }
    return QStringLiteral("question");
}

std::optional<Direction> directionFromText(const QString &text)
{
    if (text == QStringLiteral("汉日"))
        return Direction::HanRi;
    if (text == QStringLiteral("日汉"))
        return Direction::RiHan;
    return std::nullopt;
}

std::optional<AnswerKind> kindFromText(const QString &text)
{
    for (AnswerKind kind : {AnswerKind::Question, AnswerKind::Drill, AnswerKind::Review}) {
        if (text == kindText(kind))
            return kind;
    }
    return std::nullopt;
}

Grade gradeFor(bool right, bool aided)
{
    if (!right)
        return Grade::Again;
    return aided ? Grade::Hard : Grade::Good;
}

WordMemory afterAnswer(const std::optional<WordMemory> &before, const Answer &answer, const FsrsParameters &p)
{
    const Grade grade = gradeFor(answer.right, answer.aided);
    WordMemory memory;
    memory.kana = answer.kana;
    memory.meaning = answer.meaning;
    memory.lastMs = answer.atMs;
    const bool sameWord = before && before->kana == answer.kana && before->meaning == answer.meaning;
    if (!sameWord) {
        memory.state = firstState(grade, p);
    } else {
        const double elapsedDays = static_cast<double>(answer.atMs - before->lastMs) / kMsPerDay;
        memory.state = nextState(before->state, elapsedDays, grade, p);
        memory.answers = before->answers;
        memory.lapses = before->lapses;
    }
    memory.answers += 1;
    memory.lapses += grade == Grade::Again ? 1 : 0;
    return memory;
}

qint64 dueAtMs(const WordMemory &memory, double desiredRetention)
{
    const double days = intervalDays(memory.state.stability, desiredRetention);
    // Far beyond any lifetime: keep the sum inside 64 bits.
    const double ms = std::min(days * kMsPerDay, 1e15);
    return memory.lastMs + static_cast<qint64>(std::llround(ms));
}

MemoryBook foldAnswers(const QList<Answer> &answers, const FsrsParameters &p)
{
    MemoryBook book;
    for (const Answer &answer : answers) {
        const MemoryKey key{answer.slot, answer.direction};
        auto it = book.find(key);
        std::optional<WordMemory> before;
        if (it != book.end())
            before = it->second;
        book[key] = afterAnswer(before, answer, p);
    }
    return book;
}

} // namespace record
