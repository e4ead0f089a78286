#pragma once

#include "record/memory.h"
#include "record/progress.h"

#include <QDate>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

class QSqlDatabase;
class QSqlError;
class QSqlQuery;

// The learning record on disk: record.db, an SQLite database (Qt's QSQLITE driver) in WAL mode
// with one row per judged answer and, beside it, the memory state each word has reached, kept
// up to date in the same transaction as the answer.
//
// The store never deletes a file. A file that is not one of its databases is renamed aside and a
// new one made; a database of a newer schema is left untouched; a database held by another
// running copy (each copy holds its database with an exclusive lock for as long as it runs) is
// not written.
namespace record {

class RecordStore
{
public:
    static constexpr int kSchemaVersion = 1;
    static inline const QString kFileName = QStringLiteral("record.db");

    enum class State {
        Closed,     // not opened yet
        Open,       // answers are recorded
        Busy,       // another running copy holds the database
        Newer,      // written by a newer version; left as it is
        Unwritable, // the folder or disk does not let the database be made or written
    };

    explicit RecordStore(const QString &path);
    ~RecordStore();
    RecordStore(const RecordStore &) = delete;
    RecordStore &operator=(const RecordStore &) = delete;

    // Opens (or makes) the database. A damaged file is moved aside first; movedAside() then names
    // where it went.
    State open();
    State state() const { return m_state; }
    QString path() const { return m_path; }
    QString movedAside() const { return m_movedAside; }
    // The driver's last error text, for the messages.
    QString lastError() const { return m_lastError; }

    // Writes one answer and the word's new memory state in one transaction. False when the
    // store is not open or the write failed (full disk, read-only file); the state then
    // becomes Unwritable only for those two.
    bool append(const Answer &answer);
    // Many answers, oldest first, in one transaction (imports, generated records).
    bool appendAll(const QList<Answer> &answers);

    // Reading; all empty when the store is not open.
    MemoryBook memories() const;
    QList<Answer> answers() const; // oldest first
    qint64 answerCount() const;
    // Answers per local day from the given day on (the local UTC offset of now applied).
    DayCounts dayCounts(const QDate &from) const;
    // Answers and right answers from the given moment on (UTC milliseconds).
    TodayFigures answeredSince(qint64 fromMs) const;

    // Every answer as CSV (UTF-8, header row, times in UTC ISO 8601) written to path; false
    // when the file could not be written.
    bool exportCsv(const QString &path) const;

    // Test seam: the most pages the database may grow to, as on a disk that is full; 0 ends it.
    void limitPagesForTesting(int pages);

    // The name a damaged file is moved to at the given moment: record.db.damaged-<yyyyMMdd-HHmmss>.
    static QString damagedName(const QString &path, const QDateTime &at);

private:
    enum class FileCheck { Missing, Sqlite, NotSqlite };
    static FileCheck checkFile(const QString &path);
    bool connect();
    void disconnect();
    State openChecked(bool *damaged);
    bool createSchema();
    bool hasOurSchema();
    bool moveAside();
    bool exec(const QString &sql);
    // One answer and its memory inside the open transaction; false (error noted) on failure.
    bool writeAnswer(const Answer &answer);
    // Ends a failed transaction; a full disk or a read-only file makes the store Unwritable.
    bool failWrite(const QSqlError &error);
    void noteError(const QSqlQuery &query);

    QString m_path;
    QString m_connection;
    QString m_movedAside;
    QString m_lastError;
    State m_state = State::Closed;
    std::unique_ptr<QSqlQuery> m_insert;
    std::unique_ptr<QSqlQuery> m_readMemory;
    std::unique_ptr<QSqlQuery> m_writeMemory;
};

} // namespace record
