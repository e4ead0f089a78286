// Cost of one lookup of the query window over the searched slots, without a window.
#include "lexicon/lexicon.h"
#include "query/lookup.h"

#include <benchmark/benchmark.h>

namespace {

void run(benchmark::State &state, const query::QueryTexts &texts, bool exact)
{
    for (auto _ : state) {
        // The window refills the table before every lookup, so the refill is part of the cost.
        ciku::fillLexicon();
        const auto hits = exact ? query::exactLookup(ciku::lexicon(), texts)
                                : query::containsLookup(ciku::lexicon(), texts);
        benchmark::DoNotOptimize(hits.data());
    }
}

void BM_ExactMeaning(benchmark::State &state)
{
    run(state, {QStringLiteral("学生"), {}, {}}, true);
}
void BM_ExactKana(benchmark::State &state)
{
    run(state, {{}, QStringLiteral("はい"), {}}, true);
}
void BM_ContainsMeaning(benchmark::State &state)
{
    run(state, {QStringLiteral("学"), {}, {}}, false);
}
void BM_ContainsKanji(benchmark::State &state)
{
    run(state, {{}, {}, QStringLiteral("日")}, false);
}
// Blanks only: the exact lookup hits every unfilled slot, the fuzzy one every filled slot.
void BM_ExactBlanks(benchmark::State &state)
{
    run(state, {QStringLiteral("   "), {}, {}}, true);
}
void BM_ContainsBlanks(benchmark::State &state)
{
    run(state, {QStringLiteral("   "), {}, {}}, false);
}

} // namespace

BENCHMARK(BM_ExactMeaning);
BENCHMARK(BM_ExactKana);
BENCHMARK(BM_ContainsMeaning);
BENCHMARK(BM_ContainsKanji);
BENCHMARK(BM_ExactBlanks);
BENCHMARK(BM_ContainsBlanks);
BENCHMARK_MAIN();
