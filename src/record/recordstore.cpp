#include "record/recordstore.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimeZone>
#include <QUuid>
#include <QVariant>

namespace record {

namespace {

// SQLite's primary result codes that the store tells apart.
constexpr int kSqliteBusy = 5;
constexpr int kSqliteLocked = 6;
constexpr int kSqliteReadOnly = 8;
constexpr int kSqliteIoError = 10;
constexpr int kSqliteCorrupt = 11;
constexpr int kSqliteFull = 13;
constexpr int kSqliteCantOpen = 14;
constexpr int kSqliteNotADb = 26;

int primaryCode(const QSqlError &error)
{
    return error.nativeErrorCode().toInt() & 0xff;
}

const char *const kSchema[] = {
    "CREATE TABLE answers ("
    " id INTEGER PRIMARY KEY,"
    " slot INTEGER NOT NULL,"
    " kana TEXT NOT NULL,"
    " meaning TEXT NOT NULL,"
    " direction TEXT NOT NULL CHECK (direction IN ('汉日', '日汉')),"
    " kind TEXT NOT NULL CHECK (kind IN ('question', 'drill', 'review')),"
    " right INTEGER NOT NULL CHECK (right IN (0, 1)),"
    " aided INTEGER NOT NULL CHECK (aided IN (0, 1)),"
    " answered_at INTEGER NOT NULL)",
    "CREATE INDEX answers_by_time ON answers (answered_at)",
    "CREATE TABLE memory ("
    " slot INTEGER NOT NULL,"
    " direction TEXT NOT NULL,"
    " kana TEXT NOT NULL,"
    " meaning TEXT NOT NULL,"
    " stability REAL NOT NULL,"
    " difficulty REAL NOT NULL,"
    " last_at INTEGER NOT NULL,"
    " answers INTEGER NOT NULL,"
    " lapses INTEGER NOT NULL,"
    " PRIMARY KEY (slot, direction))",
};

QString csvField(const QString &text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString csvKind(AnswerKind kind)
{
    switch (kind) {
    case AnswerKind::Drill:
        return QStringLiteral("错题专练");
    case AnswerKind::Review:
        return QStringLiteral("复习");
    case AnswerKind::Question:
        break;
    }
    return QStringLiteral("出题");
}

} // namespace

RecordStore::RecordStore(const QString &path)
    : m_path(path),
      m_connection(QStringLiteral("record-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
}

RecordStore::~RecordStore()
{
    disconnect();
}

QString RecordStore::damagedName(const QString &path, const QDateTime &at)
{
    return path + QStringLiteral(".damaged-") + at.toString(QStringLiteral("yyyyMMdd-HHmmss"));
}

RecordStore::FileCheck RecordStore::checkFile(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        return FileCheck::Missing;
    if (!file.open(QIODevice::ReadOnly))
        return FileCheck::Sqlite; // let SQLite say what is wrong
    const QByteArray head = file.read(16);
    if (head.isEmpty() && file.size() == 0)
        return FileCheck::Missing; // an empty file is an empty database
    return head == QByteArray("SQLite format 3\0", 16) ? FileCheck::Sqlite : FileCheck::NotSqlite;
}

bool RecordStore::connect()
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(m_path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=200"));
    if (!db.open()) {
        m_lastError = db.lastError().text();
        return false;
    }
    return true;
}

void RecordStore::disconnect()
{
    m_insert.reset();
    m_readMemory.reset();
    m_writeMemory.reset();
    if (QSqlDatabase::contains(m_connection)) {
        {
            QSqlDatabase db = QSqlDatabase::database(m_connection, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_connection);
    }
}

void RecordStore::noteError(const QSqlQuery &query)
{
    m_lastError = query.lastError().text();
}

bool RecordStore::exec(const QString &sql)
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (!query.exec(sql)) {
        noteError(query);
        return false;
    }
    return true;
}

RecordStore::State RecordStore::open()
{
    if (m_state != State::Closed)
        return m_state;
    bool damaged = false;
    State state = openChecked(&damaged);
    if (damaged) {
        disconnect();
        if (!moveAside())
            return m_state = State::Unwritable;
        state = openChecked(&damaged);
        if (damaged)
            state = State::Unwritable;
    }
    if (state != State::Open)
        disconnect();
    return m_state = state;
}

RecordStore::State RecordStore::openChecked(bool *damaged)
{
    *damaged = false;
    if (QFileInfo(m_path).isDir())
        return State::Unwritable;
    const FileCheck check = checkFile(m_path);
    if (check == FileCheck::NotSqlite) {
        *damaged = true;
        return State::Unwritable;
    }
    if (!connect())
        return State::Unwritable;
    // Held for as long as this copy runs: a second copy finds the database locked. It also keeps
    // WAL mode from needing a shared-memory file.
    exec(QStringLiteral("PRAGMA locking_mode = EXCLUSIVE"));
    QSqlQuery version(QSqlDatabase::database(m_connection, false));
    if (!version.exec(QStringLiteral("PRAGMA user_version")) || !version.next()) {
        noteError(version);
        const int code = primaryCode(version.lastError());
        if (code == kSqliteBusy || code == kSqliteLocked)
            return State::Busy;
        if (code == kSqliteNotADb || code == kSqliteCorrupt)
            *damaged = true;
        return State::Unwritable;
    }
    const int schemaVersion = version.value(0).toInt();
    version.finish();
    if (schemaVersion > kSchemaVersion)
        return State::Newer;

    QSqlQuery tables(QSqlDatabase::database(m_connection, false));
    if (!tables.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !tables.next()) {
        noteError(tables);
        const int code = primaryCode(tables.lastError());
        if (code == kSqliteBusy || code == kSqliteLocked)
            return State::Busy;
        *damaged = code == kSqliteNotADb || code == kSqliteCorrupt;
        return State::Unwritable;
    }
    const int objects = tables.value(0).toInt();
    tables.finish();
    if (schemaVersion == 0 && objects == 0) {
        if (!createSchema()) {
            const int code = primaryCode(QSqlDatabase::database(m_connection, false).lastError());
            return code == kSqliteBusy || code == kSqliteLocked ? State::Busy : State::Unwritable;
        }
    } else if (schemaVersion == 0 || !hasOurSchema()) {
        *damaged = true; // someone else's tables, or ours damaged
        return State::Unwritable;
    }

    QSqlQuery mode(QSqlDatabase::database(m_connection, false));
    if (!mode.exec(QStringLiteral("PRAGMA journal_mode = WAL")) || !mode.next()) {
        noteError(mode);
        const int code = primaryCode(mode.lastError());
        return code == kSqliteBusy || code == kSqliteLocked ? State::Busy : State::Unwritable;
    }
    mode.finish();
    // In WAL mode a commit is atomic and survives the process being killed; NORMAL leaves out
    // the sync of every commit (only a power cut may lose the last answers, never the file).
    exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
    // A write now takes the exclusive lock at once rather than at the first answer.
    if (!exec(QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion))) {
        const int code = primaryCode(QSqlDatabase::database(m_connection, false).lastError());
        return code == kSqliteBusy || code == kSqliteLocked ? State::Busy : State::Unwritable;
    }

    const QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    m_insert = std::make_unique<QSqlQuery>(db);
    m_readMemory = std::make_unique<QSqlQuery>(db);
    m_writeMemory = std::make_unique<QSqlQuery>(db);
    const bool prepared =
        m_insert->prepare(QStringLiteral("INSERT INTO answers (slot, kana, meaning, direction, kind, right, "
                                         "aided, answered_at) VALUES (?, ?, ?, ?, ?, ?, ?, ?)")) &&
        m_readMemory->prepare(QStringLiteral("SELECT kana, meaning, stability, difficulty, last_at, answers, "
                                             "lapses FROM memory WHERE slot = ? AND direction = ?")) &&
        m_writeMemory->prepare(
            QStringLiteral("INSERT OR REPLACE INTO memory (slot, direction, kana, meaning, "
                           "stability, difficulty, last_at, answers, lapses) "
                           "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    if (!prepared) {
        *damaged = true;
        return State::Unwritable;
    }
    return State::Open;
}

bool RecordStore::createSchema()
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.transaction())
        return false;
    for (const char *statement : kSchema) {
        if (!exec(QString::fromUtf8(statement))) {
            db.rollback();
            return false;
        }
    }
    if (!exec(QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion)) || !db.commit()) {
        db.rollback();
        return false;
    }
    return true;
}

bool RecordStore::hasOurSchema()
{
    // Our tables and index exactly as created, constraints included: a file whose tables have
    // our columns under other rules (another program's, or damage within the schema's text)
    // would refuse every answer. SQLite keeps each CREATE statement as it was given, and the
    // names sort in the order of kSchema.
    QStringList found;
    QSqlQuery schema(QSqlDatabase::database(m_connection, false));
    if (!schema.exec(QStringLiteral("SELECT sql FROM sqlite_master WHERE name IN "
                                    "('answers', 'answers_by_time', 'memory') ORDER BY name")))
        return false;
    while (schema.next())
        found.append(schema.value(0).toString());
    schema.finish();
    QStringList expected;
    for (const char *statement : kSchema)
        expected.append(QString::fromUtf8(statement));
    if (found != expected)
        return false;
    // A truncated or scribbled-over file can still show its tables; the quick check reads every page.
    QSqlQuery check(QSqlDatabase::database(m_connection, false));
    return check.exec(QStringLiteral("PRAGMA quick_check")) && check.next() &&
           check.value(0).toString() == QStringLiteral("ok");
}

bool RecordStore::moveAside()
{
    QDateTime at = QDateTime::currentDateTime();
    QString target = damagedName(m_path, at);
    while (QFileInfo::exists(target)) {
        at = at.addSecs(1);
        target = damagedName(m_path, at);
    }
    if (!QFile::rename(m_path, target))
        return false;
    // A journal left beside the damaged file belongs to it and goes with it.
    for (const QString &suffix :
         {QStringLiteral("-wal"), QStringLiteral("-shm"), QStringLiteral("-journal")}) {
        if (QFileInfo::exists(m_path + suffix))
            QFile::rename(m_path + suffix, target + suffix);
    }
    m_movedAside = target;
    return true;
}

bool RecordStore::failWrite(const QSqlError &error)
{
    m_lastError = error.text();
    const int code = primaryCode(error);
    QSqlDatabase::database(m_connection, false).rollback();
    if (code == kSqliteFull || code == kSqliteReadOnly || code == kSqliteIoError || code == kSqliteCantOpen)
        m_state = State::Unwritable;
    return false;
}

bool RecordStore::writeAnswer(const Answer &answer)
{
    const QString direction = directionText(answer.direction);
    m_readMemory->bindValue(0, answer.slot);
    m_readMemory->bindValue(1, direction);
    if (!m_readMemory->exec())
        return failWrite(m_readMemory->lastError());
    std::optional<WordMemory> before;
    if (m_readMemory->next()) {
        WordMemory m;
        m.kana = m_readMemory->value(0).toString();
        m.meaning = m_readMemory->value(1).toString();
        m.state = MemoryState{m_readMemory->value(2).toDouble(), m_readMemory->value(3).toDouble()};
        m.lastMs = m_readMemory->value(4).toLongLong();
        m.answers = m_readMemory->value(5).toInt();
        m.lapses = m_readMemory->value(6).toInt();
        before = m;
    }
    m_readMemory->finish();
    const WordMemory after = afterAnswer(before, answer);

    const QVariantList row{answer.slot,           answer.kana,          answer.meaning,       direction,
                           kindText(answer.kind), answer.right ? 1 : 0, answer.aided ? 1 : 0, answer.atMs};
    for (int i = 0; i < row.size(); ++i)
        m_insert->bindValue(i, row[i]);
    if (!m_insert->exec())
        return failWrite(m_insert->lastError());

    const QVariantList memory{answer.slot,
                              direction,
                              after.kana,
                              after.meaning,
                              after.state.stability,
                              after.state.difficulty,
                              after.lastMs,
                              after.answers,
                              after.lapses};
    for (int i = 0; i < memory.size(); ++i)
        m_writeMemory->bindValue(i, memory[i]);
    if (!m_writeMemory->exec())
        return failWrite(m_writeMemory->lastError());
    return true;
}

bool RecordStore::append(const Answer &answer)
{
    return appendAll({answer});
}

bool RecordStore::appendAll(const QList<Answer> &answers)
{
    if (m_state != State::Open)
        return false;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.transaction()) {
        m_lastError = db.lastError().text();
        return false;
    }
    for (const Answer &answer : answers) {
        if (!writeAnswer(answer))
            return false;
    }
    if (!db.commit())
        return failWrite(db.lastError());
    return true;
}

MemoryBook RecordStore::memories() const
{
    MemoryBook book;
    if (m_state != State::Open)
        return book;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT slot, direction, kana, meaning, stability, difficulty, last_at, "
                                   "answers, lapses FROM memory")))
        return book;
    while (query.next()) {
        const auto direction = directionFromText(query.value(1).toString());
        if (!direction)
            continue;
        WordMemory m;
        m.kana = query.value(2).toString();
        m.meaning = query.value(3).toString();
        m.state = MemoryState{query.value(4).toDouble(), query.value(5).toDouble()};
        m.lastMs = query.value(6).toLongLong();
        m.answers = query.value(7).toInt();
        m.lapses = query.value(8).toInt();
        book[MemoryKey{query.value(0).toInt(), *direction}] = m;
    }
    return book;
}

QList<Answer> RecordStore::answers() const
{
    QList<Answer> list;
    if (m_state != State::Open)
        return list;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT slot, kana, meaning, direction, kind, right, aided, answered_at "
                                   "FROM answers ORDER BY id")))
        return list;
    while (query.next()) {
        Answer a;
        a.slot = query.value(0).toInt();
        a.kana = query.value(1).toString();
        a.meaning = query.value(2).toString();
        a.direction = directionFromText(query.value(3).toString()).value_or(Direction::HanRi);
        a.kind = kindFromText(query.value(4).toString()).value_or(AnswerKind::Question);
        a.right = query.value(5).toInt() != 0;
        a.aided = query.value(6).toInt() != 0;
        a.atMs = query.value(7).toLongLong();
        list.append(a);
    }
    return list;
}

qint64 RecordStore::answerCount() const
{
    if (m_state != State::Open)
        return 0;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (!query.exec(QStringLiteral("SELECT count(*) FROM answers")) || !query.next())
        return 0;
    return query.value(0).toLongLong();
}

DayCounts RecordStore::dayCounts(const QDate &from) const
{
    DayCounts days;
    if (m_state != State::Open)
        return days;
    const qint64 offsetMs = QDateTime::currentDateTime().offsetFromUtc() * 1000LL;
    const qint64 fromMs = from.startOfDay().toMSecsSinceEpoch();
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    query.prepare(
        QStringLiteral("SELECT (answered_at + ?) / %1, count(*) FROM answers WHERE answered_at >= ? "
                       "GROUP BY 1")
            .arg(kMsPerDay));
    query.bindValue(0, offsetMs);
    query.bindValue(1, fromMs);
    if (!query.exec())
        return days;
    const QDate epoch(1970, 1, 1);
    while (query.next())
        days[epoch.addDays(query.value(0).toLongLong())] = query.value(1).toInt();
    return days;
}

TodayFigures RecordStore::answeredSince(qint64 fromMs) const
{
    TodayFigures figures;
    if (m_state != State::Open)
        return figures;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(QStringLiteral("SELECT count(*), total(right) FROM answers WHERE answered_at >= ?"));
    query.bindValue(0, fromMs);
    if (query.exec() && query.next()) {
        figures.answered = query.value(0).toInt();
        figures.right = static_cast<int>(query.value(1).toDouble());
    }
    return figures;
}

bool RecordStore::exportCsv(const QString &path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QStringLiteral("时间(UTC),单词序号,假名,汉语,方向,类型,结果,用了提示\r\n").toUtf8());
    for (const Answer &a : answers()) {
        const QString at =
            QDateTime::fromMSecsSinceEpoch(a.atMs, Qt::UTC).toString(QStringLiteral("yyyy-MM-ddTHH:mm:ssZ"));
        const QStringList fields{at,
                                 QString::number(a.slot),
                                 csvField(a.kana),
                                 csvField(a.meaning),
                                 directionText(a.direction),
                                 csvKind(a.kind),
                                 a.right ? QStringLiteral("对") : QStringLiteral("错"),
                                 a.aided ? QStringLiteral("是") : QStringLiteral("否")};
        file.write((fields.join(u',') + QStringLiteral("\r\n")).toUtf8());
    }
    return file.commit();
}

void RecordStore::limitPagesForTesting(int pages)
{
    if (m_state == State::Open)
        exec(QStringLiteral("PRAGMA max_page_count = %1").arg(pages > 0 ? pages : 1073741823));
}

} // namespace record
