#pragma once

#include "record/fsrs.h"

#include <QList>
#include <QString>
#include <QtGlobal>

#include <map>
#include <optional>
#include <utility>

// One judged answer as the learning record keeps it, and the memory state of a word in one
// direction that its answers add up to.
namespace record {

enum class Direction { HanRi = 1, RiHan = 2 }; // 汉日: meaning → kana; 日汉: kana → meaning
enum class AnswerKind { Question = 1, Drill = 2, Review = 3 };

struct Answer {
    int slot = 0;
    QString kana;    // the word's kana when it was answered
    QString meaning; // its Chinese meaning then
    Direction direction = Direction::HanRi;
    AnswerKind kind = AnswerKind::Question;
    bool right = false;
    bool aided = false; // a hint or the shown answer was used
    qint64 atMs = 0;    // UTC, milliseconds since 1970
};

// The texts the record and its CSV use: "汉日"/"日汉", "question"/"drill"/"review".
QString directionText(Direction direction);
QString kindText(AnswerKind kind);
std::optional<Direction> directionFromText(const QString &text);
std::optional<AnswerKind> kindFromText(const QString &text);

// The grade an answer gives the memory model: wrong → Again; right with a hint → Hard;
// right unaided → Good. The trainer never grades Easy.
Grade gradeFor(bool right, bool aided);

constexpr qint64 kMsPerDay = 24LL * 60 * 60 * 1000;

// A word's memory in one direction, as far as its answers go.
struct WordMemory {
    QString kana;
    QString meaning;
    MemoryState state;
    qint64 lastMs = 0;
    int answers = 0;
    int lapses = 0;
};

// The memory after one more answer; a memory of another word (kana or meaning differ, the word
// table changed under the slot) is started afresh by it.
WordMemory afterAnswer(const std::optional<WordMemory> &before, const Answer &answer,
                       const FsrsParameters &p = FsrsParameters::defaults());

// When the word falls due: the moment its predicted recall reaches desiredRetention.
qint64 dueAtMs(const WordMemory &memory, double desiredRetention);

// Stability from which a word counts as known.
constexpr double kKnownStabilityDays = 21.0;

using MemoryKey = std::pair<int, Direction>;
using MemoryBook = std::map<MemoryKey, WordMemory>;

// All answers, oldest first, folded into one memory per word and direction.
MemoryBook foldAnswers(const QList<Answer> &answers, const FsrsParameters &p = FsrsParameters::defaults());

} // namespace record
