// The learning record opened from whatever bytes stand in record.db: random bytes, truncated or
// scribbled-over databases, valid SQLite files with other tables or a newer schema. The store
// never crashes, never deletes the file (a damaged one is moved aside byte for byte), leaves a
// newer database untouched, and when it says it is open, an answer is written and read back.
#include "fuzzsupport.h"
#include "lexicon/lexicon.h"
#include "record/recordstore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <cstdint>

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using fuzzsupport::check;
    fuzzsupport::ensureApp();
    QDir folder(fuzzsupport::scratchFolder());
    folder.mkpath(QStringLiteral("rec"));
    folder.cd(QStringLiteral("rec"));
    for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden))
        folder.remove(name);
    const QString path = folder.filePath(record::RecordStore::kFileName);
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    fuzzsupport::putFile(path, bytes.constData(), size);

    record::RecordStore store(path);
    const record::RecordStore::State state = store.open();
    if (!store.movedAside().isEmpty())
        check(readAll(store.movedAside()) == bytes, "a damaged file is moved aside unchanged");
    else if (state != record::RecordStore::State::Open)
        check(readAll(path) == bytes, "a file the store does not take is left as it was");
    if (state == record::RecordStore::State::Open) {
        ciku::fillLexicon();
        const ciku::WordEntry *e = ciku::lexicon().entry(5);
        const qint64 before = store.answerCount();
        const record::Answer answer{5,
                                    e->kana.toString(),
                                    e->chinese.toString(),
                                    record::Direction::HanRi,
                                    record::AnswerKind::Review,
                                    true,
                                    false,
                                    QDateTime::currentMSecsSinceEpoch()};
        check(store.append(answer), "an open store records an answer");
        check(store.answerCount() == before + 1, "the answer is counted");
        const record::MemoryBook book = store.memories();
        check(book.count({5, record::Direction::HanRi}) == 1, "the word has a memory");
        (void)store.answers();
        (void)store.dayCounts(QDate::currentDate().addDays(-30));
    }
    return 0;
}
