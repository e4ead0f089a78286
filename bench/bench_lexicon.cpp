// The word table is filled before every command that reads words, so the fill must stay cheap.
#include "lexicon/lessontable.h"
#include "lexicon/lexicon.h"

#include <benchmark/benchmark.h>

static void BM_fillLexicon(benchmark::State &state)
{
    for (auto _ : state) {
        ciku::fillLexicon();
        benchmark::DoNotOptimize(&ciku::lexicon());
    }
}
BENCHMARK(BM_fillLexicon);

static void BM_studyRangeFor(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ciku::studyRangeFor(u"1 2 abc"));
}
BENCHMARK(BM_studyRangeFor);

BENCHMARK_MAIN();
