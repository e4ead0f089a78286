// Cost of drawing a practice question and of checking a typed answer, without a window: over
// the whole range ("初级全部", 1490 words) in order and at random.
#include "lexicon/lessontable.h"
#include "lexicon/lexicon.h"
#include "practice/practicerules.h"
#include "practice/practicesession.h"

#include <benchmark/benchmark.h>

#include <QRandomGenerator>

#include <algorithm>
#include <vector>

namespace {

ciku::WordRange whole()
{
    return *ciku::practiceRangeFor(u"whole");
}

// A draw as the window makes it: the draw step, the table refill and the word's five texts
// taken for the labels.
void BM_AskInOrder(benchmark::State &state)
{
    practice::PracticeSession session;
    session.setRange(whole());
    for (auto _ : state) {
        const auto draw = session.ask(0);
        benchmark::DoNotOptimize(draw);
        benchmark::DoNotOptimize(session.view().answer.constData());
    }
}

void BM_AskAtRandom(benchmark::State &state)
{
    practice::PracticeSession session;
    session.setRange(whole());
    session.setOrder(practice::Order::Random);
    QRandomGenerator random(20261208);
    for (auto _ : state) {
        const auto draw = session.ask(random.generateDouble());
        benchmark::DoNotOptimize(draw);
        benchmark::DoNotOptimize(session.view().answer.constData());
    }
}

// The draw step alone.
void BM_DrawStepInOrder(benchmark::State &state)
{
    const auto range = whole();
    int cursor = range.first;
    for (auto _ : state) {
        const auto step = practice::sequentialStep(cursor, range);
        cursor = step.nextCursor;
        benchmark::DoNotOptimize(step);
    }
}

void BM_DrawStepAtRandom(benchmark::State &state)
{
    const auto range = whole();
    QRandomGenerator random(20261208);
    for (auto _ : state)
        benchmark::DoNotOptimize(practice::randomIndex(random.generateDouble(), range));
}

// Typed answers, copies of the stored kana (right) or with a blank after (wrong), for every word
// of the whole range in random order.
struct Answers {
    std::vector<QString> typed;
    std::vector<QString> kana;
};

Answers answersInRandomOrder(bool right)
{
    ciku::fillLexicon();
    const auto range = whole();
    std::vector<int> indexes;
    for (int i = range.first; i <= range.last; ++i)
        indexes.push_back(i);
    std::shuffle(indexes.begin(), indexes.end(), QRandomGenerator(20261208));
    Answers a;
    for (int i : indexes) {
        const QString kana = ciku::lexicon().text(i, 2);
        a.kana.push_back(kana);
        a.typed.push_back(right ? QString(kana.constData(), kana.size()) : kana + u' ');
    }
    return a;
}

void runCheck(benchmark::State &state, bool right)
{
    const Answers a = answersInRandomOrder(right);
    std::size_t k = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(practice::isRightAnswer(a.typed[k], a.kana[k]));
        k = k + 1 == a.kana.size() ? 0 : k + 1;
    }
}

void BM_CheckRightAnswer(benchmark::State &state)
{
    runCheck(state, true);
}
void BM_CheckWrongAnswer(benchmark::State &state)
{
    runCheck(state, false);
}

// The whole check as the window makes it: judge, then (right) the next word drawn, caption built.
void BM_JudgeAndNextInOrder(benchmark::State &state)
{
    practice::PracticeSession session;
    session.setRange(whole());
    session.press(practice::Control::Draw, QString(), 0);
    for (auto _ : state) {
        // A right answer judges, draws and shows the next word and recounts the caption.
        const QString typed = session.view().answer;
        const practice::Effects effects = session.press(practice::Control::Check, typed, 0);
        benchmark::DoNotOptimize(effects.focus);
        benchmark::DoNotOptimize(session.caption());
    }
}

} // namespace

BENCHMARK(BM_DrawStepInOrder);
BENCHMARK(BM_DrawStepAtRandom);
BENCHMARK(BM_AskInOrder);
BENCHMARK(BM_AskAtRandom);
BENCHMARK(BM_CheckRightAnswer);
BENCHMARK(BM_CheckWrongAnswer);
BENCHMARK(BM_JudgeAndNextInOrder);
BENCHMARK_MAIN();
