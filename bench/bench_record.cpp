// The learning record: writing one judged answer to record.db (WAL, one transaction), and
// opening the progress window over a record of 100,000 answers (the summary read from the
// database, the window built and its picture drawn), warm: the database is open already.
#include "lexicon/lexicon.h"
#include "record/learningrecord.h"
#include "record/progresswindow.h"
#include "record/recordstore.h"
#include "ui/interaction.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDateTime>
#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {

class SilentInteraction final : public ui::Interaction
{
public:
    ui::Answer message(QWidget *, const ui::Message &) override { return ui::Answer::Ok; }
    std::optional<QString> input(QWidget *, const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    std::optional<QColor> color(QWidget *, const QColor &) override { return std::nullopt; }
    void beep() override {}
    void showModal(QWidget *) override {}
};

record::Answer answerAt(int slot, bool right, qint64 atMs)
{
    ciku::fillLexicon();
    const ciku::WordEntry *e = ciku::lexicon().entry(slot);
    return record::Answer{slot,
                          e->kana.toString(),
                          e->chinese.toString(),
                          record::Direction::HanRi,
                          record::AnswerKind::Question,
                          right,
                          false,
                          atMs};
}

// A year of practice: 100,000 answers over lessons 1–49, in time order.
QList<record::Answer> generatedYear(int count)
{
    QRandomGenerator random(18);
    const qint64 end = QDateTime::currentMSecsSinceEpoch();
    const qint64 start = end - 365 * record::kMsPerDay;
    QList<record::Answer> answers;
    answers.reserve(count);
    for (int i = 0; i < count; ++i)
        answers.append(
            answerAt(1 + random.bounded(1490), random.bounded(10) < 8, start + (end - start) / count * i));
    return answers;
}

void BM_RecordOneAnswer(benchmark::State &state)
{
    QTemporaryDir dir;
    record::RecordStore store(dir.filePath(record::RecordStore::kFileName));
    store.open();
    int i = 0;
    for (auto _ : state) {
        if (!store.append(answerAt(1 + i % 1490, i % 3 != 0, QDateTime::currentMSecsSinceEpoch())))
            state.SkipWithError("append failed");
        ++i;
    }
}

void BM_OpenProgressWindow(benchmark::State &state)
{
    QTemporaryDir dir;
    SilentInteraction interaction;
    record::LearningRecord record(dir.path(), interaction);
    record.ensureOpen(nullptr);
    record.store().appendAll(generatedYear(static_cast<int>(state.range(0))));
    {
        record::ProgressWindow warm(record, interaction);
        warm.grab();
    }
    for (auto _ : state) {
        record::ProgressWindow window(record, interaction);
        benchmark::DoNotOptimize(window.grab());
    }
    state.counters["answers"] = static_cast<double>(record.store().answerCount());
}

} // namespace

BENCHMARK(BM_RecordOneAnswer)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_OpenProgressWindow)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
