// Writes answers to the learning record in a folder as fast as it can, printing the number of
// answers committed after each one, until it is killed. scripts/record-killloop.sh kills it at
// random moments and checks the database each time.
#include "lexicon/lexicon.h"
#include "record/recordstore.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: recordwriter <folder>\n");
        return 2;
    }
    record::RecordStore store(QDir(QString::fromLocal8Bit(argv[1])).filePath(record::RecordStore::kFileName));
    if (store.open() != record::RecordStore::State::Open) {
        std::fprintf(stderr, "cannot open: %s\n", qPrintable(store.lastError()));
        return 1;
    }
    ciku::fillLexicon();
    qint64 committed = store.answerCount();
    for (int i = 0;; ++i) {
        const int slot = 1 + i % 1490;
        const ciku::WordEntry *e = ciku::lexicon().entry(slot);
        const record::Answer answer{slot,
                                    e->kana.toString(),
                                    e->chinese.toString(),
                                    i % 4 == 0 ? record::Direction::RiHan : record::Direction::HanRi,
                                    record::AnswerKind::Question,
                                    i % 3 != 0,
                                    i % 5 == 0,
                                    QDateTime::currentMSecsSinceEpoch()};
        if (!store.append(answer)) {
            std::fprintf(stderr, "append failed: %s\n", qPrintable(store.lastError()));
            return 1;
        }
        std::printf("%lld\n", static_cast<long long>(++committed));
        std::fflush(stdout);
    }
}
